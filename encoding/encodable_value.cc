#include "encoding/encodable_value.h"

#include <cmath>
#include <functional>
#include <type_traits>

namespace flutter {
namespace {

using internal::As;

// The ordering is one three-way comparison: negative when the first value
// sorts first, zero when the two are equivalent, positive otherwise. Each pair
// of nodes of the two trees is visited at most once, so comparing is linear in
// their size however deep they nest (a two-way less-than asked both ways at
// every level would double the work per level of a key nested in keys, and
// such keys arrive from the Dart side).

// Bools, integers and addresses.
template <typename T>
int CompareScalars(const T& a, const T& b) {
  std::less<T> less;
  if (less(a, b)) {
    return -1;
  }
  return less(b, a) ? 1 : 0;
}

// Doubles and floats numerically, with every NaN after every other number and
// all NaNs equivalent. Numeric `<` alone would make a NaN equivalent to every
// number, which is no ordering a map can keep: {NaN: 1, 1.0: 2, 2.0: 3} would
// decode to one entry. -0.0 and 0.0 stay equivalent.
template <typename T>
int CompareFloating(T a, T b) {
  const bool a_nan = std::isnan(a);
  const bool b_nan = std::isnan(b);
  if (a_nan || b_nan) {
    return static_cast<int>(a_nan) - static_cast<int>(b_nan);
  }
  return CompareScalars(a, b);
}

// The first pair that is not equivalent decides; otherwise a sequence that
// runs out first is less.
template <typename Sequence, typename CompareElements>
int CompareSequences(const Sequence& a, const Sequence& b, CompareElements compare) {
  auto x = a.begin();
  auto y = b.begin();
  for (; x != a.end() && y != b.end(); ++x, ++y) {
    int order = compare(*x, *y);
    if (order != 0) {
      return order;
    }
  }
  if (x != a.end()) {
    return 1;
  }
  return y != b.end() ? -1 : 0;
}

template <typename T>
int CompareVectors(const EncodableValue& a, const EncodableValue& b) {
  if constexpr (std::is_floating_point_v<T>) {
    return CompareSequences(As<std::vector<T>>(a), As<std::vector<T>>(b), CompareFloating<T>);
  } else {
    return CompareSequences(As<std::vector<T>>(a), As<std::vector<T>>(b), CompareScalars<T>);
  }
}

int Compare(const EncodableValue& a, const EncodableValue& b);

// A map entry: the key decides, and the value when the keys are equivalent.
int CompareEntries(const EncodableMap::value_type& a, const EncodableMap::value_type& b) {
  int order = Compare(a.first, b.first);
  return order != 0 ? order : Compare(a.second, b.second);
}

// Compares two values that hold the same alternative, other than a string.
int CompareContent(const EncodableValue& a, const EncodableValue& b) {
  switch (a.index()) {
    case internal::kBoolIndex:
      return CompareScalars(As<bool>(a), As<bool>(b));
    case internal::kInt32Index:
      return CompareScalars(As<int32_t>(a), As<int32_t>(b));
    case internal::kInt64Index:
      return CompareScalars(As<int64_t>(a), As<int64_t>(b));
    case internal::kDoubleIndex:
      return CompareFloating(As<double>(a), As<double>(b));
    case internal::kByteListIndex:
      return CompareVectors<uint8_t>(a, b);
    case internal::kInt32ListIndex:
      return CompareVectors<int32_t>(a, b);
    case internal::kInt64ListIndex:
      return CompareVectors<int64_t>(a, b);
    case internal::kDoubleListIndex:
      return CompareVectors<double>(a, b);
    case internal::kListIndex:
      return CompareSequences(As<EncodableList>(a), As<EncodableList>(b), Compare);
    case internal::kMapIndex:
      return CompareSequences(As<EncodableMap>(a), As<EncodableMap>(b), CompareEntries);
    case internal::kCustomIndex: {
      // By identity: the holder at the lower address is less.
      const CustomEncodableValue* x = &As<CustomEncodableValue>(a);
      const CustomEncodableValue* y = &As<CustomEncodableValue>(b);
      return CompareScalars(x, y);
    }
    case internal::kFloatListIndex:
      return CompareVectors<float>(a, b);
    default:  // null, or both valueless: equivalent
      return 0;
  }
}

// Strings compare as unsigned bytes (as char_traits<char> does), a prefix
// first. Keys of one map mostly differ in their first byte, and an ordered
// map compares each inserted key twice: that byte decides without a call.
int CompareStrings(const std::string& a, const std::string& b) {
  if (!a.empty() && !b.empty() && a[0] != b[0]) {
    return static_cast<unsigned char>(a[0]) < static_cast<unsigned char>(b[0]) ? -1 : 1;
  }
  return a.compare(b);
}

// A valueless value sorts before every other; then the alternative's index
// decides; then the content. The valueless marker is the largest index, so one
// past it wraps to 0, below every alternative.
int Compare(const EncodableValue& a, const EncodableValue& b) {
  const size_t a_rank = a.index() + 1;
  const size_t b_rank = b.index() + 1;
  if (a_rank != b_rank) {
    return a_rank < b_rank ? -1 : 1;
  }
  // Strings, the usual map keys, skip the dispatch on the alternative.
  if (a.index() == internal::kStringIndex) {
    return CompareStrings(As<std::string>(a), As<std::string>(b));
  }
  return CompareContent(a, b);
}

}  // namespace

bool operator<(const EncodableValue& a, const EncodableValue& b) {
  return Compare(a, b) < 0;
}

}  // namespace flutter
