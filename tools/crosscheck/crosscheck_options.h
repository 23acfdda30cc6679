// Command-line options of qxqy-crosscheck.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxqy::crosscheck_tool {

struct CrosscheckOptions {
  std::string logs_dir;
  std::string out_dir;
  std::optional<std::string> cty;      // default: cty.dat in the plugins folder
  std::optional<std::string> plugins;  // default: Plugins beside the executable
  int64_t window = 3;
  int64_t nil_penalty = 1;
  int64_t bust_penalty = 1;
  bool remove_uniques = false;
  bool quiet = false;    // no progress line
  bool timings = false;  // each phase's times on standard error at the end
  bool help = false;
};

// Parses `args` (without the program name). Throws std::invalid_argument
// with a one-line message for an unknown option, a missing or malformed
// value, or a missing folder.
CrosscheckOptions ParseCrosscheckOptions(const std::vector<std::string>& args);

// The --help text.
const char* CrosscheckUsage();

}  // namespace qxqy::crosscheck_tool
