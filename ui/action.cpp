#include "ui/action.h"

#include <algorithm>

#include "ui/button.h"

namespace qxqy {

Action::Action(Component* owner, std::string name) : Component(owner, std::move(name)) {}

Action::~Action() {
  std::vector<Button*> clients;
  clients.swap(clients_);
  for (Button* button : clients) button->ActionGone();
}

void Action::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  // By index and without a copy of the list: this must not allocate, since
  // a handler re-enables its action on the way out of a failure, a failed
  // allocation included. A client does not leave the list while told.
  for (size_t i = 0; i < clients_.size(); ++i) clients_[i]->ActionChanged();
}

bool Action::Execute() {
  if (!enabled_ || !OnExecute) return false;
  OnExecute(*this);
  return true;
}

void Action::AddClient(Button* button) { clients_.push_back(button); }

void Action::RemoveClient(Button* button) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), button), clients_.end());
}

}  // namespace qxqy
