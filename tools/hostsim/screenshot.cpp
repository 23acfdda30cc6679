#include "tools/hostsim/screenshot.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "base/error.h"
#include "tools/hostsim/gdi_handles.h"

namespace qxqy::hostsim {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void SaveScreenshot(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  ScreenDc screen(GetDC(nullptr));
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) throw Error("cannot read the screen");

  const HGDIOBJ original = SelectObject(memory.get(), bitmap.get());
  const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  SelectObject(memory.get(), original);
  if (!copied) throw Error("cannot copy the screen");

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store it
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
  std::vector<unsigned char> pixels(stride * size_t(height));
  if (!GetDIBits(memory.get(), bitmap.get(), 0, UINT(height), pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS)) {
    throw Error("cannot read the screen's pixels");
  }

  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = DWORD(file_header.bfOffBits + pixels.size());
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw Error("cannot write " + path);
  const bool written = std::fwrite(&file_header, sizeof file_header, 1, file.get()) == 1 &&
                       std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                       std::fwrite(pixels.data(), 1, pixels.size(), file.get()) == pixels.size();
  if (!written) throw Error("cannot write " + path);
}

}  // namespace qxqy::hostsim
