#pragma once
// The scheme manager window's face: our own artwork, drawn in code on the rectangles of its
// layout table, so the X, Add and Remove buttons lie under their click areas.
#include <windows.h>

namespace qf::schemes {

// Paints the whole 395 x 288 face into `dc` (origin at the window's top-left corner).
// The form calls it from PaintSkin: `void PaintSkin(HDC dc, int, int) override {
// PaintSchemeSkin(dc);
// }`
void PaintSchemeSkin(HDC dc);

}  // namespace qf::schemes
