#include "logfile/reader_test_support.h"

#include "logfile/band_table.h"
#include "logfile/mode_map.h"

namespace qxqy::logfile::testing {

ReadResult ReadText(std::string_view text, LogFormat format) {
  ByteSource source(ByteSource::InMemory{}, text);
  Report report;
  const ParsedLog log = ReadLog(source, format, report);
  ReadResult result;
  for (const auto& contact : log.contacts()) {
    const ContactText t = log.TextOf(contact);
    result.contacts.push_back(std::to_string(contact.line) + " " + std::string(t.call) + " " +
                              std::string(Bands()[contact.band].label) + " " +
                              std::string(kModes[contact.mode]) + " [" + std::string(t.exchange) +
                              "] " + std::string(t.prefix) + " " +
                              std::to_string(contact.time_key));
  }
  for (const Finding& finding : report.findings()) {
    result.findings.push_back(std::to_string(finding.line) + ": " + finding.reason);
  }
  result.own_call = log.own_call;
  result.claimed_score = log.claimed_score.value_or("-");
  return result;
}

}  // namespace qxqy::logfile::testing
