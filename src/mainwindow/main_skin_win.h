#pragma once
// The main window's face: our own artwork, drawn in code on the rectangles of the main
// window's layout table, so every drawn button lies under its click area.
#include <windows.h>

namespace qf::mainwindow {

// Paints the whole 370 x 248 face into `dc` (origin at the window's top-left corner).
// Form1 calls it from PaintSkin: `void PaintSkin(HDC dc, int, int) override { PaintMainSkin(dc); }`
void PaintMainSkin(HDC dc);

}  // namespace qf::mainwindow
