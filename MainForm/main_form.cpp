#include "MainForm/main_form.h"

#include "MainForm/main_form_layout.h"
#include "base/error.h"
#include "base/text.h"
#include "domlist/band_names.h"
#include "domlist/dom_list.h"
#include "scoring/statistics_table.h"
#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/glyph.h"

namespace qxqy {

namespace layout = main_form_layout;
namespace grid = statistics_table;

namespace {
constexpr char kCurrentBandValue[] = "CurrentBand";
}  // namespace

TfmMainForm::TfmMainForm(Component* owner, const HostRecord& host_record,
                         const MainFormContext& context)
    : Form(owner, "fmMainForm", "TfmMainForm"),
      FormStorage1(this, "FormStorage1"),
      Panel1(this, "Panel1", this),
      BitBtn1(this, "BitBtn1", &Panel1),
      StringGrid1(this, "StringGrid1", this),
      Label1(this, "Label1", &Panel1),
      btnOBL1(this, "btnOBL1", &Panel1),
      context_(context) {
  BuildLayout();
  BindHandlers();

  HostRecord& current = *context_.current_record;
  CopyHostRecord(current, &host_record);
  SetCaption(ReadShortText(current.LogCaption) + " in " + Caption());

  session_ = std::make_unique<ContestSession>(current, context_.plugins_folder,
                                              static_cast<ContestObserver*>(this));
}

TfmMainForm::~TfmMainForm() = default;

void TfmMainForm::BuildLayout() {
  // Designed pixels to this screen's (the identity at 96 pixels per inch).
  const DpiScale& scale = Scale();
  SetCaption(layout::kDesignCaption);
  SetBorderStyle(BorderStyle::kSingle);
  SetBorderIcons(/*system_menu=*/true, /*minimize_box=*/true, /*maximize_box=*/false);
  SetStayOnTop(true);
  SetColor(kColorButtonFace);
  Font form_font = GetFont();
  form_font.name = layout::kFontName;
  form_font.height = scale(layout::kFontHeight);
  SetFont(form_font);
  SetBounds(layout::kFirstLeft, layout::kFirstTop, Width(), Height());
  SetClientSize(scale(layout::kClientWidth), scale(layout::kClientHeight));

  Panel1.SetHeight(scale(layout::kPanelHeight));

  Font label_font = Label1.GetFont();
  label_font.name = layout::kLabelFontName;
  label_font.height = scale(layout::kLabelFontHeight);
  label_font.bold = true;
  label_font.color = kColorBlue;
  Label1.SetFont(label_font);
  Label1.SetBoundsRect(
      scale.Bounds(layout::kLabelLeft, layout::kLabelTop, 0, layout::kLabelFontHeight));

  BitBtn1.SetCaption("Recalc");
  BitBtn1.SetBoundsRect(scale.Bounds(layout::kRecalcLeft, layout::kButtonTop, layout::kButtonWidth,
                                     layout::kButtonHeight));
  BitBtn1.SetTabStop(true);
  BitBtn1.SetTabOrder(0);
  BitBtn1.SetGlyph(RefreshGlyph());

  btnOBL1.SetCaption("District");
  btnOBL1.SetBoundsRect(scale.Bounds(layout::kDistrictLeft, layout::kButtonTop,
                                     layout::kButtonWidth, layout::kButtonHeight));
  btnOBL1.SetTabStop(true);
  btnOBL1.SetTabOrder(1);
  btnOBL1.SetGlyph(ListGlyph());

  StringGrid1.SetSize(layout::kGridCols, layout::kGridRows);
  StringGrid1.SetColWidth(scale(layout::kGridColWidth));
  StringGrid1.SetRowHeight(scale(layout::kGridRowHeight));
  StringGrid1.SetGridLineWidth(layout::kGridLineWidth);
  StringGrid1.SetColor(layout::kGridColor);
  StringGrid1.SetEnabled(false);
  StringGrid1.SetTabStop(false);
  Dock(/*top=*/nullptr, /*fill=*/&StringGrid1, /*bottom=*/&Panel1);

  FormStorage1.AddStoredValue(kCurrentBandValue, "0");
}

void TfmMainForm::BindHandlers() {
  OnShow = [this](Form&) { FormShow(); };
  OnCloseQuery = [this](Form&, bool& can_close) { FormCloseQuery(can_close); };
  OnClose = [this](Form&) { FormClose(); };
  OnSysCommand = [this](Form&, unsigned command) { return FormSysCommand(command); };
  BitBtn1.OnClick = [this](Button&) { BitBtn1Click(); };
  StringGrid1.OnDrawCell = [this](StringGrid&, Canvas& canvas, int col, int row, const Rect& rect) {
    StringGrid1DrawCell(canvas, col, row, rect);
  };
  btnOBL1.OnClick = [this](Button&) { btnOBL1Click(); };
}

// --- Statistics ----------------------------------------------------------

void TfmMainForm::ShowStatistics() {
  const std::optional<StatisticsTable> table = session_->Statistics();
  if (!table) return;
  const auto write_figures = [this](int row, const grid::Figures& figures) {
    for (size_t i = 0; i < figures.size(); ++i) {
      StringGrid1.SetCell(static_cast<int>(i) + 1, row, figures[i]);
    }
  };
  for (size_t i = 0; i < table->bands.size(); ++i) {
    if (table->bands[i]) write_figures(grid::kFirstBandRow + static_cast<int>(i), *table->bands[i]);
  }
  write_figures(grid::kTotalRow, table->totals);
  Label1.SetCaption(table->score_line);
}

void TfmMainForm::ShowDXList() {
  const std::string band = Trim(ReadShortText(context_.current_record->Band));
  if (band.empty()) return;
  const int number = BandNumberOfLabel(band);
  if (number == 0) return;
  if (TfmDomList* dom_list = context_.dom_list->get()) dom_list->SelectBand(number);
}

// --- Recalculation ---------------------------------------------------------

// A press of Recalc (ignored while it is disabled) and the first show run
// this. Recalc stays enabled through the first message pause, so a press
// dispatched there runs a recalculation of its own before this one goes on;
// it is disabled while the log is replayed and enabled again however the
// replay ends.
void TfmMainForm::BitBtn1Click() {
  Application::Instance().ProcessMessages();
  if (session_->Closed()) return;  // closed while the messages ran
  BitBtn1.SetEnabled(false);
  struct EnableAgain {
    Button& button;
    ~EnableAgain() { button.SetEnabled(true); }
  } enable_again{BitBtn1};
  session_->Rebuild();
  ShowStatistics();
}

void TfmMainForm::ClearStatisticsCells() {
  for (int row = 1; row < StringGrid1.RowCount(); ++row) {
    for (int col = 1; col < StringGrid1.ColCount(); ++col) StringGrid1.SetCell(col, row, "");
  }
}

void TfmMainForm::LetPendingMessagesRun() { Application::Instance().ProcessMessages(); }

// --- Window events -----------------------------------------------------------

void TfmMainForm::WriteGridHeadings() {
  for (int col = 0; col < static_cast<int>(grid::kHeaderRow.size()); ++col) {
    StringGrid1.SetCell(col, 0, std::string(grid::kHeaderRow[col]));
  }
  for (size_t i = 0; i < grid::kBandRows.size(); ++i) {
    StringGrid1.SetCell(0, grid::kFirstBandRow + static_cast<int>(i),
                        std::string(grid::kBandRows[i].title));
  }
  StringGrid1.SetCell(0, grid::kTotalRow, std::string(grid::kTotalTitle));
}

void TfmMainForm::FormShow() {
  WriteGridHeadings();
  if (BitBtn1.Enabled()) BitBtn1Click();
}

void TfmMainForm::FormCloseQuery(bool& can_close) {
  session_->Close();
  can_close = true;
}

void TfmMainForm::FormClose() {
  Release();
  if (context_.main_form->get() == this) context_.main_form->reset();
}

bool TfmMainForm::FormSysCommand(unsigned command) {
  if ((command & kSysCommandMask) != kScClose) return false;
  Show();
  Minimize();
  return true;
}

void TfmMainForm::StringGrid1DrawCell(Canvas& canvas, int col, int row, const Rect& rect) const {
  canvas.FillRect(rect);
  const std::string& text = StringGrid1.Cell(col, row);
  const int x = rect.left + (rect.right - rect.left) / 2 - canvas.TextWidth(text) / 2;
  canvas.DrawTextAt(x, rect.top, text);
}

void TfmMainForm::btnOBL1Click() {
  if (!context_.dom_list->empty()) return;
  auto* dom_list = Create<TfmDomList>(*session_, static_cast<DomListHost&>(*this));
  *context_.dom_list = dom_list;
  dom_list->Show();
}

// --- What the multiplier window asks of this window ----------------------------

std::string TfmMainForm::StoredCurrentBand() const {
  return FormStorage1.StoredValue(kCurrentBandValue);
}

void TfmMainForm::StoreCurrentBand(int band) {
  if (context_.main_form->get() != this) return;
  FormStorage1.SetStoredValue(kCurrentBandValue, IntToText(band));
}

void TfmMainForm::ForgetDomList(const TfmDomList& window) {
  if (context_.dom_list->get() == &window) context_.dom_list->reset();
}

}  // namespace qxqy
