// Move-only owners of the Win32 and COM resources the backend holds. Each
// wrapper frees its resource exactly once, in its destructor or on reset(),
// and never copies it. A wrapper that is empty (null handle) frees nothing.
//
// release() hands the raw resource back without freeing it: used when the
// system already freed it (a window destroyed with its parent or owner).
#pragma once

#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oaidl.h>
#include <oleauto.h>

#include <utility>

namespace qxqy::win32 {

// A handle type and the function that frees it.
template <class Handle, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  Handle release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  void reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <class Handle, BOOL(WINAPI* FreeFunction)(Handle)>
struct NullIsInvalid {
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle handle) { return handle != nullptr; }
  static void Free(Handle handle) { FreeFunction(handle); }
};

struct GdiObjectTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static bool IsValid(HGDIOBJ handle) { return handle != nullptr; }
  static void Free(HGDIOBJ handle) { DeleteObject(handle); }
};

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
  static void Free(HANDLE handle) { CloseHandle(handle); }
};

struct RegistryKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool IsValid(HKEY key) { return key != nullptr; }
  static void Free(HKEY key) { RegCloseKey(key); }
};

// A GDI object of a given kind (HFONT, HBRUSH, HBITMAP), freed with DeleteObject.
template <class Object>
class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(Object object) : object_(object) {}
  Object get() const { return static_cast<Object>(object_.get()); }
  explicit operator bool() const { return static_cast<bool>(object_); }
  void reset(Object object = nullptr) { object_.reset(object); }

 private:
  UniqueHandle<HGDIOBJ, GdiObjectTraits> object_;
};

using UniqueWindow = UniqueHandle<HWND, NullIsInvalid<HWND, DestroyWindow>>;
using UniqueIcon = UniqueHandle<HICON, NullIsInvalid<HICON, DestroyIcon>>;
using UniqueMemoryDc = UniqueHandle<HDC, NullIsInvalid<HDC, DeleteDC>>;
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

// A device context borrowed with GetDC and given back with ReleaseDC.
class WindowDc {
 public:
  // `window` null: the screen.
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects a GDI object into a DC and puts the previous one back at scope end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A BSTR, freed with SysFreeString.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(BSTR text) : text_(text) {}
  UniqueBstr(UniqueBstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.text_, nullptr));
    return *this;
  }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  ~UniqueBstr() { reset(); }

  BSTR get() const { return text_; }
  // For out-parameters: frees the current text first.
  BSTR* out() {
    reset();
    return &text_;
  }
  void reset(BSTR text = nullptr) {
    if (text_ != nullptr) SysFreeString(text_);
    text_ = text;
  }

 private:
  BSTR text_ = nullptr;
};

// A VARIANT, cleared with VariantClear (which releases what it holds).
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&value_); }
  UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
  }
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      VariantClear(&value_);
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&value_); }

  VARIANT& get() { return value_; }
  const VARIANT& get() const { return value_; }
  VARTYPE type() const { return V_VT(&value_); }
  // For out-parameters: clears the current value first.
  VARIANT* out() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// The EXCEPINFO an automation call fills in, with its strings freed.
class UniqueExcepInfo {
 public:
  UniqueExcepInfo() = default;
  UniqueExcepInfo(const UniqueExcepInfo&) = delete;
  UniqueExcepInfo& operator=(const UniqueExcepInfo&) = delete;
  ~UniqueExcepInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  EXCEPINFO* out() { return &info_; }
  // Runs the deferred fill-in, if the object asked for one.
  const EXCEPINFO& Filled() {
    if (info_.pfnDeferredFillIn != nullptr) {
      auto fill = info_.pfnDeferredFillIn;
      info_.pfnDeferredFillIn = nullptr;
      fill(&info_);
    }
    return info_;
  }

 private:
  EXCEPINFO info_{};
};

// A counted COM reference: Release() once per reference it holds.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns (no AddRef).
  static ComPtr Adopt(Interface* object) {
    ComPtr ptr;
    ptr.object_ = object;
    return ptr;
  }
  // Takes a reference of its own (AddRef).
  static ComPtr Share(Interface* object) {
    if (object != nullptr) object->AddRef();
    return Adopt(object);
  }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset() {
    if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace qxqy::win32
