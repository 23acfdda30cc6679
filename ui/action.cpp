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
  const std::vector<Button*> clients = clients_;
  for (Button* button : clients) button->ActionChanged();
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
