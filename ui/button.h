// A push button. Click() is what a press does (the native peer calls it):
// it runs OnClick behind the framework's error barrier, and nothing while
// the button is disabled.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/control.h"
#include "ui/glyph.h"

namespace qxqy {

class Button : public Control {
 public:
  Button(Component* owner, std::string name, Control* parent);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // The small picture beside the caption; none by default.
  const Glyph& GetGlyph() const { return glyph_; }
  void SetGlyph(Glyph glyph);

  std::function<void(Button& sender)> OnClick;

  // Performs a press; does nothing while the button is disabled.
  void Click();

 protected:
  std::unique_ptr<ControlPeer> CreatePeer() override;

 private:
  std::string caption_;
  Glyph glyph_;
};

}  // namespace qxqy
