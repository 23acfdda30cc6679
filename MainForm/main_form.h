// The main statistics window. It shows contacts, points and both multiplier
// counts per band and in total with the score line beneath, offers "Recalc"
// (rebuild from the host's log) and "District" (the multiplier window). It is
// a view of its contest session (scoring/contest_session.h), which it makes
// and frees: the session holds the worked contacts, the statistics, the
// multiplier keys, the reference tables and the query over the host's log.
// The grid keeps its own cells: they are written only by ShowStatistics and
// cleared when a rebuild starts, so after a failed rebuild they stay cleared
// while the session keeps the rows replayed so far.
//
// Lifetime: created by the first Run, owned by the application. Its close
// box minimises it. Any other close runs the close query (the session is
// closed: query closed, every list released), the settings are saved, the window is
// released and the module's main-window reference emptied at once. The
// multiplier window is owned by this window and goes with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "MainForm/main_form_context.h"
#include "domlist/dom_list_host.h"
#include "scoring/contest_observer.h"
#include "scoring/contest_session.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/form_storage.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/string_grid.h"

namespace qxqy {

class TfmMainForm : public Form, private ContestObserver, private DomListHost {
 public:
  // Builds the window from `host_record` (copied whole into the context's
  // current record) and makes its contest session over the record's
  // Connection and the context's plugins folder. A reference file that
  // exists but cannot be opened throws FileOpenError.
  TfmMainForm(Component* owner, const HostRecord& host_record, const MainFormContext& context);
  ~TfmMainForm() override;

  // The contest this window shows.
  ContestSession& Session() { return *session_; }
  const ContestSession& Session() const { return *session_; }

  // Rewrites the band rows that have a statistics entry, the totals row
  // and the score line; nothing once the session is closed.
  void ShowStatistics();
  // Makes an open multiplier window follow the current record's band.
  void ShowDXList() override;

  // Widgets and components, named as the window's layout names them.
  FormStorage FormStorage1;
  Panel Panel1;
  Button BitBtn1;  // "Recalc"
  StringGrid StringGrid1;
  Label Label1;
  Button btnOBL1;

 private:
  void BuildLayout();
  void BindHandlers();
  void WriteGridHeadings();

  // Event handlers.
  void FormShow();
  void FormCloseQuery(bool& can_close);
  void FormClose();
  bool FormSysCommand(unsigned command);
  void BitBtn1Click();
  void StringGrid1DrawCell(Canvas& canvas, int col, int row, const Rect& rect) const;
  void btnOBL1Click();

  // ContestObserver
  void ClearStatisticsCells() override;
  void LetPendingMessagesRun() override;

  // DomListHost
  std::string StoredCurrentBand() const override;
  void StoreCurrentBand(int band) override;
  void ForgetDomList(const TfmDomList& window) override;

  MainFormContext context_;
  std::unique_ptr<ContestSession> session_;
};

}  // namespace qxqy
