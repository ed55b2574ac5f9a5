// One method call on a method channel: a method name (UTF-8) and an owned,
// possibly absent, arguments value. Owned by whoever decoded or built it.
#ifndef KOVI_ENCODING_METHOD_CALL_H_
#define KOVI_ENCODING_METHOD_CALL_H_

#include <memory>
#include <string>

#include "encoding/encodable_value.h"

namespace flutter {

class MethodCall {
 public:
  MethodCall(const std::string& method_name, std::unique_ptr<EncodableValue> arguments);
  // Takes over the name instead of copying it (the decoder's case).
  MethodCall(std::string&& method_name, std::unique_ptr<EncodableValue> arguments);
  virtual ~MethodCall();

  MethodCall(const MethodCall&) = delete;
  MethodCall& operator=(const MethodCall&) = delete;

  const std::string& method_name() const { return method_name_; }
  // Null when the call has no arguments. A decoded call always has a value,
  // possibly null.
  const EncodableValue* arguments() const { return arguments_.get(); }

 private:
  std::string method_name_;
  std::unique_ptr<EncodableValue> arguments_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_METHOD_CALL_H_
