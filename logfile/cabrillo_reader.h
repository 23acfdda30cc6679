// Reads a Cabrillo 3 log: its header's CALLSIGN: and CLAIMED-SCORE:, and
// its QSO: lines, which for this contest read
//   QSO: freq mode date time sent-call sent-rst sent-exch rcvd-call rcvd-rst rcvd-exch [tx-id]
// A QSO: line with another number of fields is reported and skipped (a
// column is never guessed), as is one whose frequency, mode, date or time
// cannot be read or whose frequency is outside the bands. X-QSO: lines are
// listed and not scored. The log ends at END-OF-LOG:; a QSO: or X-QSO:
// line after it is reported and not scored, anything else there ignored.
#pragma once

#include "logfile/byte_source.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

// Lines longer than this are reported and read past.
inline constexpr size_t kMaxCabrilloLine = 4096;

void ReadCabrillo(ByteSource& source, ParsedLog& log, Report& report);

}  // namespace qxqy::logfile
