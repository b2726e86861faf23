#include "toolkit/skin_win.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/wide_win.h"

namespace qf {

GdiFont MakeFont(std::u16string_view face, double points, FontStyle style, int dpi) {
  static const int screenDpi = [] {
    WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  }();
  if (dpi <= 0) dpi = screenDpi;
  return MakePixelFont(face, static_cast<int>(std::lround(points * dpi / 72.0)), style);
}

SkinTransform::SkinTransform(HDC dc, const Scale& scale) {
  if (scale.IsIdentity() || dc == nullptr) return;
  dc_ = dc;
  oldMode_ = SetGraphicsMode(dc, GM_ADVANCED);
  const auto factor = static_cast<FLOAT>(scale.Factor());
  const XFORM transform{factor, 0, 0, factor, 0, 0};
  SetWorldTransform(dc, &transform);
}

SkinTransform::~SkinTransform() {
  if (dc_ == nullptr) return;
  ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
  SetGraphicsMode(dc_, oldMode_);
}

Scale DrawingScale(HDC dc) {
  XFORM transform{};
  if (GetGraphicsMode(dc) != GM_ADVANCED || !GetWorldTransform(dc, &transform)) return {};
  return Scale{static_cast<int>(std::lround(transform.eM11 * Scale::kBaseDpi))};
}

DeviceUnits::DeviceUnits(HDC dc) : dc_(dc) {
  transformed_ = GetGraphicsMode(dc) == GM_ADVANCED && GetWorldTransform(dc, &saved_);
  if (transformed_) ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
}

DeviceUnits::~DeviceUnits() {
  if (transformed_) SetWorldTransform(dc_, &saved_);
}

RECT MapRect(const Scale& scale, const RECT& rect) {
  return {scale.Px(rect.left), scale.Px(rect.top), scale.Px(rect.right), scale.Px(rect.bottom)};
}

void FillDeviceRegion(HDC dc, HRGN region, HBRUSH brush) {
  const DeviceUnits device(dc);
  FillRgn(dc, region, brush);
}

void Dot(HDC dc, int x, int y, COLORREF color) {
  if (DrawingScale(dc).IsIdentity()) {
    SetPixel(dc, x, y, color);
    return;
  }
  const RECT square{x, y, x + 1, y + 1};
  const COLORREF old = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &square, nullptr, 0, nullptr);
  SetBkColor(dc, old);
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
  if (const Scale scale = DrawingScale(dc); !scale.IsIdentity()) {
    // One line per device pixel: a smooth gradient at the target size.
    const DeviceUnits device(dc);
    VerticalGradient(dc, MapRect(scale, rect), top, bottom);
    return;
  }
  const int height = rect.bottom - rect.top;
  if (height <= 0) return;
  for (int y = 0; y < height; ++y) {
    const double t = height == 1 ? 0.0 : static_cast<double>(y) / (height - 1);
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const COLORREF color =
        RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
            mix(GetBValue(top), GetBValue(bottom)));
    const RECT line{rect.left, rect.top + y, rect.right, rect.top + y + 1};
    SetBkColor(dc, color);
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
  const Scale scale = DrawingScale(dc);
  GdiRegion clip{CreateRoundRectRgn(scale.Px(rect.left), scale.Px(rect.top),
                                    scale.Px(rect.right) + 1, scale.Px(rect.bottom) + 1,
                                    scale.Px(ellipse), scale.Px(ellipse))};
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
                     COLORREF color) {
  SelectGuard selectFont(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, color);
  RECT box = rect;
  const std::wstring wide = ToWide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
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
