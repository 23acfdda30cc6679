#include "ui/win32/window_peer.h"

#include <exception>
#include <set>

#include "base/error.h"
#include "base/fpu_guard.h"
#include "base/win32/win32_error.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/error_box.h"

namespace qxqy::win32 {

namespace {

constexpr char kPeerProperty[] = "QxqyWindowPeer";

// The classes this module registered. A class registered by a DLL outlives
// the DLL unless it is unregistered, and a later load of the DLL would then
// find a class whose procedure points into freed code; so the classes are
// unregistered when the module's static objects go. Windows of a class must
// be gone first: the registry makes sure the application object exists
// before it (so the application is destroyed after it) and shuts the
// application down, destroying the remaining forms, before unregistering.
class ClassRegistry {
 public:
  static ClassRegistry& Instance() {
    static ClassRegistry registry;
    return registry;
  }
  ~ClassRegistry() {
    try {
      Application::Instance().Shutdown();
    } catch (...) {
      // Unloading: nowhere left to report to.
    }
    for (const std::string& name : names_) UnregisterClassA(name.c_str(), ModuleInstance());
  }

  void Ensure(const std::string& name, UINT class_style) {
    if (names_.count(name) != 0) return;
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = class_style;
    window_class.lpfnWndProc = &WindowPeer::WindowProcedure;
    window_class.hInstance = ModuleInstance();
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.lpszClassName = name.c_str();
    if (RegisterClassExA(&window_class) == 0) {
      // Left behind by an earlier load of this module: take it over.
      if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS ||
          !UnregisterClassA(name.c_str(), ModuleInstance()) ||
          RegisterClassExA(&window_class) == 0) {
        ThrowLastError("Cannot register window class " + name);
      }
    }
    names_.insert(name);
  }

 private:
  ClassRegistry() { Application::Instance(); }
  std::set<std::string> names_;
};

}  // namespace

HINSTANCE ModuleInstance() {
  static HINSTANCE module = [] {
    HMODULE handle = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&WindowPeer::WindowProcedure), &handle);
    return static_cast<HINSTANCE>(handle);
  }();
  return module;
}

void EnsureWindowClass(const std::string& class_name, UINT class_style) {
  ClassRegistry::Instance().Ensure(class_name, class_style);
}

WindowPeer::~WindowPeer() { DestroyNativeWindow(); }

WindowPeer* WindowPeer::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<WindowPeer*>(GetPropA(window, kPeerProperty));
}

LRESULT CALLBACK WindowPeer::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  FpuGuard fpu;
  try {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(l);
      auto* peer = static_cast<WindowPeer*>(create->lpCreateParams);
      if (peer != nullptr && FromHandle(window) == nullptr) peer->Attach(window);
    }
    WindowPeer* peer = FromHandle(window);
    if (peer == nullptr) return DefWindowProcA(window, message, w, l);
    // Nothing may touch `peer` after this call: the message may have ended it.
    return peer->Dispatch(message, w, l);
  } catch (const std::exception& error) {
    ShowErrorBox(ErrorBoxText(error));
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
  return 0;
}

void WindowPeer::CreateOwnWindow(const CreateArgs& args) {
  const HWND window =
      CreateWindowExA(args.ex_style, args.class_name.c_str(), args.text.c_str(), args.style,
                      args.bounds.left, args.bounds.top, args.bounds.Width(), args.bounds.Height(),
                      args.parent, reinterpret_cast<HMENU>(args.id), ModuleInstance(), this);
  if (window == nullptr) ThrowLastError("Cannot create window of class " + args.class_name);
  if (hwnd() != window) Attach(window);  // WM_NCCREATE attaches; be sure all the same
}

void WindowPeer::CreateStandardControl(const CreateArgs& args) {
  UniqueWindow window(CreateWindowExA(args.ex_style, args.class_name.c_str(), args.text.c_str(),
                                      args.style, args.bounds.left, args.bounds.top,
                                      args.bounds.Width(), args.bounds.Height(), args.parent,
                                      reinterpret_cast<HMENU>(args.id), ModuleInstance(), nullptr));
  if (!window) ThrowLastError("Cannot create control of class " + args.class_name);
  const HWND raw = window.release();
  Attach(raw);
  control_procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      raw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowPeer::WindowProcedure)));
}

void WindowPeer::DestroyNativeWindow() {
  destroying_ = true;
  window_.reset();  // WM_NCDESTROY detaches on the way
}

void WindowPeer::Attach(HWND window) {
  if (!SetPropA(window, kPeerProperty, this)) ThrowLastError("Cannot attach to window");
  window_.release();
  window_.reset(window);
}

void WindowPeer::Detach() {
  const HWND window = window_.release();
  if (window == nullptr) return;
  RemovePropA(window, kPeerProperty);
  if (control_procedure_ != nullptr) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_procedure_));
  }
}

LRESULT WindowPeer::CallDefault(UINT message, WPARAM w, LPARAM l) {
  if (control_procedure_ != nullptr) {
    return CallWindowProcA(control_procedure_, hwnd(), message, w, l);
  }
  return DefWindowProcA(hwnd(), message, w, l);
}

LRESULT WindowPeer::Dispatch(UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCDESTROY) {
    const LRESULT result = CallDefault(message, w, l);
    const bool asked = destroying_;
    Detach();
    if (!asked) OnNativeDestroyed();
    return result;
  }
  LRESULT result = 0;
  if (destroying_) return CallDefault(message, w, l);
  if (Reflect(message, w, l, result)) return result;
  if (HandleMessage(message, w, l, result)) return result;
  return CallDefault(message, w, l);
}

bool WindowPeer::Reflect(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
  HWND from = nullptr;
  switch (message) {
    case WM_COMMAND:
      from = reinterpret_cast<HWND>(l);
      break;
    case WM_NOTIFY:
      from = reinterpret_cast<const NMHDR*>(l)->hwndFrom;
      break;
    case WM_CTLCOLORSTATIC:
      from = reinterpret_cast<HWND>(l);
      break;
    default:
      return false;
  }
  WindowPeer* child = FromHandle(from);
  if (child == nullptr || child == this || child->destroying_) return false;
  switch (message) {
    case WM_COMMAND:
      if (!child->OnReflectedCommand(HIWORD(w))) return false;
      result = 0;
      return true;
    case WM_NOTIFY:
      return child->OnReflectedNotify(*reinterpret_cast<NMHDR*>(l), result);
    default:
      break;
  }
  const HBRUSH brush = child->OnReflectedColor(reinterpret_cast<HDC>(w));
  if (brush == nullptr) return false;
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

bool WindowPeer::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool WindowPeer::OnReflectedCommand(WORD) { return false; }
bool WindowPeer::OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH WindowPeer::OnReflectedColor(HDC) { return nullptr; }
void WindowPeer::OnNativeDestroyed() {}

HWND ParentWindowOf(const Control& control) {
  const Control* parent = control.Parent();
  const auto* peer = parent != nullptr ? dynamic_cast<const WindowPeer*>(parent->Peer()) : nullptr;
  if (peer == nullptr || peer->hwnd() == nullptr) {
    throw Error("Control " + control.Name() + " has no parent window");
  }
  return peer->hwnd();
}

bool MoveFocusOnTab(HWND from, WPARAM key) {
  if (key != VK_TAB) return false;
  const HWND root = GetAncestor(from, GA_ROOT);
  const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const HWND next = GetNextDlgTabItem(root, from, backwards ? TRUE : FALSE);
  if (next == nullptr || next == from) return false;
  SetFocus(next);
  return true;
}

}  // namespace qxqy::win32
