#include "scoring/scoring_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/string_list.h"
#include "base/text.h"

namespace qxqy {
namespace {

class CountingFollower : public ContestObserver {
 public:
  void ShowDXList() override { ++calls; }
  void ClearStatisticsCells() override {}
  void LetPendingMessagesRun() override {}
  int calls = 0;
};

struct Contact {
  std::string call;
  std::string band;
  std::string mode = "CW";
  std::string exchange = "";
  std::string wpx = "";
};

// A scoring state over a zeroed record, a small district table and a
// follower that counts its notifications. By default contacts score 3 points
// (other group) and come from a home country.
class ScoringStateTest : public ::testing::Test {
 protected:
  ScoringStateTest() {
    table_.Assign({"ABC=ABC", "DEF=DEF", "abc=XYZ"});
    SetStation("A", "B", "QX");
  }

  void SetStation(const std::string& qso_group, const std::string& own_group,
                  const std::string& country) {
    WriteShortText(record_.QsoGroup, qso_group);
    WriteShortText(record_.OwnGroup, own_group);
    WriteShortText(record_.Country, country);
  }

  int32_t Score(const Contact& contact, bool commit) {
    WriteShortText(record_.Call, contact.call);
    WriteShortText(record_.Band, contact.band);
    WriteShortText(record_.Mode, contact.mode);
    WriteShortText(record_.ReportReceived, contact.exchange);
    WriteShortText(record_.Wpx, contact.wpx);
    return state_.ScoreQso(commit);
  }

  const TStatistic& Band(const std::string& band) {
    const TStatistic* entry = state_.stat_list().Find(band);
    if (entry == nullptr) throw std::runtime_error("no statistics for band \"" + band + "\"");
    return *entry;
  }

  HostRecord record_{};
  DistrictTable table_;
  CountingFollower follower_;
  ScoringState state_{record_, table_, &follower_};
};

TEST_F(ScoringStateTest, PointsDependOnTheGroupsIgnoringLetterCaseOnly) {
  const struct {
    const char* qso_group;
    const char* own_group;
    int32_t points;
  } cases[] = {
      {"A", "A", 1}, {"a", "A", 1},  {"", "", 1},         {"A ", "A", 3},
      {"", "A", 3},  {" A", "A", 3}, {"\xE4", "\xC4", 3}, {"abc1", "ABC1", 1},
  };
  for (const auto& c : cases) {
    SetStation(c.qso_group, c.own_group, "QX");
    EXPECT_EQ(Score({"QX1AB", "14"}, false), c.points)
        << "\"" << c.qso_group << "\" vs \"" << c.own_group << "\"";
  }
}

// A state no window reads keeps no index of worked districts: the same
// scores and the same answers, found by a scan.
TEST_F(ScoringStateTest, WithoutTheWindowsIndexTheAnswersAreTheSame) {
  ScoringState headless(record_, table_, nullptr, MultiplierKeyList::SubstringIndex::kNone);
  SetStation("QX", "QX", "Home");
  const Contact contacts[] = {{"QX1AB", "14", "CW", "599 ABC", "QX1"},
                              {"QX1CD", "7", "CW", "599 DEF", "QX1"},
                              {"QX1AB", "14", "CW", "599 ABC", "QX1"},
                              {"QX2EF", "14", "SSB", "59 abc", "QX2"}};
  for (const Contact& contact : contacts) {
    const int32_t indexed = Score(contact, /*commit=*/true);
    EXPECT_EQ(headless.ScoreQso(/*commit=*/true), indexed) << contact.call;
  }
  EXPECT_EQ(headless.district_mults().Keys(), state_.district_mults().Keys());
  for (const char* text : {"14|ABC|", "ABC|", "|", "7|", "XYZ|", "14|X"}) {
    EXPECT_EQ(headless.district_mults().AnyKeyContains(text),
              state_.district_mults().AnyKeyContains(text))
        << text;
  }
}

TEST_F(ScoringStateTest, APreviewChangesNothing) {
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "599 ABC", "QX1"}, false), 3);
  EXPECT_TRUE(state_.qso_list().Empty());
  EXPECT_TRUE(state_.stat_list().Empty());
  EXPECT_TRUE(state_.district_mults().Empty());
  EXPECT_TRUE(state_.wpx_mults().Empty());
  EXPECT_EQ(follower_.calls, 0);
}

TEST_F(ScoringStateTest, ACommitCountsTheContactOnItsBand) {
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "599 ABC", "QX1"}, true), 3);
  EXPECT_EQ(follower_.calls, 1);
  ASSERT_EQ(state_.stat_list().Count(), 1u);
  const TStatistic& band = Band("14");
  EXPECT_EQ(band.Qsos, 1);
  EXPECT_EQ(band.Points, 3);
  EXPECT_EQ(band.Districts, 1);
  EXPECT_EQ(band.Prefixes, 1);
  EXPECT_EQ(state_.district_mults().Keys(), std::vector<std::string>{"14|ABC|"});
  EXPECT_EQ(state_.wpx_mults().Keys(), std::vector<std::string>{"14|QX1|"});
  EXPECT_EQ(state_.qso_list().Count(), 1u);
}

TEST_F(ScoringStateTest, ADuplicateReturnsMinusOneAndChangesNothing) {
  Score({"QX1AB", "14", "CW", "599 ABC", "QX1"}, true);
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "599 DEF", "QX2"}, false), ScoringState::kDuplicate);
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "599 DEF", "QX2"}, true), ScoringState::kDuplicate);
  EXPECT_EQ(follower_.calls, 1);
  EXPECT_EQ(Band("14").Qsos, 1);
  EXPECT_EQ(state_.qso_list().Count(), 1u);
  EXPECT_EQ(state_.district_mults().Count(), 1u);
  EXPECT_EQ(state_.wpx_mults().Count(), 1u);
}

TEST_F(ScoringStateTest, EveryDistinctBandLabelGetsItsOwnEntryInOrderOfFirstCommit) {
  int call = 0;
  for (const char* band : {"7", "14", " 14", "14 ", "", "7", "x"}) {
    EXPECT_EQ(Score({"C" + std::to_string(call++), band}, true), 3) << "band \"" << band << "\"";
  }
  std::vector<std::string> bands;
  for (const TStatistic& entry : state_.stat_list()) bands.push_back(entry.Band);
  EXPECT_EQ(bands, (std::vector<std::string>{"7", "14", " 14", "14 ", "", "x"}));
  EXPECT_EQ(Band("7").Qsos, 2);
  EXPECT_EQ(Band("").Qsos, 1);
}

TEST_F(ScoringStateTest, TheSameCallCountsAgainOnAnotherBandOrMode) {
  SetStation("A", "a", "QY");
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "ABC", "QX1"}, true), 1);
  EXPECT_EQ(Score({"QX1AB", "14", "SSB", "ABC", "QX1"}, true), 1);  // no new multiplier
  EXPECT_EQ(Score({"QX1AB", "7", "CW", "ABC", "QX1"}, true), 1);    // new on this band
  EXPECT_EQ(Band("14").Qsos, 2);
  EXPECT_EQ(Band("14").Points, 2);
  EXPECT_EQ(Band("14").Districts, 1);
  EXPECT_EQ(Band("14").Prefixes, 1);
  EXPECT_EQ(Band("7").Districts, 1);
  EXPECT_EQ(Band("7").Prefixes, 1);
  EXPECT_EQ(follower_.calls, 3);
}

TEST_F(ScoringStateTest, PrefixMultipliersCountOnlyForHomeCountries) {
  const struct {
    const char* country;
    bool counts;
  } cases[] = {
      {"QX", true}, {"qy", true}, {" qx\t", true}, {"QXA", false}, {"", false}, {"DL", false},
  };
  int band = 0;
  for (const auto& c : cases) {
    SetStation("A", "B", c.country);
    const std::string label = "b" + std::to_string(band++);
    Score({"QX1AB", label, "CW", "", "QX1"}, true);
    EXPECT_EQ(Band(label).Prefixes, c.counts ? 1 : 0) << "country: \"" << c.country << "\"";
  }
}

TEST_F(ScoringStateTest, PrefixesDifferingInCaseAreOneMultiplierPerBand) {
  Score({"QX1AB", "14", "CW", "", "QX1"}, true);
  Score({"QX1CD", "14", "CW", "", "qx1"}, true);
  Score({"QX1EF", "14", "CW", "", ""}, true);
  Score({"QX1GH", "14", "CW", "", ""}, true);
  EXPECT_EQ(Band("14").Prefixes, 2);
  EXPECT_EQ(state_.wpx_mults().Keys(), (std::vector<std::string>{"14|QX1|", "14||"}));
}

TEST_F(ScoringStateTest, DistrictsCountWhenTheTableConfirmsTheCode) {
  table_.Assign({"ABC = ABC", "abc=ABC", "DEF=def", "GHI=GHI ", "JKL=JKL", "JKL=XYZ", "MNO=XYZ",
                 "MNO=MNO", "PQR"});
  const struct {
    const char* exchange;
    const char* key;  // nullptr: no district
  } cases[] = {
      {"599 abc", "|ABC|"}, {"599 DEF", nullptr}, {"GHI", nullptr}, {"jkl", "|JKL|"},
      {"MNO", nullptr},     {"PQR", nullptr},     {"STU", nullptr}, {"AB", nullptr},
      {"ABC1", nullptr},    {"xABC  ", "|ABC|"},
  };
  int band = 0;
  for (const auto& c : cases) {
    const std::string label = std::to_string(band++);
    Score({"QX1AB", label, "CW", c.exchange}, true);
    EXPECT_EQ(Band(label).Districts, c.key ? 1 : 0) << "exchange: \"" << c.exchange << "\"";
    EXPECT_EQ(Band(label).Qsos, 1) << "exchange: \"" << c.exchange << "\"";
    if (c.key) {
      EXPECT_EQ(state_.district_mults().Keys().back(), label + c.key);
    }
  }
}

TEST_F(ScoringStateTest, NoDistrictCountsWithoutATable) {
  table_.Clear();
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "ABC", "QX1"}, true), 3);
  EXPECT_EQ(Band("14").Districts, 0);
  EXPECT_EQ(Band("14").Prefixes, 1);
}

TEST_F(ScoringStateTest, ClearEmptiesEveryList) {
  Score({"QX1AB", "14", "CW", "ABC", "QX1"}, true);
  state_.Clear();
  EXPECT_TRUE(state_.qso_list().Empty());
  EXPECT_TRUE(state_.stat_list().Empty());
  EXPECT_TRUE(state_.district_mults().Empty());
  EXPECT_TRUE(state_.wpx_mults().Empty());
  EXPECT_EQ(Score({"QX1AB", "14", "CW", "ABC", "QX1"}, true), 3);
  EXPECT_EQ(Band("14").Districts, 1);
}

TEST_F(ScoringStateTest, AReplayInCaseInsensitiveOrderStillFindsDuplicates) {
  // Rows as a database ordering calls ignoring case returns them; the second
  // "QX1AB" row would be missed by a search of a list kept in arrival order.
  const char* calls[] = {"qx1aa", "QX1AB", "qx1ac", "QX1AD", "qx1ae", "QX1AB", "qx1aa"};
  int accepted = 0;
  for (const char* call : calls) accepted += Score({call, "14"}, true) > 0;
  EXPECT_EQ(accepted, 5);
  EXPECT_EQ(Band("14").Qsos, 5);
}

// ScoreQso as written, over linear lists: a check against the indexed
// implementation on random contacts.
struct ReferenceScorer {
  struct Worked {
    std::string call, band, mode;
  };
  std::vector<Worked> qsos;
  std::vector<TStatistic> stats;
  StringList district_mults;
  StringList wpx_mults;

  int32_t Score(const HostRecord& r, const StringList& table, bool commit) {
    const std::string call = ReadShortText(r.Call), band = ReadShortText(r.Band),
                      mode = ReadShortText(r.Mode);
    for (const Worked& q : qsos) {
      if (q.call == call && q.band == band && q.mode == mode) return -1;
    }
    const int32_t points =
        UpperCase(ReadShortText(r.QsoGroup)) == UpperCase(ReadShortText(r.OwnGroup)) ? 1 : 3;
    if (!commit) return points;
    qsos.push_back({call, band, mode});
    size_t entry = 0;
    while (entry < stats.size() && stats[entry].Band != band) ++entry;
    if (entry == stats.size()) stats.emplace_back(band, 0, 0, 0, 0);
    stats[entry].Qsos += 1;
    stats[entry].Points += points;
    const std::string country = ":" + Trim(UpperCase(ReadShortText(r.Country))) + ":";
    if (std::string(":QX:QY:").find(country) != std::string::npos) {
      const std::string key = band + "|" + ReadShortText(r.Wpx) + "|";
      if (wpx_mults.IndexOf(key) < 0) {
        stats[entry].Prefixes += 1;
        wpx_mults.Add(key);
      }
    }
    const std::string exchange = Trim(UpperCase(ReadShortText(r.ReportReceived)));
    if (exchange.size() >= 3) {
      const std::string code = exchange.substr(exchange.size() - 3);
      bool letters = true;
      for (char c : code) letters &= c >= 'A' && c <= 'Z';
      if (letters && table.ValueOfName(code) == code) {
        const std::string key = band + "|" + code + "|";
        if (district_mults.IndexOf(key) < 0) {
          stats[entry].Districts += 1;
          district_mults.Add(key);
        }
      }
    }
    return points;
  }
};

TEST_F(ScoringStateTest, AgreesWithLinearScoringOnRandomContacts) {
  table_.Assign({"ABC=ABC", "abd=ABD", "ABE=abe", "XYZ = XYZ"});
  std::mt19937 random(17);
  const char* calls[] = {"QX1A", "qx1a", "QY2B", ""};
  const char* bands[] = {"14", "7", " 7", ""};
  const char* modes[] = {"CW", "cw"};
  const char* exchanges[] = {"599 abc", "ABD", "ABE ", "XYZ", "12", "599 Abc"};
  const char* wpxs[] = {"QX1", "qx1", "QY2", ""};
  const char* countries[] = {"QX", "qy ", "DL"};
  const char* groups[] = {"A", "a", "B"};
  ReferenceScorer reference;
  StringList reference_table;
  reference_table.Assign(table_.Lines().Lines());
  for (int step = 0; step < 3000; ++step) {
    SetStation(groups[random() % 3], "A", countries[random() % 3]);
    const Contact contact{calls[random() % 4], bands[random() % 4], modes[random() % 2],
                          exchanges[random() % 6], wpxs[random() % 4]};
    const bool commit = random() % 3 != 0;
    const int32_t result = Score(contact, commit);
    ASSERT_EQ(result, reference.Score(record_, reference_table, commit))
        << "step " << step << ": \"" << contact.call << "\" \"" << contact.band << "\" \""
        << contact.mode << "\" \"" << contact.exchange << "\" \"" << contact.wpx << "\"";
  }
  ASSERT_EQ(state_.stat_list().Count(), reference.stats.size());
  for (size_t i = 0; i < reference.stats.size(); ++i) {
    const TStatistic& actual = state_.stat_list()[i];
    const TStatistic& expected = reference.stats[i];
    EXPECT_EQ(actual.Band, expected.Band);
    EXPECT_EQ(actual.Qsos, expected.Qsos) << expected.Band;
    EXPECT_EQ(actual.Points, expected.Points) << expected.Band;
    EXPECT_EQ(actual.Districts, expected.Districts) << expected.Band;
    EXPECT_EQ(actual.Prefixes, expected.Prefixes) << expected.Band;
  }
  EXPECT_EQ(state_.district_mults().Keys(), reference.district_mults.Lines());
  EXPECT_EQ(state_.wpx_mults().Keys(), reference.wpx_mults.Lines());
}

}  // namespace
}  // namespace qxqy
