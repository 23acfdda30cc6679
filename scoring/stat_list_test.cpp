#include "scoring/stat_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qxqy {
namespace {

// FindOrAdd tries the entry it found last before searching: whatever the
// order of the labels, and after RemoveLast or Clear, it must find the entry
// a search from the start finds, and append only labels not listed.
TEST(StatListTest, FindOrAddAgreesWithASearchFromTheStart) {
  const std::vector<std::string> steps = {
      "14",      "14", "7",  "14",      "7",  "",   "",       "14 ", "14", "\xE9",    "\xC9", "7",
      "-remove", "7",  "21", "-remove", "21", "21", "-clear", "21",  "14", "-remove", "14",   "14",
  };
  StatList list;
  std::vector<std::string> reference;
  int step_number = 0;
  for (const std::string& step : steps) {
    ++step_number;
    if (step == "-remove") {
      list.RemoveLast();
      reference.pop_back();
      continue;
    }
    if (step == "-clear") {
      list.Clear();
      reference.clear();
      continue;
    }
    size_t expected = 0;
    while (expected < reference.size() && reference[expected] != step) ++expected;
    if (expected == reference.size()) reference.push_back(step);
    TStatistic& entry = list.FindOrAdd(step);
    entry.Qsos += 1;
    ASSERT_EQ(list.Count(), reference.size()) << "step " << step_number << " \"" << step << "\"";
    ASSERT_EQ(&entry, &list[expected]) << "step " << step_number << " \"" << step << "\"";
    ASSERT_EQ(entry.Band, step) << "step " << step_number;
    EXPECT_EQ(list.Find(step), &entry) << "step " << step_number;
  }
  EXPECT_EQ(list.Find("14")->Qsos, 2);
  EXPECT_EQ(list.Find("80"), nullptr);
}

}  // namespace
}  // namespace qxqy
