#include "logfile/log_file.h"

#include "base/text.h"
#include "logfile/adif_reader.h"
#include "logfile/cabrillo_reader.h"

namespace qxqy::logfile {
namespace {

constexpr std::string_view kStartOfLog = "START-OF-LOG:";

// How much of a text's head tells whether it is UTF-16: a text that is
// shows it from its first characters on.
constexpr size_t kUtf16ProbeBytes = 4096;

// True when `text` holds <EOH> or <EOR> in any letter case: searched in
// place, without an upper-case copy of the text.
bool HoldsAdifEndTag(std::string_view text) {
  for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    const std::string_view tag = text.substr(at, 5);
    if (SameIgnoringAsciiCase(tag, "<EOH>") || SameIgnoringAsciiCase(tag, "<EOR>")) return true;
  }
  return false;
}

}  // namespace

std::optional<LogFormat> LogFormatOfName(std::string_view name) {
  if (SameIgnoringAsciiCase(name, "cabrillo")) return LogFormat::kCabrillo;
  if (SameIgnoringAsciiCase(name, "adif")) return LogFormat::kAdif;
  return std::nullopt;
}

std::optional<LogFormat> DetectLogFormat(std::string_view head) {
  head = WithoutUtf8ByteOrderMark(head);
  size_t first = 0;
  while (first < head.size() && static_cast<unsigned char>(head[first]) <= ' ') ++first;
  const std::string_view text = head.substr(first);
  if (SameIgnoringAsciiCase(text.substr(0, kStartOfLog.size()), kStartOfLog)) {
    return LogFormat::kCabrillo;
  }
  if (!text.empty() && text[0] == '<') return LogFormat::kAdif;
  if (HoldsAdifEndTag(text)) return LogFormat::kAdif;
  return std::nullopt;
}

bool LooksLikeUtf16(std::string_view head) {
  if (head.size() >= 2 &&
      ((head[0] == '\xFF' && head[1] == '\xFE') || (head[0] == '\xFE' && head[1] == '\xFF'))) {
    return true;
  }
  // ASCII text as UTF-16 has a NUL at every other place; a text that is no
  // UTF-16 has at most a few.
  head = head.substr(0, kUtf16ProbeBytes);
  // Most logs hold no NUL at all: found at once, without counting.
  if (head.find('\0') == std::string_view::npos) return false;
  size_t nuls[2] = {0, 0};
  for (size_t i = 0; i < head.size(); ++i) nuls[i % 2] += head[i] == '\0' ? 1 : 0;
  const size_t pairs = head.size() / 2;
  const auto mostly = [pairs](size_t count) { return count * 4 >= pairs * 3; };
  const auto few = [pairs](size_t count) { return count * 4 < pairs; };
  return pairs >= 2 && ((mostly(nuls[0]) && few(nuls[1])) || (mostly(nuls[1]) && few(nuls[0])));
}

ParsedLog ReadLog(ByteSource& source, std::optional<LogFormat> format, Report& report,
                  ContactSink* sink) {
  if (LooksLikeUtf16(source.Ahead())) {
    throw LogReadError(
        "the log is UTF-16 text, which is not read: save it as UTF-8 or ASCII (plain text) "
        "and check it again");
  }
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
