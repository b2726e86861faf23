#include "chrome/slider_art_win.h"

#include <algorithm>
#include <cmath>

#include "chrome/skin_art_win.h"

namespace qf::art {
namespace {

// `pixels` at 96 dpi in the bar's own pixels: never thinner than one.
int Scaled(int pixels, double scale) {
  return std::max(1, static_cast<int>(std::lround(pixels * scale)));
}

void Fill(HDC dc, const Rect& rect, COLORREF color) {
  if (rect.width <= 0 || rect.height <= 0) return;
  const RECT box = ToRECT(rect);
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

// `rect` less `by` pixels on the two sides across the bar (left and right of a vertical one).
Rect NarrowAcross(const Rect& rect, bool vertical, int by) {
  return vertical ? Rect{rect.left + by, rect.top, std::max(rect.width - 2 * by, 0), rect.height}
                  : Rect{rect.left, rect.top + by, rect.width, std::max(rect.height - 2 * by, 0)};
}

// A solid triangle pointing up, down, left or right, centred in `rect`, built from whole rows
// of pixels so it stays crisp and symmetric at any size.
void PaintArrowGlyph(HDC dc, const Rect& rect, bool vertical, bool towardsLess, COLORREF color) {
  const int size = std::min(rect.width, rect.height);
  const int depth = std::max(2, (size + 1) / 3);  // 3 at 9 pixels: a 5-pixel base
  const int cx = rect.left + (rect.width - 1) / 2;
  const int cy = rect.top + (rect.height - 1) / 2;
  for (int i = 0; i < depth; ++i) {
    // Row i from the tip: 2i + 1 pixels wide.
    const int tip = towardsLess ? -(depth / 2) + i : depth / 2 - i;
    const Rect row =
        vertical ? Rect{cx - i, cy + tip, 2 * i + 1, 1} : Rect{cx + tip, cy - i, 1, 2 * i + 1};
    Fill(dc, row, color);
  }
}

// An arrow button: a small raised plate in the body's blue with a light glyph, so that the
// only bright part of the bar is its thumb. Held down, the plate darkens and the glyph moves
// one step in, as a pressed key does.
void PaintArrow(HDC dc, const ScrollBarFace& face, const Rect& rect, ScrollPart part) {
  if (rect.width <= 0 || rect.height <= 0) return;
  const bool held = face.held == part;
  const RECT box = ToRECT(rect);
  const int ellipse = Scaled(4, face.scale);
  GdiRegion region{
      CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, ellipse, ellipse)};
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, region.Get(), RGN_AND);
  if (held) {
    VerticalGradient(dc, box, kPlateBottom, kPanelTop);
  } else {
    VerticalGradient(dc, box, kRim, kPlateTop);
    const RECT lower{box.left, box.top + Scaled(2, face.scale), box.right, box.bottom};
    VerticalGradient(dc, lower, kPlateTop, kPlateBottom);
  }
  RestoreDC(dc, saved);
  const int shift = held ? Scaled(1, face.scale) : 0;
  PaintArrowGlyph(dc, rect.Offset(shift, shift), face.vertical, part == ScrollPart::kLessArrow,
                  held ? kCyanDim : kCyan);
}

}  // namespace

void PaintScrollBar(HDC dc, const ScrollBarFace& face) {
  // The track: a dark slot, edged in cyan while the keyboard moves this bar.
  Fill(dc, face.track, kWell);
  if (face.focused) {
    const int edge = Scaled(1, face.scale);
    const Rect& t = face.track;
    Fill(dc,
         face.vertical ? Rect{t.left, t.top, edge, t.height} : Rect{t.left, t.top, t.width, edge},
         kCyanDim);
    Fill(dc,
         face.vertical ? Rect{t.Right() - edge, t.top, edge, t.height}
                       : Rect{t.left, t.Bottom() - edge, t.width, edge},
         kCyanDim);
  }

  // The fill, narrower than the thumb so the thumb stands out at its end: dim at the minimum,
  // bright where it meets the thumb.
  const Rect fill = NarrowAcross(face.fill, face.vertical, Scaled(2, face.scale));
  if (fill.width > 0 && fill.height > 0) {
    const COLORREF stops[] = {kCyanDim, kCyan};
    FadeGradient(dc, ToRECT(fill), stops, face.vertical);
  }

  PaintArrow(dc, face, face.lessArrow, ScrollPart::kLessArrow);
  PaintArrow(dc, face, face.moreArrow, ScrollPart::kMoreArrow);

  // The thumb: a glossy button across the whole track with a navy grip line across its middle.
  const Rect& thumb = face.thumb;
  if (thumb.width <= 0 || thumb.height <= 0) return;
  PaintButtonFace(dc, thumb);
  const int line = Scaled(1, face.scale);
  const int inset = Scaled(2, face.scale);
  const Rect grip = face.vertical ? Rect{thumb.left + inset, thumb.top + (thumb.height - line) / 2,
                                         thumb.width - 2 * inset, line}
                                  : Rect{thumb.left + (thumb.width - line) / 2, thumb.top + inset,
                                         line, thumb.height - 2 * inset};
  Fill(dc, grip, face.held == ScrollPart::kThumb ? kCyanDim : kGlyph);
}

}  // namespace qf::art
