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

// The same contract, kept the simplest way: one vector, each contact
// inserted at the upper end of its equal calls, a duplicate found by a scan.
class FlatQsoList {
 public:
  void Add(const TQSO& qso) {
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), qso,
                         [](const TQSO& a, const TQSO& b) { return CompareQsoCalls(a, b) < 0; });
    entries_.insert(at, qso);
  }
  bool IsDupe(const TQSO& qso) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const TQSO& entry) {
      return entry.Call == qso.Call && entry.Band == qso.Band && entry.Mode == qso.Mode;
    });
  }
  const std::vector<TQSO>& entries() const { return entries_; }

 private:
  std::vector<TQSO> entries_;
};

std::vector<std::string> KeysOf(const std::vector<TQSO>& qsos) {
  std::vector<std::string> keys;
  for (const TQSO& qso : qsos) keys.push_back(qso.Call + "|" + qso.Band + "|" + qso.Mode);
  return keys;
}

std::vector<std::string> KeysOf(const QsoList& list) {
  return KeysOf(std::vector<TQSO>(list.begin(), list.end()));
}

// Small chunks make every boundary case frequent: splits inside and at the
// edges of runs of equal calls, runs spread over several chunks, inserts in
// front of the first entry, appends after the last.
TEST(QsoListTest, AgreesWithAFlatListWhateverTheChunkSize) {
  const char* calls[] = {"", "A", "AB", "B", "QX1AB", "qx1ab", "\xE9"};
  const char* bands[] = {"14", "7", "21", "28"};
  const char* modes[] = {"CW", "SSB", "FT8"};
  for (size_t capacity : {2u, 3u, 4u, 7u, 64u}) {
    std::mt19937 random(static_cast<unsigned>(capacity));
    for (int round = 0; round < 10; ++round) {
      QsoList list(capacity);
      FlatQsoList flat;
      for (int step = 0; step < 200; ++step) {
        // Some rounds replay mostly in call order, as a rebuild does.
        const size_t call = round % 2 ? random() % 7 : std::min<size_t>(step / 30, 6);
        const TQSO qso(calls[call], bands[random() % 4], modes[random() % 3]);
        const bool dupe = flat.IsDupe(qso);
        ASSERT_EQ(list.IsDupe(qso.Call, qso.Band, qso.Mode), dupe)
            << "\"" << qso.Call << "\" " << qso.Band << " " << qso.Mode << " capacity " << capacity
            << " round " << round << " step " << step;
        if (!dupe) {
          list.Add(qso);
          flat.Add(qso);
        }
      }
      ASSERT_EQ(list.Count(), flat.entries().size()) << "capacity " << capacity;
      ASSERT_EQ(KeysOf(list), KeysOf(flat.entries()))
          << "capacity " << capacity << " round " << round;
      ASSERT_TRUE(list.IsSorted()) << "capacity " << capacity;
    }
  }
}

TEST(QsoListTest, FindsEveryEntryOfACallSpreadOverSeveralChunks) {
  // Chunks of two: the call's nine entries fill at least four chunks and
  // share the first and the last with the neighbouring calls.
  const char* bands[] = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28"};
  for (bool replay_in_order : {true, false}) {
    QsoList list(2);
    std::vector<TQSO> qsos = {{"A", "14", "CW"}};
    for (const char* band : bands) qsos.emplace_back("QX1AB", band, "CW");
    qsos.emplace_back("Z", "14", "CW");
    if (!replay_in_order) std::reverse(qsos.begin(), qsos.end());
    for (const TQSO& qso : qsos) list.Add(qso);
    for (const char* band : bands) {
      EXPECT_TRUE(list.IsDupe("QX1AB", band, "CW")) << band << " in order " << replay_in_order;
      EXPECT_FALSE(list.IsDupe("QX1AB", band, "SSB")) << band << " in order " << replay_in_order;
    }
    EXPECT_TRUE(list.IsDupe("A", "14", "CW"));
    EXPECT_TRUE(list.IsDupe("Z", "14", "CW"));
    EXPECT_FALSE(list.IsDupe("QX1A", "14", "CW"));
    EXPECT_FALSE(list.IsDupe("QX1ABC", "14", "CW"));
  }
}

TEST(QsoListTest, SplitsKeepTheArrivalOrderOfEqualCalls) {
  // Every add lands inside a full chunk in the middle of a run of "M":
  // the new entry must still follow every earlier "M".
  QsoList list(3);
  list.Add({"A", "0", "CW"});
  list.Add({"Z", "0", "CW"});
  std::vector<std::string> expected = {"A|0|CW"};
  for (int i = 1; i <= 12; ++i) {
    list.Add({"M", std::to_string(i), "CW"});
    expected.push_back("M|" + std::to_string(i) + "|CW");
  }
  expected.push_back("Z|0|CW");
  EXPECT_EQ(KeysOf(list), expected);
}

TEST(QsoListTest, InsertsInFrontOfTheFirstEntry) {
  QsoList list(2);
  for (const char* call : {"E", "D", "C", "B", "A", "A"}) list.Add({call, "14", "CW"});
  EXPECT_EQ(CallsOf(list), (std::vector<std::string>{"A", "A", "B", "C", "D", "E"}));
  EXPECT_TRUE(list.IsDupe("A", "14", "CW"));
  EXPECT_TRUE(list.IsDupe("E", "14", "CW"));
  EXPECT_FALSE(list.IsDupe("", "14", "CW"));
}

TEST(QsoListTest, ClearedOrMovedFromListsStartAfresh) {
  QsoList list(2);
  for (const char* call : {"C", "A", "B", "D"}) list.Add({call, "14", "CW"});
  QsoList moved = std::move(list);
  EXPECT_EQ(moved.Count(), 4u);
  EXPECT_TRUE(list.Empty());  // NOLINT(bugprone-use-after-move): a moved-from list is empty
  EXPECT_EQ(list.begin(), list.end());
  moved.Clear();
  EXPECT_EQ(moved.begin(), moved.end());
  for (const char* call : {"B", "A"}) moved.Add({call, "7", "SSB"});
  EXPECT_EQ(CallsOf(moved), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(moved.IsDupe("C", "14", "CW"));

  QsoList assigned(3);
  assigned.Add({"Z", "7", "CW"});
  assigned = std::move(moved);
  EXPECT_EQ(CallsOf(assigned), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(assigned.IsDupe("Z", "7", "CW"));
  EXPECT_TRUE(moved.Empty());  // NOLINT(bugprone-use-after-move): a moved-from list is empty
  moved.Add({"C", "14", "CW"});
  EXPECT_EQ(CallsOf(moved), (std::vector<std::string>{"C"}));
}

}  // namespace
}  // namespace qxqy
