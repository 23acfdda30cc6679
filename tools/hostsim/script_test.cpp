#include "tools/hostsim/script.h"

#include <gtest/gtest.h>

namespace qxqy::hostsim {
namespace {

const std::vector<VerbSignature> kSignatures = {
    {"pump", 0, 0},
    {"show", 1, 2},
    {"set", 1, 2, true},
    {"click", 1, 1, true},
};

TEST(ScriptTest, SplitsLinesIntoVerbsAndArguments) {
  const struct {
    const char* line;
    std::string verb;
    std::vector<std::string> args;
  } cases[] = {
      {"pump", "pump", {}},
      {"  show   grid  ", "show", {"grid"}},
      {"show buttons multipliers", "show", {"buttons", "multipliers"}},
      {"show \"a b\" c", "show", {"a b", "c"}},
      {"set Call K1ABC", "set", {"Call", "K1ABC"}},
      {"set Call", "set", {"Call"}},
      {"set LogCaption My  log  2024", "set", {"LogCaption", "My  log  2024"}},
      {"set Band \" 14 \"", "set", {"Band", " 14 "}},
      {"set Band \"\"", "set", {"Band", ""}},
      {"set Call \"K1\\x41\\\"\"", "set", {"Call", "K1A\""}},
      {"set Call \"a\" \"b\"", "set", {"Call", "\"a\" \"b\""}},
      {"click District\r", "click", {"District"}},
  };
  for (const auto& c : cases) {
    const auto commands = ParseScript(c.line, kSignatures);
    ASSERT_EQ(commands.size(), 1u) << c.line;
    EXPECT_EQ(commands[0].verb, c.verb) << c.line;
    EXPECT_EQ(commands[0].args, c.args) << c.line;
  }
}

TEST(ScriptTest, SkipsBlankLinesAndCommentsAndCountsLines) {
  const auto commands =
      ParseScript("# a comment\n\n   \npump\n  # indented comment\nshow grid\n", kSignatures);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].line, 4);
  EXPECT_EQ(commands[1].line, 6);
  EXPECT_EQ(commands[1].args, std::vector<std::string>{"grid"});
}

TEST(ScriptTest, RefusesLinesThatDoNotFitTheirVerb) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"fly", "line 1: unknown action \"fly\""},
      {"pump\npump now", "line 2: pump takes at most 0 argument(s)"},
      {"show", "line 1: show needs at least 1 argument(s)"},
      {"show a b c", "line 1: show takes at most 2 argument(s)"},
      {"show \"grid", "line 1: a quoted word has no closing quote"},
      {"show \"grid\"x", "line 1: a closing quote must end its word"},
      {"show \"\\q\"", "line 1: unknown escape \\q"},
  };
  for (const auto& c : cases) {
    try {
      ParseScript(c.script, kSignatures);
      ADD_FAILURE() << "accepted: " << c.script;
    } catch (const ScriptError& error) {
      EXPECT_EQ(std::string(error.what()), c.message) << c.script;
    }
  }
}

}  // namespace
}  // namespace qxqy::hostsim
