// The loop whose instructions scripts/bench.sh counts under callgrind: it is
// the only function collected (--toggle-collect), so the count covers the
// operation alone, destroying what it made included, and none of the set-up.
#ifndef KOVI_BENCH_MEASURED_CALLS_H_
#define KOVI_BENCH_MEASURED_CALLS_H_

#include <functional>

namespace kovi_bench {

// Calls `operation` `calls` times. Out of line, in a file of its own, so that
// it stays one function the collector can name.
void MeasuredCalls(const std::function<void()>& operation, int calls);

}  // namespace kovi_bench

#endif  // KOVI_BENCH_MEASURED_CALLS_H_
