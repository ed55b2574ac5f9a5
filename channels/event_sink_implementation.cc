#include "channels/event_sink_implementation.h"

namespace flutter {

EventChannel::EventSinkImplementation::EventSinkImplementation(BinaryMessenger* messenger,
                                                               const std::string& name,
                                                               const MethodCodec* codec)
    : messenger_(messenger), name_(name), codec_(codec) {}

void EventChannel::EventSinkImplementation::SuccessInternal(const EncodableValue* event) {
  auto message = codec_->EncodeSuccessEnvelope(event);
  messenger_->Send(name_, message->data(), message->size());
}

void EventChannel::EventSinkImplementation::ErrorInternal(const std::string& error_code,
                                                          const std::string& error_message,
                                                          const EncodableValue* error_details) {
  auto message = codec_->EncodeErrorEnvelope(error_code, error_message, error_details);
  messenger_->Send(name_, message->data(), message->size());
}

void EventChannel::EventSinkImplementation::EndOfStreamInternal() {
  messenger_->Send(name_, nullptr, 0);
}

}  // namespace flutter
