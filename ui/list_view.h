// A list of captioned items, shown in list style (painted double-buffered)
// and kept sorted ascending by caption with the platform's locale-aware,
// case-sensitive comparison (CompareLocale in text.h). Items with equal
// captions keep their insertion order.
//
// Drawing: before each item is painted the list resets the drawing font to
// its own font, then OnCustomDrawItem may change it (colour, bold).
// DrawItemFont() does exactly that and is what every backend paints with;
// tests call it to read an item's font decision.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace qxqy {

class ListView : public Control {
 public:
  ListView(Component* owner, std::string name, Control* parent);

  int Count() const { return static_cast<int>(captions_.size()); }
  const std::string& Caption(int index) const { return captions_.at(index); }
  const std::vector<std::string>& Captions() const { return captions_; }
  // Adds an item at its sorted place; returns its index.
  int AddItem(std::string caption);
  void Clear();

  // Sets `font` (already reset to the list's font) for item `index`.
  std::function<void(ListView& sender, int index, Font& font)> OnCustomDrawItem;

  // The font item `index` is drawn with: the list's font, then
  // OnCustomDrawItem behind the error barrier.
  Font DrawItemFont(int index);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  std::vector<std::string> captions_;
};

}  // namespace qxqy
