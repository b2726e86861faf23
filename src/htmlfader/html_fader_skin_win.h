#pragma once
// The HTML fader window's face: our own artwork, drawn in code on the rectangles of its
// layout table, so Generate, Clear and the close X lie under their click areas.
#include <windows.h>

namespace qf::htmlfader {

// Paints the whole 485 x 305 face into `dc` (origin at the window's top-left corner).
// Form3 calls it from PaintSkin: `void PaintSkin(HDC dc, int, int) override {
// PaintHtmlFaderSkin(dc); }`
void PaintHtmlFaderSkin(HDC dc);

}  // namespace qf::htmlfader
