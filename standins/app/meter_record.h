// What one run of the meter observed, besides the tick counts: the arguments
// it received, the host's answers, the mouse parameters around the capture,
// the hostile script's outcome and how the run ended. Filled by MeterApp,
// turned into the summary by meter_summary.h.
#ifndef KOVI_STANDINS_APP_METER_RECORD_H_
#define KOVI_STANDINS_APP_METER_RECORD_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HostileOutcome {
  std::string label;
  std::string reply_hex;
  bool as_expected = false;
};

struct MeterRecord {
  using MouseParameters = std::optional<std::array<int, 3>>;

  std::vector<std::string> arguments;
  std::vector<std::string> problems;
  bool supported = false;
  std::string window_bounds;  // "x y width height", empty when unknown
  MouseParameters mouse_before;
  MouseParameters mouse_during;
  MouseParameters mouse_after_stop;
  MouseParameters mouse_at_shutdown;
  std::vector<HostileOutcome> hostile;
  std::vector<std::string> expected_error_lines;
  // Batches and packets delivered after the host's window began to close.
  size_t batches_while_closing = 0;
  uint64_t packets_while_closing = 0;
  double capture_seconds = 0;
  double capture_cpu_seconds = 0;
  bool stopped_by_meter = false;
};

#endif  // KOVI_STANDINS_APP_METER_RECORD_H_
