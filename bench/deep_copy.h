// The floor of the decode benchmarks: what a decoder into this value model
// must at least do is build what it returns, a method call with its name and
// its boxed tree of values. DeepCopy builds the same from a call already in
// memory. The caller owns the copy.
#ifndef KOVI_BENCH_DEEP_COPY_H_
#define KOVI_BENCH_DEEP_COPY_H_

#include <memory>

#include "encoding/method_call.h"

namespace kovi_bench {

std::unique_ptr<flutter::MethodCall> DeepCopy(const flutter::MethodCall& call);

}  // namespace kovi_bench

#endif  // KOVI_BENCH_DEEP_COPY_H_
