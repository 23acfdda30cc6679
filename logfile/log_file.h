// A log file read whole into a ParsedLog: the format recognised from the
// content (or forced), then read by its reader.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "logfile/byte_source.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"

namespace qxqy::logfile {

enum class LogFormat { kCabrillo, kAdif };

// "cabrillo" or "adif" (letter case ignored); nullopt for any other name.
std::optional<LogFormat> LogFormatOfName(std::string_view name);

// The format of a log starting with `head`: Cabrillo when its first
// non-blank text is START-OF-LOG:, ADIF when it holds <EOH> or <EOR> (any
// letter case) or starts with "<"; nullopt otherwise.
std::optional<LogFormat> DetectLogFormat(std::string_view head);

// True when a text starting with `head` is UTF-16: it starts with a UTF-16
// byte order mark (FF FE or FE FF), or NUL bytes fill most of the even or
// of the odd places of its first 4 KB (ASCII written as UTF-16 without a
// mark).
bool LooksLikeUtf16(std::string_view head);

// Reads the log from `source`, in `format` when given, else in the format
// detected. Throws LogReadError when the text cannot be read, is UTF-16 (which
// neither reader reads: the message says so) or its format cannot be told;
// every other problem goes into `report`. `sink`, when given, sees each
// contact as it is read (ParsedLog::ForwardContactsTo).
ParsedLog ReadLog(ByteSource& source, std::optional<LogFormat> format, Report& report,
                  ContactSink* sink = nullptr);

}  // namespace qxqy::logfile
