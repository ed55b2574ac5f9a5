#include "bench/discarding_method_result.h"

#include <benchmark/benchmark.h>

namespace kovi_bench {

void DiscardingMethodResult::SuccessInternal(const flutter::EncodableValue* result) {
  benchmark::DoNotOptimize(result);
}

void DiscardingMethodResult::ErrorInternal(const std::string&, const std::string&,
                                           const flutter::EncodableValue* error_details) {
  benchmark::DoNotOptimize(error_details);
}

void DiscardingMethodResult::NotImplementedInternal() {}

}  // namespace kovi_bench
