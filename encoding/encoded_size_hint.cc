#include "encoding/encoded_size_hint.h"

#include <string>
#include <vector>

namespace flutter {
namespace {

// Tag plus the longest size form.
constexpr size_t kSizedHead = 1 + 5;
// Worst-case padding before an 8-byte aligned payload.
constexpr size_t kMaxPadding = 7;
// Guessed bytes per list element and per map entry.
constexpr size_t kListElementGuess = 16;
constexpr size_t kMapEntryGuess = 32;

template <typename T>
size_t BlockHint(const EncodableValue& value) {
  return kSizedHead + kMaxPadding + std::get<std::vector<T>>(value).size() * sizeof(T);
}

}  // namespace

size_t EncodedSizeHint(const EncodableValue& value) {
  switch (value.index()) {
    case 2:
      return 1 + 4;
    case 3:
      return 1 + 8;
    case 4:
      return 1 + kMaxPadding + 8;
    case 5:
      return kSizedHead + std::get<std::string>(value).size();
    case 6:
      return kSizedHead + std::get<std::vector<uint8_t>>(value).size();
    case 7:
      return BlockHint<int32_t>(value);
    case 8:
      return BlockHint<int64_t>(value);
    case 9:
      return BlockHint<double>(value);
    case 10:
      return kSizedHead + kListElementGuess * std::get<EncodableList>(value).size();
    case 11:
      return kSizedHead + kMapEntryGuess * std::get<EncodableMap>(value).size();
    case 13:
      return BlockHint<float>(value);
    default:  // null, bool, custom, valueless: the tag alone
      return 1;
  }
}

}  // namespace flutter
