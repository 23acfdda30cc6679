// The interfaces a backend implements to render the portable widgets. A
// widget owns all of its state; its peer owns the native object (a window,
// a control, or nothing at all in the headless native backend), reads the
// widget's state when told that something changed, and turns native input
// into calls on the widget (Click, Close, SysCommand, PaintCell, ...).
//
// A peer is created by the widget (through the factory functions of
// ui/backend.h) when the widget's native object is needed, and is
// destroyed by the widget, children before parents, before the widget's own
// state goes. A peer never outlives its widget and must not call back into
// the widget from its destructor.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/graphics.h"
#include "ui/window_placement.h"

namespace qxqy {

// What changed in a widget; the peer re-reads that part of the widget.
enum class Change {
  kBounds,    // Left/Top/Width/Height (forms: the window rectangle)
  kVisible,   // Visible()
  kEnabled,   // Enabled()
  kCaption,   // caption or window text
  kFont,      // Font()
  kColor,     // Color()
  kContent,   // grid cells and sizes, list items, button picture
  kState,     // toggle button down state, form window state (minimised...)
  kStyle,     // form border, icons, always-on-top
  kTabOrder,  // tab stop / tab order
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  // The widget's state named by `what` changed; bring the native object in step.
  virtual void Update(Change what) = 0;
  // Repaint now, before returning.
  virtual void Repaint() = 0;
  // The native handle (a window handle on Windows, a synthetic non-zero
  // number natively). Stable for the peer's life.
  virtual uint32_t NativeHandle() const = 0;
};

class FormPeer : public ControlPeer {
 public:
  // Posts a release request for the form to the message queue that the
  // host (Windows) or Application::ProcessMessages (native) dispatches. On
  // dispatch the peer calls Form::DispatchPostedRelease() if the form still
  // exists.
  virtual void PostRelease() = 0;
  // The platform's default handling of a system command the form did not
  // handle itself (Windows: DefWindowProc; native: close/minimise/restore).
  virtual void DefaultSysCommand(unsigned command) = 0;
  // Brings the window in front of the other windows of the application.
  virtual void BringToFront() = 0;
  // The platform's own placement record of the window, or nullopt when the
  // backend keeps none (headless, or the native window is gone): the form
  // then derives the record from its own state.
  virtual std::optional<WindowPlacement> NativePlacement() const { return std::nullopt; }
  // Moves the window's normal position (work-area coordinates) through the
  // platform's placement record, leaving its visibility and state as they
  // are. False when the backend keeps no such record; the form then moves
  // itself.
  virtual bool SetNativeNormalPosition(const Rect& /*normal_position*/) { return false; }
};

}  // namespace qxqy
