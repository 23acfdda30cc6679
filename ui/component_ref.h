// A weak reference to a component that is emptied whenever the component
// goes, whichever way it goes (Destroy, its owner's destruction, the
// application's shutdown, or its C++ destructor). Use it for every reference
// that must not outlive its target: the module's window references, a
// posted release.
//
// Not thread-safe (nothing in the plug-in is threaded).
#pragma once

#include "ui/component.h"

namespace qxqy {

class ComponentRefBase {
 public:
  ComponentRefBase() = default;
  explicit ComponentRefBase(Component* target) { Attach(target); }
  ComponentRefBase(const ComponentRefBase& other) { Attach(other.target_); }
  ComponentRefBase& operator=(const ComponentRefBase& other) {
    if (this != &other) Attach(other.target_);
    return *this;
  }
  ~ComponentRefBase() { Detach(); }

  bool empty() const { return target_ == nullptr; }
  void reset() { Detach(); }

 protected:
  Component* target() const { return target_; }
  // Re-targets the reference; null empties it.
  void Attach(Component* target);

 private:
  friend class Component;
  void Detach();
  Component* target_ = nullptr;
};

template <class T>
class ComponentRef : public ComponentRefBase {
 public:
  ComponentRef() = default;
  explicit ComponentRef(T* target) : ComponentRefBase(target) {}
  ComponentRef& operator=(T* target) {
    Attach(target);
    return *this;
  }

  T* get() const { return static_cast<T*>(target()); }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }
  explicit operator bool() const { return !empty(); }
};

}  // namespace qxqy
