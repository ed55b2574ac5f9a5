// RawMouseCapture on its two channels, through the real channels, messenger and
// engine wrapper over the recording fake of the embedding library: the bytes
// the Dart side sends and receives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/raw_mouse_capture.h"
#include "embedding/engine_project.h"
#include "embedding/flutter_engine.h"
#include "tests/support/capture_channels.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_capture_system.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/wire_bytes.h"

namespace kovi_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Bytes kSuccessWithoutValue = SuccessEnvelope();
const Bytes kNoActiveStream = ErrorEnvelope("error", kNoActiveStreamMessage);
const Bytes kNotImplemented = {};

class RawMouseCaptureChannelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_embedding::Reset();
    engine_ = std::make_unique<flutter::FlutterEngine>(EngineProject(L"data"));
    capture_ = std::make_unique<RawMouseCapture>(engine_.get(), kCaptureWindow);
  }

  // Delivers a message as the Dart side sends it; returns the reply's bytes.
  Bytes Send(const std::string& channel, const Bytes& message) {
    const auto* handle = fake_embedding::DeliverMessage(channel, message);
    EXPECT_NE(handle, nullptr) << "no handler on " << channel;
    const std::vector<fake_embedding::Call> responses = fake_embedding::ResponsesTo(handle);
    if (responses.empty()) {
      ADD_FAILURE() << "no reply on " << channel;
      return {};
    }
    return responses[0].data;
  }

  Bytes Control(const std::string& method) {
    return Send(kControlChannel, MethodCallBytes(method));
  }
  Bytes Events(const std::string& method) { return Send(kEventChannel, MethodCallBytes(method)); }

  // Every message the system sent on the event channel.
  std::vector<Bytes> EventsSent() {
    std::vector<Bytes> sent;
    for (const fake_embedding::Call& call :
         fake_embedding::CallsTo("FlutterDesktopMessengerSend")) {
      EXPECT_EQ(call.name, kEventChannel);
      sent.push_back(call.data);
    }
    return sent;
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      capture_->HandleWindowMessage(kCaptureWindow, WM_TIMER, RawMouseCapture::kCaptureTimerId, 0);
    }
  }

  void Packets(int count) {
    for (int i = 0; i < count; ++i) {
      capture_->HandleWindowMessage(kCaptureWindow, WM_INPUT, RIM_INPUT,
                                    reinterpret_cast<LPARAM>(system_.AddMouseRecord()));
    }
  }

  size_t Registrations() {
    size_t count = 0;
    for (const std::string& call : system_.calls) {
      count += call.rfind("RegisterRawInputDevices(page=1 usage=2 flags=0x30", 0) == 0 ? 1 : 0;
    }
    return count;
  }

  FakeCaptureSystem system_;
  std::unique_ptr<flutter::FlutterEngine> engine_;
  std::unique_ptr<RawMouseCapture> capture_;
};

TEST_F(RawMouseCaptureChannelsTest, ControlMethodsAnswerOnTheWire) {
  const struct {
    Bytes message;
    Bytes reply;
  } cases[] = {
      {MethodCallBytes("isSupported"), kSupportedAnswer},
      {MethodCallBytes("isSupported", Int32Value(5)), kSupportedAnswer},
      {MethodCallBytes("startCapture"), kSuccessWithoutValue},
      {MethodCallBytes("stopCapture"), kSuccessWithoutValue},
      {MethodCallBytes("StartCapture"), kNotImplemented},
      {MethodCallBytes("startcapture"), kNotImplemented},
      {MethodCallBytes("start"), kNotImplemented},
      {MethodCallBytes("startCapture "), kNotImplemented},
      {MethodCallBytes(""), kNotImplemented},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Send(kControlChannel, c.message), c.reply)
        << std::string(c.message.begin() + 2, c.message.begin() + 2 + c.message[1]);
  }
  EXPECT_EQ(Registrations(), 1u);
}

TEST_F(RawMouseCaptureChannelsTest, StartTwiceStartsOneCaptureAndStopWhileIdleChangesNothing) {
  EXPECT_EQ(Control("stopCapture"), kSuccessWithoutValue);
  EXPECT_THAT(system_.calls, IsEmpty());
  EXPECT_EQ(Control("startCapture"), kSuccessWithoutValue);
  EXPECT_EQ(Control("startCapture"), kSuccessWithoutValue);
  EXPECT_EQ(Registrations(), 1u);
}

TEST_F(RawMouseCaptureChannelsTest, RefusedStartIsStillAnsweredWithSuccess) {
  system_.register_result = FALSE;
  EXPECT_EQ(Control("startCapture"), kSuccessWithoutValue);
  EXPECT_EQ(system_.calls.size(), 1u);
}

TEST_F(RawMouseCaptureChannelsTest, EventChannelAnswersListenAndCancel) {
  EXPECT_EQ(Events("cancel"), kNoActiveStream);
  EXPECT_EQ(Events("listen"), kSuccessWithoutValue);
  EXPECT_EQ(Events("listen"), kSuccessWithoutValue);
  EXPECT_EQ(Events("cancel"), kSuccessWithoutValue);
  EXPECT_EQ(Events("cancel"), kNoActiveStream);
  EXPECT_THAT(system_.calls, IsEmpty()) << "listening does not start a capture";
}

TEST_F(RawMouseCaptureChannelsTest, BatchesTravelAsGeneralListsOf32BitIntegers) {
  Events("listen");
  Control("startCapture");
  const int per_tick[] = {1, 2, 0, 3, 256};
  for (int packets : per_tick) {
    Packets(packets);
    Ticks(1);
  }
  EXPECT_THAT(EventsSent(), ElementsAre(BatchEnvelope({1, 2, 0, 3, 256})));
  const Bytes literal = {0x00, 0x0C, 0x05, 0x03, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02,
                         0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x03, 0x03,
                         0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00};
  EXPECT_EQ(EventsSent()[0], literal);
}

TEST_F(RawMouseCaptureChannelsTest, ListeningBeforeTheCaptureDeliversOnlyWhatItProduces) {
  Events("listen");
  Packets(4);  // idle: not consumed, not counted
  EXPECT_THAT(EventsSent(), IsEmpty());
  Control("startCapture");
  Ticks(5);
  Packets(2);
  Control("stopCapture");
  EXPECT_THAT(EventsSent(), ElementsAre(BatchEnvelope({0, 0, 0, 0, 0}), BatchEnvelope({2})));
}

TEST_F(RawMouseCaptureChannelsTest, SecondListenReplacesTheSink) {
  Events("listen");
  Events("listen");
  Control("startCapture");
  Ticks(10);
  EXPECT_THAT(EventsSent(),
              ElementsAre(BatchEnvelope({0, 0, 0, 0, 0}), BatchEnvelope({0, 0, 0, 0, 0})));
}

TEST_F(RawMouseCaptureChannelsTest, CountsPendingAcrossACancelGoOutAfterTheNextListen) {
  Events("listen");
  Control("startCapture");
  Ticks(2);
  Events("cancel");
  Packets(7);
  Ticks(5);
  EXPECT_THAT(EventsSent(), IsEmpty());
  Events("listen");
  Ticks(3);
  EXPECT_THAT(EventsSent(), ElementsAre(BatchEnvelope({0, 0, 7, 0, 0, 0, 0, 0, 0, 0})));
}

TEST_F(RawMouseCaptureChannelsTest, DestructionSendsTheLastBatchThenUnhooksBothChannels) {
  Events("listen");
  Control("startCapture");
  Packets(3);
  capture_.reset();
  EXPECT_THAT(EventsSent(), ElementsAre(BatchEnvelope({3})));
  EXPECT_FALSE(fake_embedding::HasChannelCallback(kControlChannel));
  EXPECT_FALSE(fake_embedding::HasChannelCallback(kEventChannel));

  // The batch went out before the handlers were removed.
  std::vector<std::string> order;
  for (const fake_embedding::Call& call : fake_embedding::Calls()) {
    if (call.function == "FlutterDesktopMessengerSend" ||
        (call.function == "FlutterDesktopMessengerSetCallback" && !call.callback_set)) {
      order.push_back(call.function + " " + call.name);
    }
  }
  EXPECT_THAT(order, ElementsAre("FlutterDesktopMessengerSend kovi/raw_mouse_events",
                                 "FlutterDesktopMessengerSetCallback kovi/raw_mouse",
                                 "FlutterDesktopMessengerSetCallback kovi/raw_mouse_events"));
  EXPECT_EQ(fake_embedding::DeliverMessage(kControlChannel, MethodCallBytes("startCapture")),
            nullptr);
  EXPECT_EQ(fake_embedding::DeliverMessage(kEventChannel, MethodCallBytes("listen")), nullptr);
}

}  // namespace
}  // namespace kovi_test
