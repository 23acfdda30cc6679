// Headless peers: the native build has no windows, so a peer only hands out
// a handle, runs the widget's painting code when a repaint is asked for
// (so custom-draw and cell handlers run as they would on screen), and plays
// the platform's part for forms (posted release, default system commands).
#include <functional>

#include "ui/backend.h"
#include "ui/component_ref.h"
#include "ui/list_view.h"
#include "ui/posix/message_queue.h"
#include "ui/recording_canvas.h"
#include "ui/string_grid.h"

namespace qxqy {

namespace {

uint32_t NextHandle() {
  static uint32_t next = 0x1000;
  return next += 4;
}

class HeadlessPeer : public ControlPeer {
 public:
  explicit HeadlessPeer(std::function<void()> paint = nullptr) : paint_(std::move(paint)) {}

  void Update(Change) override {}
  void Repaint() override {
    if (paint_) paint_();
  }
  uint32_t NativeHandle() const override { return handle_; }

 private:
  std::function<void()> paint_;
  uint32_t handle_ = NextHandle();
};

class HeadlessFormPeer : public FormPeer {
 public:
  explicit HeadlessFormPeer(Form& form) : form_(form) {}

  void Update(Change) override {}
  void Repaint() override {}
  uint32_t NativeHandle() const override { return handle_; }

  void PostRelease() override {
    posix::PostTask([form = ComponentRef<Form>(&form_)] {
      if (form) form->DispatchPostedRelease();
    });
  }

  void DefaultSysCommand(unsigned command) override {
    switch (command & kSysCommandMask) {
      case kScClose:
        form_.Close();
        break;
      case kScMinimize:
        form_.SetWindowState(WindowState::kMinimized);
        break;
      case kScMaximize:
        form_.SetWindowState(WindowState::kMaximized);
        break;
      case kScRestore:
        form_.SetWindowState(WindowState::kNormal);
        break;
      default:
        break;
    }
  }

  void BringToFront() override {}

 private:
  Form& form_;
  uint32_t handle_ = NextHandle();
};

}  // namespace

std::unique_ptr<FormPeer> backend::CreateFormPeer(Form& form) {
  return std::make_unique<HeadlessFormPeer>(form);
}

std::unique_ptr<ControlPeer> backend::CreatePanelPeer(Panel&) {
  return std::make_unique<HeadlessPeer>();
}

std::unique_ptr<ControlPeer> backend::CreateLabelPeer(Label&) {
  return std::make_unique<HeadlessPeer>();
}

std::unique_ptr<ControlPeer> backend::CreateButtonPeer(Button&) {
  return std::make_unique<HeadlessPeer>();
}

std::unique_ptr<ControlPeer> backend::CreateToggleButtonPeer(ToggleButton&) {
  return std::make_unique<HeadlessPeer>();
}

std::unique_ptr<ControlPeer> backend::CreateStringGridPeer(StringGrid& grid) {
  return std::make_unique<HeadlessPeer>([&grid] {
    RecordingCanvas canvas;
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int col = 0; col < grid.ColCount(); ++col) grid.PaintCell(canvas, col, row);
    }
  });
}

std::unique_ptr<ControlPeer> backend::CreateListViewPeer(ListView& list) {
  return std::make_unique<HeadlessPeer>([&list] {
    for (int index = 0; index < list.Count(); ++index) list.DrawItemFont(index);
  });
}

}  // namespace qxqy
