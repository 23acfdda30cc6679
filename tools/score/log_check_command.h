// qxqy-score --log: checks a Cabrillo or ADIF log file and prints the grid,
// the score and the checker's report in the chosen format.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/score/score_options.h"

namespace qxqy::score {

// Exit status: 0 when the file was read and nothing was reported, 1 when
// something was reported, 2 when the file (or the country file) cannot be
// read at all. Writes the result to `out` and messages to `err`.
int RunLogCheck(const ScoreOptions& options, const std::string& plugins_folder, std::ostream& out,
                std::ostream& err);

}  // namespace qxqy::score
