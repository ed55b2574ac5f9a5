// The logical payloads the encoding benchmarks measure, written once as JSON
// values so that every codec under comparison works on the same data.
#ifndef KOVI_BENCH_SAMPLE_PAYLOADS_H_
#define KOVI_BENCH_SAMPLE_PAYLOADS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace kovi_bench {

// Bytes in each of the large typed lists.
constexpr size_t kBlockBytes = 1 << 20;

// One batch of the raw mouse event stream: five per-tick packet counts.
nlohmann::json EventBatch();

// The answer to "isSupported".
nlohmann::json SupportedAnswer();

// A method call of about 1 KB: its name, and arguments that nest maps of
// strings, integers, doubles and lists.
extern const char* const kConfigureMethod;
nlohmann::json ConfigureArguments();

// Three more method calls of about 1 KB, each one shape of content: a flat map
// of 40 short string keys to small integers; a list of 20 small maps; and a
// deep, narrow chain of maps holding strings and doubles.
extern const char* const kButtonMapMethod;
nlohmann::json FlatMapArguments();
extern const char* const kMovesMethod;
nlohmann::json ListOfMapsArguments();
extern const char* const kFilterChainMethod;
nlohmann::json DeepNarrowArguments();

// The method calls above, under the payload names the benchmarks report them by.
struct MethodCallPayload {
  const char* payload;
  const char* method;
  nlohmann::json (*arguments)();
};
const std::vector<MethodCallPayload>& MethodCallPayloads();

// 1 MiB of 32-bit integers and of doubles, from a fixed-seed generator.
std::vector<int32_t> Int32Block();
std::vector<double> Float64Block();

}  // namespace kovi_bench

#endif  // KOVI_BENCH_SAMPLE_PAYLOADS_H_
