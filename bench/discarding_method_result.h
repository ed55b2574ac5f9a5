// A method result that lets every answer go: the response-decoding benchmarks
// measure decoding, and the decoded value dies with the decoder's call.
#ifndef KOVI_BENCH_DISCARDING_METHOD_RESULT_H_
#define KOVI_BENCH_DISCARDING_METHOD_RESULT_H_

#include <string>

#include "encoding/encodable_value.h"
#include "encoding/method_result.h"

namespace kovi_bench {

class DiscardingMethodResult : public flutter::MethodResult {
 protected:
  void SuccessInternal(const flutter::EncodableValue* result) override;
  void ErrorInternal(const std::string& error_code, const std::string& error_message,
                     const flutter::EncodableValue* error_details) override;
  void NotImplementedInternal() override;
};

}  // namespace kovi_bench

#endif  // KOVI_BENCH_DISCARDING_METHOD_RESULT_H_
