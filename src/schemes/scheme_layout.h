#pragma once
// Where everything on the scheme manager window lies, in pixels from its top-left
// corner. The skin draws its buttons on these rectangles and the list and click areas are
// placed on the same ones. Each is named by its role; the comment column keeps the name the
// original form definition gave it.
#include <array>

#include "core/rect.h"

namespace qf::schemes {

inline constexpr int kWidth = 395;
inline constexpr int kHeight = 288;
// Where it first opens on the screen: under the main window, beside which it is used.
inline constexpr int kLeft = 333;
inline constexpr int kTop = 262;

inline constexpr Rect kSchemeList{32, 48, 169, 93};   // List1   the scheme list
inline constexpr Rect kAddArea{48, 164, 41, 20};      // Label1  "Add": save the current colours
inline constexpr Rect kRemoveArea{144, 164, 41, 20};  // Label2  "Remove"
inline constexpr Rect kHideArea{24, 8, 17, 17};       // Label3  "X": hide the window

// The window's outline: the union of four rounded rectangles (left, top, right, bottom and
// the corner ellipse's width and height), in this order.
inline constexpr std::array<RoundedRect, 4> kOutline{{
    {6, 4, 66, 30, 6, 6},        // the hide button
    {20, 36, 220, 155, 30, 30},  // the list
    {41, 161, 101, 189, 7, 7},   // "Add"
    {136, 161, 196, 189, 7, 7},  // "Remove"
}};

// Decoration: a fade beside the hide button and one down the list's right side.
inline constexpr Rect kHideStripe{45, 14, 14, 5};
inline constexpr Rect kListStripe{207, 50, 4, 89};

}  // namespace qf::schemes
