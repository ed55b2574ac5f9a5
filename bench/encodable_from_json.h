// Builds the EncodableValue that carries the same data as a JSON value, so the
// benchmarks feed one logical payload to every codec. Integers that fit in 32
// bits become 32-bit integers, others 64-bit; arrays become lists and objects
// maps with string keys.
#ifndef KOVI_BENCH_ENCODABLE_FROM_JSON_H_
#define KOVI_BENCH_ENCODABLE_FROM_JSON_H_

#include <nlohmann/json.hpp>

#include "encoding/encodable_value.h"

namespace kovi_bench {

flutter::EncodableValue EncodableFromJson(const nlohmann::json& json);

}  // namespace kovi_bench

#endif  // KOVI_BENCH_ENCODABLE_FROM_JSON_H_
