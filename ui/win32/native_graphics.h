// Portable colours and fonts (ui/graphics.h) as GDI objects.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "base/win32/handles.h"
#include "ui/graphics.h"

namespace qxqy::win32 {

// The RGB value of `color`, resolving system colours with GetSysColor.
COLORREF ToColorRef(Color color);

// A font for `font` (height in pixels of the characters, weight, charset).
// Throws Error when GDI cannot make it.
UniqueFont CreateNativeFont(const Font& font);

// A brush for one colour: the system's shared brush for a system colour
// (never freed), or a solid brush of its own.
class ColorBrush {
 public:
  explicit ColorBrush(Color color = kColorButtonFace) { Set(color); }
  void Set(Color color);
  Color color() const { return color_; }
  HBRUSH get() const;

 private:
  Color color_ = kColorButtonFace;
  UniqueBrush own_;
};

// The fonts a painter needs, made on first use and kept until the cache
// goes. Handles it returns stay valid for the cache's lifetime.
class FontCache {
 public:
  HFONT Get(const Font& font);

 private:
  std::vector<std::pair<Font, UniqueFont>> fonts_;
};

}  // namespace qxqy::win32
