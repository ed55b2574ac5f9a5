// Guards the decoding of one list or map against hostile input. Created on the
// stack by the serializer for each list or map it reads, on the reading thread.
//
// Two limits hold:
// - Depth: the lists and maps being read on this thread (across readers, so a
//   serializer that decodes an embedded message cannot multiply the limit) may
//   nest at most StandardCodecSerializer::kMaxReadNesting deep. The container
//   that would go deeper reads as null; its message gets one line.
// - Entries: every announced entry needs at least one more byte. A count is
//   accepted only when the unread bytes can give one to each of its entries
//   and to each entry still owed by the containers around it, so neither the
//   memory reserved nor the reads attempted can exceed the input's size.
// The per-message part (the entries owed, whether the depth line was written)
// lives in the outermost scope of a reader; nested scopes of the same reader
// share it, and a re-entered read of another reader gets its own.
#ifndef KOVI_ENCODING_MESSAGE_READ_SCOPE_H_
#define KOVI_ENCODING_MESSAGE_READ_SCOPE_H_

#include <cstddef>
#include <cstdint>

#include "encoding/byte_stream_reader.h"

namespace flutter {

class MessageReadScope {
 public:
  // Enters one list or map about to be read from `reader`.
  explicit MessageReadScope(const ByteStreamReader* reader);
  ~MessageReadScope();

  MessageReadScope(const MessageReadScope&) = delete;
  MessageReadScope& operator=(const MessageReadScope&) = delete;

  // True when this container lies too deep; the line has been written if the
  // message had none yet. Read nothing more of it.
  bool too_deep() const { return too_deep_; }

  // Takes on the container's `count` entries, `remaining` being what the
  // reader has left (ByteStreamReader::RemainingBytes). False, with the
  // invalid-read line, when the input cannot hold them: the container is then
  // empty.
  bool AcceptEntries(size_t count, size_t remaining);
  // How many of `count` accepted entries to make room for before reading them.
  static size_t EntriesToReserve(size_t count, size_t remaining);
  // Marks the start of reading one accepted entry.
  void BeginEntry() {
    if (message_->owed_entries > 0) {
      --message_->owed_entries;
    }
  }

 private:
  struct Message {
    const ByteStreamReader* reader;
    uint64_t owed_entries;
    bool reported_too_deep;
    Message* outer;
  };

  // The innermost message being read on this thread.
  static thread_local Message* innermost_message_;

  Message own_;
  Message* message_;
  bool too_deep_ = false;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_MESSAGE_READ_SCOPE_H_
