// Counts the heap allocations of the calling thread, for the benchmarks'
// allocations-per-operation counters.
//
// The benchmark binary replaces the global operator new and delete with
// versions that allocate with malloc, and is linked with --wrap for malloc,
// calloc and realloc (see bench/CMakeLists.txt), so the C++ allocations of
// every library and the C allocations that header-only code compiled into the
// binary makes (msgpack-cxx's zones and buffers) are counted in one place. A
// realloc counts as one allocation. Allocations made inside other shared
// libraries with malloc directly are not seen; the measured libraries make none.
#ifndef KOVI_BENCH_ALLOCATION_COUNTER_H_
#define KOVI_BENCH_ALLOCATION_COUNTER_H_

#include <cstdint>

namespace kovi_bench {

// Allocations made by this thread since it started.
uint64_t AllocationCount();

}  // namespace kovi_bench

#endif  // KOVI_BENCH_ALLOCATION_COUNTER_H_
