// libFuzzer target: arbitrary messages from the Dart side delivered through the
// recording fake of the embedding library and the real messenger to an
// installed method channel and an installed event channel.
//
// Input: one flags byte (bit 0: the stream handler has neither a listen nor a
// cancel function), then messages, each a selector byte (bit 0: event channel,
// else method channel), a length byte (255: the rest of the input) and the
// message bytes.
//
// The handlers answer by fixed rules (below), so the target predicts every
// outcome from its own decode of the same bytes: each message must get exactly
// one response of the predicted bytes (none only where the method handler never
// answers, and then the warning), exactly the predicted failure lines and
// events, and leave no messenger reference or lock behind. Leaks are
// LeakSanitizer's to find.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "channels/event_channel.h"
#include "channels/event_sink.h"
#include "channels/method_channel.h"
#include "channels/stream_handler_error.h"
#include "channels/stream_handler_functions.h"
#include "embedding/binary_messenger_impl.h"
#include "encoding/standard_method_codec.h"
#include "fuzz/round_trip_check.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/stderr_capture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using flutter::EncodableValue;
using flutter::MethodCall;
using flutter::StreamHandlerError;

constexpr char kMethods[] = "kovi/raw_mouse";
constexpr char kEvents[] = "kovi/raw_mouse_events";

const flutter::StandardMethodCodec& Codec() {
  return flutter::StandardMethodCodec::GetInstance();
}

// What one message must produce. An empty reply is the empty response.
struct Outcome {
  bool answered = true;
  Bytes reply;
  std::string errors;
  std::vector<Bytes> events;
};

// ---- The method handler: its answer follows the method name's first byte.

enum class Answer { kSuccess, kSuccessWithArguments, kError, kNotImplemented, kTwice, kNever };

Answer AnswerFor(const std::string& method_name) {
  if (method_name.empty()) {
    return Answer::kNotImplemented;
  }
  return static_cast<Answer>(static_cast<uint8_t>(method_name[0]) % 6);
}

void AnswerCall(const MethodCall& call, std::unique_ptr<flutter::MethodResult> result) {
  switch (AnswerFor(call.method_name())) {
    case Answer::kSuccess:
      result->Success();
      break;
    case Answer::kSuccessWithArguments:
      result->Success(*call.arguments());
      break;
    case Answer::kError:
      result->Error(call.method_name(), "refused", call.arguments());
      break;
    case Answer::kNotImplemented:
      result->NotImplemented();
      break;
    case Answer::kTwice:
      result->Success();
      result->Error("again");
      break;
    case Answer::kNever:
      break;
  }
}

Outcome PredictMethod(const MethodCall& call) {
  Outcome outcome;
  switch (AnswerFor(call.method_name())) {
    case Answer::kSuccess:
      outcome.reply = *Codec().EncodeSuccessEnvelope(nullptr);
      break;
    case Answer::kSuccessWithArguments:
      outcome.reply = *Codec().EncodeSuccessEnvelope(call.arguments());
      break;
    case Answer::kError:
      outcome.reply = *Codec().EncodeErrorEnvelope(call.method_name(), "refused", call.arguments());
      break;
    case Answer::kNotImplemented:
      break;
    case Answer::kTwice:
      outcome.reply = *Codec().EncodeSuccessEnvelope(nullptr);
      outcome.errors = std::string(kovi_test::kDuplicateResultLine) + "\n";
      break;
    case Answer::kNever:
      outcome.answered = false;
      outcome.errors = std::string(kovi_test::kMissingResultLine) + "\n";
      break;
  }
  return outcome;
}

// ---- The stream handler: its answers follow the arguments' alternative.
// Listen: absent or null arguments, or an alternative index divisible by 3:
// accept and keep the sink; index 1 mod 3: refuse with the arguments as
// details; index 2 mod 3: accept, send the arguments and the end of the stream,
// and drop the sink. Cancel: refuse (code "cancel", no message, no details) for
// arguments of an odd index, else accept and drop the kept sink.

enum class ListenRule { kKeep, kRefuse, kSendAndDrop };

ListenRule ListenRuleFor(const EncodableValue* arguments) {
  if (!arguments || arguments->IsNull()) {
    return ListenRule::kKeep;
  }
  return static_cast<ListenRule>(arguments->index() % 3);
}

bool CancelRefused(const EncodableValue* arguments) {
  return arguments && arguments->index() % 2 == 1;
}

struct Stream {
  std::unique_ptr<flutter::EventSink> sink;
  bool listening = false;
  bool without_functions = false;
};

std::unique_ptr<StreamHandlerError> Listen(Stream& stream, const EncodableValue* arguments,
                                           std::unique_ptr<flutter::EventSink>&& events) {
  switch (ListenRuleFor(arguments)) {
    case ListenRule::kKeep:
      stream.sink = std::move(events);
      return nullptr;
    case ListenRule::kRefuse:
      return std::make_unique<StreamHandlerError>("listen", "refused",
                                                  std::make_unique<EncodableValue>(*arguments));
    case ListenRule::kSendAndDrop:
      events->Success(*arguments);
      events->EndOfStream();
      return nullptr;
  }
  return nullptr;
}

std::unique_ptr<StreamHandlerError> Cancel(Stream& stream, const EncodableValue* arguments) {
  if (CancelRefused(arguments)) {
    return std::make_unique<StreamHandlerError>("cancel", "", nullptr);
  }
  stream.sink.reset();
  return nullptr;
}

std::unique_ptr<flutter::StreamHandler> MakeStreamHandler(Stream& stream) {
  if (stream.without_functions) {
    return std::make_unique<flutter::StreamHandlerFunctions>(nullptr, nullptr);
  }
  return std::make_unique<flutter::StreamHandlerFunctions>(
      [&stream](const EncodableValue* arguments, std::unique_ptr<flutter::EventSink>&& events) {
        return Listen(stream, arguments, std::move(events));
      },
      [&stream](const EncodableValue* arguments) { return Cancel(stream, arguments); });
}

Bytes ErrorReply(const std::string& code, const std::string& message,
                 const EncodableValue* details) {
  return *Codec().EncodeErrorEnvelope(code, message, details);
}

Outcome PredictListen(Stream& stream, const MethodCall& call) {
  Outcome outcome;
  if (stream.listening && stream.without_functions) {
    outcome.errors =
        kovi_test::CancelFailedText("error", kovi_test::kNoCancelFunctionMessage, nullptr);
  }
  stream.listening = true;
  if (stream.without_functions) {
    outcome.reply = ErrorReply("error", kovi_test::kNoListenFunctionMessage, nullptr);
    return outcome;
  }
  const EncodableValue* arguments = call.arguments();
  outcome.reply = *Codec().EncodeSuccessEnvelope(nullptr);
  switch (ListenRuleFor(arguments)) {
    case ListenRule::kKeep:
      break;
    case ListenRule::kRefuse:
      outcome.reply = ErrorReply("listen", "refused", arguments);
      break;
    case ListenRule::kSendAndDrop:
      outcome.events = {*Codec().EncodeSuccessEnvelope(arguments), Bytes()};
      break;
  }
  return outcome;
}

Outcome PredictCancel(Stream& stream, const MethodCall& call) {
  Outcome outcome;
  if (!stream.listening) {
    outcome.reply = ErrorReply("error", kovi_test::kNoActiveStreamMessage, nullptr);
  } else if (stream.without_functions) {
    outcome.reply = ErrorReply("error", kovi_test::kNoCancelFunctionMessage, nullptr);
  } else if (CancelRefused(call.arguments())) {
    outcome.reply = ErrorReply("cancel", "", nullptr);
  } else {
    outcome.reply = *Codec().EncodeSuccessEnvelope(nullptr);
  }
  stream.listening = false;
  return outcome;
}

Outcome PredictEvent(Stream& stream, const MethodCall& call) {
  if (call.method_name() == "listen") {
    return PredictListen(stream, call);
  }
  if (call.method_name() == "cancel") {
    return PredictCancel(stream, call);
  }
  return Outcome();
}

// ---- Delivery and checks.

// The predicted outcome of one message. The channel decodes the bytes again, so
// the codec's own lines come twice: once here, once in the delivery.
Outcome Predict(Stream& stream, bool to_events, const Bytes& message) {
  StderrCapture decode_errors;
  std::unique_ptr<MethodCall> call = Codec().DecodeMethodCall(message.data(), message.size());
  Outcome outcome;
  if (!call) {
    outcome.errors = (to_events ? kovi_test::UndecodableEventCallLine(kEvents)
                                : kovi_test::UndecodableMethodCallLine(kMethods)) +
                     "\n";
  } else {
    outcome = to_events ? PredictEvent(stream, *call) : PredictMethod(*call);
  }
  outcome.errors = decode_errors.Text() + outcome.errors;
  return outcome;
}

void CheckResponse(const Outcome& expected, const FlutterDesktopMessageResponseHandle* handle) {
  const auto responses = fake_embedding::ResponsesTo(handle);
  if (responses.size() != (expected.answered ? 1u : 0u)) {
    kovi_fuzz::Fail("a message did not receive exactly the one response it is due");
  }
  if (!expected.answered) {
    return;
  }
  const fake_embedding::Call& response = responses[0];
  const bool empty_ok = response.data_null && response.size == 0;
  if (expected.reply.empty() ? !empty_ok : response.data != expected.reply) {
    kovi_fuzz::Fail("a response differs from the predicted bytes");
  }
}

void CheckEvents(const Outcome& expected, size_t sends_before) {
  const auto sends = fake_embedding::CallsTo("FlutterDesktopMessengerSend");
  if (sends.size() - sends_before != expected.events.size()) {
    kovi_fuzz::Fail("a message caused other events than predicted");
  }
  for (size_t i = 0; i < expected.events.size(); ++i) {
    const fake_embedding::Call& send = sends[sends_before + i];
    if (send.name != kEvents || send.data != expected.events[i] ||
        send.size != expected.events[i].size()) {
      kovi_fuzz::Fail("an event differs from the predicted bytes");
    }
  }
}

void DeliverAndCheck(Stream& stream, bool to_events, const Bytes& message) {
  const Outcome expected = Predict(stream, to_events, message);
  const size_t sends_before = fake_embedding::CountCalls("FlutterDesktopMessengerSend");
  StderrCapture errors;
  const auto* handle = fake_embedding::DeliverMessage(to_events ? kEvents : kMethods, message);
  if (!handle) {
    kovi_fuzz::Fail("a channel lost its handler");
  }
  CheckResponse(expected, handle);
  CheckEvents(expected, sends_before);
  if (errors.Text() != expected.errors) {
    kovi_fuzz::Fail("the error stream differs from the predicted lines");
  }
  if (fake_embedding::MessengerReferences() != 0 || fake_embedding::LocksHeld() != 0) {
    kovi_fuzz::Fail("a message left a messenger reference or a lock behind");
  }
}

// A sink the stream handler still holds keeps sending on the channel's name.
void CheckKeptSink(Stream& stream) {
  if (!stream.sink) {
    return;
  }
  const size_t sends_before = fake_embedding::CountCalls("FlutterDesktopMessengerSend");
  stream.sink->Success();
  Outcome expected;
  expected.events = {*Codec().EncodeSuccessEnvelope(nullptr)};
  CheckEvents(expected, sends_before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  fake_embedding::Reset();
  Stream stream;
  stream.without_functions = (data[0] & 1) != 0;
  {
    flutter::BinaryMessengerImpl messenger(fake_embedding::MessengerHandle());
    flutter::MethodChannel(&messenger, kMethods, &Codec()).SetMethodCallHandler(AnswerCall);
    flutter::EventChannel(&messenger, kEvents, &Codec())
        .SetStreamHandler(MakeStreamHandler(stream));
    size_t position = 1;
    while (position + 2 <= size) {
      const bool to_events = (data[position] & 1) != 0;
      const size_t announced = data[position + 1] == 255 ? size : data[position + 1];
      position += 2;
      const size_t length = std::min(announced, size - position);
      DeliverAndCheck(stream, to_events, Bytes(data + position, data + position + length));
      position += length;
    }
    CheckKeptSink(stream);
  }
  if (fake_embedding::MessengerReferences() != 0) {
    kovi_fuzz::Fail("a messenger reference outlived the messenger");
  }
  return 0;
}
