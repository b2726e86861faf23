#pragma once
// One rectangle for skins, controls and hit areas: left, top, width and height in pixels from
// a form's top-left corner. A drawn button and the control or click area over it are written
// once, as one Rect, so the artwork and the control cannot drift apart.
//   constexpr Rect kSendArea{304, 56, 33, 17};
//   kSendArea.Right() == 337;  kSendArea.Contains(304, 56) == true
namespace qf {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
  // Whether the pixel (x, y) lies inside: the left and top edges are in, the right and
  // bottom edges are out.
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < Right() && y >= top && y < Bottom();
  }
  // The same rectangle moved by (dx, dy), or grown on every side by `by` pixels.
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
  constexpr Rect Inflate(int by) const {
    return {left - by, top - by, width + 2 * by, height + 2 * by};
  }
  constexpr bool operator==(const Rect&) const = default;
};

// A rounded rectangle of a window's outline: left, top, right and bottom in pixels from the
// window's top-left corner, and the width and height of the ellipse that rounds its corners
// (the arguments of CreateRoundRectRgn).
struct RoundedRect {
  int left, top, right, bottom, ellipseWidth, ellipseHeight;
};

}  // namespace qf
