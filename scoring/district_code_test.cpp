#include "scoring/district_code.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy {
namespace {

TEST(DistrictCodeTest, TakesTheLastThreeLettersOfTheUpperCasedTrimmedExchange) {
  const struct {
    const char* exchange;
    const char* code;  // nullptr: no code
  } cases[] = {
      // The last rows: trimming at its edge (the blank goes; "!" and high
      // bytes stay, and are no letters).
      {"ABC", "ABC"},        {"599ABC", "ABC"},    {"599 ABC", "ABC"},      {"599 abc", "ABC"},
      {"599 aBc  ", "ABC"},  {"ABC\t\r\n", "ABC"}, {"\x01 ABC\x01", "ABC"}, {"ABCD", "BCD"},
      {"599 ABCDEF", "DEF"}, {"AB", nullptr},      {" AB ", nullptr},       {"", nullptr},
      {"ABC1", nullptr},     {"AB1", nullptr},     {"ABC.", nullptr},       {"A BC", nullptr},
      {"AB\xC4", nullptr},   {"AB\xE4", nullptr},  {"   ", nullptr},        {"AB@", nullptr},
      {"AB[", nullptr},      {"AB`", nullptr},     {"AB{", nullptr},        {"Z z z", nullptr},
      {"zzz", "ZZZ"},        {"ABC\x20", "ABC"},   {"ABC!", nullptr},       {"ABC\xA0", nullptr},
      {"ABC\xFF", nullptr},
  };
  for (const auto& c : cases) {
    std::string code = "<none>";
    const bool found = ExtractDistrictCode(c.exchange, &code);
    EXPECT_EQ(found, c.code != nullptr) << "exchange: \"" << c.exchange << "\"";
    EXPECT_EQ(code, c.code ? c.code : "<none>") << "exchange: \"" << c.exchange << "\"";
  }
}

}  // namespace
}  // namespace qxqy
