// The rules of the standard message format that its writer
// (standard_codec_writer.cc) and its reader (standard_codec_reader.cc) share:
// the tag that opens each kind of value and the markers of the longer size
// forms. Private to the encoding layer.
//
// Multi-byte numbers travel little-endian and are copied as they lie in
// memory: the hosts (64-bit Windows, and Linux x86-64 for the tests) are
// little-endian.
#ifndef KOVI_ENCODING_STANDARD_CODEC_FORMAT_H_
#define KOVI_ENCODING_STANDARD_CODEC_FORMAT_H_

#include <cstdint>

namespace flutter {

// The byte that opens each value and says its kind.
enum StandardTag : uint8_t {
  kNullTag = 0,
  kTrueTag = 1,
  kFalseTag = 2,
  kInt32Tag = 3,
  kInt64Tag = 4,
  kLargeIntTag = 5,  // read as a string, never written
  kDoubleTag = 6,
  kStringTag = 7,
  kByteListTag = 8,
  kInt32ListTag = 9,
  kInt64ListTag = 10,
  kDoubleListTag = 11,
  kListTag = 12,
  kMapTag = 13,
  kFloatListTag = 14,
};

// A size below 254 is one byte; these markers announce 16 and 32 bits.
constexpr uint8_t kSize16Marker = 254;
constexpr uint8_t kSize32Marker = 255;

}  // namespace flutter

#endif  // KOVI_ENCODING_STANDARD_CODEC_FORMAT_H_
