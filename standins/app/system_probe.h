// What the meter reads from (and sets on) the system around a capture: the
// mouse parameters (two thresholds and the acceleration) and the process's CPU
// time. An interface so the meter's logic runs in tests without Windows.
#ifndef KOVI_STANDINS_APP_SYSTEM_PROBE_H_
#define KOVI_STANDINS_APP_SYSTEM_PROBE_H_

#include <array>
#include <optional>

class SystemProbe {
 public:
  virtual ~SystemProbe() = default;
  virtual std::optional<std::array<int, 3>> MouseParameters() = 0;
  virtual bool SetMouseParameters(const std::array<int, 3>& parameters) = 0;
  // User plus kernel time of the process so far, in seconds.
  virtual double ProcessCpuSeconds() = 0;
};

#endif  // KOVI_STANDINS_APP_SYSTEM_PROBE_H_
