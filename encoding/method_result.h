// The object through which a method-call handler answers exactly once: success
// with or without a value, an error, or not-implemented. Each public operation
// forwards to its Internal virtual; implementations (the engine method result of
// the channels layer, test doubles) decide what answering means. Used on the
// thread that handles the call.
#ifndef KOVI_ENCODING_METHOD_RESULT_H_
#define KOVI_ENCODING_METHOD_RESULT_H_

#include <string>

#include "encoding/encodable_value.h"

namespace flutter {

class MethodResult {
 public:
  MethodResult() = default;
  virtual ~MethodResult();

  MethodResult(const MethodResult&) = delete;
  MethodResult& operator=(const MethodResult&) = delete;

  void Success();
  void Success(const EncodableValue& result);
  void Error(const std::string& error_code, const std::string& error_message = "",
             const EncodableValue* error_details = nullptr);
  void Error(const std::string& error_code, const std::string& error_message,
             const EncodableValue& error_details);
  void NotImplemented();

 protected:
  // `result` is null for a success without a value.
  virtual void SuccessInternal(const EncodableValue* result) = 0;
  // `error_details` is null when there are none.
  virtual void ErrorInternal(const std::string& error_code, const std::string& error_message,
                             const EncodableValue* error_details) = 0;
  virtual void NotImplementedInternal() = 0;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_METHOD_RESULT_H_
