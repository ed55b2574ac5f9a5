// Turns method calls and their answers (success and error envelopes) into bytes
// and back. Implementations are immutable and shared by every channel that uses
// them.
#ifndef KOVI_ENCODING_METHOD_CODEC_H_
#define KOVI_ENCODING_METHOD_CODEC_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "encoding/encodable_value.h"
#include "encoding/method_call.h"
#include "encoding/method_result.h"

namespace flutter {

class MethodCodec {
 public:
  MethodCodec() = default;
  virtual ~MethodCodec();

  MethodCodec(const MethodCodec&) = delete;
  MethodCodec& operator=(const MethodCodec&) = delete;

  // Null when the bytes are not a valid call.
  virtual std::unique_ptr<MethodCall> DecodeMethodCall(const uint8_t* message,
                                                       size_t message_size) const = 0;
  virtual std::unique_ptr<std::vector<uint8_t>> EncodeMethodCall(const MethodCall& call) const = 0;
  // `result` may be null: a success without a value.
  virtual std::unique_ptr<std::vector<uint8_t>> EncodeSuccessEnvelope(
      const EncodableValue* result) const = 0;
  // `error_details` may be null.
  virtual std::unique_ptr<std::vector<uint8_t>> EncodeErrorEnvelope(
      const std::string& error_code, const std::string& error_message,
      const EncodableValue* error_details) const = 0;
  // Decodes the reply to a call and passes it to `result`; false when the
  // envelope is not recognised, and then `result` is not called.
  virtual bool DecodeAndProcessResponseEnvelope(const uint8_t* response, size_t response_size,
                                                MethodResult* result) const = 0;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_METHOD_CODEC_H_
