#include "embedding/incoming_message_reply.h"

#include <memory>

#include "errors/error_line.h"

namespace flutter {

IncomingMessageReply::IncomingMessageReply(
    FlutterDesktopMessengerRef messenger,
    const FlutterDesktopMessageResponseHandle* response_handle)
    : messenger_(FlutterDesktopMessengerAddRef(messenger)), response_handle_(response_handle) {}

IncomingMessageReply::~IncomingMessageReply() {
  FlutterDesktopMessengerRelease(messenger_);
}

ReplyCallback IncomingMessageReply::MakeCallback(
    FlutterDesktopMessengerRef messenger,
    const FlutterDesktopMessageResponseHandle* response_handle) {
  auto reply = std::make_shared<IncomingMessageReply>(messenger, response_handle);
  return [reply](const uint8_t* data, size_t size) { reply->Answer(data, size); };
}

void IncomingMessageReply::Answer(const uint8_t* data, size_t size) {
  FlutterDesktopMessengerRef lock = FlutterDesktopMessengerLock(messenger_);
  if (FlutterDesktopMessengerIsAvailable(messenger_)) {
    // Claimed atomically: two copies answering at once cannot both send.
    const FlutterDesktopMessageResponseHandle* handle = response_handle_.exchange(nullptr);
    if (handle) {
      FlutterDesktopMessengerSendResponse(messenger_, handle, data, size);
    } else {
      WriteErrorLine("Error: Response can be set only once. Ignoring duplicate response.");
    }
  }
  if (lock) {
    FlutterDesktopMessengerUnlock(lock);
  }
}

}  // namespace flutter
