// FreedNote: a token that tests capture in handlers and callbacks. When the
// last copy of the capturing callable goes, the note "freed <label>" enters the
// fake library's call log, so a test can see when (and how often) the host
// freed it, ordered against the library calls. NotedHandler is the message
// handler that holds one and does nothing else.
#ifndef KOVI_TESTS_SUPPORT_FREED_NOTE_H_
#define KOVI_TESTS_SUPPORT_FREED_NOTE_H_

#include <memory>
#include <string>

#include "embedding/binary_messenger.h"
#include "tests/support/fake_embedding.h"

class FreedNote {
 public:
  static std::shared_ptr<FreedNote> Make(const std::string& label) {
    return std::shared_ptr<FreedNote>(new FreedNote(label));
  }
  ~FreedNote() { fake_embedding::Note("freed " + label_); }

  FreedNote(const FreedNote&) = delete;
  FreedNote& operator=(const FreedNote&) = delete;

 private:
  explicit FreedNote(std::string label) : label_(std::move(label)) {}
  std::string label_;
};

inline flutter::ChannelMessageHandler NotedHandler(const std::string& label) {
  return [note = FreedNote::Make(label)](const uint8_t*, size_t, flutter::ReplyCallback) {};
}

#endif  // KOVI_TESTS_SUPPORT_FREED_NOTE_H_
