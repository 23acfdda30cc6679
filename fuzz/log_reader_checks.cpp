#include "fuzz/log_reader_checks.h"

#include <algorithm>
#include <string>

#include "fuzz/fuzz_check.h"
#include "logfile/band_table.h"
#include "logfile/log_checker.h"
#include "logfile/mode_map.h"

namespace qxqy::fuzzing {
namespace {

// Lines of the text as the byte reader counts them: one more than the line
// ends (CR LF, LF or a lone CR).
size_t LineCount(std::string_view bytes) {
  size_t lines = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines;
}

bool IsCallText(std::string_view call) {
  if (call.empty()) return false;
  return std::none_of(call.begin(), call.end(), [](char c) { return c >= 'a' && c <= 'z'; }) &&
         static_cast<unsigned char>(call.front()) > ' ';
}

}  // namespace

void CheckLogReader(std::string_view bytes, logfile::LogFormat format) {
  using namespace logfile;
  const size_t lines = LineCount(bytes);
  ByteSource source(ByteSource::InMemory{}, bytes);
  Report report;
  ParsedLog log;
  try {
    log = ReadLog(source, format, report);
  } catch (const LogReadError& error) {
    // The one text a reader refuses whole: UTF-16, which it would misread.
    QXQY_FUZZ_CHECK(LooksLikeUtf16(bytes), "refused: %s", error.what());
    return;
  }

  for (const auto& contact : log.contacts()) {
    QXQY_FUZZ_CHECK(contact.line >= 1 && contact.line <= lines, "line %u of %zu", contact.line,
                    lines);
    QXQY_FUZZ_CHECK(contact.band < kBandCount, "band %u", contact.band);
    QXQY_FUZZ_CHECK(contact.mode < kModeCount, "mode %u", contact.mode);
    const ContactText text = log.TextOf(contact);
    QXQY_FUZZ_CHECK(IsCallText(text.call), "call '%.*s'", static_cast<int>(text.call.size()),
                    text.call.data());
  }
  for (const Finding& finding : report.findings()) {
    QXQY_FUZZ_CHECK(finding.line <= lines, "finding on line %u of %zu: %s", finding.line, lines,
                    finding.reason.c_str());
    QXQY_FUZZ_CHECK(!finding.reason.empty(), "a finding without a reason on line %u", finding.line);
  }

  // Every contact is either counted or a duplicate; each duplicate is
  // reported once, naming an earlier line of the same contact.
  const size_t contacts = log.contacts().size();
  const size_t findings_before = report.findings().size();
  CheckOptions options;
  options.plugins_folder = "/nonexistent-qxqy-fuzz/";
  const CheckResult result = CheckLog(log, options, report);
  QXQY_FUZZ_CHECK(result.scored + result.duplicates == contacts, "%zu + %zu != %zu", result.scored,
                  result.duplicates, contacts);
  QXQY_FUZZ_CHECK(result.statistics.totals[0] == std::to_string(result.scored),
                  "totals show %s contacts, %zu scored", result.statistics.totals[0].c_str(),
                  result.scored);
  size_t duplicates = 0;
  for (size_t i = findings_before; i < report.findings().size(); ++i) {
    const std::string& reason = report.findings()[i].reason;
    if (reason.rfind("duplicate of line ", 0) != 0) continue;
    ++duplicates;
    const uint32_t original = static_cast<uint32_t>(std::stoul(reason.substr(18)));
    QXQY_FUZZ_CHECK(original >= 1 && original <= lines, "duplicate of line %u of %zu", original,
                    lines);
  }
  if (report.dropped() == 0) {
    QXQY_FUZZ_CHECK(duplicates == result.duplicates, "%zu duplicates reported, %zu found",
                    duplicates, result.duplicates);
  }
}

}  // namespace qxqy::fuzzing
