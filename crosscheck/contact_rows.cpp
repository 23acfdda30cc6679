#include "crosscheck/contact_rows.h"

#include <algorithm>
#include <iterator>
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

const ParsedLog::Contact& ContactOf(const ContestResults& results, const ContestLine& line) {
  return results.logs[line.log].log.contacts()[line.contact];
}

// Where the evidence of line `index` comes from: nowhere (none), what the
// other side sent kept beside the line, the other line's log's station, or
// the other line's contact (with that station).
enum class EvidenceReads { kNothing, kKeptExchange, kStation, kContact };

EvidenceReads WhatEvidenceReads(const ContestResults& results, uint32_t index) {
  const ContestLine& line = results.lines[index];
  if (line.evidence == kNoLine) return EvidenceReads::kNothing;
  switch (line.decision) {
    case Decision::kOk:
    case Decision::kBustedExchange:
      return index < results.paired_exchanges.size() && results.paired_exchanges[index].held()
                 ? EvidenceReads::kKeptExchange
                 : EvidenceReads::kContact;
    case Decision::kBandOrMode:
    case Decision::kNilTheirBust:
      return EvidenceReads::kContact;
    case Decision::kBustedCall:
      return EvidenceReads::kStation;
    default:
      return EvidenceReads::kNothing;
  }
}

// The other side's evidence for line `index`, into `out` (which keeps its
// room from row to row).
void SetEvidence(const ContestResults& results, uint32_t index, std::string& out) {
  out.clear();
  const EvidenceReads reads = WhatEvidenceReads(results, index);
  if (reads == EvidenceReads::kNothing) return;
  if (reads == EvidenceReads::kKeptExchange) {
    out.assign(results.paired_exchanges[index].view());
    return;
  }
  const ContestLine& line = results.lines[index];
  const ContestLine& other = results.lines[line.evidence];
  const LogResult& log = results.logs[other.log];
  switch (line.decision) {
    case Decision::kOk:
    case Decision::kBustedExchange:
      out.assign(log.log.TextOf(ContactOf(results, other)).sent_exchange);
      return;
    case Decision::kBandOrMode:
      out.append(log.station)
          .append(" logged ")
          .append(logfile::Bands()[other.band].label)
          .append(" ")
          .append(logfile::kModes[other.mode])
          .append(" ");
      AppendTimeKey(ContactOf(results, other).time_key, out);
      return;
    case Decision::kNilTheirBust:
      out.assign(log.log.TextOf(ContactOf(results, other)).call);
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
  // Formatted into `text` two digits at a time, then appended at once.
  char text[20];
  char* at = text;
  const auto two = [&](int64_t value) {  // value % 100, zero-padded
    const auto digits = static_cast<int>(value % 100);
    *at++ = static_cast<char>('0' + digits / 10);
    *at++ = static_cast<char>('0' + digits % 10);
  };
  const int64_t year = time_key / 10000000000;
  two(year / 100);
  two(year);
  *at++ = '-';
  two(time_key / 100000000);
  *at++ = '-';
  two(time_key / 1000000);
  *at++ = ' ';
  two(time_key / 10000);
  two(time_key / 100);
  if (time_key % 100 != 0) {
    *at++ = ':';
    two(time_key);
  }
  out.append(text, static_cast<size_t>(at - text));
}

std::string FormatTimeKey(int64_t time_key) {
  std::string out;
  AppendTimeKey(time_key, out);
  return out;
}

ContactRows::ContactRows(const ContestResults& results, size_t log)
    : results_(results), log_(results.logs[log]) {
  if (log_.status == LogStatus::kUnreadable) {
    next_unscored_ = log_.log.unscored_lines.size();
    return;
  }
  const auto& contacts = log_.log.contacts();
  // Contacts are held in time order: put them back in file order (most
  // logs are written in time order, so it often is the same).
  order_.resize(contacts.size());
  for (uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
  const auto by_line = [&](uint32_t a, uint32_t b) { return contacts[a].line < contacts[b].line; };
  if (!std::is_sorted(order_.begin(), order_.end(), by_line)) {
    std::sort(order_.begin(), order_.end(), by_line);
  }
  if (log_.status == LogStatus::kChecked) AskForEvidence();
}

// The other logs' lines that Fill reads as evidence lie anywhere in the
// contest, each a chain of three reads (the line, its contact, the
// contact's texts). They are asked for all at once, one link of the chains
// at a time, so that the memory fetches them side by side rather than one
// after another as the rows come. Lines whose evidence is an exchange are
// left out: nearly all have it kept beside them, and telling which do not
// would read another array for most lines.
void ContactRows::AskForEvidence() const {
  thread_local std::vector<uint32_t> remote;
  remote.clear();
  const uint32_t end = log_.first_line + static_cast<uint32_t>(order_.size());
  for (uint32_t index = log_.first_line; index < end; ++index) {
    const ContestLine& line = results_.lines[index];
    if (line.evidence == kNoLine || line.decision == Decision::kOk ||
        line.decision == Decision::kBustedExchange) {
      continue;
    }
    remote.push_back(index);
    __builtin_prefetch(&results_.lines[line.evidence]);
  }
  for (const uint32_t index : remote) {
    const ContestLine& other = results_.lines[results_.lines[index].evidence];
    __builtin_prefetch(&results_.logs[other.log].station);
    if (WhatEvidenceReads(results_, index) == EvidenceReads::kContact) {
      __builtin_prefetch(&ContactOf(results_, other));
    }
  }
  for (const uint32_t index : remote) {
    if (WhatEvidenceReads(results_, index) != EvidenceReads::kContact) continue;
    const ContestLine& other = results_.lines[results_.lines[index].evidence];
    __builtin_prefetch(results_.logs[other.log].log.TextOf(ContactOf(results_, other)).call.data());
  }
}

bool ContactRows::Next() {
  const auto& unscored = log_.log.unscored_lines;
  const bool set_aside = log_.status == LogStatus::kSetAside;
  const bool contact_left = next_contact_ < order_.size();
  if (next_unscored_ < unscored.size() &&
      (!contact_left ||
       unscored[next_unscored_] < log_.log.contacts()[order_[next_contact_]].line)) {
    unscored_ = true;
    current_ = unscored[next_unscored_++];
    decision_ = set_aside ? Decision::kSetAside : Decision::kNotScored;
    return true;
  }
  if (!contact_left) return false;
  unscored_ = false;
  current_ = order_[next_contact_++];
  decision_ = set_aside ? Decision::kSetAside : results_.lines[log_.first_line + current_].decision;
  return true;
}

void ContactRows::Fill(ContactRow& row) const {
  row.decision = decision_;
  row.penalty = 0;
  row.time.clear();
  row.evidence.clear();
  if (unscored_) {
    row.line = current_;
    row.call = row.band = row.mode = {};
    if (decision_ == Decision::kSetAside) {
      row.evidence = log_.note;
    } else {
      row.evidence = ReasonOf(log_.reader_report, current_);
    }
    return;
  }
  const ParsedLog::Contact& contact = log_.log.contacts()[current_];
  row.line = contact.line;
  row.call = log_.log.TextOf(contact).call;
  row.band = logfile::Bands()[contact.band].label;
  row.mode = logfile::kModes[contact.mode];
  AppendTimeKey(contact.time_key, row.time);
  if (decision_ == Decision::kSetAside) {
    row.evidence = log_.note;
  } else {
    const uint32_t index = log_.first_line + current_;
    SetEvidence(results_, index, row.evidence);
    row.penalty = PenaltyOf(results_.options, results_.lines[index]);
  }
}

void ForEachContactRow(const ContestResults& results, size_t log_index,
                       const std::function<void(const ContactRow&)>& row,
                       const std::function<bool(Decision)>& only) {
  ContactRows rows(results, log_index);
  ContactRow out;
  while (rows.Next()) {
    if (only && !only(rows.decision())) continue;
    rows.Fill(out);
    row(out);
  }
}

}  // namespace qxqy::crosscheck
