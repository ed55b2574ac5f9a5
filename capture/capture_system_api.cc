#include "capture/capture_system_api.h"

#include <chrono>

namespace {

uint64_t SteadyClockMilliseconds() {
  const auto since_epoch = std::chrono::steady_clock::now().time_since_epoch();
  const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch);
  return static_cast<uint64_t>(nanoseconds.count()) / 1000000u;
}

}  // namespace

const CaptureSystemApi& Win32CaptureSystemApi() {
  static const CaptureSystemApi api = {
      &::GetRawInputData,
      &::RegisterRawInputDevices,
      &::GetRawInputDeviceInfoW,
      &::SetTimer,
      &::KillTimer,
      &::SystemParametersInfoW,
      &::timeBeginPeriod,
      &::timeEndPeriod,
      &::OutputDebugStringW,
      &SteadyClockMilliseconds,
  };
  return api;
}

namespace capture_system_internal {
CaptureSystemApi current = Win32CaptureSystemApi();
}  // namespace capture_system_internal

ScopedCaptureSystemApi::ScopedCaptureSystemApi(const CaptureSystemApi& replacement)
    : previous_(capture_system_internal::current) {
  capture_system_internal::current = replacement;
}

ScopedCaptureSystemApi::~ScopedCaptureSystemApi() {
  capture_system_internal::current = previous_;
}
