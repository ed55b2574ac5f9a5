// Helpers shared by the encoding tests and the fuzzers: byte literals, an exact
// text form of values (for comparisons with readable failures), a serializer
// that takes the derived serializers' path, and a seeded generator of random
// values.
#ifndef KOVI_TESTS_SUPPORT_CODEC_TEST_SUPPORT_H_
#define KOVI_TESTS_SUPPORT_CODEC_TEST_SUPPORT_H_

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "encoding/encodable_value.h"
#include "encoding/standard_codec_serializer.h"

namespace kovi_test {

// The value model and byte strings by short names, for the code in kovi_test.
using flutter::EncodableList;
using flutter::EncodableMap;
using flutter::EncodableValue;
using Bytes = std::vector<uint8_t>;

// "07 03 61 62 63" -> {0x07, 0x03, 0x61, 0x62, 0x63}.
Bytes Hex(const std::string& text);
std::string HexOf(const Bytes& bytes);

// `value` written alone with the standard serializer after `prefix` bytes of
// 0xAA, as a message.
Bytes EncodeValue(const EncodableValue& value, size_t prefix = 0);

// An exact, deterministic text of a value: alternative and content, doubles in
// hexadecimal floating point, strings byte by byte. Equal texts mean equal values.
std::string ValueText(const EncodableValue& value);

// `innermost` wrapped in `depth` one-element lists.
EncodableValue WrappedInLists(int depth, const EncodableValue& innermost);

// A held type whose copy fails, to drive a value into the valueless state.
struct CopyFails {
  CopyFails() = default;
  CopyFails(CopyFails&&) = default;
  CopyFails(const CopyFails&) { throw std::runtime_error("copy"); }
};

// Overrides nothing: reads and writes as the standard serializer does, but
// through the path every derived serializer takes (the virtual operations).
class DerivedSerializer : public flutter::StandardCodecSerializer {};

// Random values over every alternative but the custom one, with a fixed seed.
class ValueGenerator {
 public:
  explicit ValueGenerator(uint32_t seed) : random_(seed) {}

  // A value nested at most `depth` lists and maps deep.
  EncodableValue Next(int depth);
  // A string whose length is drawn from around the size-form boundaries.
  std::string NextString();

 private:
  size_t NextCount();
  template <typename T>
  std::vector<T> NextNumbers();
  double NextDouble();
  uint64_t Bits() { return random_(); }

  std::mt19937_64 random_;
};

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_CODEC_TEST_SUPPORT_H_
