#include "ui/win32/native_graphics.h"

#include <cstring>

#include "base/win32/win32_error.h"

namespace qxqy::win32 {

COLORREF ToColorRef(Color color) {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return RGB(RedOf(color), GreenOf(color), BlueOf(color));
}

UniqueFont CreateNativeFont(const Font& font) {
  LOGFONTA description{};
  description.lfHeight = -font.height;  // negative: the character height, not the cell's
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfCharSet = font.charset;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::strncpy(description.lfFaceName, font.name.c_str(), LF_FACESIZE - 1);
  UniqueFont handle(CreateFontIndirectA(&description));
  if (!handle) ThrowLastError("Cannot create font " + font.name);
  return handle;
}

void ColorBrush::Set(Color color) {
  if (color == color_ && (IsSystemColor(color) || own_)) return;
  color_ = color;
  own_.reset(IsSystemColor(color) ? nullptr : CreateSolidBrush(ToColorRef(color)));
}

HBRUSH ColorBrush::get() const {
  if (IsSystemColor(color_)) return GetSysColorBrush(SystemColorIndex(color_));
  return own_.get();
}

namespace {
// Colour is not part of a GDI font: fonts that differ only in colour share one.
bool SameGdiFont(const Font& a, const Font& b) {
  return a.name == b.name && a.height == b.height && a.bold == b.bold && a.charset == b.charset;
}
}  // namespace

HFONT FontCache::Get(const Font& font) {
  for (const auto& [known, handle] : fonts_) {
    if (SameGdiFont(known, font)) return handle.get();
  }
  fonts_.emplace_back(font, CreateNativeFont(font));
  return fonts_.back().second.get();
}

}  // namespace qxqy::win32
