// The native side of every window the backend makes: windows of its own
// classes (forms, panels, the grid) and subclassed standard controls
// (buttons, statics, the list view). All of them run through one static
// window procedure, which
//  - masks x87 exceptions for the message (FpuGuard),
//  - never lets a C++ exception escape (the error box shows it instead),
//  - reflects WM_COMMAND, WM_NOTIFY and WM_CTLCOLORSTATIC from a parent
//    back to the child control that owns the logic,
//  - tells the peer when its window was destroyed without it asking.
//
// Ownership: a WindowPeer owns its window (UniqueWindow) and destroys it
// exactly once; a window destroyed by the system (with its parent or owner)
// is only let go. Derived peers call DestroyNativeWindow() first thing in
// their destructor, so no message reaches a half-destroyed peer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win32/handles.h"
#include "ui/graphics.h"

namespace qxqy {
class Control;
}

namespace qxqy::win32 {

// The module (DLL or test program) this code lives in: the instance our
// window classes are registered with.
HINSTANCE ModuleInstance();

// Registers a window class of ours, once per module, whose procedure is the
// shared one. Throws Error when the system refuses.
void EnsureWindowClass(const std::string& class_name, UINT class_style = 0);

// Private messages of our own window classes.
constexpr UINT kPostedReleaseMessage = WM_USER + 0x51;
constexpr UINT kPostedTaskMessage = WM_USER + 0x52;

class WindowPeer {
 public:
  virtual ~WindowPeer();
  WindowPeer(const WindowPeer&) = delete;
  WindowPeer& operator=(const WindowPeer&) = delete;

  // The window, or null once it is gone.
  HWND hwnd() const { return window_.get(); }
  // The peer of one of our windows, or null for any other window.
  static WindowPeer* FromHandle(HWND window);

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);

 protected:
  WindowPeer() = default;

  struct CreateArgs {
    std::string class_name;
    std::string text;
    DWORD style = 0;
    DWORD ex_style = 0;
    Rect bounds;
    HWND parent = nullptr;  // parent (child windows) or owner (top-level windows)
    UINT_PTR id = 0;        // child windows only
  };
  // Creates a window of one of our classes (registered by the caller).
  // Throws Error when it cannot be made.
  void CreateOwnWindow(const CreateArgs& args);
  // Creates a standard control ("Button", "Static", ...) and subclasses it.
  void CreateStandardControl(const CreateArgs& args);
  // Destroys the window now, if it still exists. Safe to call repeatedly.
  void DestroyNativeWindow();

  // This window's own messages. Return true when handled, with `result` set.
  // A handler may destroy this peer only if it returns at once afterwards.
  virtual bool HandleMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result);
  // Notifications the parent received from this control.
  virtual bool OnReflectedCommand(WORD code);
  virtual bool OnReflectedNotify(NMHDR& header, LRESULT& result);
  // WM_CTLCOLORSTATIC: sets the DC's colours and returns the background
  // brush, or null for the default colours.
  virtual HBRUSH OnReflectedColor(HDC dc);
  // The window went without this peer asking. May destroy the peer.
  virtual void OnNativeDestroyed();

  // The class's own handling (DefWindowProc, or the control's procedure).
  LRESULT CallDefault(UINT message, WPARAM w, LPARAM l);

 private:
  LRESULT Dispatch(UINT message, WPARAM w, LPARAM l);
  bool Reflect(UINT message, WPARAM w, LPARAM l, LRESULT& result);
  void Attach(HWND window);
  void Detach();

  UniqueWindow window_;
  WNDPROC control_procedure_ = nullptr;  // set for subclassed standard controls
  bool destroying_ = false;
};

// The window of a control's parent. Throws Error when the parent has no
// native window.
HWND ParentWindowOf(const Control& control);

// Moves the keyboard focus to the next (or, with Shift, previous) tab stop
// of the top-level window when `key` is VK_TAB. Returns true when it did.
bool MoveFocusOnTab(HWND from, WPARAM key);

inline uint32_t HandleValue(HWND window) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
inline HWND WindowFromValue(uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}

}  // namespace qxqy::win32
