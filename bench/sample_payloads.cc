#include "bench/sample_payloads.h"

#include <limits>
#include <random>
#include <string>
#include <utility>

namespace kovi_bench {

namespace {

// A run of sampled ticks, as a settings dialog might send back for replay.
nlohmann::json RecentTicks() {
  nlohmann::json ticks = nlohmann::json::array();
  for (int tick = 0; tick < 12; ++tick) {
    ticks.push_back({{"t", tick * 0.01}, {"count", 9 + tick % 3}});
  }
  return ticks;
}

// Levels in the deep, narrow payload.
constexpr int kChainDepth = 18;

}  // namespace

const char* const kConfigureMethod = "configureCapture";

nlohmann::json EventBatch() {
  return {10, 9, 11, 10, 10};
}

nlohmann::json SupportedAnswer() {
  return {{"supported", true}};
}

nlohmann::json ConfigureArguments() {
  return {
      {"device",
       {{"name", "Wireless Gaming Mouse"},
        {"vendor_id", 0x046D},
        {"product_id", 0xC094},
        {"path", "\\\\?\\HID#VID_046D&PID_C094&MI_00#8&2b3c4d5e&0&0000#{378de44c-56ef-11d1}"},
        {"serial", 5404319552844595200LL}}},
      {"settings",
       {{"polling_rate_hz", 1000},
        {"dpi_steps", {400, 800, 1600, 3200, 6400}},
        {"sensitivity", 1.25},
        {"lift_off_mm", 1.0},
        {"acceleration", false},
        {"smoothing", nullptr}}},
      {"window", {{"ticks_per_batch", 5}, {"tick_ms", 10.0}, {"history_seconds", 30}}},
      {"recent_ticks", RecentTicks()},
      {"labels", {"gaming", "wireless", "left-handed", "profile 2", "calibrated"}},
      {"session",
       {{"id", "6f1c2a90-3e55-4b7f-9d0e-71a2c4b8e113"}, {"started_ms", 1717171717171LL}}},
  };
}

const char* const kButtonMapMethod = "setButtonMap";

nlohmann::json FlatMapArguments() {
  static const char* const kControls[] = {"button",  "wheel", "dpi",  "report", "led",
                                          "profile", "macro", "lift", "angle",  "debounce"};
  static const char* const kFacets[] = {"_action", "_repeat", "_min_level", "_hold_ms"};
  nlohmann::json map = nlohmann::json::object();
  int value = 0;
  for (const char* control : kControls) {
    for (const char* facet : kFacets) {
      map[std::string(control) + facet] = value++ % 7;
    }
  }
  return map;
}

const char* const kMovesMethod = "replayMoves";

nlohmann::json ListOfMapsArguments() {
  nlohmann::json moves = nlohmann::json::array();
  for (int move = 0; move < 20; ++move) {
    moves.push_back({{"dx", move % 5 - 2},
                     {"dy", 3 - move % 4},
                     {"t", move * 0.125},
                     {"kind", move % 3 == 0 ? "press" : "move"}});
  }
  return moves;
}

const char* const kFilterChainMethod = "setFilterChain";

nlohmann::json DeepNarrowArguments() {
  nlohmann::json chain = {{"name", "identity"}, {"gain", 1.0}};
  for (int level = kChainDepth - 1; level >= 0; --level) {
    chain = {{"name", "stage " + std::to_string(level)},
             {"gain", 1.0 + level * 0.0625},
             {"next", std::move(chain)}};
  }
  return chain;
}

const std::vector<MethodCallPayload>& MethodCallPayloads() {
  static const std::vector<MethodCallPayload> payloads = {
      {"c_method_call", kConfigureMethod, ConfigureArguments},
      {"c_flat_map", kButtonMapMethod, FlatMapArguments},
      {"c_list_of_maps", kMovesMethod, ListOfMapsArguments},
      {"c_deep_narrow", kFilterChainMethod, DeepNarrowArguments},
  };
  return payloads;
}

std::vector<int32_t> Int32Block() {
  std::mt19937 generator(20240601);
  std::uniform_int_distribution<int32_t> distribution(std::numeric_limits<int32_t>::min());
  std::vector<int32_t> block(kBlockBytes / sizeof(int32_t));
  for (int32_t& element : block) {
    element = distribution(generator);
  }
  return block;
}

std::vector<double> Float64Block() {
  std::mt19937 generator(20240602);
  std::uniform_real_distribution<double> distribution(-1e6, 1e6);
  std::vector<double> block(kBlockBytes / sizeof(double));
  for (double& element : block) {
    element = distribution(generator);
  }
  return block;
}

}  // namespace kovi_bench
