// The value of every channel payload: method-call arguments, results, error
// details and stream events. A closed tagged union of fourteen alternatives in
// a fixed index order (the codec maps indexes to wire tags), with value
// semantics: a value owns all of its content and copies deeply. Not internally
// synchronised; a value belongs to the thread that uses it.
#ifndef KOVI_ENCODING_ENCODABLE_VALUE_H_
#define KOVI_ENCODING_ENCODABLE_VALUE_H_

#include <any>
#include <cstddef>
#include <cstdint>
#if defined(__cpp_impl_three_way_comparison) && __has_include(<compare>)
#include <compare>
#endif
#include <map>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace flutter {

class EncodableValue;

// The total ordering of values (the key order of EncodableMap): a valueless
// value first, then by alternative index, then by content; custom values by
// the address of their holder. Doubles and floats, alone or in lists, order
// numerically with every NaN after every other number and all NaNs equivalent,
// so that the ordering stays a strict weak ordering.
bool operator<(const EncodableValue& a, const EncodableValue& b);

// A heterogeneous list of values; nests freely.
using EncodableList = std::vector<EncodableValue>;
// An ordered map from value to value, keyed by the value ordering (operator<).
using EncodableMap = std::map<EncodableValue, EncodableValue>;

// Holds one arbitrary copyable value for codec extensions. Copy-only: it has no
// move of its own, so moving one copies the held value and leaves the source as
// it was. The standard codec cannot encode it.
class CustomEncodableValue {
 public:
  explicit CustomEncodableValue(const std::any& value) : value_(value) {}
  ~CustomEncodableValue() = default;

  CustomEncodableValue(const CustomEncodableValue&) = default;
  CustomEncodableValue& operator=(const CustomEncodableValue&) = default;

  const std::any& value() const { return value_; }

 private:
  std::any value_;
};

namespace internal {
// The alternatives in index order. Index 13 (float list) comes after the
// custom holder, not next to the other typed lists.
using EncodableValueVariant = std::variant<std::monostate,  // 0 null
                                           bool,            // 1
                                           int32_t,         // 2
                                           int64_t,         // 3
                                           double,          // 4
                                           std::string,     // 5 UTF-8 by convention, not validated
                                           std::vector<uint8_t>,  // 6
                                           std::vector<int32_t>,  // 7
                                           std::vector<int64_t>,  // 8
                                           std::vector<double>,   // 9
                                           EncodableList,         // 10
                                           EncodableMap,          // 11
                                           CustomEncodableValue,  // 12
                                           std::vector<float>>;   // 13

// The index of each alternative, for switches on value.index().
constexpr size_t kNullIndex = 0;
constexpr size_t kBoolIndex = 1;
constexpr size_t kInt32Index = 2;
constexpr size_t kInt64Index = 3;
constexpr size_t kDoubleIndex = 4;
constexpr size_t kStringIndex = 5;
constexpr size_t kByteListIndex = 6;
constexpr size_t kInt32ListIndex = 7;
constexpr size_t kInt64ListIndex = 8;
constexpr size_t kDoubleListIndex = 9;
constexpr size_t kListIndex = 10;
constexpr size_t kMapIndex = 11;
constexpr size_t kCustomIndex = 12;
constexpr size_t kFloatListIndex = 13;

// Each index names the alternative it says.
template <size_t kIndex>
using Alternative = std::variant_alternative_t<kIndex, EncodableValueVariant>;
static_assert(std::variant_size_v<EncodableValueVariant> == 14);
static_assert(std::is_same_v<Alternative<kNullIndex>, std::monostate>);
static_assert(std::is_same_v<Alternative<kBoolIndex>, bool>);
static_assert(std::is_same_v<Alternative<kInt32Index>, int32_t>);
static_assert(std::is_same_v<Alternative<kInt64Index>, int64_t>);
static_assert(std::is_same_v<Alternative<kDoubleIndex>, double>);
static_assert(std::is_same_v<Alternative<kStringIndex>, std::string>);
static_assert(std::is_same_v<Alternative<kByteListIndex>, std::vector<uint8_t>>);
static_assert(std::is_same_v<Alternative<kInt32ListIndex>, std::vector<int32_t>>);
static_assert(std::is_same_v<Alternative<kInt64ListIndex>, std::vector<int64_t>>);
static_assert(std::is_same_v<Alternative<kDoubleListIndex>, std::vector<double>>);
static_assert(std::is_same_v<Alternative<kListIndex>, EncodableList>);
static_assert(std::is_same_v<Alternative<kMapIndex>, EncodableMap>);
static_assert(std::is_same_v<Alternative<kCustomIndex>, CustomEncodableValue>);
static_assert(std::is_same_v<Alternative<kFloatListIndex>, std::vector<float>>);

// The content of `value`, which must hold a T (std::get: the wrong
// alternative raises std::bad_variant_access). For the encoding layer's own
// switches on the index.
template <typename T>
const T& As(const EncodableValue& value) {
  return std::get<T>(value);
}
}  // namespace internal

// Access with std::get<T>(value), std::get_if<T>(&value) and value.index();
// the wrong alternative raises std::bad_variant_access. Assignment, copy and
// move are those of std::variant: a moved-from value keeps its alternative
// with empty content (scalars and custom values are copied).
class EncodableValue : public internal::EncodableValueVariant {
 public:
  using super = internal::EncodableValueVariant;
  using super::super;
  using super::operator=;

  EncodableValue() = default;

  // A C string literal is a string, never a bool. The pointer must not be null.
  EncodableValue(const char* string) : super(std::string(string)) {}
  EncodableValue& operator=(const char* string) {
    super::operator=(std::string(string));
    return *this;
  }

  bool IsNull() const { return index() == internal::kNullIndex; }

#if defined(__cpp_impl_three_way_comparison) && __has_include(<compare>)
  // For C++20 users: without an exact-match comparison of its own, `a < b`
  // would also weigh std::variant's operator<=>, whose constraint recurses
  // through the list and map alternatives and does not compile with GCC. The
  // order is the one of operator< above.
  friend std::weak_ordering operator<=>(const EncodableValue& a, const EncodableValue& b) {
    if (a < b) {
      return std::weak_ordering::less;
    }
    return b < a ? std::weak_ordering::greater : std::weak_ordering::equivalent;
  }
#endif
};

}  // namespace flutter

#endif  // KOVI_ENCODING_ENCODABLE_VALUE_H_
