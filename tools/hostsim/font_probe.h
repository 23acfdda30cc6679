// The fonts the plug-in's controls were given, read from outside: each
// child window's WM_GETFONT, described by its LOGFONT.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qxqy::hostsim {

struct ControlFont {
  std::string class_name;  // with a button's caption: Button "Recalc"
  std::string name;        // the face name asked for
  int height = 0;          // the character height asked for, in pixels
  bool bold = false;
};

// The child windows of `window` that answer WM_GETFONT with a font, in the
// order EnumChildWindows gives them.
std::vector<ControlFont> ReadControlFonts(HWND window);

}  // namespace qxqy::hostsim
