// RowName: names each case of a value-parameterized test after the `name` of
// its row, for INSTANTIATE_TEST_SUITE_P.
#ifndef KOVI_TESTS_SUPPORT_ROW_NAME_H_
#define KOVI_TESTS_SUPPORT_ROW_NAME_H_

#include <gtest/gtest.h>

#include <string>

namespace kovi_test {

struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_ROW_NAME_H_
