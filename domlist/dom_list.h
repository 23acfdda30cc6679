// The multiplier window: lists every district of the district table and
// shows in red bold those worked on the selected band.
#pragma once

#include <string>

#include "domlist/dom_list_source.h"
#include "framework/form.h"

namespace qxqy {

class TfmDomList : public Form {
 public:
  // `owner` is the main window, which also provides the data (`source`,
  // which must outlive this window).
  TfmDomList(Component* owner, DomListSource& source);

  // Selects band 1 to 9: pushes its button down, sets CurrentBandText,
  // repaints the list and stores the band in the main window's settings.
  void SelectBand(int band);

  const std::string& CurrentBandText() const { return current_band_text_; }

 private:
  DomListSource& source_;
  std::string current_band_text_;
};

}  // namespace qxqy
