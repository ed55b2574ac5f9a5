#include "bench/measured_calls.h"

namespace kovi_bench {

void MeasuredCalls(const std::function<void()>& operation, int calls) {
  for (int i = 0; i < calls; ++i) {
    operation();
  }
}

}  // namespace kovi_bench
