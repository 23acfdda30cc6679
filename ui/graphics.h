// Plain drawing values shared by the widgets and the backends: rectangles,
// colours and fonts. Value types only; nothing here talks to a platform.
#pragma once

#include <cstdint>
#include <string>

namespace qxqy {

// A rectangle with exclusive right and bottom edges, as the platform's own
// window and cell rectangles are.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
  bool operator!=(const Rect& other) const { return !(*this == other); }
};

inline Rect RectFromBounds(int left, int top, int width, int height) {
  return Rect{left, top, left + width, top + height};
}

// The thickness of each edge of a window frame (or any border).
struct Insets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A colour: either an RGB value laid out as 0x00BBGGRR (the platform's own
// layout) or, with the high bit set, one of the system colours below, which
// the backend resolves when it renders.
using Color = uint32_t;

constexpr Color Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}
constexpr uint8_t RedOf(Color c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(Color c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(Color c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

constexpr Color kSystemColorFlag = 0x80000000u;
constexpr bool IsSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }
// The platform's system colour index for a system colour.
constexpr int SystemColorIndex(Color c) { return static_cast<int>(c & 0xFF); }

constexpr Color kColorWindow = kSystemColorFlag | 5;
constexpr Color kColorWindowText = kSystemColorFlag | 8;
constexpr Color kColorButtonFace = kSystemColorFlag | 15;

constexpr Color kColorBlue = Rgb(0, 0, 255);

// Character sets of a font, as the platform numbers them.
constexpr uint8_t kDefaultCharset = 1;
constexpr uint8_t kCyrillicCharset = 204;

// A font description; `height` is the character height in pixels.
struct Font {
  std::string name = "MS Sans Serif";
  int height = 11;
  bool bold = false;
  Color color = kColorWindowText;
  uint8_t charset = kDefaultCharset;

  bool operator==(const Font& other) const {
    return name == other.name && height == other.height && bold == other.bold &&
           color == other.color && charset == other.charset;
  }
  bool operator!=(const Font& other) const { return !(*this == other); }
};

}  // namespace qxqy
