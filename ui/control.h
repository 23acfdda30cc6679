// A visible widget: a component with a parent control, bounds, visibility,
// enabled state, font and colour, and a native peer that renders it.
//
// Coordinates: a form's bounds are its window rectangle in screen
// coordinates; every other control's bounds are in its parent's client
// coordinates. A control stays where it is put; only a form moves children
// of its own, those it docks (Form::Dock).
//
// Every setter that changes rendered state notifies the peer (if the native
// object exists). Native input that changed state behind the widget's back
// (the user dragged a window) is reported with the Note* methods, which
// update the state without echoing it to the peer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/peer.h"

namespace qxqy {

class Form;

class Control : public Component {
 public:
  // `parent` may be null (forms). A child takes its parent's font and colour
  // until it is given its own. The parent must outlive the child.
  Control(Component* owner, std::string name, Control* parent);
  ~Control() override;

  Control* Parent() const { return parent_; }
  // Child controls in creation order (the order the layout places them).
  const std::vector<Control*>& Children() const { return children_; }
  // The form this control sits on (itself for a form), or null.
  Form* ParentForm();

  Control* AsControl() override { return this; }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  const Rect& BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetBoundsRect(const Rect& rect);
  void SetWidth(int width);
  void SetHeight(int height);
  // True for every control but a form that is not shown.
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool TabStop() const { return tab_stop_; }
  int TabOrder() const { return tab_order_; }
  void SetTabStop(bool tab_stop);
  void SetTabOrder(int tab_order);

  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  Color GetColor() const { return color_; }
  void SetColor(Color color);

  // Runs after this control's size changed (by layout, SetBounds or the user).
  std::function<void(Control& sender)> OnResize;

  // Repaints the control at once. Counted, so that tests can see that a
  // window asked for it.
  void Repaint();
  int RepaintRequests() const { return repaint_requests_; }

  // The native object, or null before the form made its native window
  // (Form::Handle creates the peers of the form and all its controls).
  ControlPeer* Peer() const { return peer_.get(); }

  // State changes reported by the native object.
  void NoteNativeBounds(const Rect& bounds);

 protected:
  friend class Form;

  // Creates this control's peer through the backend factory for its kind.
  virtual std::unique_ptr<ControlPeer> CreatePeer() = 0;
  // Creates the peers of this control and its children, parents first.
  void CreateHandles();
  // Destroys the peers of this control and its children, children first.
  void DestroyHandles();
  void Notify(Change what);
  // Forms show and hide; other controls stay visible.
  void SetVisible(bool visible);
  // Records the visibility without telling the peer (the native side changed it).
  void StoreVisible(bool visible) { visible_ = visible; }
  // Called after the bounds changed by any route: runs OnResize when the
  // size changed.
  virtual void BoundsChanged(const Rect& old_bounds);
  // Runs OnResize behind the error barrier.
  void DoResize();

 private:
  void SetBoundsInternal(const Rect& rect, bool notify_peer);
  void RemoveChild(Control* child);
  void ParentFontChanged(const Font& font);
  void ParentColorChanged(Color color);

  Control* parent_;
  std::vector<Control*> children_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool tab_stop_ = false;
  int tab_order_ = 0;
  bool parent_font_ = true;
  bool parent_color_ = true;
  Font font_;
  Color color_ = kColorButtonFace;
  int repaint_requests_ = 0;
  std::unique_ptr<ControlPeer> peer_;
};

}  // namespace qxqy
