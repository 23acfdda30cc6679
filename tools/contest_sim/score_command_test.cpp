#include "tools/contest_sim/score_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/contest_sim/csv_reader.h"

namespace qxqy::contest_sim {
namespace {

constexpr const char* kTruth =
    "file,line,truth,happened,cause\n"
    "A.log,10,ok,1,right/right\n"
    "A.log,11,nil,0,never-logged-by-other/none\n"
    "B.log,10,ok,1,right/right\n"
    "B.log,11,busted-call,0,call-busted/right\n";
constexpr const char* kHeader = "file,line,station,call,band,mode,time,decision,evidence,penalty\n";

struct Scored {
  int status;
  std::string out;
  std::string errors;
};

Scored Score(const std::string& qsos, const ScoreBounds& bounds = {}) {
  testing::TempDir dir;
  std::ostringstream out, errors;
  const int status = ScoreDecisions(dir.Write("truth.csv", kTruth), dir.Write("qsos.csv", qsos),
                                    bounds, out, errors);
  return {status, out.str(), errors.str()};
}

TEST(ScoreCommandTest, JoinsOnFileAndLineAndCountsPerTruth) {
  // The file column may carry a folder; evidence may be quoted with commas.
  const Scored scored = Score(std::string(kHeader) +
                              "logs/A.log,10,A,B,14,CW,1200,ok,,0\n"
                              "logs/A.log,11,A,C,14,CW,1201,nil,\"no line, at all\",2\n"
                              "B.log,10,B,A,14,CW,1200,nil,\"\"\"odd\"\"\",2\n"
                              "B.log,11,B,X,14,CW,1201,busted-call,C,2\n");
  EXPECT_EQ(scored.status, 0) << scored.errors;
  EXPECT_NE(scored.out.find("ok                       2         1   50.00 %  nil 1"),
            std::string::npos)
      << scored.out;
  EXPECT_NE(scored.out.find("all                      4         3   75.00 %"), std::string::npos)
      << scored.out;
  EXPECT_NE(scored.out.find("happened: 2, judged nil or busted-call: 1 (1000.000 per 2,000)"),
            std::string::npos)
      << scored.out;
  EXPECT_NE(scored.out.find("B.log:10: ok -> nil (right/right)"), std::string::npos) << scored.out;
}

TEST(ScoreCommandTest, FailsOnBoundsAndOnLinesDecidedTwiceNotAtAllOrUnknown) {
  const std::string all_right = std::string(kHeader) +
                                "A.log,10,A,B,14,CW,1200,ok,,0\n"
                                "A.log,11,A,C,14,CW,1201,nil,,2\n"
                                "B.log,10,B,A,14,CW,1200,ok,,0\n"
                                "B.log,11,B,X,14,CW,1201,busted-call,C,2\n";
  const struct {
    std::string name;
    std::string qsos;
    ScoreBounds bounds;
    int status;
    std::string message;
  } cases[] = {
      {"all right, bounded", all_right, {0.995, 1.0}, 0, ""},
      {"below the accuracy",
       std::string(kHeader) + "A.log,10,,,,,,ok,,\nA.log,11,,,,,,unique,,\n"
                              "B.log,10,,,,,,ok,,\nB.log,11,,,,,,busted-call,,\n",
       {0.8, std::nullopt},
       1,
       "accuracy 75.00 % is below 80 %"},
      {"a happened line judged nil",
       std::string(kHeader) + "A.log,10,,,,,,nil,,\nA.log,11,,,,,,nil,,\n"
                              "B.log,10,,,,,,ok,,\nB.log,11,,,,,,busted-call,,\n",
       {std::nullopt, 1.0},
       1,
       "judged nil or busted-call, not fewer than 1"},
      {"a line not decided",
       std::string(kHeader) + "A.log,10,,,,,,ok,,\n",
       {},
       1,
       "3 lines of the truth have no decision"},
      {"a line decided twice", all_right + "A.log,10,,,,,,ok,,\n", {}, 1, "1 lines decided twice"},
      {"a line the truth lacks",
       all_right + "C.log,10,,,,,,ok,,\n",
       {},
       1,
       "1 decisions for lines the truth does not hold"},
      {"no decision column", "file,line\nA.log,10\n", {}, 2, "no column 'decision'"},
      {"a line number that is none",
       std::string(kHeader) + "A.log,x,,,,,,ok,,\n",
       {},
       2,
       "the line number 'x' is not a whole number from 1"},
  };
  for (const auto& c : cases) {
    const Scored scored = Score(c.qsos, c.bounds);
    EXPECT_EQ(scored.status, c.status) << c.name << "\n" << scored.errors;
    EXPECT_NE(scored.errors.find(c.message), std::string::npos) << c.name << "\n" << scored.errors;
  }
}

TEST(CsvReaderTest, ReadsQuotedFieldsLineBreaksAndEmptyLines) {
  testing::TempDir dir;
  const std::string path =
      dir.Write("a.csv", "a,b\r\n\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\n,\nlast,\"\"");
  CsvReader reader(path);
  std::vector<std::string> fields;
  const std::vector<std::vector<std::string>> expected = {
      {"a", "b"}, {"x,y", "say \"hi\""}, {"two\nlines", ""}, {"", ""}, {"last", ""}};
  const std::vector<uint64_t> lines = {1, 3, 4, 6, 7};
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_TRUE(reader.Next(fields)) << "record " << i;
    EXPECT_EQ(fields, expected[i]) << "record " << i;
    EXPECT_EQ(reader.line(), lines[i]) << "record " << i;
  }
  EXPECT_FALSE(reader.Next(fields));
}

}  // namespace
}  // namespace qxqy::contest_sim
