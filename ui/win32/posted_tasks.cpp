#include "ui/win32/posted_tasks.h"

#include <deque>

#include "base/win32/win32_error.h"
#include "ui/win32/window_peer.h"

namespace qxqy::win32 {

namespace {

constexpr char kTaskWindowClass[] = "QxqyPostedTasks";

class TaskWindow : public WindowPeer {
 public:
  static TaskWindow& Instance() {
    static TaskWindow window;
    return window;
  }

  void Post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
    if (!PostMessageA(hwnd(), kPostedTaskMessage, 0, 0)) {
      tasks_.pop_back();
      ThrowLastError("Cannot post a message");
    }
  }

 private:
  TaskWindow() {
    EnsureWindowClass(kTaskWindowClass);
    CreateArgs args;
    args.class_name = kTaskWindowClass;
    args.parent = HWND_MESSAGE;
    CreateOwnWindow(args);
  }
  ~TaskWindow() override { DestroyNativeWindow(); }

  bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != kPostedTaskMessage) return false;
    result = 0;
    // One message per task: run the oldest.
    if (tasks_.empty()) return true;
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
    return true;
  }

  std::deque<std::function<void()>> tasks_;
};

}  // namespace

void PostTask(std::function<void()> task) { TaskWindow::Instance().Post(std::move(task)); }

}  // namespace qxqy::win32
