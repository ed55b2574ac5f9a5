// RecordingMessenger: an in-memory BinaryMessenger for channel tests. It keeps
// one handler per channel, delivers test messages to them in place (as the real
// messenger does) with a reply callable that records every answer, and records
// every message sent.
#ifndef KOVI_TESTS_SUPPORT_RECORDING_MESSENGER_H_
#define KOVI_TESTS_SUPPORT_RECORDING_MESSENGER_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "embedding/binary_messenger.h"

namespace kovi_test {

using Bytes = std::vector<uint8_t>;

// One answer or one sent message. `null_data` tells a null pointer from a
// non-null one with a count of 0.
struct Recorded {
  std::string channel;
  Bytes bytes;
  bool null_data = false;
};

class RecordingMessenger : public flutter::BinaryMessenger {
 public:
  void Send(const std::string& channel, const uint8_t* message, size_t message_size,
            flutter::ReplyCallback reply) const override;
  void SetMessageHandler(const std::string& channel,
                         flutter::ChannelMessageHandler handler) override;

  // Delivers a message to the channel's handler and returns the answers it gave
  // during the delivery. The replies of later answers land in replies().
  std::vector<Recorded> Deliver(const std::string& channel, const Bytes& message);

  bool HasHandler(const std::string& channel) const { return handlers_.count(channel) != 0; }
  // Every answer given so far, in order.
  const std::vector<Recorded>& replies() const { return *replies_; }
  // Every message sent so far, in order.
  const std::vector<Recorded>& sent() const { return sent_; }

 private:
  std::map<std::string, flutter::ChannelMessageHandler> handlers_;
  std::shared_ptr<std::vector<Recorded>> replies_ = std::make_shared<std::vector<Recorded>>();
  mutable std::vector<Recorded> sent_;
};

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_RECORDING_MESSENGER_H_
