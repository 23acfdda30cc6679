#include "ui/panel.h"

#include "ui/backend.h"

namespace qxqy {

Panel::Panel(Component* owner, std::string name, Control* parent)
    : Control(owner, std::move(name), parent) {}

std::unique_ptr<ControlPeer> Panel::CreatePeer() { return backend::CreatePanelPeer(*this); }

}  // namespace qxqy
