#include "ui/list_view.h"

#include <algorithm>

#include "base/error.h"
#include "base/text.h"
#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

ListView::ListView(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent), compare_(CompareLocale) {
  SetColor(kColorWindow);
}

int ListView::InsertSorted(std::string caption) {
  // After every item that does not sort after the new one: equal captions
  // keep their insertion order.
  auto place = std::upper_bound(
      captions_.begin(), captions_.end(), caption,
      [this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
  const auto index = static_cast<int>(place - captions_.begin());
  captions_.insert(place, std::move(caption));
  return index;
}

int ListView::AddItem(std::string caption) {
  const int index = InsertSorted(std::move(caption));
  Notify(Change::kContent);
  return index;
}

int ListView::SetCaption(int index, std::string caption) {
  if (index < 0 || index >= Count()) {
    throw Error("List index out of bounds (" + std::to_string(index) + ")");
  }
  captions_.erase(captions_.begin() + index);
  const int new_index = InsertSorted(std::move(caption));
  Notify(Change::kContent);
  return new_index;
}

void ListView::Clear() {
  if (captions_.empty()) return;
  captions_.clear();
  Notify(Change::kContent);
}

void ListView::SetCompare(Compare compare) {
  compare_ = std::move(compare);
  std::stable_sort(
      captions_.begin(), captions_.end(),
      [this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
  Notify(Change::kContent);
}

void ListView::SetViewStyle(ViewStyle style) {
  if (style == view_style_) return;
  view_style_ = style;
  Notify(Change::kContent);
  Arrange();
}

void ListView::Arrange() {
  ++arrange_count_;
  Invalidate();
}

void ListView::SetDoubleBuffered(bool on) {
  if (on == double_buffered_) return;
  double_buffered_ = on;
  Notify(Change::kStyle);
}

Font ListView::DrawItemFont(int index) {
  Font font = GetFont();
  if (OnCustomDrawItem) DispatchEvent(*this, [&] { OnCustomDrawItem(*this, index, font); });
  return font;
}

std::unique_ptr<ControlPeer> ListView::CreatePeer() { return backend::CreateListViewPeer(*this); }

}  // namespace qxqy
