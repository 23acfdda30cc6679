// The main statistics window. It shows contacts, points and both multiplier
// counts per band and in total with the score line beneath, offers "Recalc"
// (rebuild from the host's log) and "District" (the multiplier window), and
// owns the whole scoring state: the worked-contact list, the statistics, the
// multiplier keys, the reference tables and the query over the host's log.
//
// Lifetime: created by the first Run, owned by the application. Its close
// box minimises it. Any other close runs the close query (the query is
// closed and every list released), the settings are saved, the window is
// released and the module's main-window reference emptied at once. The
// multiplier window is owned by this window and goes with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "domlist/dom_list_source.h"
#include "framework/action.h"
#include "framework/button.h"
#include "framework/form.h"
#include "framework/form_storage.h"
#include "framework/label.h"
#include "framework/log_query.h"
#include "framework/panel.h"
#include "framework/string_grid.h"
#include "framework/string_list.h"
#include "MainForm/main_form_context.h"
#include "refdata/district_table.h"
#include "scoring/band_follower.h"
#include "scoring/rebuild.h"
#include "scoring/scoring_state.h"

namespace qxqy {

class TfmMainForm : public Form,
                    private BandFollower,
                    private RebuildHost,
                    private DomListSource {
 public:
  // Builds the window from `host_record` (copied whole into the context's
  // current record), binds the log query to its Connection and loads both
  // reference files from the context's plugins folder. A reference file
  // that exists but cannot be opened throws FileOpenError.
  TfmMainForm(Component* owner, const HostRecord& host_record, const MainFormContext& context);
  ~TfmMainForm() override;

  // Scores the current record's contact (see ScoringState::ScoreQso);
  // returns 0 once the lists have been released by a close.
  int32_t ScoreQso(bool commit);
  // Rewrites the band rows that have a statistics entry, the totals row
  // and the score line.
  void ShowStatistics();
  // The district suggestion for the current record's call; `suggestion`
  // is assigned only when a line of the call-sign list matches.
  void LookupDistrict(std::string& suggestion) const;
  // Makes an open multiplier window follow the current record's band.
  void ShowDXList() override;

  // Widgets and components, named as the window's layout names them.
  FormStorage FormStorage1;
  Panel Panel1;
  Button BitBtn1;
  ActionList ActionList1;
  Action RecalcStatistic;
  StringGrid StringGrid1;
  Label Label1;
  Button btnOBL1;

  // The scoring state, for readers such as the native scorer and tests;
  // null after the close query released it.
  const ScoringState* Scoring() const { return scoring_.get(); }
  const DistrictTable* GetDistrictTable() const { return district_table_.get(); }
  const StringList* GetCallDistricts() const { return call_districts_.get(); }
  const LogQuery& GetLogQuery() const { return *log_query_; }

 private:
  void BuildLayout();
  void BindHandlers();
  void WriteGridHeadings();
  void ReleaseLists();

  // Event handlers.
  void FormShow();
  void FormCloseQuery(bool& can_close);
  void FormClose(CloseAction& action);
  bool FormSysCommand(unsigned command);
  void RecalcStatisticExecute();
  void StringGrid1DrawCell(Canvas& canvas, int col, int row, const Rect& rect);
  void btnOBL1Click();

  // RebuildHost
  void ClearStatisticsCells() override;
  bool LetPendingMessagesRun() override;

  // DomListSource
  const DistrictTable* DistrictTableForList() const override { return district_table_.get(); }
  const MultiplierKeyList* DistrictMultsForList() const override;
  std::string StoredCurrentBand() const override;
  void StoreCurrentBand(int band) override;
  void ForgetDomList(const TfmDomList& window) override;

  MainFormContext context_;
  std::unique_ptr<LogQuery> log_query_;
  std::unique_ptr<DistrictTable> district_table_;
  std::unique_ptr<StringList> call_districts_;
  std::unique_ptr<ScoringState> scoring_;
};

}  // namespace qxqy
