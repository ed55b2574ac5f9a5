#include "standins/app/printable_text.h"

#include <cstddef>
#include <cstdint>

#include "standins/app/hex.h"

namespace {

uint8_t ByteAt(const std::string& text, size_t index) {
  return static_cast<uint8_t>(text[index]);
}

// The length of the well-formed UTF-8 sequence that starts at `index`, or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t SequenceLength(const std::string& text, size_t index) {
  const uint8_t lead = ByteAt(text, index);
  size_t length = 0;
  uint8_t second_low = 0x80;
  uint8_t second_high = 0xBF;
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    second_low = lead == 0xE0 ? 0xA0 : 0x80;
    second_high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    second_low = lead == 0xF0 ? 0x90 : 0x80;
    second_high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (index + length > text.size()) {
    return 0;
  }
  for (size_t k = 1; k < length; ++k) {
    const uint8_t byte = ByteAt(text, index + k);
    const uint8_t low = k == 1 ? second_low : 0x80;
    const uint8_t high = k == 1 ? second_high : 0xBF;
    if (byte < low || byte > high) {
      return 0;
    }
  }
  return length;
}

// A C0 control or DEL (one byte), or a C1 control (U+0080 to U+009F).
bool IsControl(const std::string& text, size_t index, size_t length) {
  const uint8_t lead = ByteAt(text, index);
  if (length == 1) {
    return lead < 0x20 || lead == 0x7F;
  }
  return length == 2 && lead == 0xC2 && ByteAt(text, index + 1) < 0xA0;
}

}  // namespace

std::string PrintableText(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  size_t index = 0;
  while (index < bytes.size()) {
    size_t length = SequenceLength(bytes, index);
    if (length == 1 && bytes[index] == '\\') {
      text += "\\\\";
    } else if (length == 0 || IsControl(bytes, index, length)) {
      length = length == 0 ? 1 : length;
      for (size_t k = 0; k < length; ++k) {
        text += "\\x" + ToHex(bytes.substr(index + k, 1));
      }
    } else {
      text.append(bytes, index, length);
    }
    index += length;
  }
  return text;
}
