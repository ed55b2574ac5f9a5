#include "tests/support/codec_test_support.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "encoding/byte_buffer_stream_writer.h"

namespace kovi_test {

Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) {
    // One byte per pair: two pairs run together must not pass as one byte.
    if (pair.size() != 2) {
      throw std::invalid_argument("not one byte in hex: " + pair);
    }
    bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
  }
  return bytes;
}

std::string HexOf(const Bytes& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : bytes) {
    text += text.empty() ? "" : " ";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

Bytes EncodeValue(const EncodableValue& value, size_t prefix) {
  Bytes bytes(prefix, 0xAA);
  flutter::ByteBufferStreamWriter writer(&bytes);
  flutter::StandardCodecSerializer::GetInstance().WriteValue(value, &writer);
  return bytes;
}

EncodableValue WrappedInLists(int depth, const EncodableValue& innermost) {
  EncodableValue value = innermost;
  for (int i = 0; i < depth; ++i) {
    value = EncodableValue(EncodableList{std::move(value)});
  }
  return value;
}

namespace {

std::string DoubleText(double number) {
  if (std::isnan(number)) {
    return "nan";
  }
  char text[64];
  std::snprintf(text, sizeof(text), "%a", number);
  return text;
}

template <typename T, typename Format>
std::string ListText(const char* name, const std::vector<T>& elements, Format format) {
  std::string text = std::string(name) + "[";
  for (size_t i = 0; i < elements.size(); ++i) {
    text += (i == 0 ? "" : ",") + format(elements[i]);
  }
  return text + "]";
}

std::string IntegerText(int64_t number) {
  return std::to_string(number);
}

}  // namespace

std::string ValueText(const EncodableValue& value) {
  if (value.valueless_by_exception()) {
    return "valueless";
  }
  switch (value.index()) {
    case flutter::internal::kNullIndex:
      return "null";
    case flutter::internal::kBoolIndex:
      return std::get<bool>(value) ? "true" : "false";
    case flutter::internal::kInt32Index:
      return "i32:" + IntegerText(std::get<int32_t>(value));
    case flutter::internal::kInt64Index:
      return "i64:" + IntegerText(std::get<int64_t>(value));
    case flutter::internal::kDoubleIndex:
      return "f64:" + DoubleText(std::get<double>(value));
    case flutter::internal::kStringIndex: {
      const auto& string = std::get<std::string>(value);
      return "str(" + std::to_string(string.size()) +
             "):" + HexOf(Bytes(string.begin(), string.end()));
    }
    case flutter::internal::kByteListIndex:
      return "u8[" + HexOf(std::get<Bytes>(value)) + "]";
    case flutter::internal::kInt32ListIndex:
      return ListText("i32", std::get<std::vector<int32_t>>(value), IntegerText);
    case flutter::internal::kInt64ListIndex:
      return ListText("i64", std::get<std::vector<int64_t>>(value), IntegerText);
    case flutter::internal::kDoubleListIndex:
      return ListText("f64", std::get<std::vector<double>>(value), DoubleText);
    case flutter::internal::kListIndex:
      return ListText("list", std::get<EncodableList>(value), ValueText);
    case flutter::internal::kMapIndex: {
      std::string text = "map{";
      for (const auto& entry : std::get<EncodableMap>(value)) {
        text += ValueText(entry.first) + ":" + ValueText(entry.second) + ";";
      }
      return text + "}";
    }
    case flutter::internal::kCustomIndex:
      return "custom";
    default:  // float list
      return ListText("f32", std::get<std::vector<float>>(value),
                      [](float number) { return DoubleText(number); });
  }
}

size_t ValueGenerator::NextCount() {
  static const size_t kCounts[] = {0, 0, 1, 2, 3, 5, 8, 13};
  return kCounts[Bits() % (sizeof(kCounts) / sizeof(kCounts[0]))];
}

std::string ValueGenerator::NextString() {
  // Mostly short, sometimes on either side of the 254 and 65536 size forms.
  static const size_t kLengths[] = {0, 1, 3, 11, 253, 254, 255, 300, 65535, 65536, 65537};
  size_t pick = Bits() % 24;
  size_t length = pick < 11 ? kLengths[pick] : pick % 7;
  std::string string(length, '\0');
  for (char& c : string) {
    c = static_cast<char>(Bits() & 0xFF);
  }
  return string;
}

double ValueGenerator::NextDouble() {
  static const double kSpecial[] = {0.0, -0.0, 1.0, -1.5, 1e308, 5e-324, INFINITY, -INFINITY, NAN};
  uint64_t pick = Bits() % 16;
  if (pick < sizeof(kSpecial) / sizeof(kSpecial[0])) {
    return kSpecial[pick];
  }
  return static_cast<double>(static_cast<int64_t>(Bits())) / 1024.0;
}

template <typename T>
std::vector<T> ValueGenerator::NextNumbers() {
  std::vector<T> numbers(NextCount());
  for (T& number : numbers) {
    if constexpr (std::is_floating_point_v<T>) {
      number = static_cast<T>(NextDouble());
    } else {
      number = static_cast<T>(Bits());
    }
  }
  return numbers;
}

EncodableValue ValueGenerator::Next(int depth) {
  // Every alternative but the custom one (12); containers only while depth is left.
  int alternatives = depth > 0 ? 13 : 10;
  int pick = static_cast<int>(Bits() % alternatives);
  switch (pick) {
    case 0:
      return EncodableValue();
    case 1:
      return EncodableValue((Bits() & 1) != 0);
    case 2:
      return EncodableValue(static_cast<int32_t>(Bits()));
    case 3:
      return EncodableValue(static_cast<int64_t>(Bits()));
    case 4:
      return EncodableValue(NextDouble());
    case 5:
      return EncodableValue(NextString());
    case 6:
      return EncodableValue(NextNumbers<uint8_t>());
    case 7:
      return EncodableValue(NextNumbers<int32_t>());
    case 8:
      return EncodableValue(NextNumbers<int64_t>());
    case 9:
      return (Bits() & 1) ? EncodableValue(NextNumbers<double>())
                          : EncodableValue(NextNumbers<float>());
    case 10: {
      EncodableList list;
      for (size_t i = NextCount(); i > 0; --i) {
        list.push_back(Next(depth - 1));
      }
      return EncodableValue(std::move(list));
    }
    default: {
      EncodableMap map;
      for (size_t i = NextCount(); i > 0; --i) {
        EncodableValue key = Next(depth - 1);
        map.emplace(std::move(key), Next(depth - 1));
      }
      return EncodableValue(std::move(map));
    }
  }
}

}  // namespace kovi_test
