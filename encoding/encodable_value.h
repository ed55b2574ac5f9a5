// The value of every channel payload: method-call arguments, results, error
// details and stream events. A closed tagged union of fourteen alternatives in
// a fixed index order (the codec maps indexes to wire tags), with value
// semantics: a value owns all of its content and copies deeply. Not internally
// synchronised; a value belongs to the thread that uses it.
#ifndef KOVI_ENCODING_ENCODABLE_VALUE_H_
#define KOVI_ENCODING_ENCODABLE_VALUE_H_

#include <any>
#include <cstdint>
#if defined(__cpp_impl_three_way_comparison) && __has_include(<compare>)
#include <compare>
#endif
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace flutter {

class EncodableValue;

// The total ordering of values (the key order of EncodableMap): a valueless
// value first, then by alternative index, then by content; custom values by
// the address of their holder. A NaN is neither less nor greater than anything.
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

  bool IsNull() const { return index() == 0; }

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
