// The multiplier window: lists every district of the district table and
// shows in red bold those worked on the selected band. A bar of nine
// grouped band buttons selects the band; the main window's ShowDXList makes
// the window follow the band of each remembered contact.
//
// Lifetime: created by the main window's "District" button with the main
// window as its owner; the district list is filled once, at creation.
// Closing it releases it (destroyed when messages are next dispatched) and
// empties the module's reference at once; otherwise it goes with the main
// window. It is a view of the main window's contest session, which it asks
// at the moment it paints, so after the session was closed (its lists
// released) the window paints every item in the list's own font and reads
// nothing.
//
// Settings: FormStorage1 keeps the window's position (and size) under
// "TfmDomList"; the selected band is stored in the main window's settings as
// "CurrentBand" and read back when the window is shown.
#pragma once

#include <memory>
#include <string>

#include "domlist/dom_list_host.h"
#include "scoring/district_marks.h"
#include "ui/form.h"
#include "ui/form_storage.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/toggle_button.h"

namespace qxqy {

class TfmDomList : public Form {
 public:
  // `owner` is the main window, which owns `marks` (its contest session)
  // and `host`; both must outlive this window. Runs FormCreate, so the district list is filled
  // when the constructor returns.
  TfmDomList(Component* owner, const DistrictMarks& marks, DomListHost& host);
  ~TfmDomList() override;

  // Selects `band`: for 1 to 9 pushes its button down (releasing the
  // others) and sets CurrentBandText to its label; for any other number
  // leaves both as they are. In every case then repaints the list at once
  // and stores `band` as the main window's "CurrentBand".
  void SelectBand(int band);

  // Widgets and components, named as the window's layout names them. The
  // band buttons are held by pointer because they are created in the order
  // of the bar's layout (see dom_list_layout.h), not in declaration order;
  // they live exactly as long as the window.
  FormStorage FormStorage1;
  ListView LV1;
  Panel Panel2;
  std::unique_ptr<ToggleButton> RzBitBtn1;
  std::unique_ptr<ToggleButton> RzBitBtn2;
  std::unique_ptr<ToggleButton> RzBitBtn3;
  std::unique_ptr<ToggleButton> RzBitBtn4;
  std::unique_ptr<ToggleButton> RzBitBtn5;
  std::unique_ptr<ToggleButton> RzBitBtn6;
  std::unique_ptr<ToggleButton> RzBitBtn7;
  std::unique_ptr<ToggleButton> RzBitBtn8;
  std::unique_ptr<ToggleButton> RzBitBtn9;
  Panel spl1;  // the strip along the bottom edge
  // The label of the selected band; empty until a band from 1 to 9 has been
  // selected in this window's life. Written only by SelectBand.
  std::string CurrentBandText;

  // The button of band 1 to 9; throws Error for any other number.
  ToggleButton& BandButton(int band) const;

 private:
  void CreateBandButtons();
  void BuildLayout();
  void BindHandlers();

  // Event handlers.
  void FormCreate();
  void FormShow();
  void FormClose();
  void RzBitBtn1Click(ToggleButton& sender);
  void LV1CustomDrawItem(int index, Font& font);
  void Panel2Resize();

  const DistrictMarks& marks_;
  DomListHost& host_;
};

}  // namespace qxqy
