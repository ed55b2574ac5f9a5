// RawMouseCapture against the real Win32 (the default system table) on a real,
// hidden top-level window: raw input registration, the user's mouse
// parameters, and the capture timer through a message loop; and that table's
// entries themselves. Runs under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "capture/capture_system_api.h"
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

// Entries of one type can stand in for each other unseen: timeBeginPeriod and
// timeEndPeriod swapped would leave the capture timer at the system's coarse
// resolution and 1 ms set after a stop, and an A function for a W one would
// read wide text as narrow. So each entry is compared with the export its name
// gives in its DLL.
static_assert(sizeof(CaptureSystemApi) == 10 * sizeof(void (*)()),
              "a new entry of the system table needs its row in the test below");

// Where a call through FUNCTION goes. GCC makes an import's address in a
// constant-initialised table the program's own import stub, `jmp [rip +
// offset]` (bytes FF 25, then a 32-bit offset), whose slot the loader bound to
// the export; clang stores what the loader bound. Only a stub in this program
// is followed: an export may itself begin with such a jump (Wine's user32
// forwards to win32u that way).
template <typename Function>
uintptr_t CallTarget(Function function) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(function);
  HMODULE owner = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(address), &owner);
  const auto* code = reinterpret_cast<const unsigned char*>(address);
  if (owner != GetModuleHandleW(nullptr) || code[0] != 0xff || code[1] != 0x25) {
    return address;
  }
  int32_t offset = 0;
  std::memcpy(&offset, code + 2, sizeof(offset));
  uintptr_t bound = 0;
  std::memcpy(&bound, reinterpret_cast<const void*>(address + 6 + offset), sizeof(bound));
  return bound;
}

TEST(Win32CaptureSystemApiTest, EachEntryIsTheExportItNames) {
  const CaptureSystemApi& api = Win32CaptureSystemApi();
  const struct {
    const char* name;
    const wchar_t* library;
    uintptr_t address;
  } entries[] = {
      {"GetRawInputData", L"user32.dll", CallTarget(api.get_raw_input_data)},
      {"RegisterRawInputDevices", L"user32.dll", CallTarget(api.register_raw_input_devices)},
      {"GetRawInputDeviceInfoW", L"user32.dll", CallTarget(api.get_raw_input_device_info)},
      {"SetTimer", L"user32.dll", CallTarget(api.set_timer)},
      {"KillTimer", L"user32.dll", CallTarget(api.kill_timer)},
      {"SystemParametersInfoW", L"user32.dll", CallTarget(api.system_parameters_info)},
      {"timeBeginPeriod", L"winmm.dll", CallTarget(api.time_begin_period)},
      {"timeEndPeriod", L"winmm.dll", CallTarget(api.time_end_period)},
      {"OutputDebugStringW", L"kernel32.dll", CallTarget(api.output_debug_string)},
  };
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.name);
    const HMODULE library = GetModuleHandleW(entry.library);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(entry.address, reinterpret_cast<uintptr_t>(GetProcAddress(library, entry.name)));
  }
  // The clock has no export: its reading falls between two of the steady
  // clock's, in whole milliseconds.
  const auto milliseconds = [] {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  };
  const uint64_t before = milliseconds();
  const uint64_t reading = api.steady_clock_ms();
  const uint64_t after = milliseconds();
  EXPECT_GE(reading, before);
  EXPECT_LE(reading, after);
}

}  // namespace
