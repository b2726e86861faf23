#include "gdi_canvas_win.h"

#include <cmath>

namespace qf {

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
  painter_.Print(origin_.x + static_cast<int>(std::nearbyint(x)), origin_.y + y, text, &area_);
}

}  // namespace qf
