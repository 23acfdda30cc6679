#include "tools/hostsim/grid_cell_probe.h"

#include "tools/hostsim/gdi_handles.h"

namespace qxqy::hostsim {

namespace {

// The spans between the lines along one axis: `is_line(i)` for i in [0, extent).
template <typename IsLine>
std::vector<PixelSpan> SpansBetweenLines(int extent, IsLine is_line) {
  std::vector<PixelSpan> spans;
  int start = 0;
  int i = 0;
  while (i < extent) {
    if (!is_line(i)) {
      ++i;
      continue;
    }
    if (i > start) spans.push_back(PixelSpan{start, i});
    while (i < extent && is_line(i)) ++i;
    start = i;
  }
  return spans;
}

}  // namespace

GridCells FindGridCells(const Picture& picture, COLORREF line_colour) {
  GridCells cells;
  cells.width = picture.width;
  cells.height = picture.height;
  // The table's extent: up to the last pixel in the line colour.
  int right = 0;
  int bottom = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) != line_colour) continue;
      if (x + 1 > right) right = x + 1;
      if (y + 1 > bottom) bottom = y + 1;
    }
  }
  cells.columns = SpansBetweenLines(right, [&](int x) {
    for (int y = 0; y < bottom; ++y) {
      if (picture.At(x, y) != line_colour) return false;
    }
    return true;
  });
  cells.rows = SpansBetweenLines(bottom, [&](int y) {
    for (int x = 0; x < right; ++x) {
      if (picture.At(x, y) != line_colour) return false;
    }
    return true;
  });
  return cells;
}

std::optional<Picture> PaintClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Picture picture;
  picture.width = client.right;
  picture.height = client.bottom;
  if (picture.width <= 0 || picture.height <= 0) return picture;
  ScreenDc screen(GetDC(nullptr));
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), picture.width, picture.height));
  if (!screen || !memory || !bitmap) return std::nullopt;
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
  SelectObject(memory.get(), previous);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> raw(static_cast<size_t>(picture.width) * picture.height);
  if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(picture.height), raw.data(), &info,
                DIB_RGB_COLORS) != picture.height) {
    return std::nullopt;
  }
  picture.pixels.reserve(raw.size());
  for (const RGBQUAD& pixel : raw) {
    picture.pixels.push_back(RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue));
  }
  return picture;
}

}  // namespace qxqy::hostsim
