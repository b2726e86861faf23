#pragma once
// A form's face: the picture its PaintSkin draws once into a memory bitmap when the window is
// made, copied to the screen on every paint, and a pattern brush of it for controls whose
// background should look transparent.
#include <windows.h>

#include <functional>

#include "toolkit/gdi_win.h"

namespace qf {

class FormSkin {
 public:
  FormSkin() = default;
  ~FormSkin() { Release(); }
  FormSkin(const FormSkin&) = delete;
  FormSkin& operator=(const FormSkin&) = delete;

  // Draws the picture, `width` by `height` pixels, with `paint`.
  void Create(int width, int height, const std::function<void(HDC)>& paint);
  // Frees the picture, its DC and its brush.
  void Release();
  // Copies the part `area` of the picture to `dc` (grey where there is no picture).
  void PaintOn(HDC dc, const RECT& area) const;

  HDC Dc() const { return dc_.Get(); }
  HBRUSH Brush() const { return brush_.Get(); }

 private:
  GdiBitmap bitmap_;
  MemoryDc dc_;
  HGDIOBJ oldBitmap_ = nullptr;
  GdiBrush brush_;
};

}  // namespace qf
