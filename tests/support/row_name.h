// The rows of value-parameterized tests go by their `name`: RowName names each
// case after it, for INSTANTIATE_TEST_SUITE_P, and operator<< prints a row as
// it where GoogleTest shows a case's parameter. A test file brings the printer
// into its anonymous namespace, where the rows are declared, with
// `using kovi_test::operator<<;` so that GoogleTest finds it by
// argument-dependent lookup. (A PrintTo template would be as good a match as
// GoogleTest's own generic one, and ambiguous with it.)
#ifndef KOVI_TESTS_SUPPORT_ROW_NAME_H_
#define KOVI_TESTS_SUPPORT_ROW_NAME_H_

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

namespace kovi_test {

struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

template <typename Row, typename = decltype(std::declval<const Row&>().name)>
std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << row.name;
}

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_ROW_NAME_H_
