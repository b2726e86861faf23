#pragma once
// Owners for GDI handles (OwnedHandle, counted): every object is deleted exactly once, by its
// owner, and the owners' count is kept for the tests. Also the scoped DC and selection guards.
#include <windows.h>

#include <utility>

#include "core/owned_handle_win.h"
#include "core/report_win.h"

namespace qf {

// What the owners below hold now, and how many deletes the system refused (an object still
// selected into a DC is not freed: a leak). Tests read them to see that counts stay flat,
// also under Wine, whose GetGuiResources always answers 0.
struct GdiOwnerCounts {
  long held = 0;
  long failedDeletes = 0;
};
inline GdiOwnerCounts gdiOwnerCounts;

// The GDI owners are counted in gdiOwnerCounts.
struct CountedGdiHandle {
  static void Held() { ++gdiOwnerCounts.held; }
  static void Freed(bool freed) {
    --gdiOwnerCounts.held;
    if (!freed) ++gdiOwnerCounts.failedDeletes;
  }
};
template <class H>
struct GdiObjectTraits : CountedGdiHandle {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static bool Free(Handle handle) { return DeleteObject(handle) != 0; }
};
struct MemoryDcTraits : CountedGdiHandle {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static bool Free(Handle handle) { return DeleteDC(handle) != 0; }
};

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it at the end.
//   GdiBrush brush{CreateSolidBrush(RGB(0, 0, 255))};
//   FillRect(dc, &rect, brush.Get());
template <class Handle>
class GdiObject : public OwnedHandle<GdiObjectTraits<Handle>> {
 public:
  GdiObject() = default;
  // Takes what a Create... call returned; a null handle (the call failed) is reported.
  explicit GdiObject(Handle handle) : OwnedHandle<GdiObjectTraits<Handle>>(handle) {
    ReportIf(handle == nullptr, "a GDI object could not be made");
  }
};

using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;

// A memory DC compatible with `reference` (the screen when null); DeleteDC at the end.
class MemoryDc : public OwnedHandle<MemoryDcTraits> {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC reference) : OwnedHandle(CreateCompatibleDC(reference)) {
    ReportIf(!*this, "a memory DC could not be made");
  }
};

// GetDC/ReleaseDC of a window (the screen when null).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back at the end of the scope, so the
// object can be deleted afterwards (an object still selected into a DC is not freed).
//   SelectGuard pen(dc, myPen.Get());
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace qf
