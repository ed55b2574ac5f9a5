#include "shell/utf16_to_utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf16ToUtf8, ConvertsWellFormedTextAndRefusesEverythingElse) {
  const struct {
    const char* name;
    const wchar_t* utf16;
    std::string utf8;
  } conversions[] = {
      {"null", nullptr, ""},
      {"empty", L"", ""},
      {"ascii", L"kovi --rate", "kovi --rate"},
      {"two-byte and three-byte forms", L"\u00e9\u20ac", "\xc3\xa9\xe2\x82\xac"},
      {"surrogate pair", L"\xd83d\xddb1", "\xf0\x9f\x96\xb1"},
      {"pair between text",
       L"a\xd83d\xddb1"
       L"b",
       "a\xf0\x9f\x96\xb1"
       "b"},
      {"lone high surrogate",
       L"a\xd800"
       L"b",
       ""},
      {"lone low surrogate", L"\xdc00", ""},
      {"reversed pair", L"\xdc00\xd800", ""},
      {"high surrogate at the end", L"abc\xd83d", ""},
  };
  for (const auto& conversion : conversions) {
    SCOPED_TRACE(conversion.name);
    EXPECT_EQ(Utf16ToUtf8(conversion.utf16), conversion.utf8);
  }
}

}  // namespace
