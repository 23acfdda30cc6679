// Small contests for the contest check's tests: Cabrillo logs written from
// short contact descriptions, and generated contests with errors of every
// kind.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "crosscheck/contest_check.h"

namespace qxqy::crosscheck {

// A Cabrillo log of `station` sending `sent` with contact lines written
// "BAND MODE hhmm CALL RCVD-EXCH" (band in MHz: 1.8 3.5 7 14 21 28; time
// "d+hhmm" for a later day).
std::string Cabrillo(const std::string& station, const std::string& sent,
                     const std::vector<std::string>& contacts, const std::string& header = "");

LogInput Log(const std::string& name, const std::string& station, const std::string& sent,
             const std::vector<std::string>& contacts);

// The options of the tests: no district table.
ContestOptions TestOptions();

struct GeneratedContest {
  std::vector<LogInput> logs;
  size_t contact_lines = 0;
};

// A small contest from `seed`: stations from a small alphabet of calls
// (some one edit apart), contacts both sides log with errors (a busted call
// or exchange, another band, a missed line, a clock off), some stations
// sending no log, a few broken lines.
GeneratedContest Generate(unsigned seed, size_t stations);

}  // namespace qxqy::crosscheck
