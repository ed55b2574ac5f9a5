#include "channels/method_channel.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/capture_channels.h"
#include "tests/support/failure_lines.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/wire_bytes.h"

namespace kovi_test {
namespace {

using flutter::EncodableValue;
using flutter::MethodCall;
using flutter::MethodChannel;
using flutter::MethodResult;

class MethodChannelTest : public testing::Test {
 protected:
  void Install(flutter::MethodCallHandler handler) {
    MethodChannel(&messenger_, kControlChannel, Codec()).SetMethodCallHandler(std::move(handler));
  }
  std::vector<Recorded> Deliver(const Bytes& message) {
    return messenger_.Deliver(kControlChannel, message);
  }

  RecordingMessenger messenger_;
};

// An empty reply comes as a null pointer.
TEST_F(MethodChannelTest, EachAnswerGivesItsExactReply) {
  const EncodableValue details(true);
  const struct {
    const char* name;
    std::function<void(MethodResult&)> answer;
    Bytes reply;
  } cases[] = {
      {"success without value", [](MethodResult& r) { r.Success(); }, {0x00, 0x00}},
      {"success with int32", [](MethodResult& r) { r.Success(int32_t{5}); },
       SuccessEnvelope(Int32Value(5))},
      {"success with map",
       [](MethodResult& r) {
         r.Success(flutter::EncodableMap{{"supported", true}});
       },
       kSupportedAnswer},
      {"error code only", [](MethodResult& r) { r.Error("bad"); }, ErrorEnvelope("bad", "")},
      {"error with message and details by reference",
       [&details](MethodResult& r) { r.Error("E", "msg", details); },
       ErrorEnvelope("E", "msg", kTrue)},
      {"error with empty code", [](MethodResult& r) { r.Error("", "", nullptr); },
       ErrorEnvelope("", "")},
      {"not implemented", [](MethodResult& r) { r.NotImplemented(); }, {}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Install(
        [&test](const MethodCall&, std::unique_ptr<MethodResult> result) { test.answer(*result); });
    std::vector<Recorded> replies = Deliver(MethodCallBytes("isSupported"));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, test.reply);
    EXPECT_EQ(replies[0].null_data, test.reply.empty());
    EXPECT_EQ(replies[0].channel, kControlChannel);
  }
}

TEST_F(MethodChannelTest, HandlerSeesTheDecodedCall) {
  std::string name;
  std::unique_ptr<EncodableValue> arguments;
  Install([&](const MethodCall& call, std::unique_ptr<MethodResult> result) {
    name = call.method_name();
    arguments = call.arguments() ? std::make_unique<EncodableValue>(*call.arguments()) : nullptr;
    result->Success();
  });
  Deliver(MethodCallBytes("startCapture", Int32Value(7)));
  EXPECT_EQ(name, "startCapture");
  ASSERT_NE(arguments, nullptr);
  ASSERT_NE(std::get_if<int32_t>(arguments.get()), nullptr);
  EXPECT_EQ(std::get<int32_t>(*arguments), 7);
  // Without arguments on the wire the handler sees a null value.
  Deliver(MethodCallBytes("stopCapture"));
  EXPECT_EQ(name, "stopCapture");
  ASSERT_NE(arguments, nullptr);
  EXPECT_TRUE(arguments->IsNull());
}

TEST_F(MethodChannelTest, UndecodableMessageGetsEmptyReplyAndLineWithoutColon) {
  bool called = false;
  Install([&called](const MethodCall&, std::unique_ptr<MethodResult> result) {
    called = true;
    result->Success();
  });
  StderrCapture errors;
  std::vector<Recorded> replies = Deliver({0x03, 0x01, 0x00, 0x00, 0x00});
  EXPECT_EQ(errors.Lines(),
            (Lines{kNameNotStringLine, UndecodableMethodCallLine(kControlChannel)}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(replies[0].null_data);
  EXPECT_TRUE(replies[0].bytes.empty());
  EXPECT_FALSE(called);
}

TEST_F(MethodChannelTest, SecondAnswerIsDroppedWithTheDuplicateLine) {
  Install([](const MethodCall&, std::unique_ptr<MethodResult> result) {
    result->Success();
    result->Error("late");
    result->NotImplemented();
  });
  StderrCapture errors;
  std::vector<Recorded> replies = Deliver(MethodCallBytes("startCapture"));
  EXPECT_EQ(errors.Lines(), (Lines{kDuplicateResultLine, kDuplicateResultLine}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].bytes, SuccessEnvelope());
}

TEST_F(MethodChannelTest, UnansweredCallGetsNoReplyAndTheWarning) {
  Install([](const MethodCall&, std::unique_ptr<MethodResult>) {});
  StderrCapture errors;
  std::vector<Recorded> replies = Deliver(MethodCallBytes("startCapture"));
  EXPECT_EQ(errors.Lines(), Lines{kMissingResultLine});
  EXPECT_TRUE(replies.empty());
}

TEST_F(MethodChannelTest, KeptResultAnswersLater) {
  std::unique_ptr<MethodResult> kept;
  Install([&kept](const MethodCall&, std::unique_ptr<MethodResult> result) {
    kept = std::move(result);
  });
  EXPECT_TRUE(Deliver(MethodCallBytes("startCapture")).empty());
  kept->Success(EncodableValue(true));
  ASSERT_EQ(messenger_.replies().size(), 1u);
  EXPECT_EQ(messenger_.replies()[0].bytes, SuccessEnvelope(kTrue));
}

TEST_F(MethodChannelTest, HandlerOutlivesTheChannelAndIsReplacedOrRemoved) {
  std::vector<std::string> log;
  {
    MethodChannel channel(&messenger_, kControlChannel, Codec());
    channel.SetMethodCallHandler([&log](const MethodCall&, std::unique_ptr<MethodResult> r) {
      log.push_back("first");
      r->Success();
    });
  }
  EXPECT_EQ(Deliver(MethodCallBytes("a")).size(), 1u);
  Install([&log](const MethodCall&, std::unique_ptr<MethodResult> r) {
    log.push_back("second");
    r->NotImplemented();
  });
  EXPECT_EQ(Deliver(MethodCallBytes("a")).size(), 1u);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
  Install(nullptr);
  EXPECT_FALSE(messenger_.HasHandler(kControlChannel));
}

TEST_F(MethodChannelTest, HandlerMayRemoveItselfWhileAnswering) {
  MethodChannel channel(&messenger_, kControlChannel, Codec());
  auto name = std::make_shared<std::string>("still here");
  channel.SetMethodCallHandler(
      [&channel, name](const MethodCall&, std::unique_ptr<MethodResult> result) {
        channel.SetMethodCallHandler(nullptr);
        result->Success(EncodableValue(*name));
      });
  std::vector<Recorded> replies = Deliver(MethodCallBytes("stopCapture"));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].bytes, SuccessEnvelope(StringValue("still here")));
  EXPECT_FALSE(messenger_.HasHandler(kControlChannel));
}

}  // namespace
}  // namespace kovi_test
