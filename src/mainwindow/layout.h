#pragma once
// Where everything on the main window lies, in pixels from its top-left corner. Each control's
// name in the original form definitions stands in the comment column (Text1, Check11, ...). The
// skin draws its buttons, boxes and marks on these rectangles and the controls and click areas are
// placed on the same ones, so the artwork and what a click reaches cannot drift apart.
#include <array>

#include "core/rect.h"

namespace qf::mainwindow {

inline constexpr int kWidth = 370;
inline constexpr int kHeight = 248;
inline constexpr int kLeft = 333;  // first shown here on the screen, not centred
inline constexpr int kTop = 7;

// The text field and the preview strip.
inline constexpr Rect kLineBox{24, 56, 249, 19};       // Text1
inline constexpr Rect kPreviewStrip{24, 86, 257, 17};  // Picture11

// The style panel: W (wavy), S, I on the first row, B and U on the second.
inline constexpr Rect kWavyBox{32, 120, 14, 13};       // Check11
inline constexpr Rect kStrikeBox{80, 120, 14, 13};     // Check12
inline constexpr Rect kItalicBox{120, 120, 14, 13};    // Check13
inline constexpr Rect kBoldBox{56, 152, 14, 13};       // Check14
inline constexpr Rect kUnderlineBox{96, 152, 14, 13};  // Check15

// The R, G and B sliders.
inline constexpr Rect kRedSlider{168, 112, 9, 57};    // VScroll1
inline constexpr Rect kGreenSlider{184, 112, 9, 57};  // VScroll2
inline constexpr Rect kBlueSlider{200, 112, 9, 57};   // VScroll3

// Numbered box k (1..10, Check1..Check10) and its colour square (Picture1..Picture10): 1. to 5.
// in the left column, 6. to 10. in the right one, 24 pixels apart.
constexpr Rect NumberedBox(int k) {
  return k <= 5 ? Rect{216, 112 + 24 * (k - 1), 14, 13} : Rect{296, 112 + 24 * (k - 6), 14, 13};
}
constexpr Rect ColorBox(int k) {
  return k <= 5 ? Rect{256, 112 + 24 * (k - 1), 17, 17} : Rect{336, 112 + 24 * (k - 6), 17, 17};
}

// The transparent click areas over the skin's buttons.
inline constexpr Rect kCloseArea{344, 8, 17, 17};     // Label1: close ("Exit")
inline constexpr Rect kSendArea{304, 56, 33, 17};     // Label2: "SEND"
inline constexpr Rect kSendWavyArea{288, 88, 57, 9};  // Label3: "Send Wavy"
inline constexpr Rect kTrayArea{320, 16, 9, 9};       // Label4: minimise to the tray
inline constexpr Rect kMenuArea{16, 8, 17, 17};       // Label5: menu diamond
inline constexpr Rect kFadesArea{48, 197, 57, 17};    // Label6: "FADES"

// Purely decorative parts of the skin, placed around the controls above.
inline constexpr Rect kEntryPanel{19, 52, 333, 55};   // lineBox, previewStrip, SEND, Send Wavy
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
  return {box.Right() + 1, box.top, ColorBox(k).left - box.Right() - 2, box.height};
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
