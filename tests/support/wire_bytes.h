// Expected wire bytes for channel tests, written out by hand: strings shorter
// than 254 bytes, method calls and the two reply envelopes.
#ifndef KOVI_TESTS_SUPPORT_WIRE_BYTES_H_
#define KOVI_TESTS_SUPPORT_WIRE_BYTES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace kovi_test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes left, const Bytes& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

inline const Bytes kNull = {0x00};

// Tag 7, a one-byte size, the characters.
inline Bytes StringValue(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.insert(bytes.begin(), {0x07, static_cast<uint8_t>(text.size())});
  return bytes;
}

inline Bytes MethodCallBytes(const std::string& name, const Bytes& arguments = kNull) {
  return StringValue(name) + arguments;
}

inline Bytes SuccessEnvelope(const Bytes& value = kNull) {
  return Bytes{0x00} + value;
}

inline Bytes ErrorEnvelope(const std::string& code, const std::string& message,
                           const Bytes& details = kNull) {
  return Bytes{0x01} + StringValue(code) + (message.empty() ? kNull : StringValue(message)) +
         details;
}

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_WIRE_BYTES_H_
