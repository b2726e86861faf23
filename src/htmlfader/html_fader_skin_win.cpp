#include "htmlfader/html_fader_skin_win.h"

#include "chrome/skin_art_win.h"
#include "htmlfader/html_fader_layout.h"

namespace qf::htmlfader {
namespace art = qf::art;

namespace {

void PaintTitleStrip(HDC dc) {
  const RoundedRect& strip = kOutline[0];
  art::PaintPlate(dc, strip, kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  GdiFont title = art::ArtFont(13);
  art::PaintCaption(dc, {strip.left, strip.top + 3, strip.right - strip.left, 18}, u"HTML Fader",
                    title.Get(), art::kText);
  art::FadeGradient(dc, ToRECT(kTitleStripe), art::kFade);
  art::PaintRivet(dc, 110, 19);
  art::PaintRivet(dc, 413, 19);
  // The close X on a slim face: the cross kept square in its middle.
  art::PaintButtonFace(dc, kCloseArea);
  art::PaintCross(dc,
                  {kCloseArea.left, kCloseArea.top + (kCloseArea.height - kCloseArea.width) / 2,
                   kCloseArea.width, kCloseArea.width},
                  2, art::kGlyph, 1);
}

void PaintBody(HDC dc, std::u16string_view formatName) {
  art::PaintPlate(dc, kOutline[3], kWidth, kHeight, art::kBodyTop, art::kBodyBottom);
  art::PaintWell(dc, kOutputBox, 2);
  art::PaintWell(dc, kOutputStripe, 1);
  art::FadeGradient(dc, ToRECT(kOutputStripe), art::kFade);

  // Each colour: its three bars with their letters and its colour box, on a panel.
  const COLORREF letterColors[] = {RGB(255, 128, 140), RGB(120, 255, 160), RGB(130, 180, 255)};
  const char16_t* letters[] = {u"R", u"G", u"B"};
  for (int color = 1; color <= 3; ++color) {
    art::PaintPanel(dc, ColorPanel(color), 8);
    art::PaintWell(dc, ColorBox(color), 1);
    for (int i = 0; i < 3; ++i) {
      const int bar = 3 * (color - 1) + i + 1;
      art::PaintPixelCaption(dc, BarLetter(bar), letters[i], letterColors[i]);
    }
  }

  art::PaintButton(dc, kClearArea, u"Clear", 12);
  art::PaintButton(dc, kFormatArea, formatName, 12);
  // Wavy is a push button of its own; the skin gives it a matching sunken seat.
  art::PaintWell(dc, kWavyBox, 1);
}

}  // namespace

void PaintHtmlFaderSkin(HDC dc, std::u16string_view formatName) {
  art::PaintVoid(dc, kWidth, kHeight);
  PaintTitleStrip(dc);

  art::PaintPlate(dc, kOutline[1], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintWell(dc, kLineBox, 1);

  art::PaintPlate(dc, kOutline[2], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButton(dc, kGenerateArea, u"Generate", 12);

  PaintBody(dc, formatName);
}

}  // namespace qf::htmlfader
