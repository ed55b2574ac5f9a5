#include "channels/event_channel.h"

#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

#include "channels/event_sink_implementation.h"
#include "channels/stream_handler_error.h"
#include "encoding/method_call.h"
#include "errors/error_line.h"

namespace flutter {
namespace {

using Envelope = std::unique_ptr<std::vector<uint8_t>>;

// What the installed message handler needs, shared by its copies. Each message
// holds a reference for the duration of its handling, so a stream handler that
// replaces or removes the channel's handler does not pull the state (and itself)
// away from under its own call. The listening flag starts cleared with every
// installation.
struct InstalledStreamHandler {
  std::shared_ptr<StreamHandler> stream_handler;
  const MethodCodec* codec;
  std::string channel_name;
  BinaryMessenger* messenger;
  bool listening;
};

// The reply to a "listen" or "cancel": the handler's error, or success with no value.
Envelope EncodeOutcome(const MethodCodec& codec, const StreamHandlerError* error) {
  if (error) {
    return codec.EncodeErrorEnvelope(error->error_code, error->error_message,
                                     error->error_details.get());
  }
  return codec.EncodeSuccessEnvelope(nullptr);
}

// A "listen" while listening ends the current stream first. Its error has no one
// to go to but the error stream; the details are shown by address, and the line
// is left open.
void CancelExistingStream(StreamHandler& stream_handler) {
  std::unique_ptr<StreamHandlerError> error = stream_handler.OnCancel(nullptr);
  if (error) {
    std::ostringstream line;
    line << "Failed to cancel existing stream: " << error->error_code << ", "
         << error->error_message << ", " << static_cast<const void*>(error->error_details.get());
    WriteErrorLine(line.str(), LineEnd::kLeftOpen);
  }
}

Envelope Listen(InstalledStreamHandler& installed, const MethodCall& call) {
  if (installed.listening) {
    CancelExistingStream(*installed.stream_handler);
  }
  installed.listening = true;
  // A sink the stream handler does not take is destroyed on return.
  std::unique_ptr<EventSink> sink = std::make_unique<EventChannel::EventSinkImplementation>(
      installed.messenger, installed.channel_name, installed.codec);
  std::unique_ptr<StreamHandlerError> error =
      installed.stream_handler->OnListen(call.arguments(), std::move(sink));
  return EncodeOutcome(*installed.codec, error.get());
}

Envelope Cancel(InstalledStreamHandler& installed, const MethodCall& call) {
  if (!installed.listening) {
    return installed.codec->EncodeErrorEnvelope("error", "No active stream to cancel", nullptr);
  }
  std::unique_ptr<StreamHandlerError> error = installed.stream_handler->OnCancel(call.arguments());
  Envelope reply = EncodeOutcome(*installed.codec, error.get());
  installed.listening = false;
  return reply;
}

// Absent bytes give the empty reply.
void SendReply(const ReplyCallback& reply, const std::vector<uint8_t>* bytes) {
  if (!reply) {
    return;
  }
  if (bytes) {
    reply(bytes->data(), bytes->size());
  } else {
    reply(nullptr, 0);
  }
}

void HandleStreamMessage(std::shared_ptr<InstalledStreamHandler> installed, const uint8_t* message,
                         size_t message_size, const ReplyCallback& reply) {
  std::unique_ptr<MethodCall> call = installed->codec->DecodeMethodCall(message, message_size);
  if (!call) {
    WriteErrorLine("Unable to construct method call from message on channel: " +
                   installed->channel_name);
    SendReply(reply, nullptr);
    return;
  }
  Envelope answer;
  if (call->method_name() == "listen") {
    answer = Listen(*installed, *call);
  } else if (call->method_name() == "cancel") {
    answer = Cancel(*installed, *call);
  }
  SendReply(reply, answer.get());
}

}  // namespace

EventChannel::EventChannel(BinaryMessenger* messenger, const std::string& name,
                           const MethodCodec* codec)
    : messenger_(messenger), name_(name), codec_(codec) {}

void EventChannel::SetStreamHandler(std::unique_ptr<StreamHandler> handler) const {
  if (!handler) {
    messenger_->SetMessageHandler(name_, nullptr);
    return;
  }
  auto installed = std::make_shared<InstalledStreamHandler>(
      InstalledStreamHandler{std::move(handler), codec_, name_, messenger_, false});
  messenger_->SetMessageHandler(
      name_, [installed](const uint8_t* message, size_t message_size, ReplyCallback reply) {
        HandleStreamMessage(installed, message, message_size, reply);
      });
}

}  // namespace flutter
