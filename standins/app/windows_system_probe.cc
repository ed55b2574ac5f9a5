#include "standins/app/windows_system_probe.h"

#include <windows.h>

std::optional<std::array<int, 3>> WindowsSystemProbe::MouseParameters() {
  std::array<int, 3> parameters{};
  if (!SystemParametersInfoW(SPI_GETMOUSE, 0, parameters.data(), 0)) {
    return std::nullopt;
  }
  return parameters;
}

bool WindowsSystemProbe::SetMouseParameters(const std::array<int, 3>& parameters) {
  std::array<int, 3> copy = parameters;
  return SystemParametersInfoW(SPI_SETMOUSE, 0, copy.data(), SPIF_SENDCHANGE) != 0;
}

double WindowsSystemProbe::ProcessCpuSeconds() {
  FILETIME creation{}, exit{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) {
    return 0;
  }
  auto ticks = [](const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  // FILETIME counts 100-nanosecond intervals.
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}
