// The tag renderer on GDI: a picture box's image and a rectangle of a plain memory DC, read back
// pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gdi_canvas_win.h"
#include "preview/picture_box_canvas_win.h"
#include "preview/render_tags.h"
#include "toolkit/toolkit_win.h"
#include "toolkit_test_support.h"

namespace {

using qf::ColorRgb;

class PreviewForm : public qf::Form {
 public:
  PreviewForm()
      : Form({.caption = u"Preview test", .width = 300, .height = 60, .left = 20, .top = 20}) {}
  qf::PictureBox Picture11{*this, {10, 10, 257, 22}};
};

// The columns [from, to) of the first pixel row in which `dc` shows `colour`, within `area`.
struct Span {
  int from = -1;
  int to = -1;
  int top = -1;
};
Span Find(HDC dc, const RECT& area, COLORREF color) {
  Span span;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (GetPixel(dc, x, y) != color) continue;
      if (span.top < 0) span.top = y;
      if (span.from < 0 || x < span.from) span.from = x;
      span.to = std::max(span.to, x + 1);
    }
  }
  return span;
}

TEST(PreviewCanvas, APictureBoxShowsTheColorsAndKeepsTheLastFontProperties) {
  PreviewForm form;
  form.Show();
  qf::PictureBox& box = form.Picture11;
  qf::PictureBoxCanvas canvas(box);
  // Two full blocks, green then bold red, then a face tag.
  qf::RenderTags(canvas,
                 u"<Font Color=#00FF00>\u2588<b><Font Color=#FF0000>\u2588"
                 u"<font face=\"Courier New\">");
  const RECT all{0, 0, box.ImageWidth(), box.ImageHeight()};
  const Span green = Find(box.ImageDc(), all, RGB(0, 255, 0));
  const Span red = Find(box.ImageDc(), all, RGB(255, 0, 0));
  EXPECT_EQ(green.from, 2) << "left margin";
  EXPECT_GT(red.from, green.from);
  EXPECT_GE(red.from, green.to - 1) << "the second block starts where the first ends";
  EXPECT_EQ(box.FontName(), u"courier new");
  EXPECT_TRUE(box.FontStyles().bold);
  EXPECT_EQ(box.ForeColor(), ColorRgb(255, 0, 0));

  // The next call starts from the reset state and a cleared box.
  qf::RenderTags(canvas, u"");
  EXPECT_EQ(Find(box.ImageDc(), all, RGB(255, 0, 0)).from, -1);
  EXPECT_EQ(box.FontName(), u"Arial");
  EXPECT_FALSE(box.FontStyles().bold);
  EXPECT_EQ(box.ForeColor(), 0);
  EXPECT_TRUE(qf::test::PumpUntil([&] {
    HDC screen = GetDC(box.Handle());
    const COLORREF pixel = GetPixel(screen, 3, 5);
    ReleaseDC(box.Handle(), screen);
    return pixel == RGB(0, 0, 0);
  }));
}

TEST(PreviewCanvas, ADeviceContextRectangleIsClearedClippedAndGetsItsFontBack) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 60);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const RECT everything{0, 0, 200, 60};
  SetBkColor(dc, RGB(0, 0, 255));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &everything, nullptr, 0, nullptr);

  qf::GdiCanvas canvas;
  const RECT row{20, 20, 180, 40};
  canvas.SetTarget(dc, row, {30, 22}, 0xFFFFFF);
  const HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
  // A red block, a raised green block, then a second line that falls mostly below the row.
  qf::RenderTags(canvas,
                 u"<font color=#ff0000>\u2588<sup><font color=#00ff00>\u2588\r\u2588\u2588\u2588");
  EXPECT_EQ(GetPixel(dc, 25, 21), RGB(255, 255, 255)) << "the row is cleared";
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 255)) << "outside it is not";
  const Span plain = Find(dc, row, RGB(255, 0, 0));
  const Span raised = Find(dc, row, RGB(0, 255, 0));
  EXPECT_EQ(plain.from, 32) << "left margin from the origin";
  EXPECT_EQ(raised.top, plain.top - 1) << "sup raises by one pixel";
  EXPECT_EQ(Find(dc, {0, 40, 200, 60}, RGB(0, 255, 0)).from, -1) << "the second line is clipped";

  // Forty faces with all styles (more fonts than are kept): drawing goes on, and at the end
  // the DC gets its own font back.
  std::u16string faces;
  for (int i = 0; i < 40; ++i) {
    faces += u"<font face=\"Face" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
             std::u16string(1, static_cast<char16_t>(u'a' + i / 26)) + u"\"><b>x</b><i>y</i><u>z";
  }
  for (int round = 0; round < 3; ++round) qf::RenderTags(canvas, faces);
  EXPECT_NE(Find(dc, row, RGB(0, 0, 0)).from, -1);
  EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), ownFont);
  canvas.Detach();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
