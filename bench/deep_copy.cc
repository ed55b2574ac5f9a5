#include "bench/deep_copy.h"

#include <utility>

#include "encoding/encodable_value.h"

namespace kovi_bench {

std::unique_ptr<flutter::MethodCall> DeepCopy(const flutter::MethodCall& call) {
  std::unique_ptr<flutter::EncodableValue> arguments;
  if (call.arguments() != nullptr) {
    arguments = std::make_unique<flutter::EncodableValue>(*call.arguments());
  }
  return std::make_unique<flutter::MethodCall>(call.method_name(), std::move(arguments));
}

}  // namespace kovi_bench
