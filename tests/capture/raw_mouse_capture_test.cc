// Counting, sampling, batching, start and stop of RawMouseCapture against the
// recording system table; no engine, the sink attached directly.
#include "capture/raw_mouse_capture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_capture_system.h"
#include "tests/support/recording_event_sink.h"
#include "tests/support/row_name.h"

namespace {

using kovi_test::operator<<;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const HANDLE kMouse = reinterpret_cast<HANDLE>(0x51);
const HANDLE kOtherMouse = reinterpret_cast<HANDLE>(0x52);

const std::vector<std::string> kStartCalls = {
    "RegisterRawInputDevices(page=1 usage=2 flags=0x30 target=0x1234, 1, 16)",
    "SystemParametersInfoW(SPI_GETMOUSE, 0, 0)",
    "SystemParametersInfoW(SPI_SETMOUSE, 0, {0, 0, 0}, 2)",
    "timeBeginPeriod(1)",
    "SetTimer(0x1234, 0x524d4800, 10, null)",
};
const std::vector<std::string> kStopCalls = {
    "KillTimer(0x1234, 0x524d4800)",
    "RegisterRawInputDevices(page=1 usage=2 flags=0x1 target=0x0, 1, 16)",
    "timeEndPeriod(1)",
    "SystemParametersInfoW(SPI_SETMOUSE, 0, {6, 10, 1}, 2)",
};

class RawMouseCaptureTest : public ::testing::Test {
 protected:
  void Listen() { capture_->AttachEventSink(std::make_unique<RecordingEventSink>(&batches_)); }
  void StartListening() {
    capture_->StartCapture();
    Listen();
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(capture_->HandleWindowMessage(kCaptureWindow, WM_TIMER,
                                                RawMouseCapture::kCaptureTimerId, 0));
    }
  }

  bool Input(HRAWINPUT input) {
    return capture_->HandleWindowMessage(kCaptureWindow, WM_INPUT, RIM_INPUT,
                                         reinterpret_cast<LPARAM>(input));
  }

  void Packets(int count, HANDLE device = kMouse) {
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(Input(system_.AddMouseRecord(device)));
    }
  }

  // The calls made since the last look.
  std::vector<std::string> NewCalls() {
    std::vector<std::string> calls(system_.calls.begin() + seen_calls_, system_.calls.end());
    seen_calls_ = system_.calls.size();
    return calls;
  }

  // Declared first so that the capture, destroyed first, still reaches them.
  FakeCaptureSystem system_;
  Batches batches_;
  std::unique_ptr<RawMouseCapture> capture_ =
      std::make_unique<RawMouseCapture>(nullptr, kCaptureWindow);
  size_t seen_calls_ = 0;
};

TEST_F(RawMouseCaptureTest, StartAndStopMakeTheirCallsInOrder) {
  capture_->StartCapture();
  EXPECT_EQ(NewCalls(), kStartCalls);
  EXPECT_THAT(system_.mouse_params, ElementsAre(0, 0, 0));
  capture_->StopCapture();
  EXPECT_EQ(NewCalls(), kStopCalls);
  EXPECT_THAT(system_.mouse_params, ElementsAre(6, 10, 1));
}

TEST_F(RawMouseCaptureTest, SecondStartAndSecondStopChangeNothing) {
  capture_->StopCapture();
  EXPECT_THAT(NewCalls(), IsEmpty());
  capture_->StartCapture();
  capture_->StartCapture();
  EXPECT_EQ(NewCalls(), kStartCalls);
  capture_->StopCapture();
  capture_->StopCapture();
  EXPECT_EQ(NewCalls(), kStopCalls);
}

TEST_F(RawMouseCaptureTest, RefusedRegistrationLeavesTheCaptureIdle) {
  system_.register_result = FALSE;
  capture_->StartCapture();
  EXPECT_THAT(NewCalls(), ElementsAre(kStartCalls[0]));
  EXPECT_FALSE(Input(system_.AddMouseRecord()));
  EXPECT_THAT(system_.reads, IsEmpty());
  capture_->StopCapture();
  EXPECT_THAT(NewCalls(), IsEmpty());

  system_.register_result = TRUE;
  capture_->StartCapture();
  EXPECT_EQ(NewCalls(), kStartCalls);
}

TEST_F(RawMouseCaptureTest, RefusedStartResetsOnlyTheSharedDiagnostics) {
  StartListening();
  Packets(2);
  ASSERT_EQ(system_.debug_lines.size(), 2u);  // device, then rate

  system_.register_result = FALSE;
  RawMouseCapture other(nullptr, kCaptureWindow);
  other.StartCapture();

  Packets(1);  // same capture, same tick, but its device is described again at once
  EXPECT_EQ(system_.debug_lines.size(), 4u);
  EXPECT_EQ(system_.debug_lines.back(), L"[KOVI] RAW mouse packets/sec: 1\n");
  Ticks(5);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(3, 0, 0, 0, 0)));
}

TEST_F(RawMouseCaptureTest, FailedParameterReadStillSwitchesAccelerationOffButRestoresNothing) {
  system_.get_mouse_result = FALSE;
  capture_->StartCapture();
  EXPECT_EQ(NewCalls(), kStartCalls);
  EXPECT_THAT(system_.mouse_params, ElementsAre(0, 0, 0));
  capture_->StopCapture();
  EXPECT_EQ(NewCalls(), std::vector<std::string>(kStopCalls.begin(), kStopCalls.end() - 1));

  // The next start reads them again.
  system_.get_mouse_result = TRUE;
  system_.mouse_params[0] = 3;
  capture_->StartCapture();
  EXPECT_EQ(NewCalls()[1], "SystemParametersInfoW(SPI_GETMOUSE, 0, 0)");
  capture_->StopCapture();
  EXPECT_EQ(NewCalls().back(), "SystemParametersInfoW(SPI_SETMOUSE, 0, {3, 0, 0}, 2)");
}

TEST_F(RawMouseCaptureTest, ParametersReadAtTheFirstStartAreRestoredAfterEveryCapture) {
  capture_->StartCapture();
  capture_->StopCapture();
  NewCalls();
  system_.mouse_params[0] = 1;
  system_.mouse_params[1] = 2;
  system_.mouse_params[2] = 3;
  capture_->StartCapture();
  std::vector<std::string> second_start = kStartCalls;
  second_start.erase(second_start.begin() + 1);
  EXPECT_EQ(NewCalls(), second_start);
  capture_->StopCapture();
  EXPECT_EQ(NewCalls(), kStopCalls);
  EXPECT_THAT(system_.mouse_params, ElementsAre(6, 10, 1));
}

TEST_F(RawMouseCaptureTest, DestructionStopsARunningCaptureAndSendsItsLastCounts) {
  StartListening();
  Ticks(2);
  Packets(4);
  NewCalls();
  capture_.reset();
  EXPECT_EQ(NewCalls(), kStopCalls);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(0, 0, 4)));
}

TEST_F(RawMouseCaptureTest, DestructionWhileIdleCallsNothing) {
  capture_.reset();
  EXPECT_THAT(NewCalls(), IsEmpty());
}

TEST_F(RawMouseCaptureTest, OnlyCaptureMessagesAreConsumed) {
  EXPECT_FALSE(Input(system_.AddMouseRecord()));  // idle: raw input takes its ordinary course
  EXPECT_FALSE(capture_->HandleWindowMessage(kCaptureWindow, WM_TIMER, 1, 0));
  EXPECT_FALSE(capture_->HandleWindowMessage(kCaptureWindow, WM_MOUSEMOVE, 0, 0));
  capture_->StartCapture();
  EXPECT_TRUE(Input(system_.AddRecord(FakeCaptureSystem::MakeRecord(RIM_TYPEKEYBOARD, kMouse))));
  EXPECT_FALSE(capture_->HandleWindowMessage(kCaptureWindow, WM_TIMER, 1, 0));
}

struct RecordCase {
  const char* name;
  DWORD type;
  UINT size;
  int read_shortfall;  // bytes the read reports fewer than announced (-1: the read fails)
  int counted;
};

class RawMouseCaptureRecordTest : public RawMouseCaptureTest,
                                  public ::testing::WithParamInterface<RecordCase> {};

TEST_P(RawMouseCaptureRecordTest, CountsOnlyWholeMouseRecords) {
  const RecordCase& c = GetParam();
  FakeCaptureSystem::Record record = FakeCaptureSystem::MakeRecord(c.type, kMouse, c.size);
  if (c.read_shortfall > 0) {
    record.read_result = c.size - c.read_shortfall;
  } else if (c.read_shortfall < 0) {
    record.read_result = static_cast<UINT>(-1);
  }
  StartListening();
  const HRAWINPUT input = system_.AddRecord(record);
  EXPECT_TRUE(Input(input));
  Ticks(5);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(c.counted, 0, 0, 0, 0)));

  ASSERT_EQ(system_.reads.size(), 2u);
  for (const FakeCaptureSystem::Read& read : system_.reads) {
    EXPECT_EQ(read.input, input);
    EXPECT_EQ(read.command, static_cast<UINT>(RID_INPUT));
    EXPECT_EQ(read.header_size, 24u);
  }
  EXPECT_FALSE(system_.reads[0].with_buffer);
  EXPECT_EQ(system_.reads[0].size, 0u);
  EXPECT_TRUE(system_.reads[1].with_buffer);
  EXPECT_EQ(system_.reads[1].size, c.size);
  // Every record that was read runs the rate clock: the first writes a line.
  EXPECT_EQ(system_.debug_lines.back(),
            L"[KOVI] RAW mouse packets/sec: " + std::to_wstring(c.counted) + L"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Records, RawMouseCaptureRecordTest,
    ::testing::Values(RecordCase{"Mouse", RIM_TYPEMOUSE, sizeof(RAWINPUT), 0, 1},
                      RecordCase{"MouseOfFixedBufferSize", RIM_TYPEMOUSE, 128, 0, 1},
                      RecordCase{"MouseJustAboveFixedBuffer", RIM_TYPEMOUSE, 129, 0, 1},
                      RecordCase{"LargeMouse", RIM_TYPEMOUSE, 4096, 0, 1},
                      RecordCase{"Keyboard", RIM_TYPEKEYBOARD, 40, 0, 0},
                      RecordCase{"Hid", RIM_TYPEHID, 200, 0, 0},
                      RecordCase{"ShortRead", RIM_TYPEMOUSE, sizeof(RAWINPUT), 1, 0},
                      RecordCase{"ShortAllocatedRead", RIM_TYPEMOUSE, 300, 1, 0},
                      RecordCase{"FailedRead", RIM_TYPEMOUSE, sizeof(RAWINPUT), -1, 0}),
    kovi_test::RowName());

TEST_F(RawMouseCaptureTest, RecordShorterThanItsHeaderIsNotRead) {
  capture_->StartCapture();
  EXPECT_TRUE(Input(system_.AddRecord(FakeCaptureSystem::MakeRecord(RIM_TYPEMOUSE, kMouse, 8))));
  EXPECT_EQ(system_.reads.size(), 1u);
  EXPECT_EQ(system_.device_queries, 0);
}

TEST_F(RawMouseCaptureTest, EmptySizeAnswerCountsNothingAndLeavesTheClockAlone) {
  StartListening();
  FakeCaptureSystem::Record empty;
  EXPECT_TRUE(Input(system_.AddRecord(empty)));
  EXPECT_EQ(system_.reads.size(), 1u);
  EXPECT_THAT(system_.debug_lines, IsEmpty());
  Ticks(5);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(0, 0, 0, 0, 0)));
}

TEST_F(RawMouseCaptureTest, TenTicksGiveTwoBatchesOfFiveInTickOrder) {
  StartListening();
  for (int tick = 1; tick <= 10; ++tick) {
    Packets(tick);
    Ticks(1);
  }
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(1, 2, 3, 4, 5), ElementsAre(6, 7, 8, 9, 10)));
}

TEST_F(RawMouseCaptureTest, CountsWaitForAListenerAndGoOutAsOneBacklog) {
  capture_->StartCapture();
  for (int tick = 1; tick <= 12; ++tick) {
    Packets(tick % 3);
    Ticks(1);
  }
  Listen();
  Ticks(2);
  EXPECT_THAT(batches_, IsEmpty());
  Ticks(1);
  ASSERT_EQ(batches_.size(), 1u);
  EXPECT_THAT(batches_[0], ElementsAre(1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 0, 0, 0));
}

// An hour of ticks with nobody listening, the last few with packets: the first
// batch holds the last minute of counts, oldest first, and nothing older.
TEST_F(RawMouseCaptureTest, AnHourWithoutAListenerKeepsOnlyTheLastMinuteOfCounts) {
  capture_->StartCapture();
  constexpr int kHour = 360000;
  Ticks(kHour - 3);
  for (int packets = 1; packets <= 3; ++packets) {
    Packets(packets);
    Ticks(1);
  }
  Listen();
  Ticks(5);
  ASSERT_EQ(batches_.size(), 1u);
  std::vector<int32_t> expected(RawMouseCapture::kMaxPendingTicks, 0);
  expected[expected.size() - 8] = 1;
  expected[expected.size() - 7] = 2;
  expected[expected.size() - 6] = 3;
  EXPECT_EQ(batches_[0], expected);
}

TEST_F(RawMouseCaptureTest, CountsPendingAcrossACancelGoOutAfterTheNextListen) {
  StartListening();
  Ticks(3);
  capture_->DetachEventSink();
  Packets(2);
  Ticks(4);
  EXPECT_THAT(batches_, IsEmpty());
  Listen();
  Ticks(5);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(0, 0, 0, 2, 0, 0, 0, 0, 0, 0)));
}

TEST_F(RawMouseCaptureTest, TickWhileIdleAppendsZeroAndMayCompleteABatch) {
  StartListening();
  Ticks(3);
  capture_->StopCapture();
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(0, 0, 0)));
  Ticks(1);  // already queued when the stop ran
  Ticks(1);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(0, 0, 0), ElementsAre(0, 0)));
}

TEST_F(RawMouseCaptureTest, StopAddsThePartialTickOnlyWhenItHoldsPackets) {
  StartListening();
  Packets(3);
  Ticks(2);
  Packets(2);
  capture_->StopCapture();
  capture_->StartCapture();
  Packets(1);
  Ticks(1);
  capture_->StopCapture();
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(3, 0, 2), ElementsAre(1)));
}

TEST_F(RawMouseCaptureTest, StartAndStopWithNothingBetweenSendNothing) {
  Listen();
  capture_->StartCapture();
  capture_->StopCapture();
  EXPECT_THAT(batches_, IsEmpty());
}

TEST_F(RawMouseCaptureTest, StartDropsCountsLeftFromTheLastCapture) {
  capture_->StartCapture();
  Packets(2);
  Ticks(3);
  capture_->StopCapture();
  StartListening();
  Packets(1);
  Ticks(5);
  EXPECT_THAT(batches_, ElementsAre(ElementsAre(1, 0, 0, 0, 0)));
}

TEST_F(RawMouseCaptureTest, RateLineCarriesThePacketsSinceThePreviousOne) {
  capture_->StartCapture();
  const uint64_t start = system_.now_ms;
  const struct {
    uint64_t at;  // since the first packet
    const wchar_t* line;
  } steps[] = {
      {0, L"[KOVI] RAW mouse packets/sec: 1\n"},
      {500, nullptr},
      {999, nullptr},
      {1000, L"[KOVI] RAW mouse packets/sec: 3\n"},
      {1999, nullptr},
      {5000, L"[KOVI] RAW mouse packets/sec: 2\n"},
  };
  std::vector<std::wstring> expected = {L"[KOVI] RAW device: unknown (no name)\n"};
  for (const auto& step : steps) {
    system_.now_ms = start + step.at;
    Packets(1);
    if (step.line != nullptr) {
      expected.push_back(step.line);
    }
    EXPECT_EQ(system_.debug_lines, expected) << "at " << step.at;
  }
}

TEST_F(RawMouseCaptureTest, RecordsOtherThanMouseRunTheClockWithoutBeingCounted) {
  capture_->StartCapture();
  Packets(3);
  system_.now_ms += 1000;
  Input(system_.AddRecord(FakeCaptureSystem::MakeRecord(RIM_TYPEKEYBOARD, kMouse)));
  EXPECT_EQ(system_.debug_lines.back(), L"[KOVI] RAW mouse packets/sec: 2\n");
}

TEST_F(RawMouseCaptureTest, EachCaptureDescribesItsFirstDeviceOnce) {
  system_.AddDevice(kMouse, FakeCaptureSystem::MouseDevice(L"first"));
  system_.AddDevice(kOtherMouse, FakeCaptureSystem::MouseDevice(L"second"));
  capture_->StartCapture();
  Packets(2, kMouse);
  Packets(2, kOtherMouse);
  capture_->StopCapture();
  capture_->StartCapture();
  Packets(2, kOtherMouse);
  Packets(2, kMouse);
  const std::wstring first = L"[KOVI] RAW device: first | RIM_TYPEMOUSE\n";
  const std::wstring second = L"[KOVI] RAW device: second | RIM_TYPEMOUSE\n";
  const std::wstring rate = L"[KOVI] RAW mouse packets/sec: 1\n";
  EXPECT_THAT(system_.debug_lines, ElementsAre(first, rate, second, rate));
}

}  // namespace
