#pragma once
// Cutting a window to a shape made of rounded rectangles.
#include <windows.h>

#include <initializer_list>
#include <span>

#include "core/rect.h"

namespace qf {

// Gives `window` the union of `pieces` as its visible and clickable area and redraws it.
// Clicks outside the union go to whatever lies beneath. Returns false if the system refused.
//   ShapeWindow(hwnd, {{4, 5, 48, 30, 6, 6}, {5, 43, 374, 233, 48, 48}});
[[nodiscard]] bool ShapeWindow(HWND window, std::span<const RoundedRect> pieces);
inline bool ShapeWindow(HWND window, std::initializer_list<RoundedRect> pieces) {
  return ShapeWindow(window, std::span<const RoundedRect>(pieces.begin(), pieces.size()));
}

// Keeps `window` above all non-topmost windows, without moving or sizing it.
void StayOnTop(HWND window);

}  // namespace qf
