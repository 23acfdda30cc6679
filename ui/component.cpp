#include "ui/component.h"

#include <algorithm>

#include "ui/component_ref.h"

namespace qxqy {

Component::Component(Component* owner, std::string name) : name_(std::move(name)), owner_(owner) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
}

Component::~Component() {
  // Reached through Destroy() (everything below already done) or directly
  // for members and unowned components.
  destroying_ = true;
  EmptyReferences();
  DestroyAdopted();
  if (owner_ != nullptr) owner_->Unregister(this);
  // Whatever is still registered outlives this owner: cut the link.
  for (Component* component : components_) component->owner_ = nullptr;
}

void Component::AdoptComponent(std::unique_ptr<Component> child) {
  adopted_.push_back(std::move(child));
}

void Component::Destroy(Component* component) {
  if (component == nullptr || component->destroying_) return;
  component->destroying_ = true;
  component->EmptyReferences();
  component->BeforeDestruction();
  component->DestroyAdopted();
  // The owner frees what it adopted; anything else is freed by its holder.
  if (component->owner_ != nullptr) {
    std::unique_ptr<Component> held = component->owner_->ReleaseAdopted(component);
    held.reset();
  }
}

void Component::DestroyAdopted() {
  while (!adopted_.empty()) {
    Component* newest = adopted_.back().get();
    Destroy(newest);
    // Destroy() removed and freed it; a component already being destroyed
    // elsewhere is left to that path but must leave this list.
    if (!adopted_.empty() && adopted_.back().get() == newest) {
      static_cast<void>(adopted_.back().release());  // freed by the path destroying it
      adopted_.pop_back();
    }
  }
}

void Component::EmptyReferences() {
  std::vector<ComponentRefBase*> references;
  references.swap(references_);
  for (ComponentRefBase* reference : references) reference->target_ = nullptr;
}

void Component::Unregister(Component* child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it != components_.end()) components_.erase(it);
}

std::unique_ptr<Component> Component::ReleaseAdopted(Component* child) {
  for (auto it = adopted_.begin(); it != adopted_.end(); ++it) {
    if (it->get() == child) {
      std::unique_ptr<Component> held = std::move(*it);
      adopted_.erase(it);
      return held;
    }
  }
  return nullptr;
}

void ComponentRefBase::Attach(Component* target) {
  if (target == target_) return;
  Detach();
  if (target == nullptr || target->destroying_) return;
  target_ = target;
  target_->references_.push_back(this);
}

void ComponentRefBase::Detach() {
  if (target_ == nullptr) return;
  auto& references = target_->references_;
  auto it = std::find(references.begin(), references.end(), this);
  if (it != references.end()) references.erase(it);
  target_ = nullptr;
}

}  // namespace qxqy
