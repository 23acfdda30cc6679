// Command-line options of qxqy-score.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qxqy::score {

struct ScoreOptions {
  std::string db;
  std::string table;
  std::optional<std::string> plugins;  // default: Plugins beside the executable
  std::string own_group;
  std::string group;
  std::string country;
  std::string caption;
  bool help = false;
};

// Parses `args` (without the program name). Throws std::invalid_argument
// with a one-line message for an unknown option, a missing value or a
// missing required option.
ScoreOptions ParseScoreOptions(const std::vector<std::string>& args);

// The --help text.
const char* ScoreUsage();

}  // namespace qxqy::score
