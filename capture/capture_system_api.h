// CaptureSystemApi: the operating-system functions the raw mouse capture calls,
// gathered in one process-wide table of plain function pointers. By default
// every entry forwards to Win32 (and the clock to std::chrono::steady_clock);
// tests swap the whole table with ScopedCaptureSystemApi to observe each call
// with its arguments and to inject records, failures and time.
//
// The table is read on the window's thread on every raw input message: one
// load and one indirect call per entry used, nothing more.
#ifndef KOVI_CAPTURE_CAPTURE_SYSTEM_API_H_
#define KOVI_CAPTURE_CAPTURE_SYSTEM_API_H_

#include <windows.h>
// windows.h leaves the multimedia timer out under WIN32_LEAN_AND_MEAN.
#include <timeapi.h>

#include <cstdint>

struct CaptureSystemApi {
  decltype(&::GetRawInputData) get_raw_input_data;
  decltype(&::RegisterRawInputDevices) register_raw_input_devices;
  decltype(&::GetRawInputDeviceInfoW) get_raw_input_device_info;
  decltype(&::SetTimer) set_timer;
  decltype(&::KillTimer) kill_timer;
  decltype(&::SystemParametersInfoW) system_parameters_info;
  decltype(&::timeBeginPeriod) time_begin_period;
  decltype(&::timeEndPeriod) time_end_period;
  decltype(&::OutputDebugStringW) output_debug_string;
  // Monotonic time in whole milliseconds (steady clock nanoseconds / 1,000,000).
  uint64_t (*steady_clock_ms)();
};

// The table that forwards to Win32.
const CaptureSystemApi& Win32CaptureSystemApi();

namespace capture_system_internal {
// The table in use; written only by ScopedCaptureSystemApi.
extern CaptureSystemApi current;
}  // namespace capture_system_internal

// The table the capture calls through.
inline const CaptureSystemApi& CaptureSystem() {
  return capture_system_internal::current;
}

// Installs another table for its lifetime and puts the previous one back when
// it ends. Overrides nest; end them in reverse order. Window thread only, and
// never while a capture object is inside a call to the table.
class ScopedCaptureSystemApi {
 public:
  explicit ScopedCaptureSystemApi(const CaptureSystemApi& replacement);
  ~ScopedCaptureSystemApi();

  ScopedCaptureSystemApi(const ScopedCaptureSystemApi&) = delete;
  ScopedCaptureSystemApi& operator=(const ScopedCaptureSystemApi&) = delete;

 private:
  CaptureSystemApi previous_;
};

#endif  // KOVI_CAPTURE_CAPTURE_SYSTEM_API_H_
