#pragma once
// Small drawing helpers for the forms' skins (our own artwork, drawn once with GDI into the
// form's memory bitmap) and the font helper every control uses.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "toolkit/gdi_win.h"

namespace qf {

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
};

// A font by face name and size in points (at the screen's dots per inch).
//   GdiFont title = MakeFont(u"Arial", 10, {.bold = true});
GdiFont MakeFont(std::u16string_view face, double points, FontStyle style = {});

// A font by face name and character height in pixels; `smooth` asks for an antialiased
// TrueType face (the skins' lettering), otherwise the system's defaults (the controls' text).
//   GdiFont label = MakePixelFont(u"Arial", 11, {.bold = true}, true);
GdiFont MakePixelFont(std::u16string_view face, int pixels, FontStyle style = {},
                      bool smooth = false);

// Fills `rect` with a vertical gradient from `top` to `bottom` (colours 0x00BBGGRR).
void VerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);

// A rounded rectangle filled with `fill` and outlined in one pixel of `border`; `ellipse` is
// the width and height of the corner ellipse, as for CreateRoundRectRgn.
void FillRoundRect(HDC dc, const RECT& rect, int ellipse, COLORREF fill, COLORREF border);

// A rounded rectangle filled with a vertical gradient and outlined in `border`.
void GradientRoundRect(HDC dc, const RECT& rect, int ellipse, COLORREF top, COLORREF bottom,
                       COLORREF border);

// Text centred in `rect` on one line, in `font` and `colour`, with a transparent background.
void DrawCentredText(HDC dc, const RECT& rect, std::u16string_view text, HFONT font,
                     COLORREF colour);

// A closed polygon filled with `fill` and outlined in `border` (e.g. a diamond or an arrow).
void FillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF border);

}  // namespace qf
