// Guards the decoding of lists and maps against hostile input. One scope is
// opened, on the stack of the reading thread, by each entry into the
// serializer's reading rules that meets a list or map. Through the virtual
// operations every list or map is such an entry; the standard serializer's
// own path over a buffer reader reads a whole message in one scope, and its
// nested containers carry their level and the values owed around them down
// the recursion as plain numbers, so nesting costs no bookkeeping of its own.
//
// Three limits hold:
// - Depth: the lists and maps being read on this thread (across readers, so a
//   serializer that decodes an embedded message cannot multiply the limit) may
//   nest at most StandardCodecSerializer::kMaxReadNesting deep. The container
//   that would go deeper reads as null, its content is skipped, and its
//   message gets one line.
// - Values: a list's element and a map's key and value are one value each,
//   so a map entry counts twice. A count is accepted when its values and the
//   values still owed by the containers around it come to at most the unread
//   bytes plus kShortReadAllowance. Every value that is present takes at least
//   one byte, and the values owed only shrink once the input has ended, so a
//   message holds at most twice its size plus the allowance in values, and
//   writes at most that many lines for the missing ones.
// - Bytes past the end: a string, byte list or typed list longer than what is
//   left reads as that many zero bytes, which come from one budget per
//   message: the bytes unread when its first scope opened plus
//   kShortReadAllowance. Such a value consumes nothing, so without the budget
//   a message of n bytes could announce n/2 values of n bytes each.
// The per-message part (the values owed around a re-entered read, whether the
// depth line was written, what is left of the budget) is shared by the scopes
// of one reader; a re-entered read of another reader starts a message of its
// own.
#ifndef KOVI_ENCODING_MESSAGE_READ_SCOPE_H_
#define KOVI_ENCODING_MESSAGE_READ_SCOPE_H_

#include <cstddef>
#include <cstdint>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_stream_reader.h"

namespace flutter {

class MessageReadScope {
 public:
  // Opens the scope for lists and maps about to be read from `reader`. The
  // first of them counts one level of the thread's nesting until the scope
  // closes.
  explicit MessageReadScope(const ByteStreamReader* reader);
  ~MessageReadScope();

  MessageReadScope(const MessageReadScope&) = delete;
  MessageReadScope& operator=(const MessageReadScope&) = delete;

  // The values still owed by the containers of the same message around this
  // scope (0 for a read of its own).
  uint64_t owed_values() const { return outer_owed_; }

  // True when a list or map `level` containers deep in this scope (1 for the
  // first) may be read. False when it lies too deep: read nothing more of it;
  // the line has been written if the message had none yet.
  bool MayEnter(int level) { return level <= levels_left_ || RefuseTooDeep(); }

  // Before an entry is read through the virtual operations, which may open a
  // scope of their own on the same reader: `owed` values are owed around it.
  void PublishOwedValues(uint64_t owed) { message_->owed_values = owed; }

  // Whether a container may take on `values` (its element count, or twice its
  // entry count for a map), `remaining` being what the reader has left
  // (ByteStreamReader::RemainingBytes) and `owed` the values the containers
  // around it still owe. False, with the invalid-read line, when no input cut
  // short could have announced them: the container is then empty.
  static bool AcceptValues(uint64_t values, size_t remaining, uint64_t owed) {
    const uint64_t reach = Reach(remaining);
    return values <= (reach > owed ? reach - owed : 0) || RefuseValues();
  }
  // How many of `count` accepted entries to make room for before reading them.
  static size_t EntriesToReserve(size_t count, size_t remaining);

  // Whether a value of `reader` may read `length` bytes that the input no
  // longer holds as zero bytes, taking them from its message's budget: that
  // of `scope`, the scope the value is read in, or, outside any (null), that
  // of the reader's message being read on this thread; with neither, the
  // value is a message of its own, with the unread bytes plus the allowance.
  // False when the budget cannot give them: the value is then empty. Writes
  // no line; the failed read of the value writes its own.
  static bool AcceptShortRead(MessageReadScope* scope, const ByteStreamReader* reader,
                              uint64_t length);

 private:
  struct Message {
    const ByteStreamReader* reader;
    uint64_t owed_values;
    bool reported_too_deep;
    uint64_t short_budget;
    Message* outer;
  };

  // The unread bytes plus the allowance, without overflowing for a reader
  // that cannot tell.
  static uint64_t Reach(size_t remaining) {
    return remaining > UINT64_MAX - kShortReadAllowance ? UINT64_MAX
                                                        : remaining + kShortReadAllowance;
  }
  // The message of `reader` being read on this thread, or null.
  static Message* FindMessage(const ByteStreamReader* reader);

  // Write their line (the depth line once per message) and return false.
  bool RefuseTooDeep();
  static bool RefuseValues();

  // The innermost message being read on this thread.
  static thread_local Message* innermost_message_;

  Message own_;
  Message* message_;
  uint64_t outer_owed_;
  int levels_left_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_MESSAGE_READ_SCOPE_H_
