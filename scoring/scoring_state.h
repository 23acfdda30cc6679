// The scoring state of the main window and the one scoring operation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/host_record.h"
#include "refdata/district_table.h"
#include "scoring/contest_observer.h"
#include "scoring/multiplier_key_list.h"
#include "scoring/qso_list.h"
#include "scoring/stat_list.h"

namespace qxqy {

// Holds the worked-contact list, the per-band statistics and both multiplier
// key lists, and scores contacts into them. The current contact is read from
// `record` afresh on every call. `record`,
// `district_table` and `observer` (may be null) are borrowed and must
// outlive the state.
class ScoringState {
 public:
  static constexpr int32_t kDuplicate = -1;

  // `district_index`: whether the district list keeps the index that
  // answers the multiplier window's "was this district worked?" at once
  // (kNone for a state no window reads: the answer is then found by a scan).
  ScoringState(const HostRecord& record, const DistrictTable& district_table,
               ContestObserver* observer,
               MultiplierKeyList::SubstringIndex district_index =
                   MultiplierKeyList::SubstringIndex::kBarEnded);
  ScoringState(const ScoringState&) = delete;
  ScoringState& operator=(const ScoringState&) = delete;

  // Scores the record's contact: kDuplicate (-1) when its call, band and mode
  // were worked already, else its points, 1 when QsoGroup and OwnGroup are
  // equal ignoring a to z case and 3 otherwise. Without `commit` nothing
  // changes. With `commit` a contact that is not a duplicate is remembered,
  // counted on its band with its points, may add a prefix multiplier (home
  // countries only) and a district multiplier (a code the district table
  // confirms), and the observer's ShowDXList is called. Strong guarantee:
  // if an allocation fails (std::bad_alloc) no part of the contact stays
  // remembered or counted.
  int32_t ScoreQso(bool commit);

  // True when the record's call, band and mode are in the contact list.
  bool IsDupe() const;

  // Asks the memory for the contact list's index slot that ScoreQso will
  // search for the record's contact, so that a caller with other work to do
  // before scoring (the rebuild stepping to the next row) does not wait for
  // it then. Changes nothing.
  void PrefetchContact() const;

  // Makes room in the contact list for `contacts` contacts whose calls,
  // bands and modes hold `text_bytes` characters together (QsoList::Reserve),
  // and in both multiplier key lists for a key from each of them.
  void ReserveContacts(size_t contacts, size_t text_bytes);

  // Empties the contact list and the statistics, then both key lists.
  void Clear();

  const QsoList& qso_list() const { return qso_list_; }
  const StatList& stat_list() const { return stat_list_; }
  const MultiplierKeyList& district_mults() const { return district_mults_; }
  const MultiplierKeyList& wpx_mults() const { return wpx_mults_; }

 private:
  int32_t PointsOfContact() const;
  // Counts a contact just remembered, all or nothing (see ScoreQso).
  void CountContact(int32_t points);
  // Each adds the contact's multiplier key of its kind when the contact
  // makes one and it is new; true when it was added.
  bool AddPrefixKey();
  bool AddDistrictKey();

  const HostRecord& record_;
  const DistrictTable& district_table_;
  ContestObserver* observer_;

  QsoList qso_list_;
  StatList stat_list_;
  MultiplierKeyList district_mults_;
  MultiplierKeyList wpx_mults_;
};

}  // namespace qxqy
