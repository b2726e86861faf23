// The three windows' layout tables: every control, click area and drawn part must lie in the
// visible outline (a control outside it could never be seen or clicked), and no click area
// may hide under a control (the control would take its clicks).
#include <gtest/gtest.h>

#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core/scale.h"
#include "htmlfader/html_fader_layout.h"
#include "mainwindow/layout.h"
#include "schemes/scheme_layout.h"

namespace {

// "name k". (Written with a stream: GCC 12 warns falsely, as an error here, about a literal
// joined to std::to_string in the i686 build.)
std::string Numbered(const char* name, int k) {
  std::ostringstream text;
  text << name << k;
  return text.str();
}


using qf::Rect;
using qf::RoundedRect;

// Whether pixel (x, y) lies in the rounded rectangle as the window system cuts it: inside
// left..right-2 and top..bottom-2 (a rounded region stops one pixel short of its right and
// bottom arguments, on Windows and under Wine), and within the corner ellipse where a
// corner is rounded.
bool InPiece(const RoundedRect& piece, int x, int y) {
  const int right = piece.right - 1;
  const int bottom = piece.bottom - 1;
  if (x < piece.left || x >= right || y < piece.top || y >= bottom) return false;
  const double rx = piece.ellipseWidth / 2.0;
  const double ry = piece.ellipseHeight / 2.0;
  const double px = x + 0.5;
  const double py = y + 0.5;
  const double cx = px < piece.left + rx ? piece.left + rx : px > right - rx ? right - rx : px;
  const double cy = py < piece.top + ry ? piece.top + ry : py > bottom - ry ? bottom - ry : py;
  const double dx = (px - cx) / rx;
  const double dy = (py - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

struct Window {
  int width;
  int height;
  std::span<const RoundedRect> outline;
};

bool Visible(const Window& window, int x, int y) {
  if (x < 0 || y < 0 || x >= window.width || y >= window.height) return false;
  for (const RoundedRect& piece : window.outline) {
    if (InPiece(piece, x, y)) return true;
  }
  return false;
}

// The rectangle's four corner pixels are visible (the pieces are convex, and a rectangle
// spanning two pieces would show a gap between them in its corners' test too).
void ExpectInside(const Window& window, const Rect& r, const std::string& name) {
  const int right = r.Right() - 1;
  const int bottom = r.Bottom() - 1;
  EXPECT_TRUE(Visible(window, r.left, r.top) && Visible(window, right, r.top) &&
              Visible(window, r.left, bottom) && Visible(window, right, bottom))
      << name << " {" << r.left << ", " << r.top << ", " << r.width << ", " << r.height
      << "} is not inside the outline";
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

TEST(LayoutTest, InsideTestFollowsRoundedCorners) {
  const RoundedRect piece{5, 43, 374, 233, 48, 48};
  EXPECT_TRUE(InPiece(piece, 100, 43));
  EXPECT_FALSE(InPiece(piece, 5, 43));  // the cut corner
  EXPECT_TRUE(InPiece(piece, 29, 44));  // the top of the corner's arc
  EXPECT_TRUE(InPiece(piece, 100, 231));
  EXPECT_FALSE(InPiece(piece, 100, 232));  // one short of the bottom argument
}

TEST(LayoutTest, MainWindowPartsLieInItsOutline) {
  using namespace qf::mainwindow;
  const Window window{kWidth, kHeight, kOutline};
  std::vector<std::pair<std::string, Rect>> parts = {{"Text1", kLineBox},
                                                     {"Picture11", kPreviewStrip},
                                                     {"Check11", kWavyBox},
                                                     {"Check12", kStrikeBox},
                                                     {"Check13", kItalicBox},
                                                     {"Check14", kBoldBox},
                                                     {"Check15", kUnderlineBox},
                                                     {"VScroll1", kRedSlider},
                                                     {"VScroll2", kGreenSlider},
                                                     {"VScroll3", kBlueSlider},
                                                     {"Label1", kCloseArea},
                                                     {"Label2", kSendArea},
                                                     {"Label3", kSendWavyArea},
                                                     {"Label4", kTrayArea},
                                                     {"Label5", kMenuArea},
                                                     {"Label6", kFadesArea},
                                                     {"entry panel", kEntryPanel},
                                                     {"style panel", kStylePanel},
                                                     {"title stripe", kTitleStripe},
                                                     {"fade bar", kFadeBar}};
  for (const Rect* check : {&kWavyBox, &kStrikeBox, &kItalicBox, &kBoldBox, &kUnderlineBox}) {
    parts.push_back({"style letter", StyleLetter(*check)});
  }
  for (const Rect* slider : {&kRedSlider, &kGreenSlider, &kBlueSlider}) {
    parts.push_back({"slider letter", SliderLetter(*slider)});
  }
  for (int k = 1; k <= 10; ++k) {
    parts.push_back({Numbered("Check", k), NumberedBox(k)});
    parts.push_back({Numbered("Picture", k), ColorBox(k)});
    parts.push_back({Numbered("slot ", k), NumberSlot(k)});
  }
  for (const auto& [name, rect] : parts) ExpectInside(window, rect, name);
}

// At every display scale the window, its outline and its parts are mapped by the one Scale:
// what lies inside the outline at 96 dpi still does, with the controls' places, at 120, 144
// and 192 dpi.
TEST(LayoutTest, MainWindowPartsLieInItsOutlineAtEveryScale) {
  using namespace qf::mainwindow;
  for (int dpi : {120, 144, 192}) {
    const qf::Scale scale{dpi};
    const std::vector<RoundedRect> outline = scale.Map(kOutline);
    const Window window{scale.Px(kWidth), scale.Px(kHeight), outline};
    std::vector<Rect> parts = {kLineBox,      kPreviewStrip, kWavyBox,   kStrikeBox, kItalicBox,
                               kBoldBox,      kUnderlineBox, kRedSlider, kCloseArea, kSendArea,
                               kSendWavyArea, kTrayArea,     kMenuArea,  kFadesArea, kFadeBar,
                               kBlueSlider,   kEntryPanel};
    for (int k = 1; k <= 10; ++k) {
      parts.push_back(NumberedBox(k));
      parts.push_back(ColorBox(k));
    }
    for (const Rect& part : parts) {
      ExpectInside(window, scale.Map(part), Numbered("at dpi ", dpi));
    }
    // The text field inside its panel, a numbered box inside its slot.
    const Rect field = scale.Map(kLineBox);
    const Rect panel = scale.Map(kEntryPanel);
    EXPECT_TRUE(field.left >= panel.left && field.Right() <= panel.Right() &&
                field.top >= panel.top && field.Bottom() <= panel.Bottom());
    const Rect slot = scale.Map(NumberSlot(7));
    const Rect box = scale.Map(NumberedBox(7));
    EXPECT_TRUE(box.left >= slot.left && box.Right() <= slot.Right() && box.top >= slot.top &&
                box.Bottom() <= slot.Bottom());
  }
}

TEST(LayoutTest, MainWindowClickAreasAreNotCovered) {
  using namespace qf::mainwindow;
  std::vector<Rect> controls = {kLineBox, kPreviewStrip, kWavyBox,   kStrikeBox,   kItalicBox,
                                kBoldBox, kUnderlineBox, kRedSlider, kGreenSlider, kBlueSlider};
  for (int k = 1; k <= 10; ++k) {
    controls.push_back(NumberedBox(k));
    controls.push_back(ColorBox(k));
  }
  for (const Rect& label :
       {kCloseArea, kSendArea, kSendWavyArea, kTrayArea, kMenuArea, kFadesArea}) {
    for (const Rect& control : controls) EXPECT_FALSE(Overlap(label, control));
  }
}

TEST(LayoutTest, SchemeWindowPartsLieInItsOutline) {
  using namespace qf::schemes;
  const Window window{kWidth, kHeight, kOutline};
  ExpectInside(window, kSchemeList, "scheme list");
  ExpectInside(window, kAddArea, "add area");
  ExpectInside(window, kRemoveArea, "remove area");
  ExpectInside(window, kHideArea, "hide area");
  ExpectInside(window, kHideStripe, "hide stripe");
  ExpectInside(window, kListStripe, "list stripe");
}

TEST(LayoutTest, HtmlFaderPartsLieInItsOutline) {
  using namespace qf::htmlfader;
  const Window window{kWidth, kHeight, kOutline};
  ExpectInside(window, kLineBox, "Text1");
  ExpectInside(window, kOutputBox, "Text2");
  ExpectInside(window, kWavyBox, "Check1");
  ExpectInside(window, kGenerateArea, "Label1");
  ExpectInside(window, kClearArea, "Label2");
  ExpectInside(window, kCloseArea, "Label3");
  ExpectInside(window, kFormatArea, "format area");
  ExpectInside(window, kTitleStripe, "title stripe");
  ExpectInside(window, kOutputStripe, "output stripe");
  for (int k = 1; k <= 9; ++k) {
    ExpectInside(window, ColorBar(k), Numbered("HScroll", k));
    ExpectInside(window, BarLetter(k), Numbered("bar letter ", k));
  }
  for (int k = 1; k <= 3; ++k) {
    ExpectInside(window, ColorBox(k), Numbered("Picture", k));
    ExpectInside(window, ColorPanel(k), Numbered("colour panel ", k));
  }
  std::vector<Rect> controls = {kLineBox, kOutputBox, kWavyBox};
  for (int k = 1; k <= 9; ++k) controls.push_back(ColorBar(k));
  for (int k = 1; k <= 3; ++k) controls.push_back(ColorBox(k));
  for (const Rect& label : {kGenerateArea, kClearArea, kCloseArea, kFormatArea}) {
    for (const Rect& control : controls) EXPECT_FALSE(Overlap(label, control));
  }
  for (const Rect& label : {kGenerateArea, kClearArea, kCloseArea})
    EXPECT_FALSE(Overlap(label, kFormatArea));
}

}  // namespace
