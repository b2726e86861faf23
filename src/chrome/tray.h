#pragma once
// What the tray icon's reports mean. The shell reports a mouse message that happened on the
// icon with the icon's callback message, the mouse message's number in lParam's low word.
#include <cstdint>

namespace qf {

// Decodes that number: 1 for a left double click on the icon
// (WM_LBUTTONDBLCLK, 515), 2 for a right button press (WM_RBUTTONDOWN, 516), 0 for anything
// else. `x` is in the window's coordinate unit; `twipsPerPixel` is 1 when that unit is the pixel
// (the default), or the screen's horizontal twips per pixel when the window measures in twips.
// x is divided by it and rounded half to even before the comparison.
//   TrayMessage(515) == 1;  TrayMessage(516) == 2;  TrayMessage(514) == 0
//   TrayMessage(7725, 15) == 1   (515 pixels in twips)
int16_t TrayMessage(float x, float twipsPerPixel = 1.0f);

}  // namespace qf
