#include "encoding/standard_codec_serializer.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/message_read_scope.h"
#include "encoding/standard_codec_format.h"
#include "errors/error_line.h"

// The reading half of StandardCodecSerializer.
//
// The rules are written once, as templates over the stream type. They are
// used with the buffer reader's own type when the stream is exactly one (it
// is final and its operations inline, so the common path makes no virtual call
// per number), and with the abstract interface for any other stream.
//
// Values are read in place: a list element, a map value or a whole message is
// read into a null value where it is kept, and a string map key is built in
// its map node, instead of in a temporary that is then moved and destroyed.
//
// kStandard: the serializer in use is StandardCodecSerializer itself, so a
// nested value is read by the rules below directly. Otherwise it goes through
// the serializer's virtual ReadValueOfType, where a derived serializer sees it.

namespace flutter {
namespace {

constexpr char kUnknownTypeLine[] = "Unknown type in StandardCodecSerializer::ReadValueOfType: ";

// The most a skip reads at once from a reader other than the buffer reader.
constexpr uint64_t kSkipChunk = 65536;

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
// the bytes. Short of bytes: `begin` is null, and `size` is the zero bytes to
// read instead (0 when refused). `scope`: the scope the value is read in, if
// any (MessageReadScope::AcceptShortRead).
template <typename Element>
struct BufferRun {
  const Element* begin;
  size_t size;
};

// Inline (a hint): every string key and value reads one, and at -O2 the
// compiler would otherwise keep the call.
template <typename Element>
inline BufferRun<Element> ReadBufferRun(ByteBufferStreamReader* stream, MessageReadScope* scope) {
  size_t size = ReadSizeFrom(stream);
  const auto* bytes = reinterpret_cast<const Element*>(stream->ReadInPlace(size));
  if (bytes == nullptr && !MessageReadScope::AcceptShortRead(scope, stream, size)) {
    size = 0;
  }
  return {bytes, size};
}

// Strings and byte lists. From a buffer the bytes are copied once, straight
// into the value.
template <typename Run, typename Reader>
void ReadByteRun(Reader* stream, MessageReadScope* scope, EncodableValue* out) {
  if constexpr (std::is_same_v<Reader, ByteBufferStreamReader>) {
    auto run = ReadBufferRun<typename Run::value_type>(stream, scope);
    if (run.begin != nullptr) {
      out->emplace<Run>(run.begin, run.begin + run.size);
    } else {
      out->emplace<Run>(run.size, typename Run::value_type{});
    }
  } else {
    size_t size = ReadSizeFrom(stream);
    Run& run = out->emplace<Run>();
    if (size > stream->RemainingBytes() &&
        !MessageReadScope::AcceptShortRead(scope, stream, size)) {
      WriteErrorLine(kInvalidReadLine);
      return;
    }
    run.resize(size);
    stream->ReadBytes(reinterpret_cast<uint8_t*>(run.data()), size);
  }
}

// Typed lists: one block copy into zeroed elements after the alignment step,
// which a refused list takes too.
template <typename T, typename Reader>
void ReadBlock(Reader* stream, MessageReadScope* scope, EncodableValue* out) {
  const uint64_t count = ReadSizeFrom(stream);
  std::vector<T>& elements = out->emplace<std::vector<T>>();
  stream->ReadAlignment(sizeof(T));
  const uint64_t length = count * sizeof(T);
  if (length > stream->RemainingBytes() &&
      !MessageReadScope::AcceptShortRead(scope, stream, length)) {
    WriteErrorLine(kInvalidReadLine);
    return;
  }
  elements.resize(count);
  stream->ReadBytes(reinterpret_cast<uint8_t*>(elements.data()), length);
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
    around.scope->PublishOwedValues(around.owed);
    return serializer_.ReadValue(stream_);
  }

  // A list or map: the first one met opens the scope of the read.
  void ReadContainer(uint8_t type, const Nesting& around, EncodableValue* out) {
    if (around.scope != nullptr) {
      ReadContainerIn(type, around, out);
      return;
    }
    MessageReadScope scope(stream_);
    ReadContainerIn(type, Nesting{&scope, 0, scope.owed_values()}, out);
  }

  void ReadContainerIn(uint8_t type, const Nesting& around, EncodableValue* out) {
    const int level = around.level + 1;
    if (!around.scope->MayEnter(level)) {
      SkipContainer(type, around.owed);
      return;  // null
    }
    size_t count = ReadSizeFrom(stream_);
    size_t remaining = stream_->RemainingBytes();
    uint64_t values = ValuesOf(type, count);
    if (!MessageReadScope::AcceptValues(values, remaining, around.owed)) {
      count = 0;
      values = 0;
    }
    // The values owed around each entry: those of the containers around this
    // one, and this one's own still to come.
    Nesting inside{around.scope, level, around.owed + values};
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
        inside.owed -= 2;
        ReadEntry(inside, &map);
      }
    }
  }

  // The values a list or map of `count` entries holds: a map entry is a key
  // and a value.
  static uint64_t ValuesOf(uint8_t type, uint64_t count) {
    return type == kMapTag ? 2 * count : count;
  }

  // A list or map too deep to read, whose tag `type` was read: it reads as
  // null, but everything it holds is consumed, so the values after it read as
  // written. Its values are taken as a read would take them (the same bytes,
  // the same line for each failed read, counts bounded alike, `around_owed`
  // being the values owed around it), but nothing is kept and nothing
  // recurses: `owed` counts the values still to go, and each list or map met
  // adds its own. Only the standard tags are known here: any other tag is
  // taken as an unknown one, with its line and without its payload.
  void SkipContainer(uint8_t type, uint64_t around_owed) {
    uint64_t owed = 0;
    OweValuesOf(type, around_owed, &owed);
    while (owed > 0) {
      --owed;
      const uint8_t tag = stream_->ReadByte();
      if (tag == kListTag || tag == kMapTag) {
        OweValuesOf(tag, around_owed, &owed);
      } else {
        SkipScalar(tag);
      }
    }
  }

  // Reads the count of a skipped list or map and adds its values to `owed`.
  void OweValuesOf(uint8_t type, uint64_t around_owed, uint64_t* owed) {
    const uint64_t values = ValuesOf(type, ReadSizeFrom(stream_));
    if (MessageReadScope::AcceptValues(values, stream_->RemainingBytes(), around_owed + *owed)) {
      *owed += values;
    }
  }

  void SkipScalar(uint8_t type) {
    switch (type) {
      case kNullTag:
      case kTrueTag:
      case kFalseTag:
        return;
      case kInt32Tag:
        return SkipBytes(sizeof(int32_t));
      case kInt64Tag:
        return SkipBytes(sizeof(int64_t));
      case kDoubleTag:
        stream_->ReadAlignment(8);
        return SkipBytes(sizeof(double));
      case kLargeIntTag:
      case kStringTag:
      case kByteListTag:
        return SkipBytes(ReadSizeFrom(stream_));
      case kInt32ListTag:
      case kFloatListTag:
        return SkipBlock(4);
      case kInt64ListTag:
      case kDoubleListTag:
        return SkipBlock(8);
      default:
        WriteErrorLine(kUnknownTypeLine + std::to_string(type));
        return;
    }
  }

  void SkipBlock(uint8_t element_size) {
    const uint64_t count = ReadSizeFrom(stream_);
    stream_->ReadAlignment(element_size);
    SkipBytes(count * element_size);
  }

  // Consumes `length` bytes; short of them, writes the invalid-read line and
  // consumes nothing, as a read of them does.
  void SkipBytes(uint64_t length) {
    if constexpr (std::is_same_v<Reader, ByteBufferStreamReader>) {
      stream_->ReadInPlace(length);
    } else if (length > stream_->RemainingBytes()) {
      WriteErrorLine(kInvalidReadLine);
    } else {
      // A reader that cannot tell what is left is read in chunks, each chunk
      // past its end with its own line.
      std::vector<uint8_t> chunk(std::min<uint64_t>(length, kSkipChunk));
      for (uint64_t left = length; left > 0; left -= std::min<uint64_t>(left, kSkipChunk)) {
        stream_->ReadBytes(chunk.data(), std::min<uint64_t>(left, kSkipChunk));
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
  // `at`: where the entry's value lies; its key lies before the value, which
  // is then still owed.
  void ReadEntry(const Nesting& at, EncodableMap* map) {
    const Nesting key_at{at.scope, at.level, at.owed + 1};
    if constexpr (kStandard) {
      EncodableValue* value = ReadKeyInPlace(key_at, map);
      if (value != nullptr) {
        ReadInto(stream_->ReadByte(), at, value);
      } else {
        EncodableValue dropped;
        ReadInto(stream_->ReadByte(), at, &dropped);
      }
    } else {
      EncodableValue key = ReadThroughVirtual(key_at);
      EncodableValue value = ReadThroughVirtual(at);
      map->emplace_hint(map->end(), std::move(key), std::move(value));
    }
  }

  // Reads a key into a new entry of `map` whose value, null, is then read in
  // place; a string key is built in its node. Null when the map already holds
  // an equivalent key.
  EncodableValue* ReadKeyInPlace(const Nesting& at, EncodableMap* map) {
    uint8_t type = stream_->ReadByte();
    if (type == kStringTag || type == kLargeIntTag) {
      auto run = ReadBufferRun<char>(stream_, at.scope);
      if (run.begin == nullptr) {
        return InsertKey(EncodableValue(std::string(run.size, '\0')), map);
      }
      const size_t size = map->size();
      auto entry = map->emplace_hint(
          map->end(), std::piecewise_construct,
          std::forward_as_tuple(std::in_place_type<std::string>, run.begin, run.begin + run.size),
          std::forward_as_tuple());
      return map->size() != size ? &entry->second : nullptr;
    }
    EncodableValue key;
    ReadInto(type, at, &key);
    return InsertKey(std::move(key), map);
  }

  // A new entry of `map` for `key` with a null value; null when the map
  // already holds an equivalent key.
  static EncodableValue* InsertKey(EncodableValue&& key, EncodableMap* map) {
    const size_t size = map->size();
    auto entry = map->emplace_hint(map->end(), std::piecewise_construct,
                                   std::forward_as_tuple(std::move(key)), std::forward_as_tuple());
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
      ReadByteRun<std::string>(stream_, around.scope, out);
      return;
    case kByteListTag:
      ReadByteRun<std::vector<uint8_t>>(stream_, around.scope, out);
      return;
    case kInt32ListTag:
      ReadBlock<int32_t>(stream_, around.scope, out);
      return;
    case kInt64ListTag:
      ReadBlock<int64_t>(stream_, around.scope, out);
      return;
    case kDoubleListTag:
      ReadBlock<double>(stream_, around.scope, out);
      return;
    case kFloatListTag:
      ReadBlock<float>(stream_, around.scope, out);
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

EncodableValue StandardCodecSerializer::ReadValue(ByteStreamReader* stream) const {
  uint8_t type = stream->ReadByte();
  return ReadValueOfType(type, stream);
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

}  // namespace flutter
