#include "logfile/contact_scorer.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "base/env.h"
#include "logfile/band_table.h"
#include "logfile/contact_fields.h"
#include "logfile/mode_map.h"
#include "refdata/reference_files.h"

namespace qxqy::logfile {
namespace {

// Reports each duplicate with the line of the contact it repeats: the first
// contact, in scoring order, with the same call, band and mode. Only the
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

// An empty host record but for the operator's group, which the session may
// read from its start.
HostRecord RecordOfOwnGroup(std::string_view own_group) {
  HostRecord record{};
  WriteShortText(record.OwnGroup, own_group);
  return record;
}

}  // namespace

std::string GroupOfOwnCall(std::string_view own_call, const CheckOptions& options) {
  if (options.own_group) return *options.own_group;
  // A log without an own call is a station of no known country: its group
  // is DX, as for an own call whose country is unknown.
  return std::string(GroupOfCountry(DeriveFields(own_call, {}, options.countries).country));
}

void ReportLogAsAWhole(const ParsedLog& log, const CheckOptions& options, Report& report) {
  if (log.contacts().empty()) report.Add(0, "no contact in the log could be scored");
  if (log.lacks_end_of_log) report.Add(0, "no END-OF-LOG: line: the log may be cut off");
  // The district table is optional for the plug-in, but a check without it
  // counts no district multiplier: a score that changes without a word.
  const std::string district_table = options.plugins_folder + kDistrictTableFileName;
  if (!env::FileExists(district_table)) {
    report.Add(0, "no district table at " + district_table + ": no district multipliers counted");
  }
  if (options.own_group) return;
  if (log.own_call.empty()) {
    report.Add(0,
               "the log names no own call (Cabrillo CALLSIGN:, ADIF STATION_CALLSIGN or "
               "OPERATOR); own group taken as DX; give --own-group");
  } else if (DeriveFields(log.own_call, {}, options.countries).country.empty()) {
    report.Add(0, "country of the own call " + log.own_call +
                      " unknown; own group taken as DX, which changes every contact's points; "
                      "give --own-group");
  }
}

ContactScorer::ContactScorer(const CheckOptions& options, std::string own_group)
    : options_(options),
      own_group_(std::move(own_group)),
      record_(RecordOfOwnGroup(own_group_)),
      session_(record_,
               options.reference_tables ? options.reference_tables
                                        : LoadReferenceTables(options.plugins_folder),
               /*observer=*/nullptr, ContestSession::Viewers::kNone) {}

void ContactScorer::Reserve(size_t contacts, size_t text_bytes) {
  session_.ReserveContacts(contacts, text_bytes);
}

void ContactScorer::Prefetch(const ParsedLog::Contact& contact, std::string_view call) const {
  session_.Scoring()->qso_list().Prefetch(call, Bands()[contact.band].label, kModes[contact.mode]);
}

void ContactScorer::Score(const ParsedLog::Contact& contact, const ContactText& text,
                          const OnScoredContact& on_contact) {
  const DerivedFields fields = DeriveFields(text.call, text.prefix, options_.countries);
  ScoreWithFields(contact, text, fields.wpx, fields.country, fields.group, on_contact);
}

void ContactScorer::ScoreWithKept(const ParsedLog::Contact& contact, const ContactText& text,
                                  const KeptFields& kept) {
  if (!kept.held()) {
    Score(contact, text, {});
    return;
  }
  ScoreWithFields(contact, text, kept.wpx(), kept.country(), GroupOfCountry(kept.country()), {});
}

void ContactScorer::ScoreWithFields(const ParsedLog::Contact& contact, const ContactText& text,
                                    std::string_view wpx, std::string_view country,
                                    std::string_view group, const OnScoredContact& on_contact) {
  if (options_.contact_group) group = *options_.contact_group;
  const std::string_view band = Bands()[contact.band].label;
  const std::string_view mode = kModes[contact.mode];
  WriteShortText(record_.Call, text.call);
  WriteShortText(record_.Band, band);
  WriteShortText(record_.Mode, mode);
  WriteShortText(record_.ReportReceived, text.exchange);
  WriteShortText(record_.Wpx, wpx);
  WriteShortText(record_.Country, country);
  WriteShortText(record_.QsoGroup, group);
  const int32_t points = session_.Commit();
  const auto place = static_cast<uint32_t>(count_++);
  if (points < 0) {
    duplicates_.push_back(place);
  } else {
    ++scored_;
  }
  if (country.empty()) unknown_countries_.push_back(place);
  if (on_contact) {
    on_contact({contact.line, text.call, band, mode, text.exchange, wpx, country, group, own_group_,
                points});
  }
}

CheckResult ContactScorer::Finish(const ParsedLog& log, Report& report) const {
  CheckResult result;
  result.own_group = own_group_;
  result.scored = scored_;
  result.duplicates = duplicates_.size();
  result.statistics = *session_.Statistics();
  result.bands = BandFigures();
  if (!report.keeps_findings()) {
    // One finding per unknown country and per duplicate, as below.
    report.CountUnkept(unknown_countries_.size() + duplicates_.size());
    return result;
  }
  const auto& contacts = log.contacts();
  for (uint32_t place : unknown_countries_) {
    const ParsedLog::Contact& contact = contacts[place];
    report.Add(contact.line, "country of " + std::string(log.TextOf(contact).call) +
                                 " unknown, no prefix multiplier");
  }
  ReportDuplicates(log, duplicates_, report);
  return result;
}

std::vector<TStatistic> ContactScorer::BandFigures() const {
  std::vector<TStatistic> bands;
  for (int band = 0; band < kBandCount; ++band) {
    if (const TStatistic* figures = session_.Scoring()->stat_list().Find(Bands()[band].label)) {
      bands.push_back(*figures);
    }
  }
  return bands;
}

}  // namespace qxqy::logfile
