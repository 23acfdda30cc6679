// One contest session: everything the plug-in knows of the contest while its
// main window exists. It owns the worked-contact list, the per-band
// statistics, both multiplier key lists, the district table, the call-sign
// list and the query over the host's log, and answers the questions the
// entry points and the windows ask: preview and commit a contact, rebuild
// everything from the log, suggest a district, tell whether a district was
// worked on a band. It has no window; the window that shows it is its
// observer.
//
// The current contact is always the one in `record` (the module's copy of
// the host's record); the rebuild writes each row's five fields into it.
//
// Lifetime: made with the main window and freed with it. Close() (the main
// window's close query) closes the query and releases every list at once,
// also in the middle of a rebuild's message pause; from then on the session
// answers as if nothing had been worked (0 for every score, no suggestion,
// no table, no figures) and its views read nothing. The object itself stays
// until its window goes, so a rebuild that is still on the stack can return
// through it safely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/log_query.h"
#include "base/string_list.h"
#include "records/host_record.h"
#include "refdata/district_table.h"
#include "refdata/reference_files.h"
#include "scoring/contest_observer.h"
#include "scoring/district_marks.h"
#include "scoring/rebuild.h"
#include "scoring/scoring_state.h"
#include "scoring/statistics_table.h"

namespace qxqy {

class ContestSession final : public DistrictMarks, private RebuildHost {
 public:
  // Binds a log query to `record.Connection` and loads the district table
  // and the call-sign list from `plugins_folder` (with its trailing
  // separator; a missing file leaves its table empty). A file that exists
  // but cannot be opened throws FileOpenError. `record` and `observer` (may
  // be null) are borrowed and must outlive the session.
  ContestSession(HostRecord& record, const std::string& plugins_folder, ContestObserver* observer);
  // Whether a window will ask the session which districts were worked.
  enum class Viewers : uint8_t { kWindows, kNone };
  // The same over reference tables loaded before (LoadReferenceTables),
  // which it shares and never changes. With Viewers::kNone (a log checked
  // with no window) the session keeps no index for the multiplier window's
  // questions; MarkOfDistrict still answers, by a scan.
  ContestSession(HostRecord& record, const std::shared_ptr<const ReferenceTables>& tables,
                 ContestObserver* observer, Viewers viewers = Viewers::kWindows);
  ~ContestSession();
  ContestSession(const ContestSession&) = delete;
  ContestSession& operator=(const ContestSession&) = delete;

  // The record's contact scored without remembering it: -1 for a
  // duplicate, else its points (1 or 3); 0 once closed.
  int32_t Preview();
  // The record's contact scored and, unless a duplicate (-1), remembered
  // and counted; 0 once closed.
  int32_t Commit();
  // Empties the scoring state and replays the record's log table (see
  // RebuildFromLog). A database error (DatabaseError) or a failed
  // allocation (std::bad_alloc) propagates with the state as far as the
  // replay got; a close during the rebuild's pause ends the rebuild quietly.
  void Rebuild();
  // The district of the record's call from the call-sign list; assigns
  // `suggestion` only when a line matches (see LookupDistrict).
  void LookupDistrict(std::string& suggestion) const;
  // How district `district` shows on the band labelled `band_label` (the
  // empty label stands for any band); nothing recorded once closed.
  DistrictMark MarkOfDistrict(std::string_view band_label,
                              std::string_view district) const override;
  // The figures of the statistics; nullopt once closed.
  std::optional<StatisticsTable> Statistics() const;

  // Makes room for `contacts` contacts to be committed, whose calls, bands
  // and modes hold `text_bytes` characters together, so that the contact
  // list does not grow while they come (a log file scored at once). Nothing
  // once closed. A failed allocation (std::bad_alloc) changes no contact.
  void ReserveContacts(size_t contacts, size_t text_bytes) {
    if (scoring_) scoring_->ReserveContacts(contacts, text_bytes);
  }

  // Closes the log query and releases every list. Safe to call again.
  void Close();
  bool Closed() const { return scoring_ == nullptr; }

  // Read access for the views, tools and tests; null once closed.
  const ScoringState* Scoring() const { return scoring_.get(); }
  const DistrictTable* GetDistrictTable() const override { return district_table_.get(); }
  const StringList* GetCallDistricts() const { return call_districts_.get(); }
  const LogQuery& GetLogQuery() const { return *log_query_; }

 private:
  // RebuildHost
  void ClearStatisticsCells() override;
  void ShowDXList() override;
  bool LetPendingMessagesRun() override;

  HostRecord& record_;
  ContestObserver* observer_;
  std::shared_ptr<const DistrictTable> district_table_;  // in a shared ReferenceTables
  std::shared_ptr<const StringList> call_districts_;
  std::unique_ptr<ScoringState> scoring_;
  std::unique_ptr<LogQuery> log_query_;
};

}  // namespace qxqy
