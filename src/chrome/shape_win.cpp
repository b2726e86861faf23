#include "chrome/shape_win.h"

#include "core/report_win.h"

namespace qf {

bool ShapeWindow(HWND window, std::span<const RoundedRect> pieces) {
  if (pieces.empty()) return false;
  auto makePiece = [](const RoundedRect& r) {
    return CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipseWidth, r.ellipseHeight);
  };
  HRGN shape = makePiece(pieces.front());
  // Without a region the window stays a plain rectangle: usable, only not rounded.
  if (ReportIf(shape == nullptr, "a window region could not be made")) return false;
  for (const RoundedRect& r : pieces.subspan(1)) {
    HRGN piece = makePiece(r);
    if (ReportIf(piece == nullptr, "a piece of a window region could not be made")) continue;
    ReportIf(CombineRgn(shape, shape, piece, RGN_OR) == ERROR, "window region pieces did not combine");
    DeleteObject(piece);  // merged into the shape; not used again
  }
  // On success the window system owns the region and deletes it with the window.
  if (ReportIf(SetWindowRgn(window, shape, TRUE) == 0, "a window region could not be set")) {
    DeleteObject(shape);
    return false;
  }
  return true;
}

void StayOnTop(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace qf
