#include "ui/list_view.h"

#include <algorithm>

#include "base/text.h"
#include "ui/backend.h"
#include "ui/dispatch.h"

namespace qxqy {

ListView::ListView(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {
  SetColor(kColorWindow);
}

int ListView::AddItem(std::string caption) {
  // After every item that does not sort after the new one: equal captions
  // keep their insertion order.
  auto place = std::upper_bound(
      captions_.begin(), captions_.end(), caption,
      [](const std::string& a, const std::string& b) { return CompareLocale(a, b) < 0; });
  const auto index = static_cast<int>(place - captions_.begin());
  captions_.insert(place, std::move(caption));
  Notify(Change::kContent);
  return index;
}

void ListView::Clear() {
  if (captions_.empty()) return;
  captions_.clear();
  Notify(Change::kContent);
}

Font ListView::DrawItemFont(int index) {
  Font font = GetFont();
  if (OnCustomDrawItem) {
    // Every item of every paint comes here: a handler that captures one
    // pointer stays inside std::function's own storage, so drawing an item
    // allocates nothing for the dispatch.
    struct Draw {
      ListView& list;
      int index;
      Font& font;
    } draw{*this, index, font};
    DispatchEvent(*this, [call = &draw] {
      call->list.OnCustomDrawItem(call->list, call->index, call->font);
    });
  }
  return font;
}

std::unique_ptr<ControlPeer> ListView::CreatePeer() { return backend::CreateListViewPeer(*this); }

}  // namespace qxqy
