#include "tools/crosscheck/crosscheck_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qxqy::crosscheck_tool {
namespace {

TEST(CrosscheckOptions, ReadsEveryOption) {
  const CrosscheckOptions o = ParseCrosscheckOptions(
      {"logs", "--out", "out", "--cty", "c.dat", "--plugins", "p", "--window", "5", "--nil-penalty",
       "2", "--bust-penalty", "0", "--remove-uniques", "--quiet", "--timings"});
  EXPECT_EQ(o.logs_dir, "logs");
  EXPECT_EQ(o.out_dir, "out");
  EXPECT_EQ(o.cty, "c.dat");
  EXPECT_EQ(o.plugins, "p");
  EXPECT_EQ(o.window, 5);
  EXPECT_EQ(o.nil_penalty, 2);
  EXPECT_EQ(o.bust_penalty, 0);
  EXPECT_TRUE(o.remove_uniques);
  EXPECT_TRUE(o.quiet);
  EXPECT_TRUE(o.timings);
}

TEST(CrosscheckOptions, Defaults) {
  const CrosscheckOptions o = ParseCrosscheckOptions({"--out", "o", "logs"});
  EXPECT_EQ(o.window, 3);
  EXPECT_EQ(o.nil_penalty, 1);
  EXPECT_EQ(o.bust_penalty, 1);
  EXPECT_FALSE(o.remove_uniques);
  EXPECT_FALSE(o.cty.has_value());
  EXPECT_FALSE(o.quiet);
  EXPECT_FALSE(o.timings);
}

TEST(CrosscheckOptions, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"logs"},
      {"--out", "o"},
      {"logs", "more", "--out", "o"},
      {"logs", "--out"},
      {"logs", "--out", "o", "--window", "-1"},
      {"logs", "--out", "o", "--window", "3.5"},
      {"logs", "--out", "o", "--window", ""},
      {"logs", "--out", "o", "--nil-penalty", "99999999999999999999"},
      {"logs", "--out", "o", "--frobnicate"},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += "[" + a + "] ";
    EXPECT_THROW(ParseCrosscheckOptions(args), std::invalid_argument) << joined;
  }
}

TEST(CrosscheckOptions, HelpStopsParsing) {
  EXPECT_TRUE(ParseCrosscheckOptions({"--help", "--bogus"}).help);
}

}  // namespace
}  // namespace qxqy::crosscheck_tool
