#include "toolkit/skin_win.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/wide_win.h"

namespace qf {

GdiFont MakeFont(std::u16string_view face, double points, FontStyle style) {
  static const int dpi = [] {
    WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  }();
  return MakePixelFont(face, static_cast<int>(std::lround(points * dpi / 72.0)), style);
}

GdiFont MakePixelFont(std::u16string_view face, int pixels, FontStyle style, bool smooth) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
  font.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = style.italic ? TRUE : FALSE;
  font.lfUnderline = style.underline ? TRUE : FALSE;
  font.lfStrikeOut = style.strikethrough ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = smooth ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = smooth ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
  font.lfPitchAndFamily = smooth ? VARIABLE_PITCH | FF_SWISS : DEFAULT_PITCH | FF_DONTCARE;
  const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  for (std::size_t i = 0; i < length; ++i) font.lfFaceName[i] = static_cast<wchar_t>(face[i]);
  return GdiFont{CreateFontIndirectW(&font)};
}

void VerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  const int height = rect.bottom - rect.top;
  if (height <= 0) return;
  for (int y = 0; y < height; ++y) {
    const double t = height == 1 ? 0.0 : static_cast<double>(y) / (height - 1);
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const COLORREF colour =
        RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
            mix(GetBValue(top), GetBValue(bottom)));
    const RECT line{rect.left, rect.top + y, rect.right, rect.top + y + 1};
    SetBkColor(dc, colour);
    // ExtTextOut with ETO_OPAQUE fills a rectangle in the background colour without a brush.
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
  }
}

void FillRoundRect(HDC dc, const RECT& rect, int ellipse, COLORREF fill, COLORREF border) {
  GdiBrush brush{CreateSolidBrush(fill)};
  GdiPen pen{CreatePen(PS_SOLID, 1, border)};
  SelectGuard selectBrush(dc, brush.Get());
  SelectGuard selectPen(dc, pen.Get());
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipse, ellipse);
}

void GradientRoundRect(HDC dc, const RECT& rect, int ellipse, COLORREF top, COLORREF bottom,
                       COLORREF border) {
  // The region is in device units; memory DCs for skins have their origin at (0, 0).
  GdiRegion clip{
      CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, ellipse, ellipse)};
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, clip.Get(), RGN_AND);
  VerticalGradient(dc, rect, top, bottom);
  RestoreDC(dc, saved);
  GdiPen pen{CreatePen(PS_SOLID, 1, border)};
  SelectGuard selectPen(dc, pen.Get());
  SelectGuard selectBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipse, ellipse);
}

void DrawCentredText(HDC dc, const RECT& rect, std::u16string_view text, HFONT font,
                     COLORREF colour) {
  SelectGuard selectFont(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, colour);
  RECT box = rect;
  const std::wstring wide = ToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void FillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF border) {
  GdiBrush brush{CreateSolidBrush(fill)};
  GdiPen pen{CreatePen(PS_SOLID, 1, border)};
  SelectGuard selectBrush(dc, brush.Get());
  SelectGuard selectPen(dc, pen.Get());
  Polygon(dc, points, count);
}

}  // namespace qf
