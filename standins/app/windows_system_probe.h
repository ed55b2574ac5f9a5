// The SystemProbe of the running meter: SystemParametersInfoW and
// GetProcessTimes. Windows only; any thread.
#ifndef KOVI_STANDINS_APP_WINDOWS_SYSTEM_PROBE_H_
#define KOVI_STANDINS_APP_WINDOWS_SYSTEM_PROBE_H_

#include "standins/app/system_probe.h"

class WindowsSystemProbe : public SystemProbe {
 public:
  std::optional<std::array<int, 3>> MouseParameters() override;
  bool SetMouseParameters(const std::array<int, 3>& parameters) override;
  double ProcessCpuSeconds() override;
};

#endif  // KOVI_STANDINS_APP_WINDOWS_SYSTEM_PROBE_H_
