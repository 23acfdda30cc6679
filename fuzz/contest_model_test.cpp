// The fuzzers' plain model of the rules against results worked out by hand:
// a model that is wrong would let the engine be wrong in the same way.
#include "fuzz/contest_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/reference_rules.h"

namespace qxqy::fuzzing {
namespace {

const std::vector<std::string> kSampleDistricts = {"; Districts", "ALB=ALB", "BEX=BEX", "CAR=CAR",
                                                   "DUN=DUN",     "ELM=ELM", "FEN=FEN", "GAR=GAR"};

// samples/sample-log.sql, in the order of its rows.
const std::vector<ModelContact> kSampleLog = {
    {"QX1AB", "14", "CW", "599 ALB", "QX1"},  {"QX1AB", "7", "CW", "599 ALB", "QX1"},
    {"QX1AB", "14", "CW", "599 ALB", "QX1"},  {"QX1AB", "14", "SSB", "59 ALB", "QX1"},
    {"QY2CD", "14", "CW", "599 BEX", "QY2"},  {"QY2CD", "21", "CW", "599 bex", "QY2"},
    {"QX3EF", "3.5", "CW", "599 CAR", "QX3"}, {"QX3EF", "1.8", "CW", "599 CAR ", "QX3"},
    {"DL1XYZ", "14", "CW", "599 001", "DL1"}, {"DL1XYZ", "28", "CW", "599 002", "DL1"},
    {"K1ABC", "21", "SSB", "59 005", "K1"},   {"K1ABC", "21", "SSB", "59 005", "K1"},
    {"QX4GH", "7", "SSB", "59 DUN", "QX4"},   {"QX5IJ", "7", "CW", "599 ZZZ", "QX5"},
    {"QY6KL", "28", "CW", "599 ELM", "QY6"},  {"QY6KL", "10", "CW", "599 ELM", "QY6"},
    {"JA1AAA", "14", "CW", "599 010", "JA1"}, {"QX7MN", "14", "CW", "599FEN", "QX7"},
    {"QX7MN", "3.5", "CW", "599 FEN", "QX7"}, {"QY8OP", "21", "CW", "599 GAR", "QY8"},
    {"G4XYZ", "1.8", "CW", "599 021", "G4"},  {"QX1AB", "28", "CW", "599 ALB", "QX1"},
    {"QY2CD", "7", "CW", "599 BEX", "QY2"},   {"ON4AA", "28", "CW", "599 012", "ON4"},
};

TEST(ContestModelTest, SampleLogCountedByHand) {
  ContestModel model(kSampleDistricts);
  const ModelStation station{"DX", "QX", "QX"};
  int duplicates = 0;
  for (const ModelContact& contact : kSampleLog) {
    if (model.Commit(contact, station) == ContestModel::kDuplicate) ++duplicates;
  }
  EXPECT_EQ(duplicates, 2);
  struct Expected {
    const char* band;
    int64_t districts;
    int64_t prefixes;
  };
  for (const Expected& e :
       {Expected{"1.8", 1, 2}, Expected{"3.5", 2, 2}, Expected{"7", 3, 4}, Expected{"14", 3, 5},
        Expected{"21", 2, 3}, Expected{"28", 2, 4}, Expected{"10", 1, 1}}) {
    const ModelBand* band = model.FindBand(e.band);
    ASSERT_NE(band, nullptr) << e.band;
    EXPECT_EQ(band->districts, e.districts) << e.band;
    EXPECT_EQ(band->prefixes, e.prefixes) << e.band;
  }
  EXPECT_EQ(model.Totals().qsos, 22);
  EXPECT_EQ(model.ScoreLine(), "Score: 66*(14+21)=2310");
}

TEST(ContestModelTest, PreviewAndDuplicates) {
  ContestModel model(kSampleDistricts);
  const ModelContact contact{"QX1AB", "14", "CW", "599 ALB", "QX1"};
  struct Case {
    ModelContact contact;
    ModelStation station;
    int32_t expected;
  };
  EXPECT_EQ(model.Commit(contact, {"QX", "QX", "DL"}), 1);
  for (const Case& c : {
           Case{contact, {"DX", "QX", "DL"}, ContestModel::kDuplicate},
           Case{{"QX1AB ", "14", "CW", "", ""}, {"qx", "QX", "DL"}, 1},  // other call; groups a-z
           Case{{"qx1ab", "14", "CW", "", ""}, {"\xE9", "\xC9", "DL"}, 3},  // only a-z fold
           Case{{"QX1AB", " 14", "CW", "", ""}, {"", "", "DL"}, 1},
           Case{{"QX1AB", "14", "cw", "", ""}, {"DX", "QX", "DL"}, 3},
       }) {
    EXPECT_EQ(model.Preview(c.contact, c.station), c.expected) << c.contact.call;
  }
}

TEST(ContestModelTest, KeysCountOnceIgnoringCaseOnTheBandThatCameFirst) {
  ContestModel model(kSampleDistricts);
  const ModelStation home{"DX", "QX", " qy\t"};
  model.Commit({"QX1AB", "a", "CW", "599 alb", "QX1"}, home);
  model.Commit({"QY2CD", "A", "CW", "599 ALB", "qx1"}, home);
  EXPECT_EQ(model.FindBand("a")->districts, 1);
  EXPECT_EQ(model.FindBand("a")->prefixes, 1);
  EXPECT_EQ(model.FindBand("A")->districts, 0);
  EXPECT_EQ(model.FindBand("A")->prefixes, 0);
  EXPECT_EQ(model.MarkOf("a", "ALB"), DistrictMark::kWorked);
  EXPECT_EQ(model.MarkOf("A", "ALB"), DistrictMark::kNotWorked);  // keys keep their spelling
  EXPECT_EQ(model.MarkOf("", "ALB"), DistrictMark::kWorked);      // any band
  model.Clear();
  EXPECT_EQ(model.MarkOf("a", "ALB"), DistrictMark::kNothingRecorded);
  EXPECT_EQ(model.ScoreLine(), "Score: 0*(0+0)=0");
}

TEST(ReferenceRulesTest, HomeCountries) {
  for (const char* home : {"QX", "qy", " QX\t", "QX:QY", "qx:qy "}) {
    EXPECT_TRUE(IsHomeCountryRule(home)) << home;
  }
  for (const char* other : {"", "DL", "QXQY", ":QX", "Q", "QX:"}) {
    EXPECT_FALSE(IsHomeCountryRule(other)) << other;
  }
}

TEST(ReferenceRulesTest, DistrictCodesAndTheirConfirmation) {
  EXPECT_EQ(DistrictCodeRule("599 alb \t"), "ALB");
  EXPECT_EQ(DistrictCodeRule("599FEN"), "FEN");
  EXPECT_EQ(DistrictCodeRule("599 A1B"), std::nullopt);
  EXPECT_EQ(DistrictCodeRule("AB"), std::nullopt);
  const std::vector<std::string> table = {"alb=ALB", "BEX=bex", "FEN=XXX", "FEN=FEN", "no equals"};
  EXPECT_EQ(TableValueRule(table, "ALB"), "ALB");
  EXPECT_EQ(TableValueRule(table, "BEX"), "bex");
  EXPECT_EQ(TableValueRule(table, "FEN"), "XXX");  // the first line decides
  EXPECT_EQ(TableValueRule(table, "no equals"), "");
}

TEST(ReferenceRulesTest, CallLookupTakesTheLastTrimmedLine) {
  const std::vector<std::string> calls = {"QX1AB=ALB", "  QX1AB=CAR  ", "QX1ab=DUN",
                                          "QX3EF==X=", "=NOCALL"};
  struct Case {
    const char* country;
    const char* call;
    const char* expected;
  };
  for (const Case& c : {Case{"QX", "QX1AB", "CAR"}, Case{"QX", "QX3EF", "=X="},
                        Case{"QX", "", "previous"}, Case{"DL", "QX1AB", "previous"},
                        Case{"qy ", "QX1ab", "DUN"}, Case{"QX", "QX1AB=ALB", "previous"}}) {
    std::string suggestion = "previous";
    CallLookupRule(calls, c.country, c.call, suggestion);
    EXPECT_EQ(suggestion, c.expected) << c.country << " " << c.call;
  }
}

}  // namespace
}  // namespace qxqy::fuzzing
