#include "scoring/qso_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qxqy {
namespace {

QsoList ListOf(const std::vector<TQSO>& qsos) {
  QsoList list;
  for (const TQSO& qso : qsos) list.Add(qso);
  return list;
}

std::vector<std::string> CallsOf(const QsoList& list) {
  std::vector<std::string> calls;
  for (const TQSO& qso : list) calls.push_back(qso.Call);
  return calls;
}

TEST(CompareQsoCallsTest, ComparesCallsByteByByte) {
  const struct {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"QX1AB", "QX1AB", 0}, {"QX1AB", "QX1AC", -1}, {"qx1ab", "QX1AB", 1}, {"QX1", "QX1AB", -1},
      {"", "A", -1},         {"\xE9", "z", 1},       {"A ", "A", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareQsoCalls(TQSO(c.a, "14", "CW"), TQSO(c.b, "7", "SSB")), c.order)
        << c.a << " vs " << c.b;
  }
}

TEST(QsoListTest, DupeNeedsTheSameCallBandAndModeByteForByte) {
  const QsoList list = ListOf({{"QX1AB", "14", "CW"}, {"", "7", "SSB"}});
  const struct {
    const char* call;
    const char* band;
    const char* mode;
    bool dupe;
  } cases[] = {
      {"QX1AB", "14", "CW", true},  {"QX1AB", "7", "CW", false},   {"QX1AB", "14", "SSB", false},
      {"qx1ab", "14", "CW", false}, {"QX1AB ", "14", "CW", false}, {"QX1AB", "14 ", "CW", false},
      {"QX1AB", "14", "cw", false}, {"", "7", "SSB", true},        {"", "14", "SSB", false},
      {"QX1A", "14", "CW", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list.IsDupe(c.call, c.band, c.mode), c.dupe)
        << "\"" << c.call << "\" \"" << c.band << "\" \"" << c.mode << "\"";
  }
}

TEST(QsoListTest, EmptyListHoldsNoDupe) {
  const QsoList list;
  EXPECT_FALSE(list.IsDupe("", "", ""));
  EXPECT_FALSE(list.IsDupe("QX1AB", "14", "CW"));
}

TEST(QsoListTest, EveryEntryOfACallIsExamined) {
  // The first call of the list on three bands, then a call worked on many
  // bands and modes surrounded by others: wherever a search lands, a repeat
  // of any of the entries is found.
  std::vector<TQSO> qsos = {{"AA1A", "14", "CW"}, {"AA1A", "7", "CW"}, {"AA1A", "21", "CW"}};
  const char* bands[] = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28"};
  for (const char* band : bands) {
    qsos.emplace_back("QX1AB", band, "CW");
    qsos.emplace_back("QX1AB", band, "SSB");
  }
  for (int i = 0; i < 20; ++i) qsos.emplace_back("ZZ" + std::to_string(i), "14", "CW");
  const QsoList list = ListOf(qsos);
  for (const TQSO& qso : qsos) {
    EXPECT_TRUE(list.IsDupe(qso.Call, qso.Band, qso.Mode))
        << qso.Call << " " << qso.Band << " " << qso.Mode;
  }
  EXPECT_FALSE(list.IsDupe("AA1A", "28", "CW"));
  EXPECT_FALSE(list.IsDupe("QX1AB", "14", "FT8"));
}

TEST(QsoListTest, InsertsAtTheOrdinalPlaceWhateverTheArrivalOrder) {
  // A log database ordering calls ignoring letter case delivers this order;
  // in byte order every upper-case call sorts before the lower-case ones.
  const std::vector<TQSO> replay = {{"aa1a", "14", "CW"},  {"AB1B", "14", "CW"},
                                    {"ab1b", "14", "CW"},  {"QX1AB", "14", "CW"},
                                    {"qx1ab", "14", "CW"}, {"ZZ1Z", "14", "CW"}};
  QsoList list;
  for (const TQSO& qso : replay) {
    ASSERT_FALSE(list.IsDupe(qso.Call, qso.Band, qso.Mode)) << qso.Call;
    list.Add(qso);
    ASSERT_TRUE(list.IsSorted()) << "after " << qso.Call;
  }
  EXPECT_EQ(CallsOf(list),
            (std::vector<std::string>{"AB1B", "QX1AB", "ZZ1Z", "aa1a", "ab1b", "qx1ab"}));
  // A repeat arriving late is found although it arrived out of byte order.
  EXPECT_TRUE(list.IsDupe("AB1B", "14", "CW"));
  EXPECT_TRUE(list.IsDupe("aa1a", "14", "CW"));
}

TEST(QsoListTest, EntriesWithTheSameCallKeepTheirArrivalOrder) {
  const QsoList list = ListOf({{"B", "14", "CW"},
                               {"A", "7", "CW"},
                               {"B", "7", "CW"},
                               {"A", "14", "CW"},
                               {"B", "21", "CW"}});
  std::vector<std::string> keys;
  for (const TQSO& qso : list) keys.push_back(qso.Call + qso.Band);
  EXPECT_EQ(keys, (std::vector<std::string>{"A7", "A14", "B14", "B7", "B21"}));
}

TEST(QsoListTest, ClearEmptiesTheList) {
  QsoList list = ListOf({{"QX1AB", "14", "CW"}});
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.IsDupe("QX1AB", "14", "CW"));
}

// The duplicate check as written: a binary search over a list kept in
// ordinal order by a full sort, a walk back to the first equal call and a
// forward scan.
class ReferenceQsoList {
 public:
  void Add(const TQSO& qso) {
    entries_.push_back(qso);
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const TQSO& a, const TQSO& b) { return CompareQsoCalls(a, b) < 0; });
  }
  bool IsDupe(const TQSO& qso) const {
    long lo = 0, hi = static_cast<long>(entries_.size()) - 1, mid = 0;
    bool found = false;
    while (lo <= hi && !found) {
      mid = (lo + hi) / 2;
      const int order = CompareOrdinal(qso.Call, entries_[mid].Call);
      if (order < 0)
        hi = mid - 1;
      else if (order > 0)
        lo = mid + 1;
      else
        found = true;
    }
    if (!found) return false;
    while (mid > 0 && entries_[mid - 1].Call == qso.Call) --mid;
    for (size_t i = mid; i < entries_.size() && entries_[i].Call == qso.Call; ++i) {
      if (entries_[i].Band == qso.Band && entries_[i].Mode == qso.Mode) return true;
    }
    return false;
  }
  const std::vector<TQSO>& entries() const { return entries_; }

 private:
  std::vector<TQSO> entries_;
};

TEST(QsoListTest, AgreesWithTheWrittenAlgorithmOnRandomLogs) {
  std::mt19937 random(3);
  const char* calls[] = {"", "A", "a", "AB", "A ", "Ab", "B", "QX1AB", "qx1ab", "\xE9"};
  const char* bands[] = {"14", "7", "14 ", ""};
  const char* modes[] = {"CW", "cw", "SSB"};
  for (int round = 0; round < 50; ++round) {
    QsoList list;
    ReferenceQsoList reference;
    for (int step = 0; step < 60; ++step) {
      const TQSO qso(calls[random() % 10], bands[random() % 4], modes[random() % 3]);
      const bool dupe = reference.IsDupe(qso);
      ASSERT_EQ(list.IsDupe(qso.Call, qso.Band, qso.Mode), dupe)
          << "\"" << qso.Call << "\" \"" << qso.Band << "\" \"" << qso.Mode << "\" round " << round
          << " step " << step;
      if (!dupe) {
        list.Add(qso);
        reference.Add(qso);
      }
    }
    std::vector<std::string> expected;
    for (const TQSO& qso : reference.entries()) expected.push_back(qso.Call + "|" + qso.Band);
    std::vector<std::string> actual;
    for (const TQSO& qso : list) actual.push_back(qso.Call + "|" + qso.Band);
    ASSERT_EQ(actual, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace qxqy
