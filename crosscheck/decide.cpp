#include "crosscheck/decide.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "base/text.h"
#include "crosscheck/call_sign.h"
#include "crosscheck/huge_pages.h"
#include "crosscheck/parallel.h"

namespace qxqy::crosscheck {
namespace {

class Decider {
 public:
  Decider(ContestResults& results, ContestIndex& index)
      : results_(results),
        lines_(results.lines),
        index_(index),
        window_(results.options.window_minutes) {}

  // Every step runs on the options' threads. Pairing writes only the lines
  // of the mirror group it pairs; the unpaired lines are decided from the
  // pairs alone (nothing they read changes while they are decided), so
  // their decisions are made apart and set afterwards.
  void Run() {
    const unsigned threads = results_.options.threads;
    results_.paired_exchanges.clear();
    ResizeWithHugePages(results_.paired_exchanges, lines_.size(), threads);
    ParallelFor(index_.mirror_buckets(), threads, [&](size_t bucket) {
      index_.ForEachMirrorGroup(
          bucket, [&](const MirrorGroup& group) { PairGroup(group); },
          [&](uint32_t line, int step) { AskForExchanges(line, step); });
    });
    // The busted-call rule looks for lines that are still open.
    index_.IndexOpenLinesByWorkedCall();
    // The lines by chunk: each chunk's unpaired lines decided, then, once
    // every chunk is decided, set.
    struct Decided {
      uint32_t line;
      Decision decision;
      uint32_t evidence;
    };
    constexpr size_t kChunk = 1 << 15;
    std::vector<std::vector<Decided>> decided((lines_.size() + kChunk - 1) / kChunk);
    ParallelFor(decided.size(), threads, [&](size_t chunk) {
      const auto end = static_cast<uint32_t>(std::min(lines_.size(), (chunk + 1) * kChunk));
      for (auto i = static_cast<uint32_t>(chunk * kChunk); i < end; ++i) {
        if (lines_[i].decision == Decision::kDupe || lines_[i].paired) continue;
        const auto [decision, evidence] = DecideUnpaired(i);
        decided[chunk].push_back({i, decision, evidence});
      }
    });
    ParallelFor(decided.size(), threads, [&](size_t chunk) {
      for (const Decided& d : decided[chunk]) {
        lines_[d.line].decision = d.decision;
        lines_[d.line].evidence = d.evidence;
      }
    });
    FillLists();
  }

 private:
  // The lines of `candidates` (one log's, by time) within the window of
  // corrected time `minute`.
  LineSpan InWindow(LineSpan candidates, int64_t minute) const {
    const auto first = std::partition_point(candidates.begin(), candidates.end(), [&](uint32_t i) {
      return index_.Corrected(i) < minute - window_;
    });
    const auto last = std::partition_point(first, candidates.end(), [&](uint32_t i) {
      return index_.Corrected(i) <= minute + window_;
    });
    return {first, last};
  }

  // Asks the memory for what pairing line `line` reads and writes: its
  // exchanges (step 0), then its kept exchange (step 1).
  void AskForExchanges(uint32_t line, int step) const {
    if (step == 0) {
      __builtin_prefetch(&index_.ExchangesOf(line));
    } else {
      __builtin_prefetch(&results_.paired_exchanges[line], 1);
    }
  }

  uint32_t StationOf(uint32_t line) const { return index_.StationOfLog(lines_[line].log); }
  std::string_view CallAsLogged(uint32_t line) const {
    const LogResult& log = results_.logs[lines_[line].log];
    return log.log.TextOf(log.log.contacts()[lines_[line].contact]).call;
  }
  // A line rules 3 and 5 may take as the other side's: not a dupe, not
  // paired (whatever it was decided since).
  bool Usable(uint32_t line) const {
    return lines_[line].decision != Decision::kDupe && !lines_[line].paired;
  }

  // Pairs the lines of a mirror group (A, B, band, mode), taking A as the
  // side whose station sorts first.
  void PairGroup(const MirrorGroup& group) {
    const bool first_is_a =
        index_.StationOfLog(group.first_log) < index_.StationOfLog(group.second_log);
    const LineSpan ours = first_is_a ? group.first : group.second;
    const LineSpan theirs = first_is_a ? group.second : group.first;
    struct Candidate {
      int64_t distance;
      uint32_t ours, theirs;
    };
    thread_local std::vector<Candidate> candidates;
    candidates.clear();
    for (uint32_t i : ours) {
      if (lines_[i].decision == Decision::kDupe) continue;
      for (uint32_t k : InWindow(theirs, index_.Corrected(i))) {
        if (lines_[k].decision == Decision::kDupe) continue;
        candidates.push_back({std::llabs(index_.Corrected(i) - index_.Corrected(k)), i, k});
      }
    }
    // By distance, then by the corrected times, the calls as logged and
    // the contacts; the calls are read only for candidates equal so far,
    // as they live in the logs' texts.
    const auto before = [&](const Candidate& x, const Candidate& y) {
      if (x.distance != y.distance) return x.distance < y.distance;
      const auto times = [&](const Candidate& c) {
        return std::make_pair(index_.Corrected(c.ours), index_.Corrected(c.theirs));
      };
      if (times(x) != times(y)) return times(x) < times(y);
      const auto rest = [&](const Candidate& c) {
        return std::make_tuple(CallAsLogged(c.ours), CallAsLogged(c.theirs), lines_[c.ours].contact,
                               lines_[c.theirs].contact);
      };
      return rest(x) < rest(y);
    };
    std::sort(candidates.begin(), candidates.end(), before);
    for (const Candidate& c : candidates) {
      if (lines_[c.ours].paired || lines_[c.theirs].paired) continue;
      Pair(c.ours, c.theirs);
      Pair(c.theirs, c.ours);
    }
  }

  void Pair(uint32_t line, uint32_t other) {
    ContestLine& l = lines_[line];
    l.paired = true;
    l.evidence = other;
    const ShortText& received = index_.ExchangesOf(line).received;
    const ShortText& sent = index_.ExchangesOf(other).sent;
    if (received.held() && sent.held()) {
      l.decision =
          SameExchange(received.view(), sent.view()) ? Decision::kOk : Decision::kBustedExchange;
      results_.paired_exchanges[line] = sent;
      return;
    }
    // A long exchange: read from the logs' texts.
    const LogResult& own = results_.logs[l.log];
    const LogResult& theirs = results_.logs[lines_[other].log];
    const std::string_view received_text =
        own.log.ExchangeWithoutReport(own.log.contacts()[l.contact]);
    const std::string_view sent_text =
        theirs.log.TextOf(theirs.log.contacts()[lines_[other].contact]).sent_exchange;
    l.decision = SameExchange(received_text, sent_text) ? Decision::kOk : Decision::kBustedExchange;
    results_.paired_exchanges[line] = sent;
  }

  // The nearest line of `lines` to corrected time `minute` that `accept`s,
  // kNoLine when none; equal distances go to the earlier in `lines`.
  template <typename Lines, typename Accept>
  uint32_t Nearest(Lines lines, int64_t minute, Accept accept) const {
    uint32_t best = kNoLine;
    int64_t best_distance = 0;
    for (uint32_t k : lines) {
      if (!accept(k)) continue;
      const int64_t distance = std::llabs(index_.Corrected(k) - minute);
      if (best == kNoLine || distance < best_distance) {
        best = k;
        best_distance = distance;
      }
    }
    return best;
  }

  // The decision of unpaired line `i` and its evidence.
  std::pair<Decision, uint32_t> DecideUnpaired(uint32_t i) const {
    const ContestLine& line = lines_[i];
    const uint32_t a = line.log;
    const uint32_t a_station = index_.StationOfLog(a);
    const int64_t minute = index_.Corrected(i);
    uint32_t b = index_.LogOfStation(line.call);
    if (b == a) b = kNoLine;  // a log's own call: no other side sent it
    if (b != kNoLine) {
      // B has A unpaired on another band or mode within the window.
      const uint32_t moved = Nearest(index_.LinesTo(b, a_station), minute, [&](uint32_t k) {
        return Usable(k) && (lines_[k].band != line.band || lines_[k].mode != line.mode) &&
               std::llabs(index_.Corrected(k) - minute) <= window_;
      });
      if (moved != kNoLine) return {Decision::kBandOrMode, moved};
      // B logged, there and then, a call one edit from A's whose own
      // station did not log B there and then.
      const std::string_view a_call = results_.calls[a_station];
      const uint32_t busted = Nearest(
          index_.LinesBetween(b, minute - window_, minute + window_), minute, [&](uint32_t k) {
            if (lines_[k].band != line.band || lines_[k].mode != line.mode) return false;
            if (lines_[k].decision == Decision::kDupe || lines_[k].call == a_station) return false;
            if (!IsOneEdit(results_.calls[lines_[k].call], a_call)) return false;
            return !LoggedThereAndThen(index_.LogOfStation(lines_[k].call), line.call, k);
          });
      if (busted != kNoLine) return {Decision::kNilTheirBust, busted};
    }
    // A station one edit from B logged A, unpaired, there and then.
    const std::string_view b_call = results_.calls[line.call];
    const uint32_t other = Nearest(index_.LinesLoggingNear(a_station, line.band, line.mode,
                                                           minute - window_, minute + window_),
                                   minute, [&](uint32_t k) {
                                     return Usable(k) && lines_[k].log != a &&
                                            IsOneEdit(results_.calls[StationOf(k)], b_call);
                                   });
    if (other != kNoLine) return {Decision::kBustedCall, other};
    if (b != kNoLine) return {Decision::kNil, kNoLine};
    return {index_.LoggedByOtherThan(line.call, a) ? Decision::kUnverified : Decision::kUnique,
            kNoLine};
  }

  // True when log `log` (kNoLine: none) has a line, not a dupe, to `call`
  // on the band and mode of line `k` within the window of its time.
  bool LoggedThereAndThen(uint32_t log, uint32_t call, uint32_t k) const {
    if (log == kNoLine) return false;
    const auto near =
        InWindow(index_.LinesTo(log, call, lines_[k].band, lines_[k].mode), index_.Corrected(k));
    return std::any_of(near.begin(), near.end(),
                       [&](uint32_t j) { return lines_[j].decision != Decision::kDupe; });
  }

  // The two lists of each log, found log by log on every thread as
  // (list owner, station id) entries, then gathered; ids follow the calls'
  // byte order, so the lists come out sorted.
  void FillLists() {
    struct Entry {
      uint32_t owner, station;
      bool busted;
    };
    std::vector<std::vector<Entry>> found(results_.logs.size());
    ParallelFor(results_.logs.size(), results_.options.threads, [&](size_t l) {
      const LogResult& log = results_.logs[l];
      if (log.status != LogStatus::kChecked) return;
      auto& entries = found[l];
      const uint32_t own = log.station_id;
      for (uint32_t i = log.first_line; i < log.first_line + log.log.contacts().size(); ++i) {
        const ContestLine& line = lines_[i];
        // A station that logged this log's station without being in its log.
        // A paired line's evidence is a line of that station's log to this
        // one: only the unpaired need the search.
        const uint32_t target = index_.LogOfStation(line.call);
        if (!line.paired && target != kNoLine && target != line.log &&
            index_.LinesTo(target, own).empty()) {
          entries.push_back({target, own, false});
        }
        if (line.decision == Decision::kNilTheirBust) {
          // The other side (the evidence's log) busted this log's call.
          entries.push_back({line.log, StationOf(line.evidence), true});
        } else if (line.decision == Decision::kBustedCall) {
          // This log busted the evidence's station's call.
          entries.push_back({lines_[line.evidence].log, own, true});
        }
      }
    });
    std::vector<std::vector<uint32_t>> not_in_log(results_.logs.size());
    std::vector<std::vector<uint32_t>> busted(results_.logs.size());
    for (const auto& entries : found) {
      for (const Entry& entry : entries) {
        (entry.busted ? busted : not_in_log)[entry.owner].push_back(entry.station);
      }
    }
    const auto as_calls = [&](std::vector<uint32_t>& ids, std::vector<std::string>& calls) {
      std::sort(ids.begin(), ids.end());
      ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
      calls.clear();
      for (uint32_t id : ids) calls.push_back(results_.calls[id]);
    };
    ParallelFor(results_.logs.size(), results_.options.threads, [&](size_t l) {
      as_calls(not_in_log[l], results_.logs[l].not_in_log);
      as_calls(busted[l], results_.logs[l].busted_our_call);
    });
  }

  ContestResults& results_;
  std::vector<ContestLine>& lines_;
  ContestIndex& index_;
  const int64_t window_;
};

}  // namespace

bool SameExchange(std::string_view received, std::string_view sent) {
  return SameIgnoringAsciiCase(TrimView(received), TrimView(sent));
}

void DecideLines(ContestResults& results, ContestIndex& index) { Decider(results, index).Run(); }

}  // namespace qxqy::crosscheck
