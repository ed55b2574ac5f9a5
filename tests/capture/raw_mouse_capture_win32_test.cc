// RawMouseCapture against the real Win32 (the default system table) on a real,
// hidden top-level window: raw input registration, the user's mouse
// parameters, and the capture timer through a message loop. Runs under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "capture/raw_mouse_capture.h"
#include "tests/support/recording_event_sink.h"
#include "win32/owned_window.h"

namespace {

using MouseParams = std::array<int32_t, 3>;

MouseParams ReadMouseParams() {
  MouseParams params = {-1, -1, -1};
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, params.data(), 0));
  return params;
}

void WriteMouseParams(MouseParams params) {
  EXPECT_TRUE(SystemParametersInfoW(SPI_SETMOUSE, 0, params.data(), SPIF_SENDCHANGE));
}

std::vector<RAWINPUTDEVICE> RegisteredDevices() {
  UINT count = 0;
  GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE));
  std::vector<RAWINPUTDEVICE> devices(count);
  if (count != 0) {
    EXPECT_EQ(GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE)), count);
  }
  return devices;
}

class RawMouseCaptureWin32Test : public ::testing::Test {
 protected:
  static constexpr wchar_t kClassName[] = L"KoviCaptureTestWindow";

  void SetUp() override {
    ASSERT_TRUE(OwnedWindow::RegisterBoundClass(GetModuleHandleW(nullptr), kClassName));
    WindowCreation creation;
    creation.class_name = kClassName;
    creation.title = L"capture";
    creation.style = WS_OVERLAPPEDWINDOW;
    creation.width = 200;
    creation.height = 200;
    creation.instance = GetModuleHandleW(nullptr);
    ASSERT_TRUE(window_.Create(creation,
                               [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
                                 return HandleMessage(hwnd, message, wparam, lparam);
                               }))
        << "CreateWindowExW failed, GetLastError " << GetLastError();
    hwnd_ = window_.get();
    user_params_ = ReadMouseParams();
    WriteMouseParams(kDistinctive);
    capture_ = std::make_unique<RawMouseCapture>(nullptr, hwnd_);
  }

  void TearDown() override {
    capture_.reset();
    WriteMouseParams(user_params_);
  }

  // Runs the message loop for about `duration`.
  void Pump(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      }
    }
  }

  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    // A consumed message still goes to DefWindowProcW, as in the content window.
    if (capture_ && capture_->HandleWindowMessage(hwnd, message, wparam, lparam) &&
        message == WM_TIMER) {
      ++ticks_;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }

  static constexpr MouseParams kDistinctive = {3, 7, 2};

  OwnedWindow window_;
  HWND hwnd_ = nullptr;
  MouseParams user_params_ = {};
  Batches batches_;
  std::unique_ptr<RawMouseCapture> capture_;
  int ticks_ = 0;
};

TEST_F(RawMouseCaptureWin32Test, StartRegistersTheWindowForRawMouseInputAndStopRemovesIt) {
  EXPECT_TRUE(RegisteredDevices().empty());
  capture_->StartCapture();
  const std::vector<RAWINPUTDEVICE> devices = RegisteredDevices();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].usUsagePage, 1);
  EXPECT_EQ(devices[0].usUsage, 2);
  EXPECT_EQ(devices[0].dwFlags, static_cast<DWORD>(RIDEV_NOLEGACY));
  EXPECT_EQ(devices[0].hwndTarget, hwnd_);
  capture_->StopCapture();
  EXPECT_TRUE(RegisteredDevices().empty());
}

TEST_F(RawMouseCaptureWin32Test, AccelerationIsOffDuringACaptureAndTheUsersValuesComeBack) {
  for (int capture = 0; capture < 2; ++capture) {
    capture_->StartCapture();
    EXPECT_EQ(ReadMouseParams(), (MouseParams{0, 0, 0}));
    capture_->StopCapture();
    EXPECT_EQ(ReadMouseParams(), kDistinctive);
  }
}

TEST_F(RawMouseCaptureWin32Test, DestructionDuringACaptureRestoresTheUsersValues) {
  capture_->StartCapture();
  EXPECT_EQ(ReadMouseParams(), (MouseParams{0, 0, 0}));
  capture_.reset();
  EXPECT_EQ(ReadMouseParams(), kDistinctive);
  EXPECT_TRUE(RegisteredDevices().empty());
}

TEST_F(RawMouseCaptureWin32Test, TheTimerTicksReachTheCaptureThroughTheMessageLoop) {
  capture_->AttachEventSink(std::make_unique<RecordingEventSink>(&batches_));
  capture_->StartCapture();
  Pump(std::chrono::milliseconds(120));
  capture_->StopCapture();
  EXPECT_GE(ticks_, 2);
  // Every tick left one count (no mouse moved), all delivered by the stop at the latest.
  size_t counts = 0;
  for (const std::vector<int32_t>& batch : batches_) {
    counts += batch.size();
    for (int32_t count : batch) {
      EXPECT_EQ(count, 0);
    }
  }
  EXPECT_EQ(counts, static_cast<size_t>(ticks_));
}

}  // namespace
