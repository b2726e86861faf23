#include "preview/gdi_canvas_win.h"

#include <cmath>

namespace qf {
namespace {

// Pen positions are sums of whole-pixel widths, so this rounding only matters for a canvas
// that measures in fractions; halves go to the even neighbour, as everywhere in the program.
int ToPixel(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

void GdiCanvas::SetTarget(HDC dc, const RECT& area, POINT origin, int32_t backColor) {
  painter_.Attach(dc);
  area_ = area;
  origin_ = origin;
  backColor_ = backColor;
}

void GdiCanvas::Cls() {
  const HDC dc = painter_.Dc();
  if (dc == nullptr) return;
  SetBkColor(dc, static_cast<COLORREF>(backColor_));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area_, nullptr, 0, nullptr);
}

void GdiCanvas::PrintText(double x, int y, std::u16string_view text) {
  painter_.Print(origin_.x + ToPixel(x), origin_.y + y, text, &area_);
}

// The walker lays out in the form's 96-dpi pixels (its line height and wave shifts are such
// pixels); the box's font and image are at the form's scale. Positions go out mapped, widths
// come back unmapped, so a line's letters follow each other at every scale.
void PictureBoxCanvas::PrintText(double x, int y, std::u16string_view text) {
  const Scale& scale = box_.Parent().Scaling();
  box_.PrintText(ToPixel(x * scale.Factor()), scale.Px(y), text);
}

double PictureBoxCanvas::TextWidth(std::u16string_view text) {
  return box_.TextWidth(text) / box_.Parent().Scaling().Factor();
}

}  // namespace qf
