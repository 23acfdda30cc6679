#include "MainForm/main_form.h"

#include "domlist/band_names.h"
#include "domlist/dom_list.h"
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/error.h"
#include "framework/glyph.h"
#include "framework/text.h"
#include "MainForm/main_form_layout.h"
#include "MainForm/statistics_grid.h"
#include "refdata/call_lookup.h"
#include "refdata/reference_files.h"
#include "scoring/totals.h"

namespace qxqy {

namespace layout = main_form_layout;
namespace grid = statistics_grid;

namespace {
constexpr char kCurrentBandValue[] = "CurrentBand";
}  // namespace

TfmMainForm::TfmMainForm(Component* owner, const HostRecord& host_record,
                         const MainFormContext& context)
    : Form(owner, "fmMainForm", "TfmMainForm"),
      FormStorage1(this, "FormStorage1"),
      Panel1(this, "Panel1", this),
      BitBtn1(this, "BitBtn1", &Panel1),
      ActionList1(this, "ActionList1"),
      RecalcStatistic(this, "RecalcStatistic"),
      StringGrid1(this, "StringGrid1", this),
      Label1(this, "Label1", &Panel1),
      btnOBL1(this, "btnOBL1", &Panel1),
      context_(context) {
  BuildLayout();
  BindHandlers();

  HostRecord& current = *context_.current_record;
  CopyHostRecord(current, &host_record);
  SetCaption(ReadShortText(current.LogCaption) + " in " + Caption());

  district_table_ = std::make_unique<DistrictTable>();
  call_districts_ = std::make_unique<StringList>();
  scoring_ = std::make_unique<ScoringState>(current, *district_table_,
                                            static_cast<BandFollower&>(*this));
  log_query_ = CreateLogQuery(current.Connection);
  LoadReferenceFiles(context_.plugins_folder, *district_table_, *call_districts_);
}

TfmMainForm::~TfmMainForm() = default;

void TfmMainForm::BuildLayout() {
  SetCaption(layout::kDesignCaption);
  SetBorderStyle(BorderStyle::kSingle);
  SetBorderIcons(/*system_menu=*/true, /*minimize_box=*/true, /*maximize_box=*/false);
  SetStayOnTop(true);
  SetColor(kColorButtonFace);
  SetBounds(layout::kFirstLeft, layout::kFirstTop, Width(), Height());
  SetClientSize(layout::kClientWidth, layout::kClientHeight);

  Panel1.SetBevel(false);
  Panel1.SetHeight(layout::kPanelHeight);
  Panel1.SetAlign(Align::kBottom);

  Font label_font = Label1.GetFont();
  label_font.name = layout::kLabelFontName;
  label_font.height = layout::kLabelFontHeight;
  label_font.bold = true;
  label_font.color = kColorBlue;
  Label1.SetFont(label_font);
  Label1.SetBounds(layout::kLabelLeft, layout::kLabelTop, 0, layout::kLabelFontHeight);

  BitBtn1.SetCaption("Recalc");
  BitBtn1.SetBounds(layout::kRecalcLeft, layout::kButtonTop, layout::kButtonWidth,
                    layout::kButtonHeight);
  BitBtn1.SetTabStop(true);
  BitBtn1.SetTabOrder(0);
  RecalcStatistic.SetCaption("Recalc Statistic");
  BitBtn1.SetAction(&RecalcStatistic);
  BitBtn1.SetGlyph(RefreshGlyph());

  btnOBL1.SetCaption("District");
  btnOBL1.SetBounds(layout::kDistrictLeft, layout::kButtonTop, layout::kButtonWidth,
                    layout::kButtonHeight);
  btnOBL1.SetTabStop(true);
  btnOBL1.SetTabOrder(1);
  btnOBL1.SetGlyph(ListGlyph());

  StringGrid1.SetAlign(Align::kClient);
  StringGrid1.SetSize(layout::kGridCols, layout::kGridRows);
  StringGrid1.SetFixed(0, 0);
  StringGrid1.SetDefaultColWidth(layout::kGridColWidth);
  StringGrid1.SetDefaultRowHeight(layout::kGridRowHeight);
  StringGrid1.SetGridLineWidth(layout::kGridLineWidth);
  StringGrid1.SetColor(layout::kGridColor);
  StringGrid1.SetEnabled(false);
  StringGrid1.SetTabStop(false);

  FormStorage1.AddStoredValue(kCurrentBandValue, "0");
}

void TfmMainForm::BindHandlers() {
  OnShow = [this](Form&) { FormShow(); };
  OnCloseQuery = [this](Form&, bool& can_close) { FormCloseQuery(can_close); };
  OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
  OnSysCommand = [this](Form&, unsigned command) { return FormSysCommand(command); };
  RecalcStatistic.OnExecute = [this](Action&) { RecalcStatisticExecute(); };
  StringGrid1.OnDrawCell = [this](StringGrid&, Canvas& canvas, int col, int row, const Rect& rect,
                                  GridDrawState) { StringGrid1DrawCell(canvas, col, row, rect); };
  btnOBL1.OnClick = [this](Button&) { btnOBL1Click(); };
}

// --- Scoring -------------------------------------------------------------

int32_t TfmMainForm::ScoreQso(bool commit) {
  if (!scoring_) return 0;
  return scoring_->ScoreQso(commit);
}

void TfmMainForm::LookupDistrict(std::string& suggestion) const {
  if (!call_districts_) return;
  const HostRecord& current = *context_.current_record;
  qxqy::LookupDistrict(*call_districts_, ReadShortText(current.LookupCountry),
                       ReadShortText(current.Call), suggestion);
}

void TfmMainForm::ShowStatistics() {
  if (!scoring_) return;
  const StatList& stat_list = scoring_->stat_list();
  for (const TStatistic& entry : stat_list) {
    const int row = grid::RowOfBand(entry.Band);
    if (row == 0) continue;
    StringGrid1.SetCell(1, row, IntToText(entry.Qsos));
    StringGrid1.SetCell(2, row, IntToText(entry.Points));
    StringGrid1.SetCell(3, row, IntToText(entry.Districts));
    StringGrid1.SetCell(4, row, IntToText(entry.Prefixes));
  }
  const ScoreTotals totals = SumStatistics(stat_list);
  StringGrid1.SetCell(1, grid::kTotalRow, IntToText(totals.qsos));
  StringGrid1.SetCell(2, grid::kTotalRow, IntToText(totals.points));
  StringGrid1.SetCell(3, grid::kTotalRow, IntToText(totals.districts));
  StringGrid1.SetCell(4, grid::kTotalRow, IntToText(totals.prefixes));
  Label1.SetCaption("Score: " + IntToText(totals.points) + "*(" + IntToText(totals.districts) +
                    "+" + IntToText(totals.prefixes) + ")=" + IntToText(totals.Score()));
}

void TfmMainForm::ShowDXList() {
  const std::string band = Trim(ReadShortText(context_.current_record->Band));
  if (band.empty()) return;
  const int number = BandNumberOfLabel(band);
  if (number == 0) return;
  if (TfmDomList* dom_list = context_.dom_list->get()) dom_list->SelectBand(number);
}

// --- Recalculation ---------------------------------------------------------

void TfmMainForm::RecalcStatisticExecute() {
  Application::Instance().ProcessMessages();
  if (!scoring_) return;  // closed while the messages ran
  RecalcStatistic.SetEnabled(false);
  struct EnableAgain {
    Action& action;
    ~EnableAgain() { action.SetEnabled(true); }
  } enable_again{RecalcStatistic};
  RebuildFromLog(*scoring_, *log_query_, *context_.current_record, *this);
  ShowStatistics();
}

void TfmMainForm::ClearStatisticsCells() {
  for (int row = 1; row < StringGrid1.RowCount(); ++row) {
    for (int col = 1; col < StringGrid1.ColCount(); ++col) StringGrid1.SetCell(col, row, "");
  }
}

bool TfmMainForm::LetPendingMessagesRun() {
  Application::Instance().ProcessMessages();
  return scoring_ != nullptr;
}

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
  StringGrid1.SetSelection(-1, -1);
  WriteGridHeadings();
  RecalcStatistic.Execute();
}

void TfmMainForm::FormCloseQuery(bool& can_close) {
  log_query_->Close();
  ReleaseLists();
  can_close = true;
}

void TfmMainForm::ReleaseLists() {
  scoring_.reset();
  district_table_.reset();
  call_districts_.reset();
}

void TfmMainForm::FormClose(CloseAction&) {
  Release();
  if (context_.main_form->get() == this) context_.main_form->reset();
}

bool TfmMainForm::FormSysCommand(unsigned command) {
  if ((command & kSysCommandMask) != kScClose) return false;
  Show();
  Minimize();
  return true;
}

void TfmMainForm::StringGrid1DrawCell(Canvas& canvas, int col, int row, const Rect& rect) {
  canvas.FillRect(rect);
  const std::string& text = StringGrid1.Cell(col, row);
  const int x = rect.left + (rect.right - rect.left) / 2 - canvas.TextWidth(text) / 2;
  canvas.DrawTextAt(x, rect.top, text);
}

void TfmMainForm::btnOBL1Click() {
  if (!context_.dom_list->empty()) return;
  auto* dom_list = Create<TfmDomList>(static_cast<DomListSource&>(*this));
  *context_.dom_list = dom_list;
  dom_list->Show();
}

// --- What the multiplier window reads --------------------------------------------

const MultiplierKeyList* TfmMainForm::DistrictMultsForList() const {
  return scoring_ ? &scoring_->district_mults() : nullptr;
}

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
