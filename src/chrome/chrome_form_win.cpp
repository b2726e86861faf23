#include "chrome/chrome_form_win.h"

#include <utility>

#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "chrome/skin_art_win.h"
#include "toolkit/win32_win.h"

namespace qf {

ChromeForm::ChromeForm(FormOptions options, std::span<const RoundedRect> outline)
    : Form(std::move(options)), outline_(outline) {}

void ChromeForm::Shape() {
  // A region that cannot be made is reported; the window then stays a usable rectangle.
  (void)ShapeWindow(Handle(), Scaling().Map(outline_));
}

void ChromeForm::Form_Load() {
  Shape();
  StayOnTop(Handle());
}

void ChromeForm::Form_Rescaled() { Shape(); }

void ChromeForm::Form_Click() { FormDrag(*this); }
void ChromeForm::Form_DblClick() { FormDrag(*this); }
void ChromeForm::Form_MouseDown(int, int, float, float) { FormDrag(*this); }

void ChromeForm::PaintFocusRing(HDC dc, const Rect& outer, const Rect& inner) {
  const RECT band = ToRECT(outer);
  const RECT hole = ToRECT(inner);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
  SetBkColor(dc, art::kCyan);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
  RestoreDC(dc, saved);
}

}  // namespace qf
