#include "standins/app/tick_statistics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TickStatisticsTest, FiguresOfTicks) {
  const struct {
    const char* name;
    std::vector<int32_t> counts;
    uint64_t packets;
    int32_t min;
    int32_t max;
    double rate_hz;
    uint32_t nominal;
    uint64_t missed;
  } cases[] = {
      {"no ticks", {}, 0, 0, 0, 0, 0, 0},
      {"steady 1 kHz", std::vector<int32_t>(100, 10), 1000, 10, 10, 1000, 1000, 0},
      {"1 kHz with jitter", {9, 11, 10, 10, 9, 11}, 60, 9, 11, 1000, 1000, 0},
      {"1 kHz missing a tenth", std::vector<int32_t>(100, 9), 900, 9, 9, 900, 1000, 100},
      {"8 kHz", std::vector<int32_t>(50, 80), 4000, 80, 80, 8000, 8000, 0},
      {"125 Hz alternating", {1, 2, 1, 1, 2, 1, 1, 2}, 11, 1, 2, 137.5, 125, 0},
      {"idle", {0, 0, 0, 0, 0}, 0, 0, 0, 0, 0, 0},
      {"too slow to tell", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, 1, 1000.0 / 120, 0, 0},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TickFigures figures = FiguresOf(test.counts.data(), test.counts.size());
    EXPECT_EQ(figures.ticks, test.counts.size());
    EXPECT_EQ(figures.packets, test.packets);
    EXPECT_EQ(figures.min_per_tick, test.min);
    EXPECT_EQ(figures.max_per_tick, test.max);
    EXPECT_DOUBLE_EQ(figures.rate_hz, test.rate_hz);
    EXPECT_EQ(figures.nominal_rate_hz, test.nominal);
    EXPECT_EQ(figures.estimated_missed, test.missed);
  }
}

TEST(TickStatisticsTest, NominalRateIsTheNearestStandardRateOnALogScale) {
  const std::vector<std::pair<double, uint32_t>> cases = {
      {59.9, 0},    {60, 125},    {176, 125},   {177, 250},   {700, 500},   {710, 1000},
      {1414, 1000}, {1415, 2000}, {3000, 4000}, {5000, 4000}, {6000, 8000}, {20000, 8000},
  };
  for (const auto& [rate, nominal] : cases) {
    EXPECT_EQ(NominalRate(rate), nominal) << rate;
  }
}

TEST(TickStatisticsTest, WindowsCoverTheTicksSinceThePreviousWindow) {
  TickStatistics statistics;
  statistics.AddBatch({10, 10, 10, 10, 10});
  statistics.AddBatch({20, 20, 20, 20, 20});
  EXPECT_DOUBLE_EQ(statistics.TakeWindow().rate_hz, 1500);
  statistics.AddBatch({4, 4});
  TickFigures second = statistics.TakeWindow();
  EXPECT_EQ(second.ticks, 2u);
  EXPECT_EQ(second.packets, 8u);
  EXPECT_EQ(statistics.TakeWindow().ticks, 0u);
  EXPECT_EQ(statistics.window_rates(), (std::vector<double>{1500, 400, 0}));
  EXPECT_EQ(statistics.batch_lengths(), (std::vector<size_t>{5, 5, 2}));
  EXPECT_EQ(statistics.total_packets(), 158u);
  EXPECT_EQ(statistics.total_ticks(), 12u);
}

TEST(TickStatisticsTest, OverallSpansFromTheFirstToTheLastTickWithPackets) {
  TickStatistics statistics;
  statistics.AddBatch({0, 0, 0, 10, 9});
  statistics.AddBatch({0, 11, 10, 0, 0});
  TickFigures overall = statistics.Overall();
  EXPECT_EQ(overall.ticks, 5u);  // 10, 9, 0, 11, 10
  EXPECT_EQ(overall.packets, 40u);
  EXPECT_EQ(overall.min_per_tick, 0);
  EXPECT_EQ(TickStatistics().Overall().ticks, 0u);
}

}  // namespace
