// ReplyHolder: answers one incoming method call exactly once. A method result
// owns one; a second answer, or none at all, is reported on the standard error
// stream. Not thread-safe on its own: the owner answers from one thread.
#ifndef KOVI_CHANNELS_REPLY_HOLDER_H_
#define KOVI_CHANNELS_REPLY_HOLDER_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "embedding/binary_messenger.h"

namespace flutter {

class ReplyHolder {
 public:
  // Takes the message's reply callable; an empty one makes a holder that has
  // already answered.
  explicit ReplyHolder(ReplyCallback callback);
  // Warns when the message was never answered; sends nothing in its place.
  ~ReplyHolder();

  ReplyHolder(const ReplyHolder&) = delete;
  ReplyHolder& operator=(const ReplyHolder&) = delete;

  // Sends the answer: absent or empty data answers with a null pointer and a
  // count of 0. Only the first call sends; later ones write the duplicate line.
  void Respond(std::unique_ptr<std::vector<uint8_t>> data = nullptr);

 private:
  ReplyCallback callback_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_REPLY_HOLDER_H_
