#include "toolkit/form_skin_win.h"

#include <algorithm>

#include "core/report_win.h"

namespace qf {

void FormSkin::Create(int width, int height, const std::function<void(HDC)>& paint) {
  Release();
  WindowDc screen(nullptr);
  bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), std::max(width, 1), std::max(height, 1)));
  dc_ = MemoryDc(screen.Get());
  if (ReportIf(!bitmap_ || !dc_, "a form's skin picture could not be made")) return;
  oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
  paint(dc_.Get());
  GdiFlush();
  // The pattern brush copies the picture; the bitmap must not be selected while it does.
  SelectObject(dc_.Get(), oldBitmap_);
  brush_.Reset(CreatePatternBrush(bitmap_.Get()));
  ReportIf(!brush_, "a form's skin brush could not be made");
  SelectObject(dc_.Get(), bitmap_.Get());
}

void FormSkin::Release() {
  // The bitmap goes back out of the DC first: a bitmap still selected is never freed.
  if (dc_ && oldBitmap_ != nullptr) SelectObject(dc_.Get(), oldBitmap_);
  oldBitmap_ = nullptr;
  brush_.Reset();
  dc_.Reset();
  bitmap_.Reset();
}

void FormSkin::PaintOn(HDC dc, const RECT& area) const {
  if (dc_) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.Get(),
           area.left, area.top, SRCCOPY);
  } else {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }
}

}  // namespace qf
