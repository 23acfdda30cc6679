#include "domlist/dom_list.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/text.h"
#include "domlist/band_names.h"
#include "domlist/dom_list_layout.h"
#include "ui/placement_text.h"

namespace qxqy {

namespace layout = dom_list_layout;

namespace {

// A district is shown by at most this many characters of its table value.
constexpr size_t kCaptionChars = 4;
// What a stored band that is not a whole number counts as: no band.
constexpr int kNoBand = 0;

using ButtonMember = std::unique_ptr<ToggleButton> TfmDomList::*;
// The button member of each band (entry 0 unused).
constexpr std::array<ButtonMember, 10> kButtonMembers = {
    nullptr,
    &TfmDomList::RzBitBtn1,
    &TfmDomList::RzBitBtn2,
    &TfmDomList::RzBitBtn3,
    &TfmDomList::RzBitBtn4,
    &TfmDomList::RzBitBtn5,
    &TfmDomList::RzBitBtn6,
    &TfmDomList::RzBitBtn7,
    &TfmDomList::RzBitBtn8,
    &TfmDomList::RzBitBtn9,
};

}  // namespace

TfmDomList::TfmDomList(Component* owner, const DistrictMarks& marks, DomListHost& host)
    : Form(owner, "fmDomList", "TfmDomList"),
      FormStorage1(this, "FormStorage1"),
      LV1(this, "LV1", this),
      Panel2(this, "Panel2", this),
      spl1(this, "spl1", this),
      marks_(marks),
      host_(host) {
  CreateBandButtons();
  // Bound before the layout, so that the bar's resize handler places the
  // buttons when the bar gets its width.
  BindHandlers();
  BuildLayout();
  FormCreate();
}

TfmDomList::~TfmDomList() = default;

ToggleButton& TfmDomList::BandButton(int band) const {
  if (!IsBandNumber(band)) throw Error("No band button " + IntToText(band));
  return *(this->*kButtonMembers[band]);
}

void TfmDomList::CreateBandButtons() {
  for (const int band : layout::kBandBarOrder) {
    auto button = std::make_unique<ToggleButton>(this, "RzBitBtn" + IntToText(band), &Panel2);
    button->SetCaption(std::string(BandNames[band]));
    button->SetTag(band);
    button->SetTabStop(false);
    button->SetBoundsRect(Scale().Bounds(layout::kDesignButtonLeft[band], layout::kDesignButtonTop,
                                         layout::kDesignButtonWidth, layout::kDesignButtonHeight));
    this->*kButtonMembers[band] = std::move(button);
  }
  BandButton(layout::kFirstDownBand).PushDown();
}

void TfmDomList::BuildLayout() {
  // Designed pixels to this screen's (the identity at 96 pixels per inch).
  const DpiScale& scale = Scale();
  SetCaption(layout::kCaption);
  SetBorderStyle(BorderStyle::kSizeable);
  SetBorderIcons(/*system_menu=*/true, /*minimize_box=*/true, /*maximize_box=*/false);
  SetStayOnTop(true);
  Font form_font = GetFont();
  form_font.name = layout::kFontName;
  form_font.height = scale(layout::kFontHeight);
  SetFont(form_font);
  SetBounds(layout::kFirstLeft, layout::kFirstTop, scale(layout::kFirstWidth),
            scale(layout::kFirstHeight));
  // The bar's layout is worked out for this client width, whatever frame the
  // platform draws around it.
  SetClientSize(scale(layout::kClientWidth), ClientHeight());

  Panel2.SetHeight(scale(layout::kBandBarHeight));

  Font list_font = form_font;
  list_font.charset = layout::kListCharset;
  LV1.SetFont(list_font);
  LV1.SetTabStop(false);

  spl1.SetHeight(scale(layout::kBottomStripHeight));
  Dock(/*top=*/&Panel2, /*fill=*/&LV1, /*bottom=*/&spl1);

  FormStorage1.SetPositionOnly(true);
}

void TfmDomList::BindHandlers() {
  OnShow = [this](Form&) { FormShow(); };
  OnClose = [this](Form&) { FormClose(); };
  for (int band = kFirstBand; band <= kLastBand; ++band) {
    BandButton(band).OnClick = [this](ToggleButton& sender) { RzBitBtn1Click(sender); };
  }
  LV1.OnCustomDrawItem = [this](ListView&, int index, Font& font) {
    LV1CustomDrawItem(index, font);
  };
  Panel2.OnResize = [this](Control&) { Panel2Resize(); };
}

// --- Event handlers ------------------------------------------------------

void TfmDomList::FormCreate() {
  LV1.Clear();
  if (const DistrictTable* table = marks_.GetDistrictTable()) {
    for (size_t i = 0; i < table->Count(); ++i) {
      const std::string_view line = (*table)[i];
      const size_t equals = line.find('=');
      if (equals == std::string_view::npos) continue;
      LV1.AddItem(Trim(line.substr(equals + 1, kCaptionChars)));
    }
  }
}

void TfmDomList::FormShow() { SelectBand(ParseInt(host_.StoredCurrentBand()).value_or(kNoBand)); }

void TfmDomList::FormClose() {
  Release();
  host_.ForgetDomList(*this);
}

void TfmDomList::SelectBand(int band) {
  if (IsBandNumber(band)) {
    BandButton(band).PushDown();
    CurrentBandText = std::string(BandNames[band]);
  }
  LV1.Repaint();
  host_.StoreCurrentBand(band);
}

void TfmDomList::RzBitBtn1Click(ToggleButton& sender) { SelectBand(sender.Tag()); }

void TfmDomList::LV1CustomDrawItem(int index, Font& font) {
  switch (marks_.MarkOfDistrict(CurrentBandText, LV1.Caption(index))) {
    case DistrictMark::kNothingRecorded:
      break;
    case DistrictMark::kWorked:
      font.color = layout::kWorkedColor;
      font.bold = true;
      break;
    case DistrictMark::kNotWorked:
      font.color = layout::kNotWorkedColor;
      break;
  }
}

void TfmDomList::Panel2Resize() {
  const int bar_width = Panel2.Width();
  if (Panel2.Children().empty() || bar_width == 0) return;
  std::vector<ToggleButton*> buttons;
  for (Control* child : Panel2.Children()) {
    if (auto* button = dynamic_cast<ToggleButton*>(child)) buttons.push_back(button);
  }
  if (buttons.empty()) return;

  const DpiScale& scale = Scale();
  const int count = static_cast<int>(buttons.size());
  const int width = bar_width / count;
  const int height = Panel2.Height() - scale(layout::kButtonBottomGap);
  for (int k = 0; k < count; ++k) buttons[k]->SetBounds(k * width, 0, width, height);
  // A very narrow bar gives the last button a negative width, which both
  // backends take (Windows shows nothing of the button).
  buttons.back()->SetWidth(bar_width + width - count * width - scale(layout::kLastButtonRightGap));
}

}  // namespace qxqy
