#include "encoding/encodable_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/codec_test_support.h"

namespace {

using flutter::CustomEncodableValue;
using flutter::EncodableList;
using flutter::EncodableMap;
using flutter::EncodableValue;
using kovi_test::ValueText;

EncodableValue Valueless() {
  std::any held{kovi_test::CopyFails()};
  EncodableValue value(1);
  try {
    value.emplace<CustomEncodableValue>(held);
  } catch (const std::runtime_error&) {
  }
  return value;
}

TEST(EncodableValue, EachConstructionSelectsItsAlternativeIndex) {
  const struct {
    EncodableValue value;
    size_t index;
  } cases[] = {
      {EncodableValue(), 0},
      {EncodableValue(true), 1},
      {EncodableValue(int32_t{7}), 2},
      {EncodableValue(int64_t{7}), 3},
      {EncodableValue(1.5), 4},
      {EncodableValue(std::string("s")), 5},
      {EncodableValue("literal"), 5},
      {EncodableValue(std::vector<uint8_t>{1}), 6},
      {EncodableValue(std::vector<int32_t>{1}), 7},
      {EncodableValue(std::vector<int64_t>{1}), 8},
      {EncodableValue(std::vector<double>{1}), 9},
      {EncodableValue(EncodableList{}), 10},
      {EncodableValue(EncodableMap{}), 11},
      {EncodableValue(CustomEncodableValue(std::any(3))), 12},
      {EncodableValue(std::vector<float>{1}), 13},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.index(), c.index) << ValueText(c.value);
    EXPECT_EQ(c.value.IsNull(), c.index == 0);
  }
}

TEST(EncodableValue, CStringIsAStringAlsoWhenAssigned) {
  EncodableValue value("text");
  EXPECT_EQ(std::get<std::string>(value), "text");
  value = 5;
  value = "again";
  EXPECT_EQ(std::get<std::string>(value), "again");
}

TEST(EncodableValue, WrongAlternativeRaisesBadVariantAccess) {
  EncodableValue value(int32_t{1});
  EXPECT_THROW((void)std::get<std::string>(value), std::bad_variant_access);
  EXPECT_THROW((void)std::get<int64_t>(value), std::bad_variant_access);
}

TEST(EncodableValue, MoveLeavesContainersEmptyButKeepsAlternativeAndCustomContent) {
  EncodableValue string("abc");
  EncodableValue moved_string(std::move(string));
  EXPECT_EQ(string.index(), 5u);  // NOLINT(bugprone-use-after-move)
  EXPECT_TRUE(std::get<std::string>(string).empty());
  EXPECT_EQ(std::get<std::string>(moved_string), "abc");

  EncodableValue list(EncodableList{EncodableValue(1), EncodableValue(2)});
  EncodableValue target(EncodableList{EncodableValue(9)});
  target = std::move(list);
  EXPECT_TRUE(std::get<EncodableList>(list).empty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(ValueText(target), "list[i32:1,i32:2]");

  EncodableValue custom(CustomEncodableValue(std::any(std::string("held"))));
  EncodableValue moved_custom(std::move(custom));
  EXPECT_EQ(std::any_cast<std::string>(std::get<CustomEncodableValue>(custom).value()),
            "held");  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(std::any_cast<std::string>(std::get<CustomEncodableValue>(moved_custom).value()),
            "held");
}

TEST(EncodableValue, CopyIsDeep) {
  EncodableValue original(EncodableList{EncodableValue(EncodableMap{{"k", "v"}})});
  EncodableValue copy = original;
  std::get<EncodableMap>(std::get<EncodableList>(copy)[0])[EncodableValue("k")] = 1;
  EXPECT_EQ(ValueText(original),
            ValueText(EncodableValue(EncodableList{EncodableMap{{"k", "v"}}})));
}

// One row: a < b is expected to be `less`, and b < a to be `greater`.
struct OrderCase {
  const char* name;
  EncodableValue a;
  EncodableValue b;
  bool less;
  bool greater;
};

std::vector<OrderCase> OrderCases() {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  const EncodableMap key_map{{1, 2}};
  return {
      {"nulls are equivalent", EncodableValue(), EncodableValue(), false, false},
      {"null before bool", EncodableValue(), false, true, false},
      {"false before true", false, true, true, false},
      {"any int32 before any int64", int32_t{1000}, int64_t{-5}, true, false},
      {"int32 signed", int32_t{-1}, int32_t{1}, true, false},
      {"int64 signed", int64_t{-1}, int64_t{1}, true, false},
      {"double numeric", -0.5, 0.25, true, false},
      {"NaN after every number", nan, 1.0, false, true},
      {"NaN after infinity", inf, nan, true, false},
      {"NaNs equivalent whatever their sign", -nan, nan, false, false},
      {"infinities numeric", -inf, inf, true, false},
      {"prefix string is less", "ab", "abc", true, false},
      {"upper before lower", "B", "a", true, false},
      {"string bytes unsigned", "a", "\xC3\xA9", true, false},
      {"bytes unsigned", std::vector<uint8_t>{1, 2}, std::vector<uint8_t>{1, 0xFF}, true, false},
      {"int32 list signed", std::vector<int32_t>{1, -1}, std::vector<int32_t>{1, 2}, true, false},
      {"int64 list prefix", std::vector<int64_t>{1}, std::vector<int64_t>{1, 0}, true, false},
      {"double list NaN after a number", std::vector<double>{nan, 1}, std::vector<double>{0, 2},
       false, true},
      {"double list shorter", std::vector<double>{nan}, std::vector<double>{nan, 0}, true, false},
      {"float list NaN after infinity", std::vector<float>{std::nanf("")},
       std::vector<float>{std::numeric_limits<float>::infinity()}, false, true},
      {"float list", std::vector<float>{2}, std::vector<float>{1, 5}, false, true},
      {"list prefix", EncodableList{1, 2}, EncodableList{1, 2, 0}, true, false},
      {"list first difference", EncodableList{2}, EncodableList{1, 5}, false, true},
      {"list elements by alternative", EncodableList{int32_t{9}}, EncodableList{int64_t{1}}, true,
       false},
      {"map by key", EncodableMap{{1, "z"}}, EncodableMap{{2, "a"}}, true, false},
      {"map by value on equal key", EncodableMap{{1, "a"}}, EncodableMap{{1, "b"}}, true, false},
      {"map prefix", EncodableMap{{1, "a"}}, EncodableMap{{1, "a"}, {2, "a"}}, true, false},
      {"float list after custom", CustomEncodableValue(std::any(2)), std::vector<float>{}, true,
       false},
      {"valueless before null", Valueless(), EncodableValue(), true, false},
      {"valueless never less than valueless", Valueless(), Valueless(), false, false},
      {"zero and negative zero equivalent", 0.0, -0.0, false, false},
      {"string with a zero byte is longer", std::string("a\0", 2), "a", false, true},
      {"bytes prefix", std::vector<uint8_t>{1}, std::vector<uint8_t>{1, 0}, true, false},
      {"list NaN element after a number", EncodableList{nan, 1}, EncodableList{0.0, 2}, false,
       true},
      {"lists of NaN equivalent", EncodableList{nan}, EncodableList{nan}, false, false},
      {"list decided deep inside", EncodableList{EncodableList{1, EncodableList{2}}},
       EncodableList{EncodableList{1, EncodableList{3}}}, true, false},
      {"list valueless element first", EncodableList{Valueless()}, EncodableList{EncodableValue()},
       true, false},
      {"map NaN values equivalent, next entry decides", EncodableMap{{1, nan}, {2, "a"}},
       EncodableMap{{1, -nan}, {2, "b"}}, true, false},
      {"map NaN key after a number key", EncodableMap{{nan, 1}}, EncodableMap{{1e308, 1}}, false,
       true},
      {"map keys that are maps, by value", EncodableMap{{key_map, "a"}},
       EncodableMap{{key_map, "b"}}, true, false},
      {"map key decides before value", EncodableMap{{key_map, "z"}},
       EncodableMap{{EncodableMap{{1, 3}}, "a"}}, true, false},
      {"equal maps of maps equivalent", EncodableMap{{key_map, key_map}},
       EncodableMap{{key_map, key_map}}, false, false},
  };
}

TEST(EncodableValueOrder, Table) {
  for (const OrderCase& c : OrderCases()) {
    EXPECT_EQ(c.a < c.b, c.less) << c.name;
    EXPECT_EQ(c.b < c.a, c.greater) << c.name;
  }
}

// Every value of the table but the custom ones: a copy of a custom value has
// an address of its own, so its order against the original is not pinned.
std::vector<EncodableValue> TableValues() {
  std::vector<EncodableValue> values;
  for (const OrderCase& c : OrderCases()) {
    for (const EncodableValue* value : {&c.a, &c.b}) {
      if (value->index() != 12) {
        values.push_back(*value);
      }
    }
  }
  return values;
}

// The ordering is a strict weak ordering, as an ordered map needs, over the
// table's values and the numbers on every edge of the double and float lists:
// irreflexive, asymmetric, transitive, and equivalence transitive too.
TEST(EncodableValueOrder, IsAStrictWeakOrderingWithNaNsInfinitiesAndZeros) {
  std::vector<EncodableValue> pool = TableValues();
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  for (double number : {nan, -nan, std::nan("7"), inf, -inf, 0.0, -0.0, 5e-324, -1e308, 1.0}) {
    pool.emplace_back(number);
    pool.emplace_back(std::vector<double>{number, 1.0});
    pool.emplace_back(std::vector<float>{static_cast<float>(number)});
    pool.emplace_back(EncodableMap{{number, 1}});
  }
  pool.emplace_back(int32_t{1});
  pool.emplace_back(int64_t{1});
  const auto equivalent = [](const EncodableValue& x, const EncodableValue& y) {
    return !(x < y) && !(y < x);
  };
  for (const EncodableValue& x : pool) {
    EXPECT_FALSE(x < x) << ValueText(x);
    for (const EncodableValue& y : pool) {
      EXPECT_FALSE(x < y && y < x) << ValueText(x) << " vs " << ValueText(y);
      for (const EncodableValue& z : pool) {
        if (x < y && y < z) {
          EXPECT_TRUE(x < z) << ValueText(x) << " < " << ValueText(y) << " < " << ValueText(z);
        }
        if (equivalent(x, y) && equivalent(y, z)) {
          EXPECT_TRUE(equivalent(x, z))
              << ValueText(x) << " ~ " << ValueText(y) << " ~ " << ValueText(z);
        }
      }
    }
  }
}

// Lists and maps order by their first pair of elements (or entries) that are
// not equivalent, over every pair of table values: x and y stand for any two
// values whose own order the table pins down.
TEST(EncodableValueOrder, ContainersOrderByTheirFirstNonEquivalentPair) {
  // Whether the first container is less than the second, both as values.
  const auto lists = [](EncodableList a, EncodableList b) { return EncodableValue(a) < b; };
  const auto maps = [](EncodableMap a, EncodableMap b) { return EncodableValue(a) < b; };
  const std::vector<EncodableValue> pool = TableValues();
  for (const EncodableValue& x : pool) {
    for (const EncodableValue& y : pool) {
      const bool less = x < y;
      const bool equivalent = !less && !(y < x);
      const std::string pair = ValueText(x) + " vs " + ValueText(y);
      EXPECT_EQ(lists({x}, {y}), less) << pair;
      EXPECT_EQ(lists({x, 1}, {y, 2}), less || equivalent) << pair;
      EXPECT_EQ(lists({x}, {y, 0}), less || equivalent) << pair;
      EXPECT_EQ(maps({{x, 0}}, {{y, 9}}), less || equivalent) << pair;
      EXPECT_EQ(maps({{0, x}}, {{0, y}}), less) << pair;
      EXPECT_EQ(maps({{0, x}, {1, 1}}, {{0, y}, {1, 2}}), less || equivalent) << pair;
    }
  }
}

// A map whose one key is a map whose one key is a map ..., `depth` levels,
// each entry's value null; `innermost` is the deepest key.
EncodableValue NestedMapKeys(int depth, const EncodableValue& innermost) {
  EncodableValue value = innermost;
  for (int i = 0; i < depth; ++i) {
    value = EncodableValue(EncodableMap{{std::move(value), EncodableValue()}});
  }
  return value;
}

// Keys equal all the way down, 200 levels deep. A comparison that asked
// less-than both ways at every level would take 2^200 steps for the lists and
// 4^200 for the maps and never end: the CTest timeout of this case is the
// guard (no timing in the test itself).
TEST(EncodableValueOrder, KeysNestedHundredsDeepCompareInOneWalk) {
  using Nest = EncodableValue (*)(int, const EncodableValue&);
  for (Nest nest : {Nest{kovi_test::WrappedInLists}, Nest{NestedMapKeys}}) {
    const EncodableValue one = nest(200, 1);
    const EncodableValue same = nest(200, 1);
    const EncodableValue two = nest(200, 2);
    EXPECT_FALSE(one < same);
    EXPECT_FALSE(same < one);
    EXPECT_TRUE(one < two);
    EXPECT_FALSE(two < one);
    EncodableMap map;
    map.emplace(one, "first");
    EXPECT_FALSE(map.emplace(same, "second").second);
    map.emplace(two, "third");
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(std::get<std::string>(map.begin()->second), "first");
  }
}

TEST(EncodableValueOrder, CustomValuesOrderByAddressOfTheirHolder) {
  EncodableList list{CustomEncodableValue(std::any(2)), CustomEncodableValue(std::any(1))};
  EXPECT_TRUE(list[0] < list[1]);
  EXPECT_FALSE(list[1] < list[0]);
  EXPECT_FALSE(list[0] < list[0]);
}

TEST(EncodableValueOrder, EveryAlternativeSortsByIndexWhateverItsContent) {
  const std::vector<EncodableValue> ascending = {EncodableValue(),
                                                 true,
                                                 int32_t{2147483647},
                                                 int64_t{-9000000000},
                                                 -1e300,
                                                 "",
                                                 std::vector<uint8_t>{},
                                                 std::vector<int32_t>{},
                                                 std::vector<int64_t>{},
                                                 std::vector<double>{},
                                                 EncodableList{},
                                                 EncodableMap{},
                                                 CustomEncodableValue(std::any()),
                                                 std::vector<float>{}};
  for (size_t i = 0; i < ascending.size(); ++i) {
    for (size_t j = 0; j < ascending.size(); ++j) {
      EXPECT_EQ(ascending[i] < ascending[j], i < j) << i << " vs " << j;
    }
  }
}

TEST(EncodableMap, IteratesInValueOrderAndKeepsOneEntryPerKey) {
  EncodableMap map;
  map.emplace("b", 1);
  map.emplace("a", 2);
  map.emplace(int32_t{1}, 3);
  map.emplace(true, 4);
  EXPECT_FALSE(map.emplace("a", 99).second);
  map[EncodableValue("missing")];
  std::vector<std::string> keys;
  for (const auto& entry : map) {
    keys.push_back(ValueText(entry.first));
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"true", "i32:1", "str(1):61", "str(1):62",
                                            "str(7):6D 69 73 73 69 6E 67"}));
  EXPECT_EQ(std::get<int32_t>(map.at(EncodableValue("a"))), 2);
  EXPECT_TRUE(map.at(EncodableValue("missing")).IsNull());
}

}  // namespace
