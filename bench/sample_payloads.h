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

// 1 MiB of 32-bit integers and of doubles, from a fixed-seed generator.
std::vector<int32_t> Int32Block();
std::vector<double> Float64Block();

}  // namespace kovi_bench

#endif  // KOVI_BENCH_SAMPLE_PAYLOADS_H_
