#include "channels/method_channel.h"

#include <utility>

#include "channels/engine_method_result.h"
#include "errors/error_line.h"

namespace flutter {
namespace {

// What the installed message handler needs, shared by its copies. Each message
// holds a reference for the duration of its handling, so a method-call handler
// that replaces or removes the channel's handler does not pull the state (and
// itself) away from under its own call.
struct InstalledMethodHandler {
  MethodCallHandler handler;
  const MethodCodec* codec;
  std::string channel_name;
};

void HandleMethodMessage(std::shared_ptr<const InstalledMethodHandler> installed,
                         const uint8_t* message, size_t message_size, ReplyCallback reply) {
  // Made first, so every path below answers through it.
  auto result = std::make_unique<EngineMethodResult>(std::move(reply), installed->codec);
  std::unique_ptr<MethodCall> call = installed->codec->DecodeMethodCall(message, message_size);
  if (!call) {
    WriteErrorLine("Unable to construct method call from message on channel " +
                   installed->channel_name);
    result->NotImplemented();
    return;
  }
  installed->handler(*call, std::move(result));
}

}  // namespace

MethodChannel::MethodChannel(BinaryMessenger* messenger, const std::string& name,
                             const MethodCodec* codec)
    : messenger_(messenger), name_(name), codec_(codec) {}

void MethodChannel::SetMethodCallHandler(MethodCallHandler handler) const {
  if (!handler) {
    messenger_->SetMessageHandler(name_, nullptr);
    return;
  }
  auto installed = std::make_shared<const InstalledMethodHandler>(
      InstalledMethodHandler{std::move(handler), codec_, name_});
  messenger_->SetMessageHandler(
      name_, [installed](const uint8_t* message, size_t message_size, ReplyCallback reply) {
        HandleMethodMessage(installed, message, message_size, std::move(reply));
      });
}

}  // namespace flutter
