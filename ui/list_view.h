// A list of captioned items kept sorted ascending by caption. The sort uses
// a pluggable comparison; by default the platform's locale-aware,
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
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace qxqy {

enum class ViewStyle { kIcon, kSmallIcon, kList, kReport };

class ListView : public Control {
 public:
  using Compare = std::function<int(std::string_view, std::string_view)>;

  ListView(Component* owner, std::string name, Control* parent);

  int Count() const { return static_cast<int>(captions_.size()); }
  const std::string& Caption(int index) const { return captions_.at(index); }
  const std::vector<std::string>& Captions() const { return captions_; }
  // Adds an item at its sorted place; returns its index.
  int AddItem(std::string caption);
  // Changes an item's caption and moves it to its sorted place; returns
  // its new index. Throws Error for an index outside the list.
  int SetCaption(int index, std::string caption);
  void Clear();

  // Replaces the comparison and re-sorts.
  void SetCompare(Compare compare);

  ViewStyle GetViewStyle() const { return view_style_; }
  // Switching the style makes the list arrange its items anew.
  void SetViewStyle(ViewStyle style);
  // Lays the items out again in the current style.
  void Arrange();
  int ArrangeCount() const { return arrange_count_; }

  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool on);

  // Sets `font` (already reset to the list's font) for item `index`.
  std::function<void(ListView& sender, int index, Font& font)> OnCustomDrawItem;

  // The font item `index` is drawn with: the list's font, then
  // OnCustomDrawItem behind the error barrier.
  Font DrawItemFont(int index);

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  int InsertSorted(std::string caption);

  std::vector<std::string> captions_;
  Compare compare_;
  ViewStyle view_style_ = ViewStyle::kList;
  int arrange_count_ = 0;
  bool double_buffered_ = false;
};

}  // namespace qxqy
