// What each option of qxqy-score sets, and what holds when it is not given.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/score/score_options.h"

namespace qxqy::score {
namespace {

using Args = std::vector<std::string>;

// Every field of the options as one line, so a case shows all of them.
std::string Show(const ScoreOptions& o) {
  const auto opt = [](const std::optional<std::string>& v) { return v ? "'" + *v + "'" : "-"; };
  return "db='" + o.db + "' table='" + o.table + "' log='" + o.log +
         "' format_in=" + opt(o.format_in) + " cty=" + opt(o.cty) +
         " dump=" + (o.dump_contacts ? "1" : "0") + " plugins=" + opt(o.plugins) +
         " own_group=" + opt(o.own_group) + " group=" + opt(o.group) + " country='" + o.country +
         "' caption='" + o.caption + "' format='" + o.format + "' help=" + (o.help ? "1" : "0");
}

TEST(ScoreOptionValuesTest, EachOptionSetsItsOwnFieldAndNoOther) {
  const std::string log_base = "db='' table='' log='a.cbr' ";
  const std::string db_base = "db='a.db' table='T' log='' ";
  const std::pair<Args, std::string> cases[] = {
      {{"--log", "a.cbr"},
       log_base + "format_in=- cty=- dump=0 plugins=- own_group=- group=- country='' caption='' "
                  "format='text' help=0"},
      {{"--log", "a.cbr", "--format-in", "adif"},
       log_base + "format_in='adif' cty=- dump=0 plugins=- own_group=- group=- country='' "
                  "caption='' format='text' help=0"},
      {{"--log", "a.cbr", "--cty", "c.dat"},
       log_base + "format_in=- cty='c.dat' dump=0 plugins=- own_group=- group=- country='' "
                  "caption='' format='text' help=0"},
      {{"--log", "a.cbr", "--dump-contacts"},
       log_base + "format_in=- cty=- dump=1 plugins=- own_group=- group=- country='' caption='' "
                  "format='text' help=0"},
      {{"--log", "a.cbr", "--plugins", "p/"},
       log_base + "format_in=- cty=- dump=0 plugins='p/' own_group=- group=- country='' "
                  "caption='' format='text' help=0"},
      {{"--log", "a.cbr", "--own-group", "QY"},
       log_base + "format_in=- cty=- dump=0 plugins=- own_group='QY' group=- country='' "
                  "caption='' format='text' help=0"},
      {{"--log", "a.cbr", "--format", "json"},
       log_base + "format_in=- cty=- dump=0 plugins=- own_group=- group=- country='' caption='' "
                  "format='json' help=0"},
      {{"--db", "a.db", "--table", "T"},
       db_base + "format_in=- cty=- dump=0 plugins=- own_group=- group=- country='' caption='' "
                 "format='text' help=0"},
      {{"--table", "T", "--db", "a.db", "--country", "QX", "--caption", "Field Day"},
       db_base + "format_in=- cty=- dump=0 plugins=- own_group=- group=- country='QX' "
                 "caption='Field Day' format='text' help=0"},
      {{"--db", "a.db", "--table", "T", "--format", "csv", "--group", "DX"},
       db_base + "format_in=- cty=- dump=0 plugins=- own_group=- group='DX' country='' "
                 "caption='' format='csv' help=0"},
  };
  for (const auto& [args, shown] : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    EXPECT_EQ(Show(ParseScoreOptions(args)), shown) << joined;
  }
}

TEST(ScoreOptionValuesTest, HelpWinsOverEverythingAfterIt) {
  const Args cases[] = {
      {"--help"},
      {"-h"},
      {"--log", "a.cbr", "--help"},
      {"--help", "--frobnicate"},
      {"-h", "--db", "a.db", "--log", "a.cbr"},
      {"--format", "xml", "--help"},
  };
  for (const Args& args : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    EXPECT_TRUE(ParseScoreOptions(args).help) << joined;
  }
  // Only before a problem: an unknown option before --help is an error.
  EXPECT_THROW(ParseScoreOptions({"--frobnicate", "--help"}), std::invalid_argument);
}

TEST(ScoreOptionValuesTest, EveryValuedOptionNeedsItsValue) {
  const char* const valued[] = {"--db",      "--table",         "--log",       "--country",
                                "--caption", "--format",        "--plugins",   "--own-group",
                                "--group",   "--contact-group", "--format-in", "--cty"};
  for (const char* option : valued) {
    try {
      ParseScoreOptions({"--dump-contacts", option});
      ADD_FAILURE() << option << " without a value accepted";
    } catch (const std::invalid_argument& error) {
      // "--log needs a file", "--group needs a group", ...
      EXPECT_EQ(std::string(error.what()).rfind(std::string(option) + " needs a ", 0), 0u)
          << error.what();
    }
  }
  EXPECT_NO_THROW(ParseScoreOptions({"--log", "a.cbr", "--dump-contacts"}));
  EXPECT_TRUE(ScoreUsage() != nullptr && std::string(ScoreUsage()).rfind("usage: ", 0) == 0);
}

}  // namespace
}  // namespace qxqy::score
