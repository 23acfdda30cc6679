#include "scoring/qso_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace qxqy {
namespace {

struct Contact {
  std::string call;
  std::string band;
  std::string mode;
};

std::string Describe(const Contact& c) {
  return "\"" + c.call + "\" \"" + c.band + "\" \"" + c.mode + "\"";
}

bool IsDupe(const QsoList& list, const Contact& c) { return list.IsDupe(c.call, c.band, c.mode); }
bool Add(QsoList& list, const Contact& c) { return list.AddIfAbsent(c.call, c.band, c.mode); }

// Contacts that differ from each other in one byte, in where one text ends
// and the next begins, in letter case or in a byte above 127.
const std::vector<Contact>& NearContacts() {
  static const std::vector<Contact> contacts = {
      {"QX1AB", "14", "CW"},
      {"qx1ab", "14", "CW"},
      {"QX1AB", "14", "cw"},
      {"QX1AB ", "14", "CW"},
      {"QX1AB", "14 ", "CW"},
      {"QX1A", "B14", "CW"},  // the same characters, split elsewhere
      {"QX1AB1", "4", "CW"},
      {"QX1AB", "14C", "W"},
      {"QX1AB", "1", "4CW"},
      {"QX1AB", "14", ""},
      {"", "", ""},
      {"", "14", "CW"},
      {"\xE9QX", "14", "CW"},
      {"\xC9QX", "14", "CW"},
      {"QX1AB", "14", std::string("CW\0", 3)},
      {"QX1AB",
       std::string("1\0"
                   "4",
                   3),
       "CW"},
      {std::string(255, 'Z'), std::string(255, '\xFF'), std::string(255, '\0')},
  };
  return contacts;
}

TEST(QsoListTest, EveryNearContactIsADifferentContact) {
  QsoList list;
  for (const Contact& c : NearContacts()) {
    EXPECT_FALSE(IsDupe(list, c)) << Describe(c) << " before it was added";
    EXPECT_TRUE(Add(list, c)) << Describe(c);
    EXPECT_TRUE(IsDupe(list, c)) << Describe(c);
  }
  EXPECT_EQ(list.Count(), NearContacts().size());
  for (const Contact& c : NearContacts()) {
    EXPECT_FALSE(Add(list, c)) << "repeat of " << Describe(c);
  }
  EXPECT_EQ(list.Count(), NearContacts().size());
}

TEST(QsoListTest, OneContactIsADupeOfItselfOnly) {
  for (const Contact& added : NearContacts()) {
    QsoList list;
    Add(list, added);
    for (const Contact& probe : NearContacts()) {
      const bool same =
          probe.call == added.call && probe.band == added.band && probe.mode == added.mode;
      EXPECT_EQ(IsDupe(list, probe), same) << Describe(probe) << " with " << Describe(added);
    }
  }
}

TEST(QsoListTest, RepeatsAreFoundWhateverOrderTheContactsArriveIn) {
  // Every arrival order of a few contacts, as databases ordering calls
  // ignoring case or not at all deliver them.
  std::vector<Contact> contacts = {{"aa1a", "14", "CW"},
                                   {"AB1B", "14", "CW"},
                                   {"ab1b", "14", "CW"},
                                   {"QX1AB", "7", "CW"},
                                   {"QX1AB", "14", "CW"}};
  std::sort(contacts.begin(), contacts.end(),
            [](const Contact& a, const Contact& b) { return Describe(a) < Describe(b); });
  do {
    QsoList list;
    for (const Contact& c : contacts) ASSERT_TRUE(Add(list, c)) << Describe(c);
    for (const Contact& c : contacts) ASSERT_TRUE(IsDupe(list, c)) << Describe(c);
    EXPECT_FALSE(list.IsDupe("QX1AB", "21", "CW"));
    EXPECT_FALSE(list.IsDupe("AA1A", "14", "CW"));
  } while (std::next_permutation(
      contacts.begin(), contacts.end(),
      [](const Contact& a, const Contact& b) { return Describe(a) < Describe(b); }));
}

TEST(QsoListTest, EmptyListHoldsNoDupe) {
  const QsoList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.IsDupe("", "", ""));
  EXPECT_FALSE(list.IsDupe("QX1AB", "14", "CW"));
}

TEST(QsoListTest, KeepsEveryContactAcrossTheIndexGrowing) {
  // Enough contacts for the index to grow several times; each check after
  // the last growth must still find every one, and no near miss.
  QsoList list;
  std::vector<Contact> added;
  for (int i = 0; i < 3000; ++i) {
    added.push_back({"QX" + std::to_string(i), i % 2 ? "14" : "7", i % 3 ? "CW" : "SSB"});
    ASSERT_TRUE(Add(list, added.back())) << Describe(added.back());
  }
  EXPECT_EQ(list.Count(), added.size());
  for (const Contact& c : added) {
    ASSERT_TRUE(IsDupe(list, c)) << Describe(c);
    ASSERT_FALSE(list.IsDupe(c.call, c.band, "FT8")) << Describe(c);
  }
}

TEST(QsoListTest, ClearForgetsEveryContactAndTheListFillsAgain) {
  QsoList list;
  for (const Contact& c : NearContacts()) Add(list, c);
  list.Clear();
  EXPECT_TRUE(list.Empty());
  for (const Contact& c : NearContacts()) EXPECT_FALSE(IsDupe(list, c)) << Describe(c);
  EXPECT_TRUE(list.AddIfAbsent("QX1AB", "14", "CW"));
  EXPECT_FALSE(list.AddIfAbsent("QX1AB", "14", "CW"));
  EXPECT_EQ(list.Count(), 1u);
}

TEST(QsoListTest, ATextLongerThanAShortTextIsRefusedAndChangesNothing) {
  QsoList list;
  Add(list, {"QX1AB", "14", "CW"});
  const std::string too_long(QsoList::kMaxTextLength + 1, 'A');
  EXPECT_THROW(list.AddIfAbsent(too_long, "14", "CW"), std::length_error);
  EXPECT_THROW(list.AddIfAbsent("QX1AB", "14", too_long), std::length_error);
  EXPECT_FALSE(list.IsDupe(too_long, "14", "CW"));
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_TRUE(list.IsDupe("QX1AB", "14", "CW"));
}

}  // namespace
}  // namespace qxqy
