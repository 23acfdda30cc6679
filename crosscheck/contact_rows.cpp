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

// The other side's evidence for line `index`, into `out` (which keeps its
// room from row to row).
void SetEvidence(const ContestResults& results, uint32_t index, std::string& out) {
  out.clear();
  const ContestLine& line = results.lines[index];
  if (line.evidence == kNoLine) return;
  const bool exchange =
      line.decision == Decision::kOk || line.decision == Decision::kBustedExchange;
  if (exchange && index < results.paired_exchanges.size() &&
      results.paired_exchanges[index].held()) {
    out.assign(results.paired_exchanges[index].view());
    return;
  }
  const ContestLine& other = results.lines[line.evidence];
  const LogResult& log = results.logs[other.log];
  const ParsedLog::Contact& contact = ContactOf(results, line.evidence);
  switch (line.decision) {
    case Decision::kOk:
    case Decision::kBustedExchange:
      out.assign(log.log.TextOf(contact).sent_exchange);
      return;
    case Decision::kBandOrMode:
      out.append(log.station)
          .append(" logged ")
          .append(logfile::Bands()[other.band].label)
          .append(" ")
          .append(logfile::kModes[other.mode])
          .append(" ");
      AppendTimeKey(contact.time_key, out);
      return;
    case Decision::kNilTheirBust:
      out.assign(log.log.TextOf(contact).call);
      return;
    case Decision::kBustedCall:
      out.assign(log.station);
      return;
    default:
      return;
  }
}

}  // namespace

void AppendTimeKey(int64_t time_key, std::string& out) {
  // Digits of time_key / divisor % 10^width, zero-padded to width.
  const auto digits = [&](int64_t divisor, int width) {
    char text[4];
    int64_t value = time_key / divisor;
    for (int i = width - 1; i >= 0; --i, value /= 10) {
      text[i] = static_cast<char>('0' + value % 10);
    }
    out.append(text, static_cast<size_t>(width));
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
}

std::string FormatTimeKey(int64_t time_key) {
  std::string out;
  AppendTimeKey(time_key, out);
  return out;
}

void ForEachContactRow(const ContestResults& results, size_t log_index,
                       const std::function<void(const ContactRow&)>& row,
                       const std::function<bool(Decision)>& only) {
  const LogResult& log = results.logs[log_index];
  if (log.status == LogStatus::kUnreadable) return;
  const auto& contacts = log.log.contacts();
  // Contacts are held in time order: put them back in file order (most
  // logs are written in time order, so it often is the same).
  std::vector<uint32_t> order(contacts.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto by_line = [&](uint32_t a, uint32_t b) { return contacts[a].line < contacts[b].line; };
  if (!std::is_sorted(order.begin(), order.end(), by_line)) {
    std::sort(order.begin(), order.end(), by_line);
  }
  const auto& unscored = log.log.unscored_lines;
  size_t u = 0;
  // One row, its texts' room kept from row to row.
  ContactRow out;
  const auto clear = [&] {
    out.call = out.band = out.mode = {};
    out.time.clear();
    out.evidence.clear();
    out.penalty = 0;
  };
  const auto emit_unscored = [&](uint32_t line) {
    if (only &&
        !only(log.status == LogStatus::kSetAside ? Decision::kSetAside : Decision::kNotScored)) {
      return;
    }
    clear();
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
  for (const uint32_t c : order) {
    const ParsedLog::Contact& contact = contacts[c];
    while (u < unscored.size() && unscored[u] < contact.line) emit_unscored(unscored[u++]);
    const Decision decision = log.status == LogStatus::kSetAside
                                  ? Decision::kSetAside
                                  : results.lines[log.first_line + c].decision;
    if (only && !only(decision)) continue;
    clear();
    out.line = contact.line;
    out.call = log.log.TextOf(contact).call;
    out.band = logfile::Bands()[contact.band].label;
    out.mode = logfile::kModes[contact.mode];
    AppendTimeKey(contact.time_key, out.time);
    if (log.status == LogStatus::kSetAside) {
      out.decision = Decision::kSetAside;
      out.evidence = log.note;
    } else {
      const ContestLine& line = results.lines[log.first_line + c];
      out.decision = line.decision;
      SetEvidence(results, log.first_line + c, out.evidence);
      out.penalty = PenaltyOf(results.options, line);
    }
    row(out);
  }
  while (u < unscored.size()) emit_unscored(unscored[u++]);
}

}  // namespace qxqy::crosscheck
