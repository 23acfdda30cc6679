// Reading the contest's logs and telling their stations: which log is
// checked, which is set aside and why.
#pragma once

#include <vector>

#include "crosscheck/contest_check.h"

namespace qxqy::crosscheck {

// Reads every input (on options.threads threads) into `results.logs`,
// sorted by file name: contacts in time order, the station found, a log
// that cannot be read or names no station set aside as unreadable.
void ReadContestLogs(std::vector<LogInput> inputs, ContestResults& results);

// Of the logs of one station, keeps the one with the most contact lines
// (the first by file name when equal) checked and sets the others aside.
void SetAsideSecondLogs(ContestResults& results);

// The station of a read log: its CALLSIGN header, else the sent call most
// of its contacts give (the first seen when equal), normalised; empty when
// neither gives one.
std::string StationOfLog(const logfile::ParsedLog& log);

}  // namespace qxqy::crosscheck
