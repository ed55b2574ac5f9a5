// A method result that keeps what a response envelope delivered to it, for the
// fuzz targets to re-encode. Lives on the fuzzing thread for one input.
#ifndef KOVI_FUZZ_CAPTURED_RESPONSE_H_
#define KOVI_FUZZ_CAPTURED_RESPONSE_H_

#include <memory>
#include <string>

#include "encoding/encodable_value.h"
#include "encoding/method_result.h"

namespace kovi_fuzz {

class CapturedResponse : public flutter::MethodResult {
 public:
  // True once a success arrived.
  bool succeeded() const { return succeeded_; }
  // The success value, or null when the success carried none.
  const flutter::EncodableValue* value() const { return value_.get(); }

 protected:
  void SuccessInternal(const flutter::EncodableValue* result) override;
  void ErrorInternal(const std::string& error_code, const std::string& error_message,
                     const flutter::EncodableValue* error_details) override;
  void NotImplementedInternal() override;

 private:
  bool succeeded_ = false;
  std::unique_ptr<flutter::EncodableValue> value_;
};

}  // namespace kovi_fuzz

#endif  // KOVI_FUZZ_CAPTURED_RESPONSE_H_
