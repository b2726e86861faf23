#pragma once
// Small drawing helpers for the forms' skins (our own artwork, drawn once with GDI into the
// form's memory bitmap) and the font helper every control uses.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "core/scale.h"
#include "toolkit/gdi_win.h"

namespace qf {

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
};

// A font by face name and size in points at `dpi` dots per inch (0: the screen's).
//   GdiFont title = MakeFont(u"Arial", 10, {.bold = true}, form.Scaling().dpi);
GdiFont MakeFont(std::u16string_view face, double points, FontStyle style = {}, int dpi = 0);

// Skins are drawn in 96-dpi pixels. At another scale, this puts a world transform on the DC
// for as long as it lives, so shapes, pens and text are drawn at the target size (not a
// stretched picture); at 96 dpi it leaves the DC untouched. Regions are kept in device pixels
// by GDI and never transformed: make them with DrawingScale(dc).Map(...) and fill them with
// FillDeviceRegion.
class SkinTransform {
 public:
  SkinTransform(HDC dc, const Scale& scale);
  ~SkinTransform();
  SkinTransform(const SkinTransform&) = delete;
  SkinTransform& operator=(const SkinTransform&) = delete;

 private:
  HDC dc_ = nullptr;
  int oldMode_ = 0;
};

// While it lives, the DC draws in device pixels (its world transform set aside, then put
// back): for drawing that is finer at the target size when done pixel by pixel there.
class DeviceUnits {
 public:
  explicit DeviceUnits(HDC dc);
  ~DeviceUnits();
  DeviceUnits(const DeviceUnits&) = delete;
  DeviceUnits& operator=(const DeviceUnits&) = delete;

 private:
  HDC dc_;
  XFORM saved_{};
  bool transformed_ = false;
};

// `rect` (in the DC's drawing units) in device pixels, edges mapped by `scale`.
RECT MapRect(const Scale& scale, const RECT& rect);

// The scale the DC draws at: its world transform's, or 96 dpi when it has none.
Scale DrawingScale(HDC dc);
// Fills a region given in device pixels, whatever transform the DC has.
void FillDeviceRegion(HDC dc, HRGN region, HBRUSH brush);
// One pixel at (x, y) in the DC's drawing units: a dot at 96 dpi, a filled square at others.
void Dot(HDC dc, int x, int y, COLORREF color);

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
                     COLORREF color);

// A closed polygon filled with `fill` and outlined in `border` (e.g. a diamond or an arrow).
void FillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF border);

}  // namespace qf
