// The common part of the peers of child controls: a native child window that
// follows the control's bounds, enabled state, font and tab stop. The kinds (panel, label, buttons,
// grid, list view) add their own window class, styles and messages.
#pragma once

#include <memory>
#include <string>

#include "base/win32/handles.h"
#include "ui/control.h"
#include "ui/peer.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {

class ChildWindowPeer : public ControlPeer, public WindowPeer {
 public:
  ~ChildWindowPeer() override;

  void Update(Change what) override;
  void Repaint() override;
  uint32_t NativeHandle() const override { return handle_value_; }

 protected:
  // The control must outlive the peer.
  explicit ChildWindowPeer(Control& control) : control_(control) {}

  // Creates the window inside the parent's window: `style` and `ex_style`
  // are the kind's own bits; WS_CHILD, visibility, enabled state and tab
  // stop come from the control. Then applies the font and tab order.
  void CreateChild(const std::string& class_name, bool standard_control, DWORD style,
                   DWORD ex_style, const std::string& text);

  // Changes the kind handles itself (caption, content, state, ...).
  virtual void UpdateKind(Change what);
  // Asks for a repaint when messages are next dispatched.
  void Invalidate();

 private:
  void ApplyFont();
  void ApplyTabStop();

  Control& control_;
  UniqueFont font_;
  uint32_t handle_value_ = 0;
};

// Puts the windows of `parent`'s children in tab order (the z-order that
// keyboard navigation follows): by TabOrder, creation order among equals.
// `newcomer` is a child whose window exists but whose peer it does not hold yet.
void ApplyTabOrder(const Control& parent, const Control* newcomer = nullptr,
                   HWND newcomer_window = nullptr);

}  // namespace qxqy::win32
