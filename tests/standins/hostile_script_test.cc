// The hostile script's expectations held against the system's own channel and
// codec layers: each message goes through a method channel and an event
// channel set up as the capture sets up "kovi/raw_mouse" and
// "kovi/raw_mouse_events", over the recording messenger, and must get exactly
// the expected reply and error lines. The system test then demands the same
// of kovi.exe.
#include "standins/app/hostile_script.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "channels/event_channel.h"
#include "channels/method_channel.h"
#include "channels/stream_handler_functions.h"
#include "standins/app/hex.h"
#include "tests/support/capture_channels.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/stderr_capture.h"

namespace {

// The reply's bytes in hex ("" for an empty reply); "unanswered" when none came.
std::string ReplyHex(const std::vector<kovi_test::Recorded>& replies) {
  return replies.empty() ? "unanswered" : ToHex(replies[0].bytes.data(), replies[0].bytes.size());
}

TEST(HostileScriptTest, RepliesAndLinesMatchTheChannelLayers) {
  kovi_test::RecordingMessenger messenger;
  flutter::MethodChannel control(&messenger, kovi_test::kControlChannel, kovi_test::Codec());
  control.SetMethodCallHandler(
      [](const flutter::MethodCall& call, std::unique_ptr<flutter::MethodResult> result) {
        const std::string& name = call.method_name();
        if (name == "isSupported") {
          result->Success(flutter::EncodableMap{{"supported", true}});
        } else if (name == "startCapture" || name == "stopCapture") {
          result->Success();
        } else {
          result->NotImplemented();
        }
      });
  std::unique_ptr<flutter::EventSink> sink;
  flutter::EventChannel events(&messenger, kovi_test::kEventChannel, kovi_test::Codec());
  events.SetStreamHandler(std::make_unique<flutter::StreamHandlerFunctions>(
      [&sink](const flutter::EncodableValue*, std::unique_ptr<flutter::EventSink>&& new_sink)
          -> std::unique_ptr<flutter::StreamHandlerError> {
        sink = std::move(new_sink);
        return nullptr;
      },
      [&sink](const flutter::EncodableValue*) -> std::unique_ptr<flutter::StreamHandlerError> {
        sink.reset();
        return nullptr;
      }));

  std::vector<HostileStep> script = HostileScript();
  ASSERT_GE(script.size(), 20u);
  for (const HostileStep& step : script) {
    SCOPED_TRACE(step.label);
    StderrCapture capture;
    const std::vector<kovi_test::Recorded> replies = messenger.Deliver(step.channel, step.message);
    EXPECT_LE(replies.size(), 1u);
    EXPECT_EQ(ReplyHex(replies), step.expected_reply_hex);
    EXPECT_EQ(capture.Lines(), step.expected_error_lines);
  }
}

TEST(HostileScriptTest, TheOversizedMessagesAreWhatTheyClaim) {
  std::vector<HostileStep> script = HostileScript();
  auto find = [&script](const std::string& label) {
    for (const HostileStep& step : script) {
      if (step.label == label) {
        return step.message;
      }
    }
    return std::vector<uint8_t>();
  };
  EXPECT_EQ(ToHex(find("huge list as name").data(), 6), "0cffffffffff");
  std::vector<uint8_t> deep = find("deep nesting as name");
  EXPECT_EQ(deep.size(), 20001u);
  EXPECT_EQ(ToHex(deep.data(), 4), "0c010c01");
  EXPECT_EQ(deep.back(), 0x00);
}

}  // namespace
