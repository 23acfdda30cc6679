#include "logfile/log_checker.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/env.h"
#include "logfile/band_table.h"
#include "logfile/contact_fields.h"
#include "logfile/mode_map.h"
#include "records/host_record.h"
#include "refdata/reference_files.h"
#include "scoring/contest_session.h"

namespace qxqy::logfile {
namespace {

std::string OwnGroup(const ParsedLog& log, const CheckOptions& options, Report& report) {
  if (options.own_group) return *options.own_group;
  // A log without an own call is a station of no known country: its group
  // is DX, as for an own call whose country is unknown.
  if (log.own_call.empty()) {
    report.Add(0,
               "the log names no own call (Cabrillo CALLSIGN:, ADIF STATION_CALLSIGN or "
               "OPERATOR); own group taken as DX; give --own-group");
  }
  const std::string country = DeriveFields(log.own_call, {}, options.countries).country;
  if (!log.own_call.empty() && country.empty()) {
    report.Add(0, "country of the own call " + log.own_call +
                      " unknown; own group taken as DX, which changes every contact's points; "
                      "give --own-group");
  }
  return GroupOfCountry(country);
}

// The district table is optional for the plug-in, but a check without it
// counts no district multiplier: a score that changes without a word.
void ReportMissingDistrictTable(const CheckOptions& options, Report& report) {
  const std::string path = options.plugins_folder + kDistrictTableFileName;
  if (!env::FileExists(path)) {
    report.Add(0, "no district table at " + path + ": no district multipliers counted");
  }
}

// Reports each duplicate with the line of the contact it repeats: the first
// contact, in time order, with the same call, band and mode. Only the
// duplicates' calls are indexed, so this costs one pass over the log and
// memory for the duplicates alone.
void ReportDuplicates(const ParsedLog& log, const std::vector<uint32_t>& duplicates,
                      Report& report) {
  if (duplicates.empty()) return;
  struct Original {
    uint8_t band;
    uint8_t mode;
    uint32_t line;  // 0 until found
  };
  std::unordered_map<std::string_view, std::vector<Original>> by_call;
  const auto& contacts = log.contacts();
  for (uint32_t index : duplicates) {
    const auto& contact = contacts[index];
    auto& originals = by_call[log.TextOf(contact).call];
    const bool known = std::any_of(originals.begin(), originals.end(), [&](const Original& o) {
      return o.band == contact.band && o.mode == contact.mode;
    });
    if (!known) originals.push_back({contact.band, contact.mode, 0});
  }
  for (const auto& contact : contacts) {
    const auto found = by_call.find(log.TextOf(contact).call);
    if (found == by_call.end()) continue;
    for (Original& original : found->second) {
      if (original.line == 0 && original.band == contact.band && original.mode == contact.mode) {
        original.line = contact.line;
      }
    }
  }
  for (uint32_t index : duplicates) {
    const auto& contact = contacts[index];
    const std::string_view call = log.TextOf(contact).call;
    for (const Original& original : by_call[call]) {
      if (original.band != contact.band || original.mode != contact.mode) continue;
      report.Add(contact.line, "duplicate of line " + std::to_string(original.line) + " (" +
                                   std::string(call) + " " +
                                   std::string(Bands()[contact.band].label) + " " +
                                   std::string(kModes[contact.mode]) + "), not counted");
    }
  }
}

// The characters of the calls, bands and modes the engine will remember.
size_t ContactTextBytes(const ParsedLog& log) {
  size_t bytes = 0;
  for (const auto& contact : log.contacts()) {
    bytes += contact.call_size + Bands()[contact.band].label.size() + kModes[contact.mode].size();
  }
  return bytes;
}

// How many contacts ahead the engine's slot for a contact is asked for: a
// memory fetch takes about as long as scoring this many contacts.
constexpr size_t kPrefetchAhead = 8;

void PrefetchContact(const ContestSession& session, const ParsedLog& log, size_t index) {
  const auto& contacts = log.contacts();
  if (index >= contacts.size()) return;
  const ParsedLog::Contact& contact = contacts[index];
  session.Scoring()->qso_list().Prefetch(log.TextOf(contact).call, Bands()[contact.band].label,
                                         kModes[contact.mode]);
}

}  // namespace

CheckResult CheckLog(ParsedLog& log, const CheckOptions& options, Report& report,
                     const std::function<void(const ScoredContact&)>& on_contact) {
  CheckResult result;
  if (log.contacts().empty()) report.Add(0, "no contact in the log could be scored");
  if (log.lacks_end_of_log) report.Add(0, "no END-OF-LOG: line: the log may be cut off");
  ReportMissingDistrictTable(options, report);
  result.own_group = OwnGroup(log, options, report);
  auto& contacts = log.contacts();
  const auto earlier = [](const ParsedLog::Contact& a, const ParsedLog::Contact& b) {
    return a.time_key < b.time_key;
  };
  // Most logs are in time order already: then the sort and its buffer are
  // not needed.
  if (!std::is_sorted(contacts.begin(), contacts.end(), earlier)) {
    std::stable_sort(contacts.begin(), contacts.end(), earlier);
  }

  HostRecord record{};
  WriteShortText(record.OwnGroup, result.own_group);
  ContestSession session(record, options.plugins_folder, /*observer=*/nullptr);
  // The whole log is known: the contact list takes its size once instead
  // of growing (and copying itself) on the way.
  session.ReserveContacts(contacts.size(), ContactTextBytes(log));
  std::vector<uint32_t> duplicates;
  for (size_t i = 0; i < contacts.size(); ++i) {
    // A log's contacts land on random slots of a large index: ask for the
    // slot of a contact a few ahead, so that it is in the cache by its turn.
    PrefetchContact(session, log, i + kPrefetchAhead);
    const ParsedLog::Contact& contact = contacts[i];
    const ContactText text = log.TextOf(contact);
    DerivedFields fields = DeriveFields(text.call, text.prefix, options.countries);
    if (options.contact_group) fields.group = *options.contact_group;
    const std::string_view band = Bands()[contact.band].label;
    const std::string_view mode = kModes[contact.mode];
    WriteShortText(record.Call, text.call);
    WriteShortText(record.Band, band);
    WriteShortText(record.Mode, mode);
    WriteShortText(record.ReportReceived, text.exchange);
    WriteShortText(record.Wpx, fields.wpx);
    WriteShortText(record.Country, fields.country);
    WriteShortText(record.QsoGroup, fields.group);
    const int32_t points = session.Commit();
    if (points < 0) {
      duplicates.push_back(static_cast<uint32_t>(i));
    } else {
      ++result.scored;
    }
    if (fields.country.empty()) {
      report.Add(contact.line,
                 "country of " + std::string(text.call) + " unknown, no prefix multiplier");
    }
    if (on_contact) {
      on_contact({contact.line, text.call, band, mode, text.exchange, fields.wpx, fields.country,
                  fields.group, result.own_group, points});
    }
  }
  result.duplicates = duplicates.size();
  ReportDuplicates(log, duplicates, report);
  result.statistics = *session.Statistics();
  for (int band = 0; band < kBandCount; ++band) {
    if (const TStatistic* figures = session.Scoring()->stat_list().Find(Bands()[band].label)) {
      result.bands.push_back(*figures);
    }
  }
  return result;
}

CheckSummary SummarizeCheck(std::string file, const ParsedLog& log, const CheckResult& result,
                            const Report& report) {
  CheckSummary summary;
  summary.file = std::move(file);
  summary.statistics = &result.statistics;
  summary.bands = result.bands;
  summary.claimed_score = log.claimed_score;
  summary.own_group = result.own_group;
  summary.scored = result.scored;
  summary.duplicates = result.duplicates;
  summary.report = &report;
  return summary;
}

}  // namespace qxqy::logfile
