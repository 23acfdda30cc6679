// Command-line options of qxqy-contest-sim: simulating a contest, or
// scoring a contest check's decisions against a simulated contest's truth.
#pragma once

#include <string>
#include <vector>

#include "tools/contest_sim/contest_model.h"
#include "tools/contest_sim/score_command.h"

namespace qxqy::contest_sim {

struct SimOptions {
  bool help = false;
  // Simulating: the logs' folder and the truth file.
  std::string out;
  std::string truth;  // default: truth.csv beside the logs' folder
  SimSettings settings;
  // Scoring (--score TRUTH QSOS).
  std::string score_truth;
  std::string score_qsos;
  ScoreBounds bounds;
  bool scoring() const { return !score_truth.empty(); }
};

// Parses `args` (without the program name). Throws std::invalid_argument
// with a one-line message for an unknown option, a missing or malformed
// value, or options that do not go together.
SimOptions ParseSimOptions(const std::vector<std::string>& args);

// The truth file's default path for a logs' folder: truth.csv in the
// folder that holds it.
std::string DefaultTruthPath(const std::string& logs_dir);

const char* SimUsage();

}  // namespace qxqy::contest_sim
