#include "encoding/standard_codec_serializer.h"

#include <cstring>
#include <string>
#include <typeinfo>
#include <vector>

#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/encoded_size_hint.h"
#include "encoding/in_place_writer.h"
#include "encoding/standard_codec_format.h"
#include "errors/error_line.h"

// The writing half of StandardCodecSerializer.
//
// The rules are written once, as templates over the stream type. They are
// used with the buffer writer's own type when the stream is exactly one (it
// is final and its operations inline, so the common path makes no virtual call
// per number), and with the abstract interface for any other stream. Nested
// values go back through the virtual WriteValue, so that a derived serializer
// sees them all; the standard serializer itself writes them directly, and
// writes a whole message into its vector in place (InPlaceWriter).

namespace flutter {
namespace {

using internal::As;

constexpr char kCustomTypeLine[] =
    "Unhandled custom type in StandardCodecSerializer::WriteValue. "
    "Custom types require codec extensions.";
// Written when a size cannot be expressed; WriteValue then writes the null tag.
constexpr char kOversizedLine[] =
    "Value too large for StandardCodecSerializer: sizes above 4294967295 cannot be encoded.";

// A value's head (its tag and a number or a size) goes to the stream as one
// block: one call instead of one per byte.
template <typename Writer, typename T>
void WriteTaggedNumber(uint8_t tag, T number, Writer* stream) {
  uint8_t head[1 + sizeof(T)] = {tag};
  std::memcpy(head + 1, &number, sizeof(T));
  stream->WriteBytes(head, sizeof(head));
}

// Puts the wire form of a size that fits the format at `out`; returns its length.
size_t PutSize(size_t size, uint8_t* out) {
  if (size < kSize16Marker) {
    out[0] = static_cast<uint8_t>(size);
    return 1;
  }
  if (size <= 0xFFFF) {
    out[0] = kSize16Marker;
    uint16_t number = static_cast<uint16_t>(size);
    std::memcpy(out + 1, &number, sizeof(number));
    return 1 + sizeof(number);
  }
  out[0] = kSize32Marker;
  uint32_t number = static_cast<uint32_t>(size);
  std::memcpy(out + 1, &number, sizeof(number));
  return 1 + sizeof(number);
}

bool SizeFits(size_t size) {
  if (static_cast<uint64_t>(size) <= StandardCodecSerializer::kMaxWireSize) {
    return true;
  }
  WriteErrorLine(kOversizedLine);
  return false;
}

// False, with the line and nothing written, when the size cannot be expressed.
template <typename Writer>
bool WriteSizeTo(size_t size, Writer* stream) {
  if (!SizeFits(size)) {
    return false;
  }
  uint8_t head[5];
  stream->WriteBytes(head, PutSize(size, head));
  return true;
}

template <typename Writer>
bool WriteSizedTagTo(uint8_t tag, size_t size, Writer* stream) {
  if (size < kSize16Marker) {
    // The common case as a block of known length, which the buffer writers
    // copy without a call.
    const uint8_t head[2] = {tag, static_cast<uint8_t>(size)};
    stream->WriteBytes(head, sizeof(head));
    return true;
  }
  if (!SizeFits(size)) {
    stream->WriteByte(kNullTag);
    return false;
  }
  uint8_t head[6] = {tag};
  stream->WriteBytes(head, 1 + PutSize(size, head + 1));
  return true;
}

// Strings and byte lists: the size, then the bytes when there are any.
template <typename Writer>
void WriteByteRun(uint8_t tag, const uint8_t* bytes, size_t size, Writer* stream) {
  if (WriteSizedTagTo(tag, size, stream) && size > 0) {
    stream->WriteBytes(bytes, size);
  }
}

// Typed lists align their elements to the element size, also when empty, so
// that reader and writer agree at any offset; the elements go as one block.
template <typename Writer, typename T>
void WriteBlock(uint8_t tag, const std::vector<T>& elements, Writer* stream) {
  if (!WriteSizedTagTo(tag, elements.size(), stream)) {
    return;
  }
  stream->WriteAlignment(sizeof(T));
  if (!elements.empty()) {
    stream->WriteBytes(reinterpret_cast<const uint8_t*>(elements.data()),
                       elements.size() * sizeof(T));
  }
}

// kStandard: the serializer in use is StandardCodecSerializer itself, so a
// nested value is written by these rules directly. Otherwise it goes through
// the serializer's virtual WriteValue, where a derived serializer sees it.
template <bool kStandard, typename Writer>
void WriteTagged(const StandardCodecSerializer& serializer, const EncodableValue& value,
                 Writer* stream);

template <bool kStandard, typename Writer>
void WriteNested(const StandardCodecSerializer& serializer, const EncodableValue& value,
                 Writer* stream) {
  if constexpr (kStandard) {
    WriteTagged<kStandard>(serializer, value, stream);
  } else {
    serializer.WriteValue(value, stream);
  }
}

template <bool kStandard, typename Writer>
void WriteList(const StandardCodecSerializer& serializer, const EncodableList& list,
               Writer* stream) {
  if (WriteSizedTagTo(kListTag, list.size(), stream)) {
    for (const EncodableValue& element : list) {
      WriteNested<kStandard>(serializer, element, stream);
    }
  }
}

template <bool kStandard, typename Writer>
void WriteMap(const StandardCodecSerializer& serializer, const EncodableMap& map, Writer* stream) {
  if (WriteSizedTagTo(kMapTag, map.size(), stream)) {
    for (const auto& entry : map) {
      WriteNested<kStandard>(serializer, entry.first, stream);
      WriteNested<kStandard>(serializer, entry.second, stream);
    }
  }
}

template <bool kStandard, typename Writer>
void WriteTagged(const StandardCodecSerializer& serializer, const EncodableValue& value,
                 Writer* stream) {
  switch (value.index()) {
    case internal::kBoolIndex:
      stream->WriteByte(As<bool>(value) ? kTrueTag : kFalseTag);
      return;
    case internal::kInt32Index:
      WriteTaggedNumber(kInt32Tag, As<int32_t>(value), stream);
      return;
    case internal::kInt64Index:
      WriteTaggedNumber(kInt64Tag, As<int64_t>(value), stream);
      return;
    case internal::kDoubleIndex: {
      stream->WriteByte(kDoubleTag);
      stream->WriteAlignment(8);
      double number = As<double>(value);
      stream->WriteBytes(reinterpret_cast<const uint8_t*>(&number), sizeof(number));
      return;
    }
    case internal::kStringIndex: {
      const auto& string = As<std::string>(value);
      WriteByteRun(kStringTag, reinterpret_cast<const uint8_t*>(string.data()), string.size(),
                   stream);
      return;
    }
    case internal::kByteListIndex: {
      const auto& bytes = As<std::vector<uint8_t>>(value);
      WriteByteRun(kByteListTag, bytes.data(), bytes.size(), stream);
      return;
    }
    case internal::kInt32ListIndex:
      WriteBlock(kInt32ListTag, As<std::vector<int32_t>>(value), stream);
      return;
    case internal::kInt64ListIndex:
      WriteBlock(kInt64ListTag, As<std::vector<int64_t>>(value), stream);
      return;
    case internal::kDoubleListIndex:
      WriteBlock(kDoubleListTag, As<std::vector<double>>(value), stream);
      return;
    case internal::kListIndex:
      WriteList<kStandard>(serializer, As<EncodableList>(value), stream);
      return;
    case internal::kMapIndex:
      WriteMap<kStandard>(serializer, As<EncodableMap>(value), stream);
      return;
    case internal::kCustomIndex:
      WriteErrorLine(kCustomTypeLine);
      stream->WriteByte(kNullTag);
      return;
    case internal::kFloatListIndex:
      WriteBlock(kFloatListTag, As<std::vector<float>>(value), stream);
      return;
    default:  // null and valueless
      stream->WriteByte(kNullTag);
      return;
  }
}

// Below this guessed size a value is appended write by write: making room
// ahead and cutting it back would cost more than the few writes it saves.
constexpr size_t kInPlaceFrom = 128;

// The standard serializer into a byte vector: the message is written in
// place, into room made ahead from a guess of its size.
void WriteInPlace(const StandardCodecSerializer& serializer, const EncodableValue& value,
                  ByteBufferStreamWriter* stream) {
  const size_t hint = EncodedSizeHint(value);
  if (hint < kInPlaceFrom) {
    WriteTagged<true>(serializer, value, stream);
    return;
  }
  InPlaceWriter writer(stream->buffer(), hint);
  WriteTagged<true>(serializer, value, &writer);
}

}  // namespace

void StandardCodecSerializer::WriteValue(const EncodableValue& value,
                                         ByteStreamWriter* stream) const {
  if (typeid(*stream) != typeid(ByteBufferStreamWriter)) {
    WriteTagged<false>(*this, value, stream);
    return;
  }
  auto* buffer = static_cast<ByteBufferStreamWriter*>(stream);
  if (typeid(*this) == typeid(StandardCodecSerializer)) {
    WriteInPlace(*this, value, buffer);
  } else {
    WriteTagged<false>(*this, value, buffer);
  }
}

void StandardCodecSerializer::WriteSize(size_t size, ByteStreamWriter* stream) const {
  WriteSizeTo(size, stream);
}

bool StandardCodecSerializer::WriteSizedTag(uint8_t tag, size_t size,
                                            ByteStreamWriter* stream) const {
  return WriteSizedTagTo(tag, size, stream);
}

}  // namespace flutter
