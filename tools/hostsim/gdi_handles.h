// Owners of the GDI objects the probes and the screenshot make: the screen's
// device context, memory device contexts and bitmaps.
#pragma once

#include <windows.h>

#include "tools/hostsim/unique_handle.h"

namespace qxqy::hostsim {

struct ScreenDcTraits {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle dc) noexcept { ReleaseDC(nullptr, dc); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle dc) noexcept { DeleteDC(dc); }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle bitmap) noexcept { DeleteObject(bitmap); }
};

using ScreenDc = UniqueHandle<ScreenDcTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using Bitmap = UniqueHandle<BitmapTraits>;

}  // namespace qxqy::hostsim
