// The channels over the real messenger and the recording fake of the embedding
// library: the bytes that reach FlutterDesktopMessengerSendResponse and
// FlutterDesktopMessengerSend.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "channels/event_channel.h"
#include "channels/event_sink.h"
#include "channels/method_channel.h"
#include "channels/stream_handler_functions.h"
#include "embedding/binary_messenger_impl.h"
#include "tests/support/capture_channels.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/wire_bytes.h"

namespace kovi_test {
namespace {

using flutter::EncodableValue;
using flutter::MethodCall;
using flutter::MethodResult;

// Answers by method name, as the control channel's handler would and worse.
void AnswerByName(const MethodCall& call, std::unique_ptr<MethodResult> result) {
  const std::string& name = call.method_name();
  if (name == "isSupported") {
    result->Success(flutter::EncodableMap{{"supported", true}});
  } else if (name == "startCapture") {
    result->Success();
  } else if (name == "fail") {
    result->Error("E", "msg");
  } else if (name == "twice") {
    result->Success();
    result->Success();
  } else if (name != "never") {
    result->NotImplemented();
  }
}

class ChannelWireTest : public testing::Test {
 protected:
  void SetUp() override { fake_embedding::Reset(); }

  flutter::BinaryMessengerImpl messenger_{fake_embedding::MessengerHandle()};
};

TEST_F(ChannelWireTest, MethodCallResponses) {
  const std::string undecodable = UndecodableMethodCallLine(kControlChannel);
  const struct {
    const char* name;
    Bytes message;
    size_t responses;
    Bytes bytes;  // of the single response; a null pointer when empty
    Lines errors = {};
  } cases[] = {
      {"map result", MethodCallBytes("isSupported"), 1, kSupportedAnswer},
      {"success without value", MethodCallBytes("startCapture"), 1, SuccessEnvelope()},
      {"error", MethodCallBytes("fail"), 1, ErrorEnvelope("E", "msg")},
      {"not implemented", MethodCallBytes("StartCapture"), 1, {}},
      {"undecodable", {0x03, 0x01, 0x00, 0x00, 0x00}, 1, {}, {kNameNotStringLine, undecodable}},
      {"empty message", {}, 1, {}, {kInvalidReadLine, kNameNotStringLine, undecodable}},
      {"answered twice", MethodCallBytes("twice"), 1, SuccessEnvelope(), {kDuplicateResultLine}},
      {"never answered", MethodCallBytes("never"), 0, {}, {kMissingResultLine}},
  };
  flutter::MethodChannel(&messenger_, kControlChannel, Codec()).SetMethodCallHandler(AnswerByName);
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    StderrCapture errors;
    const auto* handle = fake_embedding::DeliverMessage(kControlChannel, test.message);
    ASSERT_NE(handle, nullptr);
    const auto responses = fake_embedding::ResponsesTo(handle);
    ASSERT_EQ(responses.size(), test.responses);
    if (test.responses == 1) {
      EXPECT_EQ(responses[0].data, test.bytes);
      EXPECT_EQ(responses[0].size, test.bytes.size());
      EXPECT_EQ(responses[0].data_null, test.bytes.empty());
    }
    EXPECT_EQ(errors.Lines(), test.errors);
    EXPECT_EQ(fake_embedding::MessengerReferences(), 0);
    EXPECT_EQ(fake_embedding::LocksHeld(), 0);
  }
}

TEST_F(ChannelWireTest, RemovingTheMethodHandlerClearsTheLibraryCallback) {
  flutter::MethodChannel channel(&messenger_, kControlChannel, Codec());
  channel.SetMethodCallHandler(AnswerByName);
  EXPECT_TRUE(fake_embedding::HasChannelCallback(kControlChannel));
  channel.SetMethodCallHandler(nullptr);
  EXPECT_FALSE(fake_embedding::HasChannelCallback(kControlChannel));
}

TEST_F(ChannelWireTest, AnswerAfterTheEngineIsGoneSendsNothing) {
  std::unique_ptr<MethodResult> kept;
  flutter::MethodChannel(&messenger_, kControlChannel, Codec())
      .SetMethodCallHandler([&kept](const MethodCall&, std::unique_ptr<MethodResult> result) {
        kept = std::move(result);
      });
  const auto* handle =
      fake_embedding::DeliverMessage(kControlChannel, MethodCallBytes("startCapture"));
  EXPECT_EQ(fake_embedding::MessengerReferences(), 1);
  fake_embedding::SetMessengerAvailable(false);
  StderrCapture errors;
  kept->Success();
  kept.reset();
  EXPECT_TRUE(fake_embedding::ResponsesTo(handle).empty());
  EXPECT_EQ(errors.Text(), "");
  EXPECT_EQ(fake_embedding::MessengerReferences(), 0);
}

TEST_F(ChannelWireTest, EventStreamTraffic) {
  std::unique_ptr<flutter::EventSink> sink;
  flutter::EventChannel(&messenger_, kEventChannel, Codec())
      .SetStreamHandler(std::make_unique<flutter::StreamHandlerFunctions>(
          [&sink](const EncodableValue*, std::unique_ptr<flutter::EventSink>&& events) {
            sink = std::move(events);
            return nullptr;
          },
          [&sink](const EncodableValue*) {
            sink.reset();
            return nullptr;
          }));
  const auto exchange = [](const Bytes& message) {
    const auto responses =
        fake_embedding::ResponsesTo(fake_embedding::DeliverMessage(kEventChannel, message));
    EXPECT_EQ(responses.size(), 1u);
    return responses.empty() ? Bytes{0xEE} : responses[0].data;
  };
  EXPECT_EQ(exchange(MethodCallBytes("listen")), SuccessEnvelope());
  ASSERT_NE(sink, nullptr);
  sink->Success(EncodableValue(
      flutter::EncodableList{EncodableValue(int32_t{3}), EncodableValue(int32_t{260})}));
  sink->EndOfStream();
  EXPECT_EQ(exchange(MethodCallBytes("cancel")), SuccessEnvelope());
  EXPECT_EQ(exchange(MethodCallBytes("cancel")), ErrorEnvelope("error", kNoActiveStreamMessage));

  const auto sends = fake_embedding::CallsTo("FlutterDesktopMessengerSend");
  ASSERT_EQ(sends.size(), 2u);
  EXPECT_EQ(sends[0].name, kEventChannel);
  EXPECT_EQ(sends[0].data, SuccessEnvelope(ListValue({Int32Value(3), Int32Value(260)})));
  EXPECT_EQ(sends[1].name, kEventChannel);
  EXPECT_EQ(sends[1].size, 0u);
  EXPECT_TRUE(sends[1].data.empty());
  EXPECT_EQ(fake_embedding::MessengerReferences(), 0);
}

}  // namespace
}  // namespace kovi_test
