#pragma once
// The skins' scroll bars: glossy arrow buttons and thumb like the skins' other buttons, on a
// sunken track in which a cyan fill runs from the minimum end up to the thumb, so a slider's
// value reads at a glance. Drawn from the bar's parts as laid out at its real size: strokes
// and glyphs follow the bar's scale, nothing is a stretched bitmap.
//   qf::VScrollBar VScroll1{*this, kVScroll1, {.max = 255, .painter = art::PaintScrollBar}};
#include <windows.h>

#include "toolkit/scroll_bar_win.h"

namespace qf::art {

void PaintScrollBar(HDC dc, const ScrollBarFace& face);

}  // namespace qf::art
