// libFuzzer target: one value read with the standard serializer from arbitrary
// bytes. Reading must never crash, hang or leak, and what it yields must come
// back byte for byte from a second encode and decode.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/round_trip_check.h"
#include "fuzz/silenced_error_stream.h"
#include "tests/support/codec_test_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static kovi_fuzz::SilencedErrorStream silenced;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> first = kovi_test::EncodeValue(kovi_fuzz::DecodeValue(data, size));
  const std::vector<uint8_t> second =
      kovi_test::EncodeValue(kovi_fuzz::DecodeValue(first.data(), first.size()));
  kovi_fuzz::RequireSameEncoding(first, second, "value");
  return 0;
}
