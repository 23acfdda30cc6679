#include "logfile/log_file.h"

#include "base/text.h"
#include "logfile/adif_reader.h"
#include "logfile/cabrillo_reader.h"

namespace qxqy::logfile {
namespace {

constexpr std::string_view kStartOfLog = "START-OF-LOG:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::optional<LogFormat> LogFormatOfName(std::string_view name) {
  if (SameIgnoringAsciiCase(name, "cabrillo")) return LogFormat::kCabrillo;
  if (SameIgnoringAsciiCase(name, "adif")) return LogFormat::kAdif;
  return std::nullopt;
}

std::optional<LogFormat> DetectLogFormat(std::string_view head) {
  if (head.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    head.remove_prefix(kByteOrderMark.size());
  }
  size_t first = 0;
  while (first < head.size() && static_cast<unsigned char>(head[first]) <= ' ') ++first;
  const std::string_view text = head.substr(first);
  if (SameIgnoringAsciiCase(text.substr(0, kStartOfLog.size()), kStartOfLog)) {
    return LogFormat::kCabrillo;
  }
  if (!text.empty() && text[0] == '<') return LogFormat::kAdif;
  const std::string upper = UpperCase(text);
  if (upper.find("<EOH>") != std::string::npos || upper.find("<EOR>") != std::string::npos) {
    return LogFormat::kAdif;
  }
  return std::nullopt;
}

ParsedLog ReadLog(ByteSource& source, std::optional<LogFormat> format, Report& report,
                  ContactSink* sink) {
  if (!format) format = DetectLogFormat(source.Ahead());
  if (!format) {
    throw LogReadError(
        "cannot tell the log's format: neither Cabrillo (START-OF-LOG:) nor ADIF (<EOH> or "
        "<EOR>); name it with --format-in cabrillo|adif");
  }
  ParsedLog log;
  log.ReserveForBytes(source.SizeHint());
  log.ForwardContactsTo(sink);
  if (*format == LogFormat::kCabrillo) {
    ReadCabrillo(source, log, report);
  } else {
    ReadAdif(source, log, report);
  }
  log.ForwardContactsTo(nullptr);
  return log;
}

}  // namespace qxqy::logfile
