#include "mainwindow/main_skin_win.h"

#include <string>

#include "chrome/skin_art_win.h"
#include "mainwindow/layout.h"

namespace qf::mainwindow {
namespace art = qf::art;

namespace {

void PaintTopRow(HDC dc) {
  // Menu button: a diamond on a glossy face, with a rivet each side.
  art::PaintPlate(dc, kOutline[0], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButtonFace(dc, kMenuArea);
  art::PaintDiamond(dc, kMenuArea, art::kCyan, art::kGlyph);
  art::PaintRivet(dc, 8, 16);
  art::PaintRivet(dc, 38, 16);

  // Title plate with the program's name and a fade beneath it.
  const RoundedRect& plate = kOutline[1];
  art::PaintPlate(dc, plate, kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  GdiFont title = art::ArtFont(13);
  art::PaintCaption(dc, {plate.left, plate.top + 2, plate.right - plate.left, 18},
                    u"Quelvane Fader 1.0", title.Get(), art::kText);
  art::FadeGradient(dc, ToRECT(kTitleStripe), art::kFade);

  // Minimise to the tray and close.
  art::PaintPlate(dc, kOutline[2], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButtonFace(dc, kTrayArea);
  art::PaintDash(dc, kTrayArea.Inflate(-1), art::kGlyph);
  art::PaintButtonFace(dc, kCloseArea);
  art::PaintCross(dc, kCloseArea, 5, art::kGlyph);
  art::PaintRivet(dc, 335, 10);
}

void PaintEntry(HDC dc) {
  art::PaintPanel(dc, kEntryPanel, 10);
  art::PaintWell(dc, kLineBox, 1);
  art::PaintWell(dc, kPreviewStrip, 1);
  art::PaintButton(dc, kSendArea, u"SEND");
  art::PaintButton(dc, kSendWavyArea, u"SEND WAVY", 10);
}

void PaintStyles(HDC dc) {
  art::PaintPanel(dc, kStylePanel, 12);
  // Each letter shows the style it switches on; W is the wave.
  struct Letter {
    const Rect& check;
    const char16_t* text;
    FontStyle style;
  };
  const Letter letters[] = {
      {kWavyBox, u"W", {.bold = true}},
      {kStrikeBox, u"S", {.bold = true, .strikethrough = true}},
      {kItalicBox, u"I", {.bold = true, .italic = true}},
      {kBoldBox, u"B", {.bold = true}},
      {kUnderlineBox, u"U", {.bold = true, .underline = true}},
  };
  for (const Letter& letter : letters) {
    GdiFont font = art::ArtFont(12, letter.style);
    art::PaintCaption(dc, StyleLetter(letter.check), letter.text, font.Get(), art::kText, DT_LEFT);
  }

  // The R, G and B sliders: a well for each track and its letter below, in its colour.
  struct Slider {
    const Rect& track;
    const char16_t* text;
    COLORREF color;
  };
  const Slider sliders[] = {{kRedSlider, u"R", RGB(255, 128, 140)},
                            {kGreenSlider, u"G", RGB(120, 255, 160)},
                            {kBlueSlider, u"B", RGB(130, 180, 255)}};
  GdiFont sliderFont = art::ArtFont(11);
  for (const Slider& slider : sliders) {
    art::PaintWell(dc, slider.track, 1);
    art::PaintCaption(dc, SliderLetter(slider.track), slider.text, sliderFont.Get(), slider.color);
  }

  art::PaintButton(dc, kFadesArea, u"FADES");
  // A sample fade in a well beside it: what the program is for, at a glance.
  art::PaintWell(dc, kFadeBar, 0);
  art::FadeGradient(dc, ToRECT(kFadeBar.Inflate(-2)), art::kFade);
}

void PaintNumberedBoxes(HDC dc) {
  GdiFont numberFont = art::ArtFont(11);
  for (int k = 1; k <= 10; ++k) {
    art::PaintPanel(dc, NumberSlot(k), 8);
    art::PaintWell(dc, ColorBox(k), 1);
    const std::u16string number =
        k == 10 ? std::u16string(u"10.") : std::u16string{static_cast<char16_t>(u'0' + k), u'.'};
    art::PaintCaption(dc, NumberCaption(k), number, numberFont.Get(), art::kCyan);
  }
}

}  // namespace

void PaintMainSkin(HDC dc) {
  art::PaintVoid(dc, kWidth, kHeight);
  PaintTopRow(dc);
  art::PaintPlate(dc, kOutline[3], kWidth, kHeight, art::kBodyTop, art::kBodyBottom);
  PaintEntry(dc);
  PaintStyles(dc);
  PaintNumberedBoxes(dc);
}

}  // namespace qf::mainwindow
