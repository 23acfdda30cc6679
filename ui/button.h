// A push button. Click() is what a press does (the native peer calls it):
// it executes the bound action if there is one, otherwise OnClick, behind
// the framework's error barrier. A button bound to an action keeps its own
// caption and is enabled exactly when the action is.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/action.h"
#include "ui/control.h"
#include "ui/glyph.h"

namespace qxqy {

class Button : public Control {
 public:
  Button(Component* owner, std::string name, Control* parent);
  ~Button() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Binds the button to `action` (null unbinds). The action must be alive;
  // when it goes, the button is unbound.
  void SetAction(Action* action);
  Action* GetAction() const { return action_; }

  // The small picture beside the caption; none by default.
  const Glyph& GetGlyph() const { return glyph_; }
  void SetGlyph(Glyph glyph);

  std::function<void(Button& sender)> OnClick;

  // Performs a press; does nothing while the button is disabled.
  void Click();

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  friend class Action;
  void ActionChanged();
  void ActionGone();

  std::string caption_;
  Glyph glyph_;
  Action* action_ = nullptr;
};

}  // namespace qxqy
