#pragma once
// Cutting a window to a shape made of rounded rectangles.
#include <windows.h>

#include <initializer_list>
#include <span>

namespace qf {

// A rounded rectangle in pixels relative to the window's top-left corner, with the width and
// height of the ellipse that rounds its corners (the arguments of CreateRoundRectRgn).
struct RoundRect {
  int left, top, right, bottom, ellipseWidth, ellipseHeight;
};

// Gives `window` the union of `pieces` as its visible and clickable area and redraws it.
// Clicks outside the union go to whatever lies beneath. Returns false if the system refused.
//   ShapeWindow(hwnd, {{4, 5, 48, 30, 6, 6}, {5, 43, 374, 233, 48, 48}});
bool ShapeWindow(HWND window, std::span<const RoundRect> pieces);
inline bool ShapeWindow(HWND window, std::initializer_list<RoundRect> pieces) {
  return ShapeWindow(window, std::span<const RoundRect>(pieces.begin(), pieces.size()));
}

// Keeps `window` above all non-topmost windows, without moving or sizing it.
void StayOnTop(HWND window);

}  // namespace qf
