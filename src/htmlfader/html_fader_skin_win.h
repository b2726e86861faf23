#pragma once
// The HTML fader window's face: our own artwork, drawn in code on the rectangles of its
// layout table, so Generate, Clear, the format area and the close X lie under their click
// areas.
#include <windows.h>

#include <string_view>

namespace qf::htmlfader {

// Paints the whole 485 x 305 face into `dc` (origin at the window's top-left corner), with
// `formatName` on the format area. The form calls it from PaintSkin:
//   void PaintSkin(HDC dc, int, int) override { PaintHtmlFaderSkin(dc, u"aol"); }
void PaintHtmlFaderSkin(HDC dc, std::u16string_view formatName);

}  // namespace qf::htmlfader
