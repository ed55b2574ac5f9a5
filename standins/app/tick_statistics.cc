#include "standins/app/tick_statistics.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTickSeconds = 0.01;
constexpr uint32_t kStandardRates[] = {125, 250, 500, 1000, 2000, 4000, 8000};
constexpr double kSlowestRate = 60;

}  // namespace

uint32_t NominalRate(double rate_hz) {
  if (rate_hz < kSlowestRate) {
    return 0;
  }
  uint32_t nearest = kStandardRates[0];
  for (uint32_t candidate : kStandardRates) {
    if (std::fabs(std::log(rate_hz / candidate)) < std::fabs(std::log(rate_hz / nearest))) {
      nearest = candidate;
    }
  }
  return nearest;
}

TickFigures FiguresOf(const int32_t* counts, size_t size) {
  TickFigures figures;
  if (size == 0) {
    return figures;
  }
  figures.ticks = size;
  figures.min_per_tick = *std::min_element(counts, counts + size);
  figures.max_per_tick = *std::max_element(counts, counts + size);
  for (size_t i = 0; i < size; ++i) {
    figures.packets += static_cast<uint64_t>(std::max(counts[i], 0));
  }
  figures.mean_per_tick = static_cast<double>(figures.packets) / static_cast<double>(size);
  figures.rate_hz = figures.mean_per_tick / kTickSeconds;
  figures.nominal_rate_hz = NominalRate(figures.rate_hz);
  auto expected = static_cast<uint64_t>(
      std::llround(figures.nominal_rate_hz * kTickSeconds * static_cast<double>(size)));
  figures.estimated_missed = expected > figures.packets ? expected - figures.packets : 0;
  return figures;
}

void TickStatistics::AddBatch(const std::vector<int32_t>& counts) {
  batch_lengths_.push_back(counts.size());
  for (int32_t count : counts) {
    ticks_.push_back(count);
    total_packets_ += static_cast<uint64_t>(std::max(count, 0));
  }
}

TickFigures TickStatistics::TakeWindow() {
  TickFigures figures = FiguresOf(ticks_.data() + window_start_, ticks_.size() - window_start_);
  window_start_ = ticks_.size();
  window_rates_.push_back(figures.rate_hz);
  return figures;
}

TickFigures TickStatistics::Overall() const {
  auto first = std::find_if(ticks_.begin(), ticks_.end(), [](int32_t count) { return count > 0; });
  if (first == ticks_.end()) {
    return FiguresOf(ticks_.data(), 0);
  }
  auto last = std::find_if(ticks_.rbegin(), ticks_.rend(), [](int32_t count) { return count > 0; });
  size_t begin = static_cast<size_t>(first - ticks_.begin());
  size_t end = ticks_.size() - static_cast<size_t>(last - ticks_.rbegin());
  return FiguresOf(ticks_.data() + begin, end - begin);
}
