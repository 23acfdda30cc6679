// A top-level window. The window class (TfmMainForm, TfmDomList) derives
// from Form, creates its widgets as members in its constructor and binds
// its handlers to the events below.
//
// Lifecycle:
//  - Show(): when the form turns visible, the form's listeners (its
//    FormStorage) restore first, then OnShow runs; the native window comes
//    onto the screen afterwards. Showing a visible form only brings it to
//    the front.
//  - Close(): OnCloseQuery may refuse; when it agrees the listeners save,
//    then OnClose runs (a window that goes releases itself there), and the
//    form hides.
//  - Release(): posts a release request; the form is destroyed, with all it
//    owns, when messages are next dispatched (by the host's loop on Windows,
//    by Application::ProcessMessages natively). While the form, or a form it
//    owns, is busy (a BusyScope is alive, as during every event handler the
//    framework runs), the destruction waits until the last scope ends and is
//    then posted again.
//  - Destruction (Component::Destroy): the listeners' last save, the
//    adopted components (owned child windows), the native window.
//
// Every handler runs behind the framework's error barrier (dispatch.h): an
// exception ends that handler, its message goes to the error box, and the
// form goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/component_ref.h"
#include "ui/control.h"
#include "ui/dpi_scale.h"
#include "ui/window_placement.h"

namespace qxqy {

enum class WindowState { kNormal, kMinimized, kMaximized };
enum class BorderStyle { kSingle, kSizeable };

// System command values (the four low bits are the platform's own).
constexpr unsigned kSysCommandMask = 0xFFF0;
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScMaximize = 0xF030;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScRestore = 0xF120;

// Told of the moments a form's settings are restored and saved. Registered
// by FormStorage; a listener unregisters itself before it goes.
class FormListener {
 public:
  virtual void FormShowing() = 0;        // turning visible, before OnShow
  virtual void FormCloseAccepted() = 0;  // close agreed, before OnClose
  virtual void FormDestroying() = 0;     // destruction has begun

 protected:
  ~FormListener() = default;
};

class Form : public Control {
 public:
  // `owner` is the Application or another form. `class_name` names the
  // window class ("TfmMainForm") and the form's settings section.
  Form(Component* owner, std::string name, std::string class_name);
  ~Form() override;

  const std::string& ClassName() const { return class_name_; }

  // The screen's pixels per inch when the form was created, which its
  // window class lays itself out for (Scale() turns designed pixels into
  // this screen's); the form's settings record it as "PixelsPerInch".
  int PixelsPerInch() const { return scale_.PixelsPerInch(); }
  const DpiScale& Scale() const { return scale_; }

  Form* AsForm() override { return this; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Layout data the backend renders.
  BorderStyle GetBorderStyle() const { return border_style_; }
  void SetBorderStyle(BorderStyle style);
  bool StayOnTop() const { return stay_on_top_; }
  void SetStayOnTop(bool on_top);
  bool HasSystemMenu() const { return system_menu_; }
  bool HasMinimizeBox() const { return minimize_box_; }
  bool HasMaximizeBox() const { return maximize_box_; }
  void SetBorderIcons(bool system_menu, bool minimize_box, bool maximize_box);

  // The client area; setting it resizes the window by the frame the
  // backend reports for the border style, and lays the docked children out
  // again.
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  void SetClientSize(int width, int height);

  // Docks children of this form, any of which may be null: `top` along the
  // top edge and `bottom` along the bottom edge, each as wide as the client
  // area at its own height, and `fill` over what lies between them (never
  // less than zero high). They are placed now and whenever the client size
  // changes; one that goes is left out from then on.
  void Dock(Control* top, Control* fill, Control* bottom);

  WindowState GetWindowState() const { return window_state_; }
  bool Minimized() const { return window_state_ == WindowState::kMinimized; }
  // Minimises the window (visible stays as it is).
  void Minimize();
  void SetWindowState(WindowState state);

  // The window's placement record: the platform's own where it keeps one,
  // else derived from the form's rectangle and state and the screen's work
  // area (flags 0, no minimised or maximised position).
  WindowPlacement Placement() const;
  // Moves the window's normal position, given in work-area coordinates;
  // visibility and window state stay as they are.
  void SetNormalPosition(const Rect& normal_position);

  void Show();
  void Hide();
  // Runs the close sequence described above (behind the error barrier).
  void Close();
  // Posts the form's destruction (see above). Safe to call repeatedly.
  void Release();

  // A system command from the window frame. OnSysCommand may handle it
  // (return true); otherwise the backend's default handling runs.
  void SysCommand(unsigned command);

  // The native window handle; creates the native window (and those of all
  // widgets on it) on first use. Throws Error when the backend cannot.
  uint32_t Handle();
  void HandleNeeded() { Handle(); }
  // The window that owns this one natively: the application handle (zero,
  // none, unless the host's process set it), also for a form owned by
  // another form. The owner form still frees it (object ownership), but it
  // is not natively owned by that form's window, since Windows hides an
  // owned window whenever its owner is minimised.
  uint32_t OwnerWindowHandle() const;

  // Events, bound by the window class.
  std::function<void(Form& sender)> OnShow;
  std::function<void(Form& sender, bool& can_close)> OnCloseQuery;
  std::function<void(Form& sender)> OnClose;
  // Returns true when the command was handled and must go no further.
  std::function<bool(Form& sender, unsigned command)> OnSysCommand;

  void AddListener(FormListener* listener);
  void RemoveListener(FormListener* listener);

  // Keeps the form (and every form that owns it) from being destroyed by a
  // dispatched release while alive; scopes nest.
  class BusyScope {
   public:
    explicit BusyScope(Form& form);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    ComponentRef<Form> form_;
    bool counted_ = false;
  };
  // Called by the peer when a posted release is dispatched.
  void DispatchPostedRelease();

  // State changes reported by the native window.
  void NoteNativeClientSize(int width, int height);
  void NoteNativeWindowState(WindowState state);
  void NoteNativeVisible(bool visible);
  // The native window was destroyed without the form asking (its native
  // owner went, or another program destroyed it): the form goes too, at
  // once, or when the busy scopes of its tree end.
  void NoteNativeDestroyed();

 protected:
  void BeforeDestruction() override;
  std::unique_ptr<ControlPeer> CreatePeer() override;
  void BoundsChanged(const Rect& old_bounds) override;

 private:
  FormPeer* GetFormPeer() const;
  // True while this form or any form it owns (directly or further down) is busy.
  bool BusyTree() const;
  void LayOutDocked();

  std::string class_name_;
  DpiScale scale_;
  std::string caption_;
  BorderStyle border_style_ = BorderStyle::kSizeable;
  bool stay_on_top_ = false;
  bool system_menu_ = true;
  bool minimize_box_ = true;
  bool maximize_box_ = true;
  int client_width_ = 0;
  int client_height_ = 0;
  WindowState window_state_ = WindowState::kNormal;
  int busy_ = 0;
  bool showing_ = false;
  std::vector<FormListener*> listeners_;
  ComponentRef<Control> docked_top_;
  ComponentRef<Control> docked_fill_;
  ComponentRef<Control> docked_bottom_;
};

}  // namespace qxqy
