#include "chrome/skin_art_win.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "core/wide_win.h"
#include "toolkit/skin_win.h"

namespace qf::art {
namespace {

COLORREF Mix(COLORREF a, COLORREF b, double t) {
  auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

GdiRegion EmptyRegion() { return GdiRegion{CreateRectRgn(0, 0, 0, 0)}; }

GdiRegion CopyRegion(HRGN source) {
  GdiRegion copy = EmptyRegion();
  CombineRgn(copy.Get(), source, nullptr, RGN_COPY);
  return copy;
}

// The region without its outermost ring of pixels: the pixels whose four neighbours all
// lie inside. What is taken away is exactly the ring FrameRgn would paint, and it follows
// cut edges (a piece running past the window) as well as rounded ones.
GdiRegion Erode(HRGN source) {
  GdiRegion inner = CopyRegion(source);
  const POINT shifts[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const POINT& shift : shifts) {
    GdiRegion moved = CopyRegion(source);
    OffsetRgn(moved.Get(), shift.x, shift.y);
    CombineRgn(inner.Get(), inner.Get(), moved.Get(), RGN_AND);
  }
  return inner;
}

GdiRegion Minus(HRGN a, HRGN b) {
  GdiRegion result = EmptyRegion();
  CombineRgn(result.Get(), a, b, RGN_DIFF);
  return result;
}

// The rounded region covering exactly `box` (left and top in, right and bottom out, like
// RECT): CreateRoundRectRgn stops one pixel short of its right and bottom arguments, on
// Windows and under Wine alike.
// Regions are device pixels: `box` and `ellipse` (drawing units) are mapped by the DC's scale,
// so the edge and rim rings stay one device pixel wide and crisp at every scale.
GdiRegion RoundRegion(HDC dc, const RECT& box, int ellipse) {
  const Scale scale = DrawingScale(dc);
  const RECT mapped = MapRect(scale, box);
  return GdiRegion{CreateRoundRectRgn(mapped.left, mapped.top, mapped.right + 1, mapped.bottom + 1,
                                      scale.Px(ellipse), scale.Px(ellipse))};
}

void FillRegion(HDC dc, HRGN region, COLORREF color) {
  GdiBrush brush{CreateSolidBrush(color)};
  FillDeviceRegion(dc, region, brush.Get());
}

// Fills `region` in two colours: the part above row `split` (drawing units) in `upper`, the
// rest in `lower`.
void FillSplit(HDC dc, HRGN region, int split, COLORREF upper, COLORREF lower) {
  GdiRegion band{CreateRectRgn(-10000, -10000, 10000, DrawingScale(dc).Px(split))};
  GdiRegion above = EmptyRegion();
  CombineRgn(above.Get(), region, band.Get(), RGN_AND);
  GdiRegion below = Minus(region, above.Get());
  FillRegion(dc, above.Get(), upper);
  FillRegion(dc, below.Get(), lower);
}

// A vertical gradient in `rect`, drawn only inside `clip`.
void ClippedGradient(HDC dc, HRGN clip, const RECT& rect, COLORREF top, COLORREF bottom) {
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, clip, RGN_AND);
  VerticalGradient(dc, rect, top, bottom);
  RestoreDC(dc, saved);
}

GdiFont MakeArtFont(int pixels, FontStyle style) {
  return MakePixelFont(u"Arial", pixels, style, true);
}

// Capitals five pixels wide and seven high, one row per byte (bit 4 is the left column),
// for captions on faces too slim for a hinted font: at 9 pixels a TrueType face is either
// blurred or broken, these stay sharp.
struct PixelGlyph {
  char16_t letter;
  unsigned char rows[7];
};
constexpr PixelGlyph kPixelGlyphs[] = {
    {u'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {u'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {u'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {u'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {u'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {u'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {u'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {u'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {u'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {u'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {u'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
};
constexpr int kPixelGlyphWidth = 5;
constexpr int kPixelGlyphHeight = 7;
constexpr int kPixelSpaceWidth = 4;

const PixelGlyph* FindPixelGlyph(char16_t letter) {
  for (const PixelGlyph& glyph : kPixelGlyphs) {
    if (glyph.letter == letter) return &glyph;
  }
  return nullptr;
}

// Width of `text` in the pixel capitals, or -1 when a character has no glyph.
int PixelTextWidth(std::u16string_view text) {
  int width = 0;
  for (char16_t c : text) {
    if (c == u' ') {
      width += kPixelSpaceWidth;
    } else if (FindPixelGlyph(c) != nullptr) {
      width += kPixelGlyphWidth + 1;
    } else {
      return -1;
    }
  }
  return text.empty() ? 0 : width - 1;
}

void PaintPixelText(HDC dc, int x, int y, std::u16string_view text, COLORREF color) {
  for (char16_t c : text) {
    if (c == u' ') {
      x += kPixelSpaceWidth;
      continue;
    }
    const PixelGlyph* glyph = FindPixelGlyph(c);
    if (glyph == nullptr) continue;
    for (int row = 0; row < kPixelGlyphHeight; ++row) {
      for (int column = 0; column < kPixelGlyphWidth; ++column) {
        if (glyph->rows[row] & (0x10 >> column)) Dot(dc, x + column, y + row, color);
      }
    }
    x += kPixelGlyphWidth + 1;
  }
}

}  // namespace

GdiFont ArtFont(int pixels, FontStyle style) { return MakeArtFont(pixels, style); }

int FitPixels(HDC dc, std::u16string_view text, int width, int maxPixels) {
  const std::wstring wide = ToWide(text);
  for (int pixels = maxPixels; pixels > 6; --pixels) {
    GdiFont font = MakeArtFont(pixels, {.bold = true});
    SelectGuard select(dc, font.Get());
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (size.cx <= width) return pixels;
  }
  return 6;
}

GdiFont FitFont(HDC dc, std::u16string_view text, int width, int maxPixels) {
  return MakeArtFont(FitPixels(dc, text, width, maxPixels), {.bold = true});
}

void FadeGradient(HDC dc, const RECT& rect, std::span<const COLORREF> stops, bool vertical) {
  if (const Scale scale = DrawingScale(dc); !scale.IsIdentity()) {
    // One step per device pixel: a smooth fade at the target size.
    const DeviceUnits device(dc);
    FadeGradient(dc, MapRect(scale, rect), stops, vertical);
    return;
  }
  const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  if (length <= 0 || stops.empty()) return;
  const int segments = static_cast<int>(stops.size()) - 1;
  for (int i = 0; i < length; ++i) {
    COLORREF color = stops.front();
    if (segments > 0) {
      const double position = length == 1 ? 0.0 : static_cast<double>(i) * segments / (length - 1);
      const int segment = std::min(static_cast<int>(position), segments - 1);
      color = Mix(stops[segment], stops[segment + 1], position - segment);
    }
    RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                         : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
  }
}

void PaintVoid(HDC dc, int width, int height) {
  const RECT all{0, 0, width, height};
  GdiBrush background{CreateSolidBrush(kVoid)};
  FillRect(dc, &all, background.Get());
}

void PaintPlate(HDC dc, const RoundedRect& piece, int clientWidth, int clientHeight, COLORREF top,
                COLORREF bottom) {
  // Exactly the window system's cut of this piece (one pixel short at the right and bottom),
  // so the plate's edge is the outline's edge.
  // In device pixels at the DC's scale, exactly as the window's outline is mapped.
  const Scale scale = DrawingScale(dc);
  const RoundedRect cut = scale.Map(piece);
  GdiRegion region{CreateRoundRectRgn(cut.left, cut.top, cut.right, cut.bottom, cut.ellipseWidth,
                                      cut.ellipseHeight)};
  GdiRegion client{CreateRectRgn(0, 0, scale.Px(clientWidth), scale.Px(clientHeight))};
  CombineRgn(region.Get(), region.Get(), client.Get(), RGN_AND);
  RECT box{};
  GetRgnBox(region.Get(), &box);
  // The gradients below are drawn in device pixels too, to the region's box.
  const DeviceUnits device(dc);

  // A soft sheen over the upper part, then the plate's own gradient.
  const int sheen = box.top + std::min<int>(scale.Px(14), (box.bottom - box.top) * 2 / 5);
  ClippedGradient(dc, region.Get(), {box.left, box.top, box.right, sheen}, Mix(top, kRim, 0.35),
                  top);
  ClippedGradient(dc, region.Get(), {box.left, sheen, box.right, box.bottom}, top, bottom);

  GdiRegion inner = Erode(region.Get());
  GdiRegion edge = Minus(region.Get(), inner.Get());
  FillRegion(dc, edge.Get(), kEdge);
  GdiRegion innerInner = Erode(inner.Get());
  GdiRegion rim = Minus(inner.Get(), innerInner.Get());
  FillSplit(dc, rim.Get(), (box.top + box.bottom) / 2, kRim, Mix(bottom, kRimShade, 0.5));
}

void PaintPanel(HDC dc, const Rect& rect, int ellipse) {
  const RECT box = ToRECT(rect);
  GdiRegion region = RoundRegion(dc, box, ellipse);
  ClippedGradient(dc, region.Get(), box, kPanelTop, kPanelBottom);
  GdiRegion inner = Erode(region.Get());
  GdiRegion edge = Minus(region.Get(), inner.Get());
  // Sunken: the upper edge in shadow, the lower one catching the light.
  FillSplit(dc, edge.Get(), (box.top + box.bottom) / 2, kEdge, Mix(kRimShade, kRim, 0.45));
}

void PaintWell(HDC dc, const Rect& control, int margin) {
  const Rect outer = control.Inflate(margin);
  const RECT box = ToRECT(outer);
  GdiBrush well{CreateSolidBrush(kWell)};
  FillRect(dc, &box, well.Get());
  GdiBrush shadow{CreateSolidBrush(kEdge)};
  GdiBrush light{CreateSolidBrush(kCyanDim)};
  const RECT topEdge{box.left, box.top, box.right, box.top + 1};
  const RECT leftEdge{box.left, box.top, box.left + 1, box.bottom};
  const RECT bottomEdge{box.left + 1, box.bottom - 1, box.right, box.bottom};
  const RECT rightEdge{box.right - 1, box.top + 1, box.right, box.bottom};
  FillRect(dc, &topEdge, shadow.Get());
  FillRect(dc, &leftEdge, shadow.Get());
  FillRect(dc, &bottomEdge, light.Get());
  FillRect(dc, &rightEdge, light.Get());
}

void PaintButtonFace(HDC dc, const Rect& rect) {
  const RECT box = ToRECT(rect);
  const int ellipse = rect.height >= 14 ? 6 : 4;
  GdiRegion region = RoundRegion(dc, box, ellipse);
  // Glass: a bright upper half, a step down, and light gathering again towards the bottom.
  const int middle = box.top + rect.height / 2;
  ClippedGradient(dc, region.Get(), {box.left, box.top, box.right, middle}, kButtonTop,
                  kButtonMiddle);
  ClippedGradient(dc, region.Get(), {box.left, middle, box.right, box.bottom}, kButtonBottom,
                  Mix(kButtonBottom, kButtonTop, 0.55));
  if (rect.height < 12) return;  // a slim face stands out from the dark plate on its own
  GdiRegion inner = Erode(region.Get());
  GdiRegion edge = Minus(region.Get(), inner.Get());
  FillRegion(dc, edge.Get(), kButtonEdge);
  {
    GdiRegion innerInner = Erode(inner.Get());
    GdiRegion rim = Minus(inner.Get(), innerInner.Get());
    FillSplit(dc, rim.Get(), middle, RGB(255, 255, 255), Mix(kButtonBottom, kButtonTop, 0.3));
  }
}

void PaintButton(HDC dc, const Rect& rect, std::u16string_view caption, int maxPixels) {
  PaintButtonFace(dc, rect);
  const int pixelWidth = PixelTextWidth(caption);
  // The pixel capitals are for 96 dpi; at larger scales a face has the pixels for a font.
  const bool pixelScale = DrawingScale(dc).IsIdentity();
  if (pixelScale && rect.height < kPixelGlyphHeight + 6 && pixelWidth >= 0 &&
      pixelWidth <= rect.width - 4) {
    PaintPixelText(dc, rect.left + (rect.width - pixelWidth + 1) / 2,
                   rect.top + (rect.height - kPixelGlyphHeight) / 2, caption, kGlyph);
    return;
  }
  // The capitals, not the font's cell, are centred: the cell's accent space and descent
  // would push the letters off a slim face.
  GdiFont font = FitFont(dc, caption, rect.width - 4, std::min(maxPixels, rect.height + 1));
  SelectGuard select(dc, font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int capHeight = metrics.tmAscent - metrics.tmInternalLeading;
  const int capTop = rect.top + (rect.height - capHeight + 1) / 2;
  RECT box{rect.left, capTop - metrics.tmInternalLeading, rect.Right(),
           capTop - metrics.tmInternalLeading + metrics.tmHeight};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, kGlyph);
  const std::wstring wide = ToWide(caption);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void PaintPixelCaption(HDC dc, const Rect& rect, std::u16string_view text, COLORREF color) {
  if (!DrawingScale(dc).IsIdentity()) {
    // Scaled up there are pixels enough for real letters of the same height.
    GdiFont font = MakeArtFont(kPixelGlyphHeight + 2, {.bold = true});
    DrawCentredText(dc, ToRECT(rect), text, font.Get(), color);
    return;
  }
  const int width = std::max(PixelTextWidth(text), 0);
  PaintPixelText(dc, rect.left + (rect.width - width + 1) / 2,
                 rect.top + (rect.height - kPixelGlyphHeight) / 2, text, color);
}

void PaintCaption(HDC dc, const Rect& rect, std::u16string_view text, HFONT font, COLORREF color,
                  UINT format) {
  SelectGuard select(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, kTextShadow);
  const std::wstring wide = ToWide(text);
  const UINT flags = format | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
  RECT shadow = ToRECT(rect.Offset(1, 1));
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &shadow, flags);
  SetTextColor(dc, color);
  RECT box = ToRECT(rect);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box, flags);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void PaintDiamond(HDC dc, const Rect& rect, COLORREF fill, COLORREF edge) {
  const int cx = rect.left + rect.width / 2;
  const int cy = rect.top + rect.height / 2;
  const int r = std::min(rect.width, rect.height) / 2 - 3;
  const POINT points[] = {{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}};
  FillPolygon(dc, points, 4, fill, edge);
  // A lit upper-left facet.
  Dot(dc, cx - 1, cy - r + 2, RGB(255, 255, 255));
  Dot(dc, cx - 2, cy - r + 3, RGB(255, 255, 255));
}

void PaintCross(HDC dc, const Rect& rect, int inset, COLORREF color, int thickness) {
  GdiPen pen{CreatePen(PS_SOLID, 1, color)};
  SelectGuard select(dc, pen.Get());
  const int left = rect.left + inset;
  const int top = rect.top + inset;
  const int right = rect.Right() - inset;
  const int bottom = rect.Bottom() - inset;
  // Thicker strokes are drawn as one-pixel lines side by side: crisp at any size.
  for (int dx = 0; dx < thickness; ++dx) {
    MoveToEx(dc, left + dx, top, nullptr);
    LineTo(dc, right + dx, bottom);
    MoveToEx(dc, right - 1 + dx, top, nullptr);
    LineTo(dc, left - 1 + dx, bottom);
  }
}

void PaintDash(HDC dc, const Rect& rect, COLORREF color) {
  GdiBrush brush{CreateSolidBrush(color)};
  const RECT bar{rect.left + 2, rect.Bottom() - 4, rect.Right() - 2, rect.Bottom() - 2};
  FillRect(dc, &bar, brush.Get());
}

void PaintRivet(HDC dc, int x, int y) {
  Dot(dc, x + 1, y, kRimShade);
  Dot(dc, x, y + 1, kRimShade);
  Dot(dc, x + 1, y + 1, kRim);
  Dot(dc, x + 2, y + 1, kEdge);
  Dot(dc, x + 1, y + 2, kEdge);
}

}  // namespace qf::art
