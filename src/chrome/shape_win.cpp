#include "chrome/shape_win.h"

namespace qf {

bool ShapeWindow(HWND window, std::span<const RoundedRect> pieces) {
  if (pieces.empty()) return false;
  auto makePiece = [](const RoundedRect& r) {
    return CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipseWidth, r.ellipseHeight);
  };
  HRGN shape = makePiece(pieces.front());
  if (shape == nullptr) return false;
  for (const RoundedRect& r : pieces.subspan(1)) {
    HRGN piece = makePiece(r);
    if (piece == nullptr) continue;
    CombineRgn(shape, shape, piece, RGN_OR);
    DeleteObject(piece);  // merged into the shape; not used again
  }
  // On success the window system owns the region and deletes it with the window.
  if (SetWindowRgn(window, shape, TRUE) == 0) {
    DeleteObject(shape);
    return false;
  }
  return true;
}

void StayOnTop(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace qf
