// The root of the component tree. A component has a name and an owner; the
// owner keeps a list of the components it owns and destroys the ones handed
// to it (Adopt/Create) exactly once, newest first, when it goes.
//
// Two kinds of ownership exist side by side:
//  - members: a component that is a data member of another one (a window's
//    widgets) registers with its owner but is destroyed by C++ with the
//    object that holds it;
//  - adopted: a component created on the heap and handed to its owner with
//    Adopt() or Create<T>() (top-level windows, a window's child windows);
//    the owner deletes it.
// Destroy() is the one way to end an adopted component before its owner:
// it runs the component's teardown while the whole object is still alive,
// empties every ComponentRef to it, destroys what it owns and then frees it.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qxqy {

class ComponentRefBase;
class Control;
class Form;

class Component {
 public:
  // Registers with `owner` (may be null). The owner must outlive the
  // registration: members are destroyed before their owner's base part,
  // adopted components by the owner itself.
  Component(Component* owner, std::string name);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  Component* Owner() const { return owner_; }
  // A free number for the window's own use (the band buttons carry their band).
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // Every component registered with this one as owner, in creation order.
  const std::vector<Component*>& Components() const { return components_; }

  // Takes ownership of `child`, which must already be registered with this
  // component as its owner. Returns the raw pointer for convenience.
  template <class T>
  T* Adopt(std::unique_ptr<T> child) {
    T* raw = child.get();
    AdoptComponent(std::unique_ptr<Component>(std::move(child)));
    // `raw` points at the component, which this component now owns; only the
    // moved-from unique_ptr was local (a false positive of cppcheck's).
    // cppcheck-suppress returnDanglingLifetime
    return raw;
  }

  // Constructs T(this, args...) and adopts it. If T's constructor throws,
  // nothing stays registered.
  template <class T, class... Args>
  T* Create(Args&&... args) {
    return Adopt(std::make_unique<T>(this, std::forward<Args>(args)...));
  }

  // True from the moment destruction of this component has begun.
  bool Destroying() const { return destroying_; }

  // This component as a control or a form, or null: every event dispatch
  // looks for the sender's form, and a virtual call is much cheaper than a
  // dynamic_cast (the multiplier window draws each item through one).
  virtual Control* AsControl() { return nullptr; }
  virtual Form* AsForm() { return nullptr; }

  // Ends `component` exactly once (a second call, or a call during its
  // destruction, does nothing): runs BeforeDestruction(), empties every
  // ComponentRef to it, destroys what it has adopted (newest first) and, if
  // its owner adopted it, frees it. A component that nobody adopted is torn
  // down but not freed: its holder frees it.
  static void Destroy(Component* component);

 protected:
  // Teardown that needs the whole object alive (a window saving its settings,
  // running its destroy handler, dropping its native window). Called once by
  // Destroy(); not called for components ended only by their C++ destructor.
  virtual void BeforeDestruction() {}
  // Destroys every adopted component now, newest first.
  void DestroyOwnedComponents() { DestroyAdopted(); }

 private:
  friend class ComponentRefBase;

  void AdoptComponent(std::unique_ptr<Component> child);
  void DestroyAdopted();
  void EmptyReferences();
  void Unregister(Component* child);
  std::unique_ptr<Component> ReleaseAdopted(Component* child);

  std::string name_;
  Component* owner_;
  int tag_ = 0;
  bool destroying_ = false;
  std::vector<Component*> components_;
  std::vector<std::unique_ptr<Component>> adopted_;
  std::vector<ComponentRefBase*> references_;
};

}  // namespace qxqy
