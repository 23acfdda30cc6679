#include "tools/contest_sim/sim_options.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace qxqy::contest_sim {
namespace {

using Args = std::vector<std::string>;

std::string ErrorOf(const Args& args) {
  try {
    ParseSimOptions(args);
    return "";
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
}

TEST(SimOptionsTest, AcceptsEitherModeAndRefusesWhatDoesNotGoTogether) {
  const std::pair<Args, std::string> cases[] = {
      {{"--out", "c/logs"}, ""},
      {{"--out", "c/logs", "--logs", "60", "--qsos-per-log", "250", "--seed", "7", "--nil", "0"},
       ""},
      {{"--score", "t.csv", "q.csv", "--min-accuracy", "0.995", "--max-false-nil-per-2000", "1"},
       ""},
      {{}, "--out DIR or --score is required (see --help)"},
      {{"--score", "t.csv"}, "--score needs a value"},
      {{"--score", "t.csv", "q.csv", "--seed", "1"},
       "--score does not go with the options that simulate a contest"},
      {{"--out", "d", "--min-accuracy", "0.9"},
       "--min-accuracy and --max-false-nil-per-2000 go with --score"},
      {{"--out", "d", "--logs", "0"}, "--logs needs a whole number from 1 to 50000, not '0'"},
      {{"--out", "d", "--logs", "-3"}, "--logs needs a whole number from 1 to 50000, not '-3'"},
      {{"--out", "d", "--hours", "49"}, "--hours needs a whole number from 1 to 48, not '49'"},
      {{"--out", "d", "--nil", "1.5"}, "--nil needs a number from 0.000000 to 1.000000, not '1.5'"},
      {{"--out", "d", "--nil", "x"}, "--nil needs a number from 0.000000 to 1.000000, not 'x'"},
      {{"--out", "d", "--busted-call", "0.6", "--wrong-band", "0.6"},
       "--busted-call, --busted-exchange and --wrong-band together, and --nil, --unknown-call "
       "and --dupe together, must not exceed 1"},
      {{"--out", "d", "--no-log", "0.95"}, "--no-log must not exceed 0.9"},
      {{"--out", "d", "--frobnicate"}, "unknown option --frobnicate (see --help)"},
  };
  for (const auto& [args, message] : cases) {
    std::string joined;
    for (const auto& arg : args) joined += arg + " ";
    EXPECT_EQ(ErrorOf(args), message) << joined;
  }
}

TEST(SimOptionsTest, TheTruthGoesBesideTheLogsFolderUnlessGiven) {
  const std::pair<std::string, std::string> cases[] = {
      {"contest/logs", "contest/truth.csv"},
      {"contest/logs/", "contest/truth.csv"},
      {"logs", "./truth.csv"},
      {"/tmp/a/logs", "/tmp/a/truth.csv"},
  };
  for (const auto& [dir, truth] : cases) EXPECT_EQ(DefaultTruthPath(dir), truth) << dir;
  EXPECT_EQ(ParseSimOptions({"--out", "d", "--truth", "t.csv"}).truth, "t.csv");
}

}  // namespace
}  // namespace qxqy::contest_sim
