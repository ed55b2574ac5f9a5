// libFuzzer target: a method call decoded by the standard method codec from
// arbitrary bytes, as every incoming message of the method and event channels
// is. Decoding must never crash, hang or leak; a decoded call must come back
// byte for byte from a second encode and decode, and its arguments must survive
// the road of a reply (success envelope out, response envelope back in).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "encoding/standard_method_codec.h"
#include "fuzz/round_trip_check.h"
#include "fuzz/silenced_error_stream.h"
#include "tests/support/recording_method_result.h"

namespace {

void CheckCallRoundTrip(const flutter::StandardMethodCodec& codec,
                        const flutter::MethodCall& call) {
  const std::unique_ptr<std::vector<uint8_t>> first = codec.EncodeMethodCall(call);
  const std::unique_ptr<flutter::MethodCall> again =
      codec.DecodeMethodCall(first->data(), first->size());
  if (!again) {
    kovi_fuzz::Fail("an encoded method call no longer decodes");
  }
  kovi_fuzz::RequireSameEncoding(*first, *codec.EncodeMethodCall(*again), "method call");
}

void CheckReplyRoundTrip(const flutter::StandardMethodCodec& codec,
                         const flutter::EncodableValue* arguments) {
  const std::unique_ptr<std::vector<uint8_t>> envelope = codec.EncodeSuccessEnvelope(arguments);
  kovi_test::RecordingMethodResult response;
  if (!codec.DecodeAndProcessResponseEnvelope(envelope->data(), envelope->size(), &response) ||
      response.answers().size() != 1 ||
      response.answers()[0].kind != kovi_test::RecordedAnswer::Kind::kSuccess) {
    kovi_fuzz::Fail("a success envelope is not read back as one success");
  }
  kovi_fuzz::RequireSameEncoding(
      *envelope, *codec.EncodeSuccessEnvelope(response.answers()[0].value_pointer()),
      "success envelope");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static kovi_fuzz::SilencedErrorStream silenced;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const flutter::StandardMethodCodec& codec = flutter::StandardMethodCodec::GetInstance();
  const std::unique_ptr<flutter::MethodCall> call = codec.DecodeMethodCall(data, size);
  if (!call) {
    return 0;
  }
  CheckCallRoundTrip(codec, *call);
  CheckReplyRoundTrip(codec, call->arguments());
  return 0;
}
