#include "encoding/standard_codec_serializer.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/encoded_size_hint.h"
#include "encoding/error_line.h"
#include "encoding/in_place_writer.h"
#include "encoding/message_read_scope.h"

// Multi-byte numbers travel little-endian and are copied as they lie in
// memory: the hosts (64-bit Windows, and Linux x86-64 for the tests) are
// little-endian.
//
// The format's rules are written once, as templates over the stream type.
// They are used with the buffer streams' own type when the stream is exactly
// one of those (the streams are final and their operations inline, so the
// common path makes no virtual call per number), and with the abstract
// interface for any other stream. Nested values go back through the virtual
// WriteValue and ReadValueOfType, so that a derived serializer sees them all;
// the standard serializer itself writes and reads them directly, and writes a
// whole message into its vector in place (InPlaceWriter).

namespace flutter {
namespace {

using internal::As;

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
// Written when a size cannot be expressed; WriteValue then writes the null tag.
constexpr char kOversizedLine[] =
    "Value too large for StandardCodecSerializer: sizes above 4294967295 cannot be encoded.";
constexpr char kUnknownTypeLine[] = "Unknown type in StandardCodecSerializer::ReadValueOfType: ";

// ---- Writing. ----

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

// ---- Reading. ----
//
// Values are read in place: a list element, a map value or a whole message is
// read into a null value where it is kept, and a string map key is built in
// its map node, instead of in a temporary that is then moved and destroyed.
//
// kStandard: the serializer in use is StandardCodecSerializer itself, so a
// nested value is read by the rules below directly. Otherwise it goes through
// the serializer's virtual ReadValueOfType, where a derived serializer sees it.

// Reads into zeroed storage, so a failed read gives 0.
template <typename T, typename Reader>
T ReadNumber(Reader* stream) {
  T number{};
  stream->ReadBytes(reinterpret_cast<uint8_t*>(&number), sizeof(number));
  return number;
}

// Inline (a hint): every string, list and map reads one.
template <typename Reader>
inline size_t ReadSizeFrom(Reader* stream) {
  uint8_t byte = stream->ReadByte();
  if (byte < kSize16Marker) {
    return byte;
  }
  if (byte == kSize16Marker) {
    return ReadNumber<uint16_t>(stream);
  }
  return ReadNumber<uint32_t>(stream);
}

// The bytes of a string or byte list as they lie in a buffer: a size, then
// the bytes. A size longer than what is left reads as no bytes.
template <typename Element>
struct BufferRun {
  const Element* begin;
  const Element* end;
};

template <typename Element>
BufferRun<Element> ReadBufferRun(ByteBufferStreamReader* stream) {
  size_t size = ReadSizeFrom(stream);
  const auto* bytes = reinterpret_cast<const Element*>(stream->ReadInPlace(size));
  if (bytes == nullptr) {
    return {nullptr, nullptr};
  }
  return {bytes, bytes + size};
}

// Strings and byte lists. A size longer than what is left is refused before
// anything is allocated for it. From a buffer the bytes are copied once,
// straight into the value.
template <typename Run, typename Reader>
void ReadByteRun(Reader* stream, EncodableValue* out) {
  if constexpr (std::is_same_v<Reader, ByteBufferStreamReader>) {
    auto run = ReadBufferRun<typename Run::value_type>(stream);
    out->emplace<Run>(Run(run.begin, run.end));
  } else {
    size_t size = ReadSizeFrom(stream);
    Run& run = out->emplace<Run>();
    if (size > stream->RemainingBytes()) {
      WriteErrorLine(kInvalidReadLine);
      return;
    }
    run.resize(size);
    stream->ReadBytes(reinterpret_cast<uint8_t*>(run.data()), size);
  }
}

// Typed lists: one block copy into zeroed elements after the alignment step.
template <typename T, typename Reader>
void ReadBlock(Reader* stream, EncodableValue* out) {
  size_t count = ReadSizeFrom(stream);
  std::vector<T>& elements = out->emplace<std::vector<T>>();
  if (count > stream->RemainingBytes() / sizeof(T)) {
    WriteErrorLine(kInvalidReadLine);
    return;
  }
  elements.resize(count);
  stream->ReadAlignment(sizeof(T));
  stream->ReadBytes(reinterpret_cast<uint8_t*>(elements.data()), count * sizeof(T));
}

// Where a value being read lies among the lists and maps around it.
struct Nesting {
  // The scope of the read in progress; null at the top of a read.
  MessageReadScope* scope;
  // The lists and maps open in that scope around the value.
  int level;
  // The entries those containers still owe after the value.
  uint64_t owed;
};

// The reading rules over one stream, for one call of ReadValueOfType.
template <bool kStandard, typename Reader>
class TaggedReader {
  static_assert(!kStandard || std::is_same_v<Reader, ByteBufferStreamReader>,
                "the standard serializer's own path reads from a buffer");

 public:
  TaggedReader(const StandardCodecSerializer& serializer, Reader* stream)
      : serializer_(serializer), stream_(stream) {}

  // Reads the payload of a value whose tag `type` was read.
  EncodableValue Read(uint8_t type) {
    EncodableValue value;
    ReadInto(type, Nesting{nullptr, 0, 0}, &value);
    return value;
  }

 private:
  void ReadInto(uint8_t type, const Nesting& around, EncodableValue* out);

  // A nested value through the virtual operations: the entries owed around it
  // are published first, for a read that opens a scope of its own.
  EncodableValue ReadThroughVirtual(const Nesting& around) {
    around.scope->PublishOwedEntries(around.owed);
    return serializer_.ReadValue(stream_);
  }

  // A list or map: the first one met opens the scope of the read.
  void ReadContainer(uint8_t type, const Nesting& around, EncodableValue* out) {
    if (around.scope != nullptr) {
      ReadContainerIn(type, around, out);
      return;
    }
    MessageReadScope scope(stream_);
    ReadContainerIn(type, Nesting{&scope, 0, scope.owed_entries()}, out);
  }

  void ReadContainerIn(uint8_t type, const Nesting& around, EncodableValue* out) {
    const int level = around.level + 1;
    if (!around.scope->MayEnter(level)) {
      return;  // null
    }
    size_t count = ReadSizeFrom(stream_);
    size_t remaining = stream_->RemainingBytes();
    if (!MessageReadScope::AcceptEntries(count, remaining, around.owed)) {
      count = 0;
    }
    // The entries owed around each entry: those of the containers around this
    // one, and this one's own still to come.
    Nesting inside{around.scope, level, around.owed + count};
    if (type == kListTag) {
      EncodableList& list = out->emplace<EncodableList>();
      list.reserve(MessageReadScope::EntriesToReserve(count, remaining));
      for (size_t i = 0; i < count; ++i) {
        --inside.owed;
        ReadElement(inside, &list);
      }
    } else {
      EncodableMap& map = out->emplace<EncodableMap>();
      for (size_t i = 0; i < count; ++i) {
        --inside.owed;
        ReadEntry(inside, &map);
      }
    }
  }

  void ReadElement(const Nesting& at, EncodableList* list) {
    if constexpr (kStandard) {
      ReadInto(stream_->ReadByte(), at, &list->emplace_back());
    } else {
      list->push_back(ReadThroughVirtual(at));
    }
  }

  // Keys arrive in ascending order from a standard writer: each insertion
  // hints the end. A later duplicate key is dropped and the first entry's
  // value stays; the duplicate's value is read all the same.
  void ReadEntry(const Nesting& at, EncodableMap* map) {
    if constexpr (kStandard) {
      EncodableValue* value = ReadKeyInPlace(at, map);
      if (value != nullptr) {
        ReadInto(stream_->ReadByte(), at, value);
      } else {
        EncodableValue dropped;
        ReadInto(stream_->ReadByte(), at, &dropped);
      }
    } else {
      EncodableValue key = ReadThroughVirtual(at);
      EncodableValue value = ReadThroughVirtual(at);
      map->emplace_hint(map->end(), std::move(key), std::move(value));
    }
  }

  // Reads a key into a new entry of `map` whose value, null, is then read in
  // place; a string key is built in its node. Null when the map already holds
  // an equivalent key.
  EncodableValue* ReadKeyInPlace(const Nesting& at, EncodableMap* map) {
    const size_t size = map->size();
    auto entry = map->end();
    uint8_t type = stream_->ReadByte();
    if (type == kStringTag || type == kLargeIntTag) {
      auto run = ReadBufferRun<char>(stream_);
      entry = map->emplace_hint(
          map->end(), std::piecewise_construct,
          std::forward_as_tuple(std::in_place_type<std::string>, run.begin, run.end),
          std::forward_as_tuple());
    } else {
      EncodableValue key;
      ReadInto(type, at, &key);
      entry = map->emplace_hint(map->end(), std::piecewise_construct,
                                std::forward_as_tuple(std::move(key)), std::forward_as_tuple());
    }
    return map->size() != size ? &entry->second : nullptr;
  }

  const StandardCodecSerializer& serializer_;
  Reader* stream_;
};

template <bool kStandard, typename Reader>
void TaggedReader<kStandard, Reader>::ReadInto(uint8_t type, const Nesting& around,
                                               EncodableValue* out) {
  switch (type) {
    case kNullTag:
      return;
    case kTrueTag:
      out->emplace<bool>(true);
      return;
    case kFalseTag:
      out->emplace<bool>(false);
      return;
    case kInt32Tag:
      out->emplace<int32_t>(ReadNumber<int32_t>(stream_));
      return;
    case kInt64Tag:
      out->emplace<int64_t>(ReadNumber<int64_t>(stream_));
      return;
    case kDoubleTag:
      stream_->ReadAlignment(8);
      out->emplace<double>(ReadNumber<double>(stream_));
      return;
    case kLargeIntTag:
    case kStringTag:
      ReadByteRun<std::string>(stream_, out);
      return;
    case kByteListTag:
      ReadByteRun<std::vector<uint8_t>>(stream_, out);
      return;
    case kInt32ListTag:
      ReadBlock<int32_t>(stream_, out);
      return;
    case kInt64ListTag:
      ReadBlock<int64_t>(stream_, out);
      return;
    case kDoubleListTag:
      ReadBlock<double>(stream_, out);
      return;
    case kFloatListTag:
      ReadBlock<float>(stream_, out);
      return;
    case kListTag:
    case kMapTag:
      ReadContainer(type, around, out);
      return;
    default:
      WriteErrorLine(kUnknownTypeLine + std::to_string(type));
      return;
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

EncodableValue StandardCodecSerializer::ReadValueOfType(uint8_t type,
                                                        ByteStreamReader* stream) const {
  if (typeid(*stream) != typeid(ByteBufferStreamReader)) {
    return TaggedReader<false, ByteStreamReader>(*this, stream).Read(type);
  }
  auto* buffer = static_cast<ByteBufferStreamReader*>(stream);
  if (typeid(*this) == typeid(StandardCodecSerializer)) {
    return TaggedReader<true, ByteBufferStreamReader>(*this, buffer).Read(type);
  }
  return TaggedReader<false, ByteBufferStreamReader>(*this, buffer).Read(type);
}

size_t StandardCodecSerializer::ReadSize(ByteStreamReader* stream) const {
  return ReadSizeFrom(stream);
}

void StandardCodecSerializer::WriteSize(size_t size, ByteStreamWriter* stream) const {
  WriteSizeTo(size, stream);
}

bool StandardCodecSerializer::WriteSizedTag(uint8_t tag, size_t size,
                                            ByteStreamWriter* stream) const {
  return WriteSizedTagTo(tag, size, stream);
}

}  // namespace flutter
