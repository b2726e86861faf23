#pragma once
// Where everything on the HTML fader window lies, in pixels from its top-left corner. Each
// control's name in the original form definitions stands in the comment column. The skin draws its
// title strip, buttons and the R, G, B marks on these rectangles and the controls and click areas
// are placed on the same ones.
#include <array>

#include "core/rect.h"

namespace qf::htmlfader {

inline constexpr int kWidth = 485;
inline constexpr int kHeight = 305;
// Where it first opens on the screen: where the main window was, which it replaces while shown.
inline constexpr int kLeft = 270;
inline constexpr int kTop = 7;

inline constexpr Rect kLineBox{111, 48, 215, 19};     // Text1: the line to fade
inline constexpr Rect kOutputBox{135, 109, 161, 89};  // Text2: the markup, collected
inline constexpr Rect kWavyBox{272, 216, 49, 17};  // Check1: "Wavy", a push button that stays down

// Colour bar k (1..9, HScroll1..HScroll9): red, green and blue of colour 1 (1..3), colour 2
// (4..6) and colour 3 (7..9); colour box k (1..3, Picture1..Picture3) at the right of its bars.
constexpr Rect ColorBar(int k) {
  return {336, 104 + 40 * ((k - 1) / 3) + 8 * ((k - 1) % 3), 49, 9};
}
constexpr Rect ColorBox(int k) { return {392, 104 + 40 * (k - 1), 17, 17}; }

// The transparent click areas over the skin's buttons.
inline constexpr Rect kGenerateArea{360, 48, 49, 17};  // Label1: "Generate"
inline constexpr Rect kClearArea{128, 216, 49, 17};    // Label2: "Clear"
inline constexpr Rect kCloseArea{400, 8, 9, 17};       // Label3: the X closing the window
// The markup format Generate writes, shown by name; a click takes the next one.
inline constexpr Rect kFormatArea{186, 216, 78, 17};

// The window's outline: the union of four rounded rectangles (left, top, right, bottom and
// the corner ellipse's width and height), in this order.
inline constexpr std::array<RoundedRect, 4> kOutline{{
    {104, 7, 421, 34, 7, 7},      // title strip with the close area
    {105, 44, 334, 74, 7, 7},     // the input line
    {354, 44, 412, 74, 8, 8},     // "Generate"
    {106, 86, 426, 253, 42, 42},  // output, scroll bars, colour boxes, Clear and Wavy
}};

// Decoration: the fade under the title, the panel behind each colour's bars and box, and
// where a bar's letter (R, G or B) is drawn.
inline constexpr Rect kTitleStripe{150, 28, 220, 2};
inline constexpr Rect kOutputStripe{135, 97, 161, 3};  // above the output box
constexpr Rect ColorPanel(int k) { return {322, 100 + 40 * (k - 1), 93, 33}; }
constexpr Rect BarLetter(int k) {
  const Rect bar = ColorBar(k);
  return {bar.left - 9, bar.top, 7, bar.height};
}

}  // namespace qf::htmlfader
