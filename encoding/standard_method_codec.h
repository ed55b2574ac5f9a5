// The method codec of the standard message format. A call is the method name
// (a string value) followed by the arguments value (null when absent); a
// success envelope is the byte 0 and the result value; an error envelope is the
// byte 1, the code, the message (null when empty) and the details (null when
// absent). Instances come only from GetInstance, live until the process ends
// and have no mutable state.
#ifndef KOVI_ENCODING_STANDARD_METHOD_CODEC_H_
#define KOVI_ENCODING_STANDARD_METHOD_CODEC_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "encoding/encodable_value.h"
#include "encoding/method_call.h"
#include "encoding/method_codec.h"
#include "encoding/method_result.h"
#include "encoding/standard_codec_serializer.h"

namespace flutter {

class StandardMethodCodec : public MethodCodec {
 public:
  // The one codec for `serializer` (the shared standard serializer when null),
  // created on first request. Call from one thread (the UI thread, while the
  // channels are set up): the registry is not locked.
  static const StandardMethodCodec& GetInstance(
      const StandardCodecSerializer* serializer = nullptr);

  ~StandardMethodCodec() override;

  std::unique_ptr<MethodCall> DecodeMethodCall(const uint8_t* message,
                                               size_t message_size) const override;
  std::unique_ptr<std::vector<uint8_t>> EncodeMethodCall(const MethodCall& call) const override;
  std::unique_ptr<std::vector<uint8_t>> EncodeSuccessEnvelope(
      const EncodableValue* result) const override;
  std::unique_ptr<std::vector<uint8_t>> EncodeErrorEnvelope(
      const std::string& error_code, const std::string& error_message,
      const EncodableValue* error_details) const override;
  // A malformed error envelope (code not a string, message neither null nor a
  // string) is not recognised: false, and `result` is not called.
  bool DecodeAndProcessResponseEnvelope(const uint8_t* response, size_t response_size,
                                        MethodResult* result) const override;

 private:
  explicit StandardMethodCodec(const StandardCodecSerializer* serializer);

  const StandardCodecSerializer* serializer_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_STANDARD_METHOD_CODEC_H_
