#include "encoding/method_result.h"

namespace flutter {

MethodResult::~MethodResult() = default;

void MethodResult::Success() {
  SuccessInternal(nullptr);
}

void MethodResult::Success(const EncodableValue& result) {
  SuccessInternal(&result);
}

void MethodResult::Error(const std::string& error_code, const std::string& error_message,
                         const EncodableValue* error_details) {
  ErrorInternal(error_code, error_message, error_details);
}

void MethodResult::Error(const std::string& error_code, const std::string& error_message,
                         const EncodableValue& error_details) {
  ErrorInternal(error_code, error_message, &error_details);
}

void MethodResult::NotImplemented() {
  NotImplementedInternal();
}

}  // namespace flutter
