#include "encoding/encoded_size_hint.h"

#include <string>
#include <vector>

namespace flutter {
namespace {

using internal::As;

// Tag plus the longest size form.
constexpr size_t kSizedHead = 1 + 5;
// Worst-case padding before an 8-byte aligned payload.
constexpr size_t kMaxPadding = 7;
// Guessed bytes per list element and per map entry.
constexpr size_t kListElementGuess = 16;
constexpr size_t kMapEntryGuess = 32;

template <typename T>
size_t BlockHint(const EncodableValue& value) {
  return kSizedHead + kMaxPadding + As<std::vector<T>>(value).size() * sizeof(T);
}

}  // namespace

size_t EncodedSizeHint(const EncodableValue& value) {
  switch (value.index()) {
    case internal::kInt32Index:
      return 1 + 4;
    case internal::kInt64Index:
      return 1 + 8;
    case internal::kDoubleIndex:
      return 1 + kMaxPadding + 8;
    case internal::kStringIndex:
      return kSizedHead + As<std::string>(value).size();
    case internal::kByteListIndex:
      return kSizedHead + As<std::vector<uint8_t>>(value).size();
    case internal::kInt32ListIndex:
      return BlockHint<int32_t>(value);
    case internal::kInt64ListIndex:
      return BlockHint<int64_t>(value);
    case internal::kDoubleListIndex:
      return BlockHint<double>(value);
    case internal::kListIndex:
      return kSizedHead + kListElementGuess * As<EncodableList>(value).size();
    case internal::kMapIndex:
      return kSizedHead + kMapEntryGuess * As<EncodableMap>(value).size();
    case internal::kFloatListIndex:
      return BlockHint<float>(value);
    default:  // null, bool, custom, valueless: the tag alone
      return 1;
  }
}

}  // namespace flutter
