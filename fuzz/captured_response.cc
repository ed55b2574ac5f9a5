#include "fuzz/captured_response.h"

namespace kovi_fuzz {

void CapturedResponse::SuccessInternal(const flutter::EncodableValue* result) {
  succeeded_ = true;
  if (result != nullptr) {
    value_ = std::make_unique<flutter::EncodableValue>(*result);
  }
}

void CapturedResponse::ErrorInternal(const std::string&, const std::string&,
                                     const flutter::EncodableValue*) {}

void CapturedResponse::NotImplementedInternal() {}

}  // namespace kovi_fuzz
