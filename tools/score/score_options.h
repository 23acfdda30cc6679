// Command-line options of qxqy-score.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qxqy::score {

struct ScoreOptions {
  // Replaying a SQLite log (--db) ...
  std::string db;
  std::string table;
  // ... or checking a log file (--log).
  std::string log;
  std::optional<std::string> format_in;  // "cabrillo" or "adif"; default: from the content
  std::optional<std::string> cty;        // default: cty.dat in the plugins folder
  bool dump_contacts = false;

  std::optional<std::string> plugins;  // default: Plugins beside the executable
  std::optional<std::string> own_group;
  std::optional<std::string> group;  // --group or --contact-group
  std::string country;
  std::string caption;
  std::string format = "text";  // text, json or csv
  bool help = false;
};

// Parses `args` (without the program name). Throws std::invalid_argument
// with a one-line message for an unknown option, a missing value, a missing
// required option or options that do not go together.
ScoreOptions ParseScoreOptions(const std::vector<std::string>& args);

// The --help text.
const char* ScoreUsage();

}  // namespace qxqy::score
