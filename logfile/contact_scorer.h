// The scoring half of a log check: contacts passed one by one, in the
// order given (the caller's stable time order), through one contest
// session, as if the host had passed each live through _AddQSO with that
// contact's own fields. What the report needs of them (which were
// duplicates, which had no known country) is kept as their places in that
// order and written by Finish, once the whole log is there.
//
// One scorer serves one check on one thread; scorers on different threads
// share nothing but the options' country file, which they only read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/contact_fields.h"
#include "logfile/log_checker.h"
#include "logfile/parsed_log.h"
#include "logfile/report.h"
#include "records/host_record.h"
#include "scoring/contest_session.h"

namespace qxqy::logfile {

// The own group a check uses for a log whose own call is `own_call`:
// the options' own group when set, else the group of the call's country.
std::string GroupOfOwnCall(std::string_view own_call, const CheckOptions& options);

// What a check says of the log as a whole before its contacts: that it has
// none, that it was cut off before END-OF-LOG:, that the district table is
// missing (no district multiplier is then counted), and, when the options
// give no own group, that it names no own call or one of unknown country.
void ReportLogAsAWhole(const ParsedLog& log, const CheckOptions& options, Report& report);

class ContactScorer {
 public:
  // How many contacts ahead the engine's slot for a contact is best asked
  // for (Prefetch): a memory fetch takes about as long as scoring this many.
  static constexpr size_t kPrefetchAhead = 8;
  // How many contacts a log needs before prefetching pays: the engine's
  // index of fewer stays in the cache, and a prefetch would only cost the
  // hashing of each contact twice.
  static constexpr size_t kPrefetchFrom = size_t{1} << 14;

  // `options` must outlive the scorer. Throws FileOpenError when the
  // district table exists but cannot be read.
  ContactScorer(const CheckOptions& options, std::string own_group);
  ContactScorer(const ContactScorer&) = delete;
  ContactScorer& operator=(const ContactScorer&) = delete;

  // Makes room for this many contacts whose calls, bands and modes hold
  // `text_bytes` characters together, so that the engine's contact list
  // does not grow (and copy itself) on the way.
  void Reserve(size_t contacts, size_t text_bytes);
  // Asks the memory for the engine's slot of a contact to come, so that it
  // is in the cache by its turn (a log's contacts land on random slots).
  void Prefetch(const ParsedLog::Contact& contact, std::string_view call) const;
  // Scores the next contact; `on_contact`, when given, sees it right after.
  void Score(const ParsedLog::Contact& contact, const ContactText& text,
             const OnScoredContact& on_contact);
  // Scores the next contact with the fields `kept` from an earlier scoring
  // of it, when it holds them.
  void ScoreWithKept(const ParsedLog::Contact& contact, const ContactText& text,
                     const KeptFields& kept);

  const std::string& own_group() const { return own_group_; }
  // How many contacts were scored, duplicates included.
  size_t count() const { return count_; }

  // The check's figures, and its findings about the contacts: each unknown
  // country, then each duplicate with the line it repeats. `log` holds the
  // scored contacts, in the order they were scored.
  CheckResult Finish(const ParsedLog& log, Report& report) const;
  // The figures of every band that has contacts so far, in ascending
  // frequency (CheckResult::bands).
  std::vector<TStatistic> BandFigures() const;

 private:
  void ScoreWithFields(const ParsedLog::Contact& contact, const ContactText& text,
                       std::string_view wpx, std::string_view country, std::string_view group,
                       const OnScoredContact& on_contact);

  const CheckOptions& options_;
  std::string own_group_;
  HostRecord record_;
  ContestSession session_;  // reads record_
  size_t count_ = 0;
  size_t scored_ = 0;
  std::vector<uint32_t> duplicates_;         // places in scoring order
  std::vector<uint32_t> unknown_countries_;  // places in scoring order
};

}  // namespace qxqy::logfile
