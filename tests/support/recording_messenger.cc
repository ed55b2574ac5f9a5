#include "tests/support/recording_messenger.h"

#include <utility>

namespace kovi_test {
namespace {

Recorded Record(const std::string& channel, const uint8_t* data, size_t size) {
  return {channel, data ? Bytes(data, data + size) : Bytes(), data == nullptr};
}

}  // namespace

void RecordingMessenger::Send(const std::string& channel, const uint8_t* message,
                              size_t message_size, flutter::ReplyCallback) const {
  sent_.push_back(Record(channel, message, message_size));
}

void RecordingMessenger::SetMessageHandler(const std::string& channel,
                                           flutter::ChannelMessageHandler handler) {
  if (handler) {
    handlers_[channel] = std::move(handler);
  } else {
    handlers_.erase(channel);
  }
}

std::vector<Recorded> RecordingMessenger::Deliver(const std::string& channel,
                                                  const Bytes& message) {
  auto found = handlers_.find(channel);
  if (found == handlers_.end()) {
    return {};
  }
  const size_t before = replies_->size();
  std::shared_ptr<std::vector<Recorded>> replies = replies_;
  found->second(message.data(), message.size(),
                [replies, channel](const uint8_t* data, size_t size) {
                  replies->push_back(Record(channel, data, size));
                });
  return std::vector<Recorded>(replies_->begin() + static_cast<std::ptrdiff_t>(before),
                               replies_->end());
}

}  // namespace kovi_test
