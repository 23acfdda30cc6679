#include "logfile/log_checker.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "base/env.h"
#include "logfile/band_table.h"
#include "logfile/contact_handoff.h"
#include "logfile/contact_scorer.h"
#include "logfile/mode_map.h"

namespace qxqy::logfile {
namespace {

bool Earlier(const ParsedLog::Contact& a, const ParsedLog::Contact& b) {
  return a.time_key < b.time_key;
}

// The characters of the calls, bands and modes the engine will remember.
size_t ContactTextBytes(const ParsedLog& log) {
  size_t bytes = 0;
  for (const auto& contact : log.contacts()) {
    bytes += contact.call_size + Bands()[contact.band].label.size() + kModes[contact.mode].size();
  }
  return bytes;
}

// Scores `log`'s contacts in the order it holds them; with `prefetch`,
// asking the memory for each contact's slot ahead (for a log whose
// engine index may not fit the cache).
void ScoreAll(ContactScorer& scorer, const ParsedLog& log, const OnScoredContact& on_contact,
              bool prefetch) {
  const auto& contacts = log.contacts();
  for (size_t i = 0; i < contacts.size(); ++i) {
    if (const size_t ahead = i + ContactScorer::kPrefetchAhead;
        prefetch && ahead < contacts.size()) {
      scorer.Prefetch(contacts[ahead], log.TextOf(contacts[ahead]).call);
    }
    scorer.Score(contacts[i], log.TextOf(contacts[i]), on_contact);
  }
}

// The most room for the engine's contact texts reserved ahead.
constexpr uint64_t kMaxTextRoom = uint64_t{1} << 30;

// Scores the contacts the reader hands over (from a file of `log_bytes`
// bytes, 0 when not known), batch by batch, for as long as
// they come in time order. Null when they did not (the handoff is then
// abandoned), when the log had no contact, or when the scoring failed (a
// district table that cannot be read, memory): a check on one thread
// starts over and meets the same failure, if the failure was not caused
// by the order.
std::unique_ptr<ContactScorer> ScoreWhileReading(ContactHandoff& handoff, uint64_t log_bytes,
                                                 const CheckOptions& options) noexcept {
  try {
    std::unique_ptr<ContactScorer> scorer;
    int64_t last_time = std::numeric_limits<int64_t>::min();
    while (const ParsedLog* batch = handoff.NextBatch()) {
      const auto& contacts = batch->contacts();
      if (contacts.empty()) continue;
      if (contacts.front().time_key < last_time ||
          !std::is_sorted(contacts.begin(), contacts.end(), Earlier)) {
        handoff.Abandon();
        return nullptr;
      }
      last_time = contacts.back().time_key;
      if (scorer == nullptr) {
        scorer = std::make_unique<ContactScorer>(options,
                                                 GroupOfOwnCall(handoff.first_own_call(), options));
        // How many contacts will come is not known yet: the contact list's
        // index grows as they come, but its characters get room for a file
        // of this size at once (room never written costs no memory).
        scorer->Reserve(0, static_cast<size_t>(std::min<uint64_t>(log_bytes / 2, kMaxTextRoom)));
      }
      ScoreAll(*scorer, *batch, {}, /*prefetch=*/true);
      handoff.GiveBack(batch);
    }
    return scorer;
  } catch (...) {
    handoff.Abandon();
    return nullptr;
  }
}

}  // namespace

CheckResult CheckLog(ParsedLog& log, const CheckOptions& options, Report& report,
                     const OnScoredContact& on_contact) {
  ReportLogAsAWhole(log, options, report);
  auto& contacts = log.contacts();
  // Most logs are in time order already: then the sort and its buffer are
  // not needed.
  if (!std::is_sorted(contacts.begin(), contacts.end(), Earlier)) {
    std::stable_sort(contacts.begin(), contacts.end(), Earlier);
  }
  ContactScorer scorer(options, GroupOfOwnCall(log.own_call, options));
  // The whole log is known: the contact list takes its size once instead
  // of growing (and copying itself) on the way.
  scorer.Reserve(contacts.size(), ContactTextBytes(log));
  ScoreAll(scorer, log, on_contact, contacts.size() >= ContactScorer::kPrefetchFrom);
  return scorer.Finish(log, report);
}

std::vector<TStatistic> ScoreSelectedContacts(const ParsedLog& log, const CheckOptions& options,
                                              const std::function<bool(size_t)>& selected,
                                              const std::vector<KeptFields>* kept) {
  ContactScorer scorer(options, GroupOfOwnCall(log.own_call, options));
  // Room for every contact, selected or not: a little more than needed
  // costs less than growing the engine's index on the way.
  scorer.Reserve(log.contacts().size(), ContactTextBytes(log));
  const auto& contacts = log.contacts();
  if (kept != nullptr && kept->size() != contacts.size()) kept = nullptr;  // not this log's
  for (size_t i = 0; i < contacts.size(); ++i) {
    if (!selected(i)) continue;
    if (kept != nullptr) {
      scorer.ScoreWithKept(contacts[i], log.TextOf(contacts[i]), (*kept)[i]);
    } else {
      scorer.Score(contacts[i], log.TextOf(contacts[i]), {});
    }
  }
  return scorer.BandFigures();
}

CheckedLog ReadAndCheckLog(ByteSource& source, std::optional<LogFormat> format,
                           const CheckOptions& options, Report& report,
                           const OnScoredContact& on_contact) {
  const auto read_then_check = [&] {
    CheckedLog checked;
    checked.log = ReadLog(source, format, report);
    checked.result = CheckLog(checked.log, options, report, on_contact);
    return checked;
  };
  // A contact shown to `on_contact` cannot be taken back: one thread.
  if (!options.read_while_scoring || on_contact) return read_then_check();

  CheckedLog checked;
  ContactHandoff handoff;
  const uint64_t log_bytes = source.SizeHint();
  std::exception_ptr read_error;
  std::thread reader;
  try {
    reader = std::thread([&] {
      try {
        checked.log = ReadLog(source, format, report, &handoff);
      } catch (...) {
        read_error = std::current_exception();
      }
      handoff.Close();
    });
  } catch (const std::system_error&) {
    return read_then_check();  // no second thread to be had
  }
  std::unique_ptr<ContactScorer> scorer = ScoreWhileReading(handoff, log_bytes, options);
  reader.join();
  if (read_error) std::rethrow_exception(read_error);

  const ParsedLog& log = checked.log;
  if (scorer != nullptr && scorer->count() == log.contacts().size() &&
      GroupOfOwnCall(log.own_call, options) == scorer->own_group()) {
    ReportLogAsAWhole(log, options, report);
    checked.result = scorer->Finish(log, report);
  } else {
    scorer.reset();  // its memory goes before the check starts over
    checked.result = CheckLog(checked.log, options, report);
  }
  return checked;
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
