// The polling-rate meter's arithmetic: the per-10-ms-tick packet counts that
// arrive in batches, folded into per-window figures (the live line, once a
// second) and overall figures (the summary). Plain data; one thread.
//
// The report rate is packets per second of ticks. The missed-report estimate
// compares the count with the nearest standard polling rate (125 Hz to 8 kHz,
// on a log scale) over the same ticks; below 60 Hz nothing is estimated.
#ifndef KOVI_STANDINS_APP_TICK_STATISTICS_H_
#define KOVI_STANDINS_APP_TICK_STATISTICS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

struct TickFigures {
  uint64_t packets = 0;
  size_t ticks = 0;
  int32_t min_per_tick = 0;
  int32_t max_per_tick = 0;
  double mean_per_tick = 0;
  double rate_hz = 0;
  uint32_t nominal_rate_hz = 0;  // 0: too slow to tell
  uint64_t estimated_missed = 0;
};

// Figures of a run of ticks (10 ms each).
TickFigures FiguresOf(const int32_t* counts, size_t size);

// The standard polling rate nearest to a measured one, or 0 below 60 Hz.
uint32_t NominalRate(double rate_hz);

class TickStatistics {
 public:
  void AddBatch(const std::vector<int32_t>& counts);
  // The ticks since the previous call; the window's rate is also kept for the chart.
  TickFigures TakeWindow();
  // From the first to the last tick that counted a packet.
  TickFigures Overall() const;

  const std::vector<size_t>& batch_lengths() const { return batch_lengths_; }
  const std::vector<double>& window_rates() const { return window_rates_; }
  uint64_t total_packets() const { return total_packets_; }
  size_t total_ticks() const { return ticks_.size(); }

 private:
  std::vector<int32_t> ticks_;
  std::vector<size_t> batch_lengths_;
  std::vector<double> window_rates_;
  size_t window_start_ = 0;
  uint64_t total_packets_ = 0;
};

#endif  // KOVI_STANDINS_APP_TICK_STATISTICS_H_
