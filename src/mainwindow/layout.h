#pragma once
// Where everything on the main window lies, in pixels from its top-left corner. The skin draws
// its buttons, boxes and marks on these rectangles and the controls and click areas are
// placed on the same ones, so the artwork and what a click reaches cannot drift apart.
#include <array>

#include "core/rect.h"

namespace qf::mainwindow {

inline constexpr int kWidth = 370;
inline constexpr int kHeight = 248;
inline constexpr int kLeft = 333;  // first shown here on the screen, not centred
inline constexpr int kTop = 7;

// The text field and the preview strip.
inline constexpr Rect kText1{24, 56, 249, 19};
inline constexpr Rect kPicture11{24, 86, 257, 17};

// The style panel: W (wavy), S, I on the first row, B and U on the second.
inline constexpr Rect kCheck11{32, 120, 14, 13};   // W
inline constexpr Rect kCheck12{80, 120, 14, 13};   // S
inline constexpr Rect kCheck13{120, 120, 14, 13};  // I
inline constexpr Rect kCheck14{56, 152, 14, 13};   // B
inline constexpr Rect kCheck15{96, 152, 14, 13};   // U

// The R, G and B sliders.
inline constexpr Rect kVScroll1{168, 112, 9, 57};
inline constexpr Rect kVScroll2{184, 112, 9, 57};
inline constexpr Rect kVScroll3{200, 112, 9, 57};

// Numbered box k (1..10) and its colour square: 1. to 5. in the left column, 6. to 10. in
// the right one, 24 pixels apart.
constexpr Rect NumberedBox(int k) {
  return k <= 5 ? Rect{216, 112 + 24 * (k - 1), 14, 13} : Rect{296, 112 + 24 * (k - 6), 14, 13};
}
constexpr Rect ColourBox(int k) {
  return k <= 5 ? Rect{256, 112 + 24 * (k - 1), 17, 17} : Rect{336, 112 + 24 * (k - 6), 17, 17};
}

// The transparent click areas over the skin's buttons.
inline constexpr Rect kLabel1{344, 8, 17, 17};   // close ("Exit")
inline constexpr Rect kLabel2{304, 56, 33, 17};  // "SEND"
inline constexpr Rect kLabel3{288, 88, 57, 9};   // "Send Wavy"
inline constexpr Rect kLabel4{320, 16, 9, 9};    // minimise to the tray
inline constexpr Rect kLabel5{16, 8, 17, 17};    // menu diamond
inline constexpr Rect kLabel6{48, 197, 57, 17};  // "FADES"

// Purely decorative parts of the skin, placed around the controls above.
inline constexpr Rect kEntryPanel{19, 52, 333, 55};   // Text1, Picture11, SEND, Send Wavy
inline constexpr Rect kStylePanel{22, 112, 134, 62};  // W, S, I, B, U
inline constexpr Rect kTitleStripe{92, 25, 190, 2};   // the fade under the title
inline constexpr Rect kFadeBar{118, 199, 88, 13};     // a sample fade beside FADES
// The slot behind numbered box k, its number and its colour square.
constexpr Rect NumberSlot(int k) {
  const Rect box = NumberedBox(k);
  return {box.left - 3, box.top - 2, 63, 21};
}
// Where the number "k." is written, between the box and the colour square.
constexpr Rect NumberCaption(int k) {
  const Rect box = NumberedBox(k);
  return {box.Right() + 1, box.top, ColourBox(k).left - box.Right() - 2, box.height};
}
// The letter beside a style box and below a slider.
constexpr Rect StyleLetter(const Rect& check) { return {check.Right() + 2, check.top, 12, 13}; }
constexpr Rect SliderLetter(const Rect& slider) {
  return {slider.left - 2, slider.Bottom() + 3, slider.width + 4, 12};
}

// The window's outline: the union of four rounded rectangles (left, top, right, bottom and
// the corner ellipse's width and height), in this order.
inline constexpr std::array<RoundedRect, 4> kOutline{{
    {4, 5, 48, 30, 6, 6},       // menu button
    {79, 5, 295, 31, 6, 6},     // title plate
    {314, 5, 368, 32, 7, 7},    // minimise and close buttons
    {5, 43, 374, 233, 48, 48},  // body
}};

}  // namespace qf::mainwindow
