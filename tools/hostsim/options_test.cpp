#include "tools/hostsim/options.h"

#include <gtest/gtest.h>

namespace qxqy::hostsim {
namespace {

TEST(OptionsTest, ReadsPluginTimeoutAndScript) {
  const Options options = ParseOptions({"--plugin", "x\\stub.dll", "--timeout", "5", "a.session"});
  EXPECT_EQ(options.plugin_path, "x\\stub.dll");
  EXPECT_EQ(options.timeout_seconds, 5);
  EXPECT_EQ(options.script_path, "a.session");

  const Options defaults = ParseOptions({});
  EXPECT_EQ(defaults.plugin_path, "");
  EXPECT_EQ(defaults.timeout_seconds, 60);
  EXPECT_EQ(defaults.script_path, "");
  EXPECT_EQ(ParseOptions({"-"}).script_path, "");
}

TEST(OptionsTest, RefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> cases = {
      {"--plugin"}, {"--timeout", "0"}, {"--timeout", "5s"}, {"--verbose"}, {"a", "b"},
  };
  for (const auto& args : cases) {
    EXPECT_THROW(ParseOptions(args), UsageError) << args.front();
  }
}

}  // namespace
}  // namespace qxqy::hostsim
