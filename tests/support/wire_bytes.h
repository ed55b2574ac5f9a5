// Expected wire bytes of the standard method codec, written out by hand rather
// than through the codec, so that a test compares the bytes a layer makes with
// an independent spelling of them: values of short sizes and counts (below
// 254), method calls, the two reply envelopes, and the capture's answer to
// isSupported and its batch events.
#ifndef KOVI_TESTS_SUPPORT_WIRE_BYTES_H_
#define KOVI_TESTS_SUPPORT_WIRE_BYTES_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kovi_test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes left, const Bytes& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

inline const Bytes kNull = {0x00};
inline const Bytes kTrue = {0x01};
inline const Bytes kFalse = {0x02};

// Tag 3, the number in four bytes, least significant first.
inline Bytes Int32Value(int32_t number) {
  Bytes bytes = {0x03};
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(number) >> shift));
  }
  return bytes;
}

// Tag 7, a one-byte size, the characters.
inline Bytes StringValue(const std::string& text) {
  return Bytes{0x07, static_cast<uint8_t>(text.size())} + Bytes(text.begin(), text.end());
}

// Tag 12, a one-byte count, the elements.
inline Bytes ListValue(const std::vector<Bytes>& elements) {
  Bytes bytes = {0x0C, static_cast<uint8_t>(elements.size())};
  for (const Bytes& element : elements) {
    bytes = std::move(bytes) + element;
  }
  return bytes;
}

inline Bytes MethodCallBytes(const std::string& name, const Bytes& arguments = kNull) {
  return StringValue(name) + arguments;
}

inline Bytes SuccessEnvelope(const Bytes& value = kNull) {
  return Bytes{0x00} + value;
}

// An empty message travels as a null.
inline Bytes ErrorEnvelope(const std::string& code, const std::string& message,
                           const Bytes& details = kNull) {
  return Bytes{0x01} + StringValue(code) + (message.empty() ? kNull : StringValue(message)) +
         details;
}

// The capture's answer to isSupported: a success envelope of a map (tag 13) of
// one entry, "supported" to true. Spelled out: an initializer that read kTrue
// could run before kTrue's own (clang for MinGW does not keep the order of
// inline variables), and the answer then lacked its last byte.
inline const Bytes kSupportedAnswer = {0x00, 0x0D, 0x01, 0x07, 0x09, 's', 'u', 'p',
                                       'p',  'o',  'r',  't',  'e',  'd', 0x01};

// A batch of per-tick packet counts as the capture sends it on its event
// channel: a success envelope of a general list of 32-bit integers.
inline Bytes BatchEnvelope(const std::vector<int32_t>& counts) {
  std::vector<Bytes> elements;
  for (int32_t count : counts) {
    elements.push_back(Int32Value(count));
  }
  return SuccessEnvelope(ListValue(elements));
}

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_WIRE_BYTES_H_
