#include "logfile/text_index.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::logfile {
namespace {

TEST(TextIndexTest, FindsEachKeyWholeAndKeepsTheFirstValue) {
  TextIndex index;
  // Keys that are prefixes of each other, differ only in case or length,
  // and the empty key.
  const std::pair<std::string, uint32_t> added[] = {{"Q", 1},  {"QX", 2}, {"QX1", 3},
                                                    {"qx", 4}, {"", 5},   {"QX", 6}};
  for (const auto& [key, value] : added) index.Add(key, value);
  EXPECT_EQ(index.Count(), 5u);
  const std::pair<std::string, uint32_t> found[] = {
      {"Q", 1}, {"QX", 2}, {"QX1", 3}, {"qx", 4}, {"", 5}};
  for (const auto& [key, value] : found) {
    const uint32_t* got = index.Find(key);
    ASSERT_NE(got, nullptr) << "'" << key << "'";
    EXPECT_EQ(*got, value) << "'" << key << "'";
  }
  for (const char* absent : {"QX12", "X", "Qx"}) {
    EXPECT_EQ(index.Find(absent), nullptr) << absent;
  }
  EXPECT_EQ(index.Find(std::string_view("QX\0", 3)), nullptr);
  EXPECT_EQ(TextIndex().Find("QX"), nullptr);
}

TEST(TextIndexTest, KeepsEveryKeyAcrossGrowth) {
  TextIndex index;
  for (uint32_t i = 0; i < 5000; ++i) index.Add("K" + std::to_string(i), i);
  for (uint32_t i = 0; i < 5000; ++i) {
    const uint32_t* got = index.Find("K" + std::to_string(i));
    ASSERT_NE(got, nullptr) << i;
    EXPECT_EQ(*got, i);
  }
  EXPECT_EQ(index.Find("K5000"), nullptr);
}

}  // namespace
}  // namespace qxqy::logfile
