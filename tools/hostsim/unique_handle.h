// A move-only owner of one OS handle (module, DC, ODBC handle, ...). The
// traits type says which value means "none" and how a handle is given back:
//
//   struct Traits {
//     using Handle = HDC;
//     static Handle Invalid() noexcept;
//     static void Close(Handle) noexcept;
//   };
//
// The handle is closed exactly once: when the owner is destroyed, reset or
// assigned over. Moving leaves the source empty.
#pragma once

#include <utility>

namespace qxqy::hostsim {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept : handle_(Traits::Invalid()) {}
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // Gives up ownership without closing.
  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  // Closes the present handle (if any) and owns `handle` instead.
  void reset(Handle handle = Traits::Invalid()) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Handle handle_;
};

}  // namespace qxqy::hostsim
