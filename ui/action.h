// An action: a named command with an enabled flag and an execute handler,
// shared by the buttons bound to it. Buttons bound to an action are enabled
// exactly when the action is.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"

namespace qxqy {

class Button;

class Action : public Component {
 public:
  Action(Component* owner, std::string name);
  ~Action() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

  bool Enabled() const { return enabled_; }
  // Updates every bound button.
  void SetEnabled(bool enabled);

  std::function<void(Action& sender)> OnExecute;

  // Runs OnExecute if the action is enabled and has a handler; returns
  // whether it ran. Exceptions from the handler propagate to the caller (a
  // button click dispatched by the framework shows them in the error box).
  bool Execute();

 private:
  friend class Button;
  void AddClient(Button* button);
  void RemoveClient(Button* button);

  std::string caption_;
  bool enabled_ = true;
  std::vector<Button*> clients_;
};

// A group of actions; it only owns them (they may also be owned by the form).
class ActionList : public Component {
 public:
  ActionList(Component* owner, std::string name) : Component(owner, std::move(name)) {}
};

}  // namespace qxqy
