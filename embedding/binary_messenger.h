// The interface through which channels send byte messages and receive the
// messages of their channel name. Implemented over the embedding library by
// BinaryMessengerImpl; UI thread only.
#ifndef KOVI_EMBEDDING_BINARY_MESSENGER_H_
#define KOVI_EMBEDDING_BINARY_MESSENGER_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace flutter {

// Answers one incoming message, or receives the reply to one sent message.
// The bytes may be null (with a count of 0). Empty means "no reply".
using ReplyCallback = std::function<void(const uint8_t* reply, size_t reply_size)>;

// Handles the messages of one channel; each message comes with the callable
// that answers it. Empty means "no handler".
using ChannelMessageHandler =
    std::function<void(const uint8_t* message, size_t message_size, ReplyCallback reply)>;

class BinaryMessenger {
 public:
  virtual ~BinaryMessenger() = default;

  // Sends a message on a channel; with a non-empty reply, the reply receives the
  // answer (at most once).
  virtual void Send(const std::string& channel, const uint8_t* message, size_t message_size,
                    ReplyCallback reply = nullptr) const = 0;

  // Installs or replaces the channel's handler; an empty handler removes it.
  virtual void SetMessageHandler(const std::string& channel, ChannelMessageHandler handler) = 0;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_BINARY_MESSENGER_H_
