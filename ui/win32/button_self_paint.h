// What the backend's button peers share about the standard "Button" control:
// its class name, and the messages after which the control may have painted
// itself straight onto the screen (not through WM_PAINT), so that a peer
// drawing over the control's face draws again.
#pragma once

#include <windows.h>

namespace qxqy::win32 {

constexpr char kButtonClass[] = "Button";

inline bool ButtonRepaintsItself(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_TIMER:  // themed buttons fade between states on a timer
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
      return true;
    default:
      return false;
  }
}

}  // namespace qxqy::win32
