// Reads a Cabrillo 3 log: its header's CALLSIGN: and CLAIMED-SCORE:, and
// its QSO: lines, which for this contest read
//   QSO: freq mode date time sent-call sent-rst sent-exch rcvd-call rcvd-rst rcvd-exch [tx-id]
// A QSO: line with another number of fields is reported and skipped (a
// column is never guessed), as is one whose frequency, mode, date or time
// cannot be read or whose frequency is outside the bands. X-QSO: lines are
// listed and not scored. Reading stops at END-OF-LOG:.
#pragma once

#include "logfile/byte_source.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

// Lines longer than this are reported and read past.
inline constexpr size_t kMaxCabrilloLine = 4096;

void ReadCabrillo(ByteSource& source, ParsedLog& log, Report& report);

}  // namespace qxqy::logfile
