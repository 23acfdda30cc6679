// Lets tests see the native error box without a modal box blocking them:
// while a hook is in place, the error box calls it instead of MessageBoxA,
// with the same arguments. Hooks nest; not thread-safe.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qxqy::win32 {

using MessageBoxFunction =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;

class ScopedMessageBoxHook {
 public:
  explicit ScopedMessageBoxHook(MessageBoxFunction hook);
  ~ScopedMessageBoxHook();
  ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
  ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;

 private:
  MessageBoxFunction previous_;
};

}  // namespace qxqy::win32
