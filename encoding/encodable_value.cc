#include "encoding/encodable_value.h"

#include <algorithm>
#include <functional>

namespace flutter {
namespace {

template <typename T>
const T& As(const EncodableValue& value) {
  return std::get<T>(value);
}

// Both walks stop at the first pair where one side is less; a pair where
// neither is (equal elements, or a NaN) does not decide.
template <typename Container, typename Less>
bool WalkLess(const Container& a, const Container& b, Less less) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less);
}

bool EntryLess(const EncodableMap::value_type& a, const EncodableMap::value_type& b) {
  if (a.first < b.first) {
    return true;
  }
  return !(b.first < a.first) && a.second < b.second;
}

// Compares two values that hold the same alternative.
bool ContentLess(const EncodableValue& a, const EncodableValue& b) {
  switch (a.index()) {
    case 1:
      return As<bool>(a) < As<bool>(b);
    case 2:
      return As<int32_t>(a) < As<int32_t>(b);
    case 3:
      return As<int64_t>(a) < As<int64_t>(b);
    case 4:
      return As<double>(a) < As<double>(b);
    case 5:
      return As<std::string>(a).compare(As<std::string>(b)) < 0;
    case 6:
      return As<std::vector<uint8_t>>(a) < As<std::vector<uint8_t>>(b);
    case 7:
      return As<std::vector<int32_t>>(a) < As<std::vector<int32_t>>(b);
    case 8:
      return As<std::vector<int64_t>>(a) < As<std::vector<int64_t>>(b);
    case 9:
      return As<std::vector<double>>(a) < As<std::vector<double>>(b);
    case 10:
      return WalkLess(As<EncodableList>(a), As<EncodableList>(b),
                      [](const EncodableValue& x, const EncodableValue& y) { return x < y; });
    case 11:
      return WalkLess(As<EncodableMap>(a), As<EncodableMap>(b), EntryLess);
    case 12:
      return std::less<const CustomEncodableValue*>()(&As<CustomEncodableValue>(a),
                                                      &As<CustomEncodableValue>(b));
    case 13:
      return As<std::vector<float>>(a) < As<std::vector<float>>(b);
    default:  // null: all nulls are equivalent
      return false;
  }
}

}  // namespace

bool operator<(const EncodableValue& a, const EncodableValue& b) {
  if (b.valueless_by_exception()) {
    return false;
  }
  if (a.valueless_by_exception()) {
    return true;
  }
  if (a.index() != b.index()) {
    return a.index() < b.index();
  }
  return ContentLess(a, b);
}

}  // namespace flutter
