// Reads a Cabrillo 3 log: its header's CALLSIGN: and CLAIMED-SCORE:, and
// its QSO: lines, which for this contest read
//   QSO: freq mode date time sent-call sent-rst sent-exch rcvd-call rcvd-rst rcvd-exch [tx-id]
// A QSO: line with another number of fields is reported and skipped (a
// column is never guessed), as is one whose frequency, mode, date or time
// cannot be read or whose frequency is outside the bands. X-QSO: lines are
// listed and not scored. The log ends at END-OF-LOG:; a QSO: or X-QSO:
// line after it is reported and not scored, anything else there ignored; a
// log without it is marked (ParsedLog::lacks_end_of_log) for the checker to
// report. A tag Cabrillo 3.0 does not define is reported (a typo like QS0:
// would lose a contact without a word); X- tags are the log's own and pass.
// An eleventh QSO: field must be a transmitter id (one digit): anything else
// is one exchange field too many, reported and not scored.
#pragma once

#include "logfile/byte_source.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

// Lines longer than this are reported and read past.
inline constexpr size_t kMaxCabrilloLine = 4096;

void ReadCabrillo(ByteSource& source, ParsedLog& log, Report& report);

}  // namespace qxqy::logfile
