// Reads an ADIF 3 (.adi) log. Fields are <NAME:LENGTH[:TYPE]>DATA, names in
// any letter case; text before the first field is the header when the file
// does not start with "<", and the header ends at <EOH>; each record ends at
// <EOR>. LENGTH counts the bytes of DATA, which may hold line ends.
//
// Only the fields scoring needs are kept, each cut to 255 characters; the
// rest of a field is read past, so memory does not grow with a field's
// length. A length that is no number from 0 to 2^31 - 1 (<CALL:>, <CALL:abc>,
// <CALL:-1>) is reported and its field read past up to the next "<"; one
// that runs past the end of the file is reported and ends the reading. A
// last record without <EOR> is reported and scored as it stands.
#pragma once

#include "logfile/byte_source.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

inline constexpr uint64_t kMaxAdifLength = 2147483647;

void ReadAdif(ByteSource& source, ParsedLog& log, Report& report);

}  // namespace qxqy::logfile
