#include "encoding/encoded_size.h"

#include <string>
#include <vector>

namespace flutter {
namespace {

// Tag plus the longest size form.
constexpr size_t kSizedHeader = 1 + 5;
// Worst-case padding before an 8-byte aligned payload.
constexpr size_t kMaxPadding = 7;

template <typename T>
size_t BlockBound(const EncodableValue& value) {
  return kSizedHeader + kMaxPadding + std::get<std::vector<T>>(value).size() * sizeof(T);
}

}  // namespace

size_t EncodedSizeBound(const EncodableValue& value) {
  switch (value.index()) {
    case 2:
      return 1 + 4;
    case 3:
      return 1 + 8;
    case 4:
      return 1 + kMaxPadding + 8;
    case 5:
      return kSizedHeader + std::get<std::string>(value).size();
    case 6:
      return kSizedHeader + std::get<std::vector<uint8_t>>(value).size();
    case 7:
      return BlockBound<int32_t>(value);
    case 8:
      return BlockBound<int64_t>(value);
    case 9:
      return BlockBound<double>(value);
    case 10: {
      size_t size = kSizedHeader;
      for (const EncodableValue& element : std::get<EncodableList>(value)) {
        size += EncodedSizeBound(element);
      }
      return size;
    }
    case 11: {
      size_t size = kSizedHeader;
      for (const auto& entry : std::get<EncodableMap>(value)) {
        size += EncodedSizeBound(entry.first) + EncodedSizeBound(entry.second);
      }
      return size;
    }
    case 13:
      return BlockBound<float>(value);
    default:  // null, bool, custom, valueless: the tag alone
      return 1;
  }
}

}  // namespace flutter
