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
      {{"--log"}, "--log needs a file"},
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
  EXPECT_EQ(ParseScoreOptions({"--log", "a", "--own-group", "QY"}).own_group, "QY");
}

TEST(ScoreOptionsTest, SaysWhatIsWrongWithAValueOrARepeatedOption) {
  const std::pair<Args, std::string> cases[] = {
      // A value missing, at the end or before the next option.
      {{"--log", "--plugins", "."}, "--log needs a file"},
      {{"--log", "a.cbr", "--plugins"}, "--plugins needs a folder"},
      {{"--log", "a.cbr", "--own-group", "--cty", "c.dat"}, "--own-group needs a group"},
      {{"--log", "a.cbr", "--format-in", "-h"}, "--format-in needs a format (cabrillo or adif)"},
      {{"--db", "a.db", "--table"}, "--table needs a name"},
      {{"--log", "a.cbr", "--format"}, "--format needs a format (text, json or csv)"},
      // An empty value names nothing.
      {{"--log", "a.cbr", "--own-group", ""}, "--own-group needs a group, not an empty text"},
      {{"--log", "a.cbr", "--contact-group", ""},
       "--contact-group needs a group, not an empty text"},
      {{"--log", ""}, "--log needs a file, not an empty text"},
      {{"--log", "a.cbr", "--plugins", ""}, "--plugins needs a folder, not an empty text"},
      {{"--db", "a.db", "--table", "T", "--caption", ""}, ""},  // the default caption
      // Given twice: which one was meant is not guessed.
      {{"--log", "a.cbr", "--log", "b.cbr"}, "--log is given twice"},
      {{"--log", "a.cbr", "--cty", "a", "--cty", "b"}, "--cty is given twice"},
      {{"--log", "a.cbr", "--dump-contacts", "--dump-contacts"}, "--dump-contacts is given twice"},
      {{"--log", "a.cbr", "--group", "QX", "--contact-group", "QY"},
       "--contact-group is given twice (--group and --contact-group are one option)"},
      // The dump is text: neither JSON nor CSV.
      {{"--log", "a.cbr", "--format", "csv", "--dump-contacts"},
       "--dump-contacts prints text: it does not go with --format csv"},
      {{"--log", "a.cbr", "--format", "text", "--dump-contacts"}, ""},
  };
  for (const auto& [args, error] : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += "'" + arg + "' ";
    EXPECT_EQ(ErrorOf(args), error) << joined;
  }
}

}  // namespace
}  // namespace qxqy::score
