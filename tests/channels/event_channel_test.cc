#include "channels/event_channel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "channels/event_sink.h"
#include "channels/event_sink_implementation.h"
#include "channels/stream_handler_error.h"
#include "channels/stream_handler_functions.h"
#include "tests/support/capture_channels.h"
#include "tests/support/failure_lines.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/wire_bytes.h"

namespace kovi_test {
namespace {

using flutter::EncodableValue;
using flutter::EventChannel;
using flutter::EventSink;
using flutter::StreamHandlerError;
using flutter::StreamHandlerFunctions;

// What the scripted stream handler saw and what it answers. An error code that
// is not empty makes the matching callable fail with that code and message "m".
struct Script {
  std::vector<std::string> calls;
  std::string listen_error;
  std::string cancel_error;
  std::unique_ptr<EventSink> sink;
  const EncodableValue* last_details = nullptr;
};

std::string Describe(const char* what, const EncodableValue* arguments) {
  if (!arguments) {
    return std::string(what) + "(absent)";
  }
  if (arguments->IsNull()) {
    return std::string(what) + "(null)";
  }
  const int32_t* number = std::get_if<int32_t>(arguments);
  return std::string(what) + "(" + (number ? std::to_string(*number) : "other") + ")";
}

std::unique_ptr<StreamHandlerError> MaybeError(Script& script, const std::string& code) {
  if (code.empty()) {
    return nullptr;
  }
  auto error =
      std::make_unique<StreamHandlerError>(code, "m", std::make_unique<EncodableValue>(int32_t{9}));
  script.last_details = error->error_details.get();
  return error;
}

std::unique_ptr<StreamHandlerFunctions> ScriptedHandler(Script& script) {
  return std::make_unique<StreamHandlerFunctions>(
      [&script](const EncodableValue* arguments, std::unique_ptr<EventSink>&& events) {
        script.calls.push_back(Describe("listen", arguments));
        script.sink = std::move(events);
        return MaybeError(script, script.listen_error);
      },
      [&script](const EncodableValue* arguments) {
        script.calls.push_back(Describe("cancel", arguments));
        return MaybeError(script, script.cancel_error);
      });
}

class EventChannelTest : public testing::Test {
 protected:
  void Install(std::unique_ptr<flutter::StreamHandler> handler) {
    EventChannel(&messenger_, kEventChannel, Codec()).SetStreamHandler(std::move(handler));
  }
  // Delivers the message and returns the bytes of its single reply.
  Bytes Exchange(const Bytes& message) {
    std::vector<Recorded> replies = messenger_.Deliver(kEventChannel, message);
    EXPECT_EQ(replies.size(), 1u);
    return replies.empty() ? Bytes{0xEE} : replies[0].bytes;
  }

  RecordingMessenger messenger_;
  Script script_;
};

struct Step {
  Bytes message;
  Bytes reply;
};

const Bytes kListen = MethodCallBytes("listen");
const Bytes kCancel = MethodCallBytes("cancel");
const Bytes kOk = SuccessEnvelope();
const Bytes kNoStream = ErrorEnvelope("error", kNoActiveStreamMessage);
const Bytes kFailed = ErrorEnvelope("x", "m", Int32Value(9));

TEST_F(EventChannelTest, ListenCancelProtocol) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> calls;
    std::string listen_error = "";
    std::string cancel_error = "";
  } cases[] = {
      {"cancel first", {{kCancel, kNoStream}}, {}},
      {"listen then cancel",
       {{kListen, kOk}, {kCancel, kOk}, {kCancel, kNoStream}},
       {"listen(null)", "cancel(null)"}},
      {"second listen cancels with absent arguments first",
       {{kListen, kOk}, {kListen, kOk}},
       {"listen(null)", "cancel(absent)", "listen(null)"}},
      {"arguments reach the handler",
       {{MethodCallBytes("listen", Int32Value(2)), kOk},
        {MethodCallBytes("cancel", Int32Value(3)), kOk}},
       {"listen(2)", "cancel(3)"}},
      {"refused listen still listens",
       {{kListen, kFailed}, {kCancel, kOk}, {kCancel, kNoStream}},
       {"listen(null)", "cancel(null)"},
       "x"},
      {"refused cancel still stops listening",
       {{kListen, kOk}, {kCancel, kFailed}, {kCancel, kNoStream}},
       {"listen(null)", "cancel(null)"},
       "",
       "x"},
      {"other names get the empty reply and change nothing",
       {{MethodCallBytes("Listen"), {}},
        {MethodCallBytes("listen "), {}},
        {MethodCallBytes("CANCEL"), {}},
        {MethodCallBytes(""), {}},
        {kCancel, kNoStream},
        {kListen, kOk},
        {MethodCallBytes("cancel "), {}},
        {kCancel, kOk}},
       {"listen(null)", "cancel(null)"}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Script script;
    script.listen_error = test.listen_error;
    script.cancel_error = test.cancel_error;
    Install(ScriptedHandler(script));
    for (const Step& step : test.steps) {
      EXPECT_EQ(Exchange(step.message), step.reply);
    }
    EXPECT_EQ(script.calls, test.calls);
    Install(nullptr);
  }
}

TEST_F(EventChannelTest, FailedImplicitCancelGoesToTheErrorStreamOnlyWithoutLineEnd) {
  script_.cancel_error = "busy";
  Install(ScriptedHandler(script_));
  Exchange(kListen);
  StderrCapture errors;
  EXPECT_EQ(Exchange(kListen), kOk);
  EXPECT_EQ(errors.Text(), CancelFailedText("busy", "m", script_.last_details));
}

TEST_F(EventChannelTest, MissingFunctionsAnswerWithTheirErrors) {
  Install(std::make_unique<StreamHandlerFunctions>(nullptr, nullptr));
  EXPECT_EQ(Exchange(kListen), ErrorEnvelope("error", kNoListenFunctionMessage));
  EXPECT_EQ(Exchange(kCancel), ErrorEnvelope("error", kNoCancelFunctionMessage));
  Exchange(kListen);
  StderrCapture errors;
  EXPECT_EQ(Exchange(kListen), ErrorEnvelope("error", kNoListenFunctionMessage));
  EXPECT_EQ(errors.Text(), CancelFailedText("error", kNoCancelFunctionMessage, nullptr));
}

TEST_F(EventChannelTest, UndecodableMessageGetsEmptyReplyAndLineWithColon) {
  Install(ScriptedHandler(script_));
  StderrCapture errors;
  std::vector<Recorded> replies = messenger_.Deliver(kEventChannel, {0x03, 0x01, 0x00, 0x00, 0x00});
  EXPECT_EQ(errors.Lines(), (Lines{kNameNotStringLine, UndecodableEventCallLine(kEventChannel)}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(replies[0].null_data);
  EXPECT_TRUE(script_.calls.empty());
}

TEST_F(EventChannelTest, SinkSendsEachEventAsItsOwnMessage) {
  Install(ScriptedHandler(script_));
  Exchange(kListen);
  ASSERT_NE(script_.sink, nullptr);
  script_.sink->Success(EncodableValue(flutter::EncodableList{EncodableValue(int32_t{1})}));
  script_.sink->Success();
  script_.sink->Error("code", "", EncodableValue(false));
  script_.sink->Error("code", "text");
  script_.sink->EndOfStream();
  const std::vector<Bytes> expected = {
      SuccessEnvelope(ListValue({Int32Value(1)})),
      kOk,
      ErrorEnvelope("code", "", kFalse),
      ErrorEnvelope("code", "text"),
      {},
  };
  ASSERT_EQ(messenger_.sent().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(messenger_.sent()[i].channel, kEventChannel);
    EXPECT_EQ(messenger_.sent()[i].bytes, expected[i]);
  }
  EXPECT_TRUE(messenger_.sent().back().null_data);
}

TEST_F(EventChannelTest, SinkStillSendsAfterCancel) {
  Install(ScriptedHandler(script_));
  Exchange(kListen);
  std::unique_ptr<EventSink> sink = std::move(script_.sink);
  Exchange(kCancel);
  sink->Success();
  ASSERT_EQ(messenger_.sent().size(), 1u);
  EXPECT_EQ(messenger_.sent()[0].bytes, kOk);
}

TEST_F(EventChannelTest, EveryInstallationStartsNotListening) {
  Install(ScriptedHandler(script_));
  Exchange(kListen);
  Script fresh;
  Install(ScriptedHandler(fresh));
  EXPECT_EQ(Exchange(kCancel), kNoStream);
  EXPECT_TRUE(fresh.calls.empty());
  Install(nullptr);
  EXPECT_FALSE(messenger_.HasHandler(kEventChannel));
}

TEST_F(EventChannelTest, StreamHandlerMayRemoveTheChannelHandlerWhileCancelling) {
  EventChannel channel(&messenger_, kEventChannel, Codec());
  channel.SetStreamHandler(std::make_unique<StreamHandlerFunctions>(
      [](const EncodableValue*, std::unique_ptr<EventSink>&&) {
        return std::unique_ptr<StreamHandlerError>();
      },
      [&channel](const EncodableValue*) {
        channel.SetStreamHandler(nullptr);
        return std::make_unique<StreamHandlerError>("gone", "", nullptr);
      }));
  EXPECT_EQ(Exchange(kListen), kOk);
  EXPECT_EQ(Exchange(kCancel), ErrorEnvelope("gone", ""));
  EXPECT_FALSE(messenger_.HasHandler(kEventChannel));
}

TEST_F(EventChannelTest, ChannelObjectMayGoFirst) {
  Install(ScriptedHandler(script_));
  EXPECT_EQ(Exchange(kListen), kOk);
  script_.sink->Success(EncodableValue(int32_t{1}));
  EXPECT_EQ(Exchange(kCancel), kOk);
  EXPECT_EQ(messenger_.sent().size(), 1u);
}

}  // namespace
}  // namespace kovi_test
