#include "crosscheck/contact_rows.h"

#include <algorithm>
#include <vector>

#include "crosscheck/log_scores.h"
#include "logfile/band_table.h"
#include "logfile/mode_map.h"

namespace qxqy::crosscheck {
namespace {

using logfile::ParsedLog;

// The reader's reason for a line it did not score.
std::string ReasonOf(const logfile::Report& report, uint32_t line) {
  const auto& findings = report.findings();
  // The reader's findings are sorted by line (ReadContestLogs).
  const auto found =
      std::lower_bound(findings.begin(), findings.end(), line,
                       [](const logfile::Finding& f, uint32_t wanted) { return f.line < wanted; });
  return found != findings.end() && found->line == line ? found->reason
                                                        : "not scored (the reason was not kept)";
}

const ParsedLog::Contact& ContactOf(const ContestResults& results, uint32_t line) {
  const ContestLine& l = results.lines[line];
  return results.logs[l.log].log.contacts()[l.contact];
}

std::string Evidence(const ContestResults& results, const ContestLine& line) {
  if (line.evidence == kNoLine) return {};
  const ContestLine& other = results.lines[line.evidence];
  const LogResult& log = results.logs[other.log];
  const ParsedLog::Contact& contact = ContactOf(results, line.evidence);
  switch (line.decision) {
    case Decision::kOk:
    case Decision::kBustedExchange:
      return std::string(log.log.TextOf(contact).sent_exchange);
    case Decision::kBandOrMode:
      return log.station + " logged " + std::string(logfile::Bands()[other.band].label) + " " +
             std::string(logfile::kModes[other.mode]) + " " + FormatTimeKey(contact.time_key);
    case Decision::kNilTheirBust:
      return std::string(log.log.TextOf(contact).call);
    case Decision::kBustedCall:
      return log.station;
    default:
      return {};
  }
}

}  // namespace

std::string FormatTimeKey(int64_t time_key) {
  // Digits of time_key / divisor % 10^width, zero-padded to width.
  std::string out;
  const auto digits = [&](int64_t divisor, int width) {
    int64_t value = time_key / divisor;
    std::string text(static_cast<size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value /= 10) {
      text[static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
    }
    out += text;
  };
  digits(10000000000, 4);
  out += '-';
  digits(100000000, 2);
  out += '-';
  digits(1000000, 2);
  out += ' ';
  digits(10000, 2);
  digits(100, 2);
  if (time_key % 100 != 0) {
    out += ':';
    digits(1, 2);
  }
  return out;
}

void ForEachContactRow(const ContestResults& results, size_t log_index,
                       const std::function<void(const ContactRow&)>& row,
                       const std::function<bool(Decision)>& only) {
  const LogResult& log = results.logs[log_index];
  if (log.status == LogStatus::kUnreadable) return;
  const auto& contacts = log.log.contacts();
  // Contacts are held in time order: put them back in file order.
  std::vector<uint32_t> order(contacts.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](uint32_t a, uint32_t b) { return contacts[a].line < contacts[b].line; });
  const auto& unscored = log.log.unscored_lines;
  size_t u = 0;
  ContactRow out;
  const auto emit_unscored = [&](uint32_t line) {
    if (only &&
        !only(log.status == LogStatus::kSetAside ? Decision::kSetAside : Decision::kNotScored)) {
      return;
    }
    out = ContactRow{};
    out.line = line;
    if (log.status == LogStatus::kSetAside) {
      out.decision = Decision::kSetAside;
      out.evidence = log.note;
    } else {
      out.decision = Decision::kNotScored;
      out.evidence = ReasonOf(log.reader_report, line);
    }
    row(out);
  };
  for (uint32_t c : order) {
    const ParsedLog::Contact& contact = contacts[c];
    while (u < unscored.size() && unscored[u] < contact.line) emit_unscored(unscored[u++]);
    const Decision decision = log.status == LogStatus::kSetAside
                                  ? Decision::kSetAside
                                  : results.lines[log.first_line + c].decision;
    if (only && !only(decision)) continue;
    out = ContactRow{};
    out.line = contact.line;
    out.call = log.log.TextOf(contact).call;
    out.band = logfile::Bands()[contact.band].label;
    out.mode = logfile::kModes[contact.mode];
    out.time = FormatTimeKey(contact.time_key);
    if (log.status == LogStatus::kSetAside) {
      out.decision = Decision::kSetAside;
      out.evidence = log.note;
    } else {
      const ContestLine& line = results.lines[log.first_line + c];
      out.decision = line.decision;
      out.evidence = Evidence(results, line);
      out.penalty = PenaltyOf(results.options, line);
    }
    row(out);
  }
  while (u < unscored.size()) emit_unscored(unscored[u++]);
}

}  // namespace qxqy::crosscheck
