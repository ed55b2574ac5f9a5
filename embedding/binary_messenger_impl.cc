#include "embedding/binary_messenger_impl.h"

#include <memory>
#include <utility>

#include "embedding/incoming_message_reply.h"

namespace flutter {
namespace {

// The library's reply function for a send with a reply: the user data is the
// pending reply, owned by the library until this call.
void ForwardReply(const uint8_t* data, size_t data_size, void* user_data) {
  std::unique_ptr<ReplyCallback> reply(static_cast<ReplyCallback*>(user_data));
  (*reply)(data, data_size);
}

// The library's channel callback: the user data is the address of the channel's
// handler in the table, so delivery needs no lookup.
void DeliverMessage(FlutterDesktopMessengerRef messenger, const FlutterDesktopMessage* message,
                    void* user_data) {
  if (!message || !user_data) {
    return;
  }
  // A copy runs, so a handler may replace or remove itself while it handles.
  ChannelMessageHandler handler = *static_cast<const ChannelMessageHandler*>(user_data);
  handler(message->message, message->message_size,
          IncomingMessageReply::MakeCallback(messenger, message->response_handle));
}

}  // namespace

BinaryMessengerImpl::BinaryMessengerImpl(FlutterDesktopMessengerRef core_messenger)
    : messenger_(core_messenger) {}

BinaryMessengerImpl::~BinaryMessengerImpl() = default;

void BinaryMessengerImpl::Send(const std::string& channel, const uint8_t* message,
                               size_t message_size, ReplyCallback reply) const {
  if (!reply) {
    FlutterDesktopMessengerSend(messenger_, channel.c_str(), message, message_size);
    return;
  }
  auto pending = std::make_unique<ReplyCallback>(std::move(reply));
  if (FlutterDesktopMessengerSendWithReply(messenger_, channel.c_str(), message, message_size,
                                           ForwardReply, pending.get())) {
    // The library owns the pending reply now; ForwardReply frees it.
    pending.release();
  }
}

void BinaryMessengerImpl::SetMessageHandler(const std::string& channel,
                                            ChannelMessageHandler handler) {
  if (!handler) {
    handlers_.erase(channel);
    FlutterDesktopMessengerSetCallback(messenger_, channel.c_str(), nullptr, nullptr);
    return;
  }
  ChannelMessageHandler& entry = handlers_[channel];
  // The replaced handler ends up in `handler` and goes when this call returns.
  std::swap(entry, handler);
  FlutterDesktopMessengerSetCallback(messenger_, channel.c_str(), DeliverMessage, &entry);
}

}  // namespace flutter
