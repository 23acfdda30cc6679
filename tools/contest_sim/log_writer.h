// Writes a simulated contest: one Cabrillo 3.0 log per station that sends
// one (named after its call, "/" as "-", ".log"; a second log of the same
// station "<CALL>-2.log"), and the truth of every contact line written, as
// CSV with the header
//   file,line,truth,happened,cause
// (file: the log's name; line: counted from 1 in the file; truth: the
// decision a perfect check gives; happened: 1 when the line records a
// contact that happened, with that call on that band and mode; cause: the
// simulated event on the line's own side and on the other, as "own/other").
#pragma once

#include <cstdint>
#include <string>

#include "tools/contest_sim/contest_model.h"

namespace qxqy::contest_sim {

struct WrittenContest {
  uint32_t files = 0;
  uint64_t lines = 0;  // contact lines, every file
};

// The log file name of `call`.
std::string LogFileName(const std::string& call);

// Writes the logs into `logs_dir` (created when missing) and the truth to
// `truth_path`. Throws std::runtime_error naming the file that cannot be
// written.
WrittenContest WriteContest(const Contest& contest, const std::string& logs_dir,
                            const std::string& truth_path);

}  // namespace qxqy::contest_sim
