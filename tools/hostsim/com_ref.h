// A move-only owner of one COM reference: Release()d exactly once, when the
// owner goes or is reset. Adopt takes over a reference the caller already
// holds; Share adds one.
#pragma once

#include <utility>

namespace qxqy::hostsim {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  static ComRef Adopt(T* object) {
    ComRef ref;
    ref.object_ = object;
    return ref;
  }
  static ComRef Share(T* object) {
    if (object) object->AddRef();
    return Adopt(object);
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Hands the reference to the caller (for an out parameter or a VARIANT).
  T* Detach() { return std::exchange(object_, nullptr); }

  void reset() {
    if (T* object = std::exchange(object_, nullptr)) object->Release();
  }

 private:
  T* object_ = nullptr;
};

}  // namespace qxqy::hostsim
