// The backend seam: functions implemented once per backend, in
// ui/posix/ (headless, native build) or ui/win32/ (the DLL).
// CMake compiles exactly one of the two sets, so the portable code carries
// no platform conditionals. Nothing above ui/ calls these directly.
#pragma once

#include <memory>
#include <string>

#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/peer.h"

namespace qxqy {

class Panel;
class Label;
class Button;
class ToggleButton;
class StringGrid;
class ListView;

namespace backend {

// Peer factories. Each creates the native object for a widget whose parent
// (if any) already has its peer, and returns the peer that renders it. The
// widget outlives the peer. Throw Error when the native object cannot be made.
std::unique_ptr<FormPeer> CreateFormPeer(Form& form);
std::unique_ptr<ControlPeer> CreatePanelPeer(Panel& panel);
std::unique_ptr<ControlPeer> CreateLabelPeer(Label& label);
std::unique_ptr<ControlPeer> CreateButtonPeer(Button& button);
std::unique_ptr<ControlPeer> CreateToggleButtonPeer(ToggleButton& button);
std::unique_ptr<ControlPeer> CreateStringGridPeer(StringGrid& grid);
std::unique_ptr<ControlPeer> CreateListViewPeer(ListView& list);

// The thickness of a window frame (border and caption bar) for `style`.
Insets FrameInsets(BorderStyle style);

// Dispatches the pending messages once (see Application::ProcessMessages).
void ProcessMessages();

// Shows `message` in the platform's error box (never called while quiet).
void ShowNativeErrorBox(const std::string& message);

}  // namespace backend
}  // namespace qxqy
