#include "tools/score/score_options.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace qxqy::score {
namespace {

using Args = std::vector<std::string>;

// The message ParseScoreOptions throws for `args`, or "" when it accepts them.
std::string ErrorOf(const Args& args) {
  try {
    ParseScoreOptions(args);
    return "";
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
}

TEST(ScoreOptionsTest, AcceptsEitherModeAndRefusesWhatDoesNotGoTogether) {
  const std::pair<Args, std::string> cases[] = {
      {{"--db", "a.db", "--table", "QSOs"}, ""},
      {{"--db", "a.db", "--table", "QSOs", "--format", "csv"}, ""},
      {{"--log", "a.cbr"}, ""},
      {{"--log", "a.cbr", "--format-in", "adif", "--cty", "c.dat", "--dump-contacts"}, ""},
      {{}, "--db FILE or --log FILE is required (see --help)"},
      {{"--db", "a.db"}, "--table NAME is required (see --help)"},
      {{"--db", "a.db", "--log", "a.cbr", "--table", "T"},
       "give --db or --log, not both (see --help)"},
      {{"--log", "a.cbr", "--table", "T"}, "--table, --country and --caption go with --db only"},
      {{"--log", "a.cbr", "--country", "QX"}, "--table, --country and --caption go with --db only"},
      {{"--db", "a.db", "--table", "T", "--cty", "c.dat"},
       "--format-in, --cty, --dump-contacts and --format json go with --log only"},
      {{"--db", "a.db", "--table", "T", "--format", "json"},
       "--format-in, --cty, --dump-contacts and --format json go with --log only"},
      {{"--log", "a.cbr", "--format", "xml"}, "--format must be text, json or csv"},
      {{"--log", "a.cbr", "--format", "json", "--dump-contacts"},
       "--dump-contacts prints text: it does not go with --format json"},
      {{"--log"}, "option --log needs a value"},
      {{"--log", "a.cbr", "--frobnicate"}, "unknown option --frobnicate (see --help)"},
  };
  for (const auto& [args, error] : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    EXPECT_EQ(ErrorOf(args), error) << joined;
  }
}

TEST(ScoreOptionsTest, TakesBothSpellingsOfTheContactGroup) {
  EXPECT_EQ(ParseScoreOptions({"--log", "a", "--contact-group", "DX"}).group, "DX");
  EXPECT_EQ(ParseScoreOptions({"--log", "a", "--group", "QY"}).group, "QY");
  EXPECT_EQ(ParseScoreOptions({"--log", "a"}).group, std::nullopt);
  EXPECT_EQ(ParseScoreOptions({"--log", "a", "--own-group", ""}).own_group, "");
}

}  // namespace
}  // namespace qxqy::score
