// What fault tests compare a plug-in's contest with after a failure: a
// scoring state replayed apart from the plug-in, and the whole of what a
// scoring state answers as one text.
#pragma once

#include <string>
#include <vector>

#include "records/host_record.h"
#include "refdata/district_table.h"
#include "scoring/scoring_state.h"

namespace qxqy::testing {

// A contact as a row of the host's log holds it.
struct LogContact {
  const char* report;
  const char* call;
  const char* band;
  const char* mode;
  const char* wpx;
};

// A scoring state fed contact by contact, with the station of `station`
// (its groups and country) and a district table of `district_lines`.
class ReferenceScoring {
 public:
  ReferenceScoring(const HostRecord& station, std::vector<std::string> district_lines);
  ReferenceScoring(const ReferenceScoring&) = delete;
  ReferenceScoring& operator=(const ReferenceScoring&) = delete;

  // Scores a contact as committed (a duplicate changes nothing).
  void Commit(const LogContact& contact);
  const ScoringState& State() const { return state_; }
  // Every contact fed so far, duplicates included.
  const std::vector<LogContact>& Fed() const { return fed_; }

 private:
  std::vector<LogContact> fed_;
  HostRecord record_;
  DistrictTable district_table_;
  ScoringState state_;
};

// The number of contacts and which contacts fed to `probes` (a reference
// holding at least the contacts and keys that may be involved) `state`
// holds, the band entries with their counters, both key lists, and for
// every key of `probes` whether `state` finds it ignoring case, and for each
// district key whether the substring index finds it and its "code|" end.
// The lookups show an index entry left behind by a contact or key that is
// not counted.
std::string ScoringFingerprint(const ScoringState& state, const ReferenceScoring& probes);

}  // namespace qxqy::testing
