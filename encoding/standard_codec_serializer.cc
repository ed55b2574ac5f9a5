#include "encoding/standard_codec_serializer.h"

#include <string>
#include <utility>
#include <vector>

#include "encoding/error_line.h"
#include "encoding/message_read_scope.h"

// Multi-byte numbers travel little-endian and are copied as they lie in
// memory: the hosts (64-bit Windows, and Linux x86-64 for the tests) are
// little-endian.

namespace flutter {
namespace {

enum Tag : uint8_t {
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

constexpr uint8_t kSize16Marker = 254;
constexpr uint8_t kSize32Marker = 255;

constexpr char kCustomTypeLine[] =
    "Unhandled custom type in StandardCodecSerializer::WriteValue. "
    "Custom types require codec extensions.";
constexpr char kOversizedLine[] =
    "Value too large for StandardCodecSerializer::WriteValue. "
    "Sizes above 4294967295 cannot be encoded; written as null.";
constexpr char kUnknownTypeLine[] = "Unknown type in StandardCodecSerializer::ReadValueOfType: ";

template <typename T>
const T& As(const EncodableValue& value) {
  return std::get<T>(value);
}

template <typename T>
void WriteNumber(T number, ByteStreamWriter* stream) {
  stream->WriteBytes(reinterpret_cast<const uint8_t*>(&number), sizeof(number));
}

// Reads into zeroed storage, so a failed read gives 0.
template <typename T>
T ReadNumber(ByteStreamReader* stream) {
  T number{};
  stream->ReadBytes(reinterpret_cast<uint8_t*>(&number), sizeof(number));
  return number;
}

// Typed lists align their elements to the element size, also when empty, so
// that reader and writer agree at any offset.
template <typename T>
void WriteElements(const std::vector<T>& elements, ByteStreamWriter* stream) {
  stream->WriteAlignment(sizeof(T));
  if (!elements.empty()) {
    stream->WriteBytes(reinterpret_cast<const uint8_t*>(elements.data()),
                       elements.size() * sizeof(T));
  }
}

}  // namespace

StandardCodecSerializer::StandardCodecSerializer() = default;

StandardCodecSerializer::~StandardCodecSerializer() = default;

const StandardCodecSerializer& StandardCodecSerializer::GetInstance() {
  static const StandardCodecSerializer instance;
  return instance;
}

EncodableValue StandardCodecSerializer::ReadValue(ByteStreamReader* stream) const {
  uint8_t type = stream->ReadByte();
  return ReadValueOfType(type, stream);
}

void StandardCodecSerializer::WriteValue(const EncodableValue& value,
                                         ByteStreamWriter* stream) const {
  switch (value.index()) {
    case 0:
      stream->WriteByte(kNullTag);
      return;
    case 1:
      stream->WriteByte(As<bool>(value) ? kTrueTag : kFalseTag);
      return;
    case 2:
      stream->WriteByte(kInt32Tag);
      WriteNumber(As<int32_t>(value), stream);
      return;
    case 3:
      stream->WriteByte(kInt64Tag);
      WriteNumber(As<int64_t>(value), stream);
      return;
    case 4:
      stream->WriteByte(kDoubleTag);
      stream->WriteAlignment(8);
      WriteNumber(As<double>(value), stream);
      return;
    case 5: {
      const auto& string = As<std::string>(value);
      if (WriteSizedTag(kStringTag, string.size(), stream) && !string.empty()) {
        stream->WriteBytes(reinterpret_cast<const uint8_t*>(string.data()), string.size());
      }
      return;
    }
    case 6: {
      const auto& bytes = As<std::vector<uint8_t>>(value);
      if (WriteSizedTag(kByteListTag, bytes.size(), stream) && !bytes.empty()) {
        stream->WriteBytes(bytes.data(), bytes.size());
      }
      return;
    }
    case 7: {
      const auto& elements = As<std::vector<int32_t>>(value);
      if (WriteSizedTag(kInt32ListTag, elements.size(), stream)) {
        WriteElements(elements, stream);
      }
      return;
    }
    case 8: {
      const auto& elements = As<std::vector<int64_t>>(value);
      if (WriteSizedTag(kInt64ListTag, elements.size(), stream)) {
        WriteElements(elements, stream);
      }
      return;
    }
    case 9: {
      const auto& elements = As<std::vector<double>>(value);
      if (WriteSizedTag(kDoubleListTag, elements.size(), stream)) {
        WriteElements(elements, stream);
      }
      return;
    }
    case 10: {
      const auto& list = As<EncodableList>(value);
      if (WriteSizedTag(kListTag, list.size(), stream)) {
        for (const EncodableValue& element : list) {
          WriteValue(element, stream);
        }
      }
      return;
    }
    case 11: {
      const auto& map = As<EncodableMap>(value);
      if (WriteSizedTag(kMapTag, map.size(), stream)) {
        for (const auto& entry : map) {
          WriteValue(entry.first, stream);
          WriteValue(entry.second, stream);
        }
      }
      return;
    }
    case 12:
      WriteErrorLine(kCustomTypeLine);
      stream->WriteByte(kNullTag);
      return;
    case 13: {
      const auto& elements = As<std::vector<float>>(value);
      if (WriteSizedTag(kFloatListTag, elements.size(), stream)) {
        WriteElements(elements, stream);
      }
      return;
    }
    default:  // valueless
      stream->WriteByte(kNullTag);
      return;
  }
}

EncodableValue StandardCodecSerializer::ReadValueOfType(uint8_t type,
                                                        ByteStreamReader* stream) const {
  switch (type) {
    case kNullTag:
      return EncodableValue();
    case kTrueTag:
      return EncodableValue(true);
    case kFalseTag:
      return EncodableValue(false);
    case kInt32Tag:
      return EncodableValue(ReadNumber<int32_t>(stream));
    case kInt64Tag:
      return EncodableValue(ReadNumber<int64_t>(stream));
    case kDoubleTag:
      stream->ReadAlignment(8);
      return EncodableValue(ReadNumber<double>(stream));
    case kLargeIntTag:
    case kStringTag: {
      size_t size = ReadSize(stream);
      if (size > stream->RemainingBytes()) {
        WriteErrorLine(kInvalidReadLine);
        return EncodableValue(std::string());
      }
      std::string string(size, '\0');
      stream->ReadBytes(reinterpret_cast<uint8_t*>(&string[0]), size);
      return EncodableValue(std::move(string));
    }
    case kByteListTag: {
      size_t size = ReadSize(stream);
      if (size > stream->RemainingBytes()) {
        WriteErrorLine(kInvalidReadLine);
        return EncodableValue(std::vector<uint8_t>());
      }
      std::vector<uint8_t> bytes(size);
      stream->ReadBytes(bytes.data(), size);
      return EncodableValue(std::move(bytes));
    }
    case kInt32ListTag:
      return ReadBlock<int32_t>(stream);
    case kInt64ListTag:
      return ReadBlock<int64_t>(stream);
    case kDoubleListTag:
      return ReadBlock<double>(stream);
    case kFloatListTag:
      return ReadBlock<float>(stream);
    case kListTag:
      return ReadList(stream);
    case kMapTag:
      return ReadMap(stream);
    default:
      WriteErrorLine(kUnknownTypeLine + std::to_string(type));
      return EncodableValue();
  }
}

size_t StandardCodecSerializer::ReadSize(ByteStreamReader* stream) const {
  uint8_t byte = stream->ReadByte();
  if (byte < kSize16Marker) {
    return byte;
  }
  if (byte == kSize16Marker) {
    return ReadNumber<uint16_t>(stream);
  }
  return ReadNumber<uint32_t>(stream);
}

void StandardCodecSerializer::WriteSize(size_t size, ByteStreamWriter* stream) const {
  if (size < kSize16Marker) {
    stream->WriteByte(static_cast<uint8_t>(size));
  } else if (size <= 0xFFFF) {
    stream->WriteByte(kSize16Marker);
    WriteNumber(static_cast<uint16_t>(size), stream);
  } else if (static_cast<uint64_t>(size) <= kMaxWireSize) {
    stream->WriteByte(kSize32Marker);
    WriteNumber(static_cast<uint32_t>(size), stream);
  } else {
    WriteErrorLine(kOversizedLine);
  }
}

bool StandardCodecSerializer::WriteSizedTag(uint8_t tag, size_t size,
                                            ByteStreamWriter* stream) const {
  if (static_cast<uint64_t>(size) > kMaxWireSize) {
    WriteErrorLine(kOversizedLine);
    stream->WriteByte(kNullTag);
    return false;
  }
  stream->WriteByte(tag);
  WriteSize(size, stream);
  return true;
}

template <typename T>
EncodableValue StandardCodecSerializer::ReadBlock(ByteStreamReader* stream) const {
  size_t count = ReadSize(stream);
  if (count > stream->RemainingBytes() / sizeof(T)) {
    WriteErrorLine(kInvalidReadLine);
    return EncodableValue(std::vector<T>());
  }
  std::vector<T> elements(count);
  stream->ReadAlignment(sizeof(T));
  stream->ReadBytes(reinterpret_cast<uint8_t*>(elements.data()), count * sizeof(T));
  return EncodableValue(std::move(elements));
}

EncodableValue StandardCodecSerializer::ReadList(ByteStreamReader* stream) const {
  MessageReadScope scope(stream);
  if (scope.too_deep()) {
    return EncodableValue();
  }
  size_t count = ReadSize(stream);
  EncodableList list;
  if (!scope.AcceptEntries(count)) {
    return EncodableValue(std::move(list));
  }
  list.reserve(scope.EntriesToReserve(count));
  for (size_t i = 0; i < count; ++i) {
    scope.BeginEntry();
    list.push_back(ReadValue(stream));
  }
  return EncodableValue(std::move(list));
}

EncodableValue StandardCodecSerializer::ReadMap(ByteStreamReader* stream) const {
  MessageReadScope scope(stream);
  if (scope.too_deep()) {
    return EncodableValue();
  }
  size_t count = ReadSize(stream);
  EncodableMap map;
  if (!scope.AcceptEntries(count)) {
    return EncodableValue(std::move(map));
  }
  for (size_t i = 0; i < count; ++i) {
    scope.BeginEntry();
    EncodableValue key = ReadValue(stream);
    EncodableValue value = ReadValue(stream);
    // Keys arrive in ascending order from a standard writer: hint the end. A
    // later duplicate key is dropped and the first entry's value stays.
    map.emplace_hint(map.end(), std::move(key), std::move(value));
  }
  return EncodableValue(std::move(map));
}

}  // namespace flutter
