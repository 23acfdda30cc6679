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

// Reads the log from `source`, in `format` when given, else in the format
// detected. Throws LogReadError when the text cannot be read or its format
// cannot be told; every other problem goes into `report`. `sink`, when
// given, sees each contact as it is read (ParsedLog::ForwardContactsTo).
ParsedLog ReadLog(ByteSource& source, std::optional<LogFormat> format, Report& report,
                  ContactSink* sink = nullptr);

}  // namespace qxqy::logfile
