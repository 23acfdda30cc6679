#include "domlist/dom_list.h"

#include "domlist/band_names.h"

namespace qxqy {

TfmDomList::TfmDomList(Component* owner, DomListSource& source)
    : Form(owner, "fmDomList", "TfmDomList"), source_(source) {
  SetCaption("Multipliers");
}

void TfmDomList::SelectBand(int band) {
  if (IsBandNumber(band)) current_band_text_ = std::string(BandNames[band]);
  source_.StoreCurrentBand(band);
}

}  // namespace qxqy
