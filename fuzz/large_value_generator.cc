#include "fuzz/large_value_generator.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "encoding/standard_codec_serializer.h"

namespace kovi_fuzz {
namespace {

using flutter::EncodableList;
using flutter::EncodableMap;
using flutter::EncodableValue;

// How deep a reader lets lists and maps nest: inside this many containers a
// value is never a list or map.
constexpr int kMaxDepth = flutter::StandardCodecSerializer::kMaxReadNesting;

// Counts worth landing on (give or take 8): the size forms change after 253
// and 65535, the writer makes up to 4 KiB of room ahead and copies longer
// blocks straight in, and MiB blocks are what users send.
constexpr size_t kBoundaries[] = {
    253, 254, 256, 4032, 4096, 4160, 65535, 65536, 65537, size_t{1} << 20, size_t{2} << 20};

// The period of the fill pattern: prime, so it never lines up with elements.
constexpr size_t kPeriod = 251;

enum Kind : uint8_t {
  kNull,
  kBool,
  kInt32,
  kInt64,
  kDouble,
  kString,
  kByteList,
  kInt32List,
  kInt64List,
  kDoubleList,
  kFloatList,
  kList,
  kMap,
  kRepeated,   // one value, copied many times into a list
  kChain,      // lists and maps nested down to the deepest legal level
  kOddOffset,  // a typed list behind a run of 0 to 7 bytes
  kKinds
};

// Map keys made from an entry's index, so that wide maps keep every entry.
enum KeyKind : uint8_t { kInt32Key, kInt64Key, kStringKey, kDoubleKey, kGeneratedKey, kKeyKinds };

}  // namespace

template <typename T>
T LargeValueGenerator::Number() {
  uint8_t bytes[sizeof(T)];
  for (uint8_t& byte : bytes) {
    byte = TakeByte();
  }
  T number;
  std::memcpy(&number, bytes, sizeof(T));
  return number;
}

template <typename T>
EncodableValue LargeValueGenerator::Filled() {
  std::vector<T> elements(Charge(DrawCount(), sizeof(T), 0));
  Fill(elements.data(), elements.size() * sizeof(T));
  return EncodableValue(std::move(elements));
}

EncodableValue LargeValueGenerator::ValueAt(int depth) {
  uint8_t kind = TakeByte() % kKinds;
  if (kind >= kList) {
    return depth < kMaxDepth ? Container(kind, depth) : EncodableValue();
  }
  switch (kind) {
    case kNull:
      return EncodableValue();
    case kBool:
      return EncodableValue((TakeByte() & 1) != 0);
    case kInt32:
      return EncodableValue(Number<int32_t>());
    case kInt64:
      return EncodableValue(Number<int64_t>());
    case kDouble:
      return EncodableValue(Number<double>());
    default:
      return Block(kind);
  }
}

EncodableValue LargeValueGenerator::Container(uint8_t kind, int depth) {
  switch (kind) {
    case kList:
      return List(depth);
    case kMap:
      return Map(depth);
    case kRepeated:
      return Repeated(depth);
    case kChain:
      return Chain(depth);
    default:
      return AtOddOffset();
  }
}

EncodableValue LargeValueGenerator::Block(uint8_t kind) {
  switch (kind) {
    case kString: {
      std::string text(Charge(DrawCount(), 1, 0), '\0');
      Fill(text.data(), text.size());
      return EncodableValue(std::move(text));
    }
    case kByteList:
      return Filled<uint8_t>();
    case kInt32List:
      return Filled<int32_t>();
    case kInt64List:
      return Filled<int64_t>();
    case kDoubleList:
      return Filled<double>();
    default:
      return Filled<float>();
  }
}

EncodableValue LargeValueGenerator::List(int depth) {
  EncodableList list(Charge(DrawCount(), 0, 1));
  for (EncodableValue& element : list) {
    element = ValueAt(depth + 1);
  }
  return EncodableValue(std::move(list));
}

EncodableValue LargeValueGenerator::Map(int depth) {
  uint8_t key_kind = TakeByte() % kKeyKinds;
  size_t count = Charge(DrawCount(), 0, 2);
  EncodableMap map;
  for (size_t i = 0; i < count; ++i) {
    EncodableValue key = key_kind == kGeneratedKey ? ValueAt(depth + 1) : IndexedKey(key_kind, i);
    map.emplace(std::move(key), ValueAt(depth + 1));
  }
  return EncodableValue(std::move(map));
}

EncodableValue LargeValueGenerator::IndexedKey(uint8_t kind, size_t index) {
  switch (kind) {
    case kInt32Key:
      return EncodableValue(static_cast<int32_t>(index));
    case kInt64Key:
      return EncodableValue(static_cast<int64_t>(index));
    case kStringKey:
      return EncodableValue(std::to_string(index));
    default:
      return EncodableValue(static_cast<double>(index));
  }
}

EncodableValue LargeValueGenerator::Repeated(int depth) {
  size_t bytes_before = bytes_left_;
  size_t values_before = values_left_;
  EncodableValue element = ValueAt(depth + 1);
  size_t count = Charge(DrawCount(), bytes_before - bytes_left_, values_before - values_left_ + 1);
  return EncodableValue(EncodableList(count, element));
}

EncodableValue LargeValueGenerator::Chain(int depth) {
  const size_t room = static_cast<size_t>(kMaxDepth - depth);
  uint8_t length = TakeByte();
  // A wrapping list holds up to three siblings before the deeper value.
  size_t levels = Charge(length >= 128 ? room : std::min<size_t>(length, room), 0, 4);
  EncodableValue value = ValueAt(depth + static_cast<int>(levels));
  for (size_t level = levels; level-- > 0;) {
    uint8_t wrapper = TakeByte();
    if ((wrapper & 1) != 0) {
      EncodableMap map;
      map.emplace(EncodableValue(static_cast<int32_t>(level)), std::move(value));
      value = EncodableValue(std::move(map));
    } else {
      EncodableList list;
      for (int32_t sibling = 0; sibling < (wrapper >> 1) % 4; ++sibling) {
        list.emplace_back(sibling);
      }
      list.push_back(std::move(value));
      value = EncodableValue(std::move(list));
    }
  }
  return value;
}

EncodableValue LargeValueGenerator::AtOddOffset() {
  if (Charge(1, 0, 2) == 0) {
    return EncodableValue();
  }
  std::vector<uint8_t> run(TakeByte() % 8);
  Fill(run.data(), run.size());
  uint8_t kind = kInt32List + TakeByte() % 4;
  return EncodableValue(EncodableList{EncodableValue(std::move(run)), Block(kind)});
}

size_t LargeValueGenerator::DrawCount() {
  uint8_t form = TakeByte() % 8;
  if (form < 4) {
    return TakeByte();
  }
  if (form < 6) {
    size_t boundary = kBoundaries[TakeByte() % std::size(kBoundaries)];
    return boundary - 8 + TakeByte() % 17;
  }
  if (form == 6) {
    return Number<uint16_t>();
  }
  size_t count = TakeByte();
  count = count << 8 | TakeByte();
  return count << 8 | TakeByte();
}

size_t LargeValueGenerator::Charge(size_t count, size_t bytes_each, size_t values_each) {
  if (bytes_each > 0) {
    count = std::min(count, bytes_left_ / bytes_each);
  }
  if (values_each > 0) {
    count = std::min(count, values_left_ / values_each);
  }
  bytes_left_ -= count * bytes_each;
  values_left_ -= count * values_each;
  return count;
}

void LargeValueGenerator::Fill(void* out, size_t length) {
  auto* bytes = static_cast<uint8_t*>(out);
  uint8_t seed = TakeByte();
  uint8_t step = TakeByte();
  size_t filled = std::min(length, kPeriod);
  for (size_t i = 0; i < filled; ++i) {
    bytes[i] = static_cast<uint8_t>(seed + i * step);
  }
  // Doubling copies of whole periods keep the pattern.
  while (filled < length) {
    size_t copied = std::min(filled, length - filled);
    std::memcpy(bytes + filled, bytes, copied);
    filled += copied;
  }
}

}  // namespace kovi_fuzz
