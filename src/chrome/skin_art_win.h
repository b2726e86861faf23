#pragma once
// The program's visual language, shared by the skins of its windows: one palette and a few
// drawing pieces (raised plates cut to an outline piece, glossy buttons, sunken wells, crisp
// captions and small glyphs). Everything is drawn with GDI at 96 dpi pixel positions taken
// from the windows' layout tables, so a drawn button lies exactly under its click area. At
// other scales the form's skin DC carries a world transform (SkinTransform): shapes and text
// come out at the target size, and the pieces built from regions (plates, rims, edges) are
// mapped here by the DC's scale, their rings one device pixel wide.
//   PaintPlate(dc, {79, 5, 295, 31, 6, 6}, 370, 248, kPlateTop, kPlateBottom);
//   PaintButton(dc, kLabel2, u"SEND");
#include <windows.h>

#include <span>
#include <string_view>

#include "core/rect.h"
#include "toolkit/gdi_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/win32_win.h"

namespace qf::art {

// The palette (COLORREF, 0x00BBGGRR). Deep indigo plates, light glossy buttons with navy
// lettering, and cyan accents that match the text boxes' light cyan.
inline constexpr COLORREF kVoid = RGB(10, 12, 30);  // outside the outline (never seen)
inline constexpr COLORREF kBodyTop = RGB(58, 66, 150);
inline constexpr COLORREF kBodyBottom = RGB(18, 20, 62);
inline constexpr COLORREF kPlateTop = RGB(74, 84, 176);
inline constexpr COLORREF kPlateBottom = RGB(26, 28, 84);
inline constexpr COLORREF kEdge = RGB(4, 6, 22);         // outer outline of plates
inline constexpr COLORREF kRim = RGB(150, 168, 255);     // inner highlight, lit side
inline constexpr COLORREF kRimShade = RGB(34, 36, 100);  // inner highlight, shaded side
inline constexpr COLORREF kPanelTop = RGB(30, 34, 96);   // inset group panels
inline constexpr COLORREF kPanelBottom = RGB(22, 24, 72);
inline constexpr COLORREF kWell = RGB(8, 10, 34);      // behind controls
inline constexpr COLORREF kCyan = RGB(128, 255, 255);  // the text boxes' background
inline constexpr COLORREF kCyanDim = RGB(70, 170, 210);
inline constexpr COLORREF kText = RGB(232, 242, 255);
inline constexpr COLORREF kTextShadow = RGB(6, 8, 30);
inline constexpr COLORREF kButtonTop = RGB(252, 254, 255);
inline constexpr COLORREF kButtonMiddle = RGB(206, 228, 250);
inline constexpr COLORREF kButtonBottom = RGB(150, 196, 236);
inline constexpr COLORREF kButtonEdge = RGB(16, 22, 70);
inline constexpr COLORREF kGlyph = RGB(18, 28, 86);
// The program's signature fade (under titles, beside lists, in the icon).
inline constexpr COLORREF kFade[] = {RGB(128, 255, 255), RGB(120, 140, 255), RGB(230, 110, 255),
                                     RGB(255, 140, 170)};

// An Arial font whose characters are `pixels` high (the em height), bold unless told otherwise.
GdiFont ArtFont(int pixels, FontStyle style = {.bold = true});
// The largest bold Arial, at most `maxPixels` high, in which `text` fits `width` pixels,
// and that size (so a row of buttons can share the size their longest caption needs).
GdiFont FitFont(HDC dc, std::u16string_view text, int width, int maxPixels);
int FitPixels(HDC dc, std::u16string_view text, int width, int maxPixels);

// A gradient through `stops`, evenly spaced from the left to the right edge (or, when
// `vertical`, from the top to the bottom).
void FadeGradient(HDC dc, const RECT& rect, std::span<const COLORREF> stops, bool vertical = false);

// A raised plate filling one outline piece, cut to the window's client area (a piece may
// run past the window's edge, which then is the plate's edge): vertical gradient, a dark
// outline on the region's edge pixels and a lit inner rim above, a shaded one below.
// Fills the whole face with the colour outside the outline (never seen, but defined).
void PaintVoid(HDC dc, int width, int height);

void PaintPlate(HDC dc, const RoundedRect& piece, int clientWidth, int clientHeight, COLORREF top,
                COLORREF bottom);

// An inset panel grouping controls: slightly darker than the body, with a sunken edge.
void PaintPanel(HDC dc, const Rect& rect, int ellipse);

// A sunken well just around a control's rectangle (`margin` pixels of frame), cyan-edged.
void PaintWell(HDC dc, const Rect& control, int margin);

// A glossy light button exactly on `rect`, with `caption` in navy in the largest bold font
// up to `maxPixels` that fits. Works down to 9 pixels high.
void PaintButton(HDC dc, const Rect& rect, std::u16string_view caption, int maxPixels = 11);
// The same button face without a caption (for glyph buttons).
void PaintButtonFace(HDC dc, const Rect& rect);

// `text` centred in `rect` in small pixel capitals, seven pixels high (only the letters
// A B D E G N R S V W Y and the space are drawn), for places too tight for a font at 96 dpi;
// at larger scales, in a bold font of that height. PaintButton likewise.
void PaintPixelCaption(HDC dc, const Rect& rect, std::u16string_view text, COLORREF color);

// A caption with a one-pixel dark shadow below right; `format` as for DrawText.
void PaintCaption(HDC dc, const Rect& rect, std::u16string_view text, HFONT font, COLORREF color,
                  UINT format = DT_CENTER);

// Glyphs centred in `rect`: a diamond, a cross (close) and a dash (minimise).
void PaintDiamond(HDC dc, const Rect& rect, COLORREF fill, COLORREF edge);
void PaintCross(HDC dc, const Rect& rect, int inset, COLORREF color, int thickness = 2);
void PaintDash(HDC dc, const Rect& rect, COLORREF color);

// A tiny round rivet (3 x 3 pixels) with its top-left at (x, y).
void PaintRivet(HDC dc, int x, int y);

}  // namespace qf::art
