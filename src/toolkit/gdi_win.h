#pragma once
// Move-only owners for GDI handles: every object is deleted exactly once, by its owner.
// Copies are deleted, so a handle can never be freed twice.
#include <windows.h>

#include <utility>

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

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it at the end.
//   GdiBrush brush{CreateSolidBrush(RGB(0, 0, 255))};
//   FillRect(dc, &rect, brush.Get());
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  // Takes what a Create... call returned; a null handle (the call failed) is reported.
  explicit GdiObject(Handle handle) : handle_(handle) {
    if (!ReportIf(handle_ == nullptr, "a GDI object could not be made")) ++gdiOwnerCounts.held;
  }
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle away (e.g. a region to SetWindowRgn, which then owns it).
  Handle Release() {
    if (handle_ != nullptr) --gdiOwnerCounts.held;
    return std::exchange(handle_, nullptr);
  }
  void Reset(Handle handle = nullptr) {
    if (handle_ == handle) return;
    if (handle_ != nullptr) {
      --gdiOwnerCounts.held;
      if (!DeleteObject(handle_)) ++gdiOwnerCounts.failedDeletes;
    }
    handle_ = handle;
    if (handle_ != nullptr) ++gdiOwnerCounts.held;
  }

 private:
  Handle handle_ = nullptr;
};

using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;

// A memory DC compatible with `reference` (the screen when null); DeleteDC at the end.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {
    if (!ReportIf(dc_ == nullptr, "a memory DC could not be made")) ++gdiOwnerCounts.held;
  }
  ~MemoryDc() { Reset(); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      Reset();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void Reset() {
    if (dc_ == nullptr) return;
    --gdiOwnerCounts.held;
    if (!DeleteDC(std::exchange(dc_, nullptr))) ++gdiOwnerCounts.failedDeletes;
  }

 private:
  HDC dc_ = nullptr;
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
