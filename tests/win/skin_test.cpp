// The skins drawn into a bitmap: each click area's button face is drawn exactly on it (light
// just inside its left and right edges, the dark plate just outside), and drawing a skin
// gives back every GDI object it made.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "htmlfader/html_fader_layout.h"
#include "htmlfader/html_fader_skin_win.h"
#include "mainwindow/layout.h"
#include "mainwindow/main_skin_win.h"
#include "schemes/scheme_layout.h"
#include "schemes/scheme_skin_win.h"
#include "toolkit/gdi_win.h"

namespace {

using qf::Rect;

// A 32-bit top-down bitmap of the window's size with a skin painted into it.
class Canvas {
 public:
  Canvas(int width, int height, const std::function<void(HDC)>& paint)
      : width_(width), dc_(nullptr) {
    // dc_ is a memory DC compatible with the screen; the DIB gives direct access to pixels.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<const DWORD*>(bits);
    qf::SelectGuard select(dc_.Get(), bitmap_.Get());
    paint(dc_.Get());
    GdiFlush();
  }

  // Brightness 0..255 of pixel (x, y).
  int Luma(int x, int y) const {
    const DWORD p = pixels_[y * width_ + x];
    return static_cast<int>((((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10);
  }

 private:
  int width_;
  qf::MemoryDc dc_;
  qf::GdiBitmap bitmap_;
  const DWORD* pixels_ = nullptr;
};

// The face is light one pixel inside the area's left and right edges at half height, and
// the plate two pixels outside is dark.
void ExpectButtonOn(const Canvas& canvas, const Rect& area) {
  const int y = area.top + area.height / 2;
  EXPECT_GT(canvas.Luma(area.left + 1, y), 150)
      << "no face inside the left edge of x=" << area.left;
  EXPECT_GT(canvas.Luma(area.Right() - 2, y), 150)
      << "no face inside the right edge, x=" << area.left;
  EXPECT_LT(canvas.Luma(area.left - 2, y), 110) << "face spills left of x=" << area.left;
  EXPECT_LT(canvas.Luma(area.Right() + 1, y), 110) << "face spills right, x=" << area.left;
}

TEST(SkinTest, MainWindowButtonsLieUnderTheirClickAreas) {
  using namespace qf::mainwindow;
  const Canvas canvas(kWidth, kHeight, PaintMainSkin);
  for (const Rect& area :
       {kCloseArea, kSendArea, kSendWavyArea, kTrayArea, kMenuArea, kFadesArea}) {
    ExpectButtonOn(canvas, area);
  }
}

TEST(SkinTest, SchemeWindowButtonsLieUnderTheirClickAreas) {
  using namespace qf::schemes;
  const Canvas canvas(kWidth, kHeight, PaintSchemeSkin);
  for (const Rect& area : {kAddArea, kRemoveArea, kHideArea}) ExpectButtonOn(canvas, area);
}

TEST(SkinTest, HtmlFaderButtonsLieUnderTheirClickAreas) {
  using namespace qf::htmlfader;
  const Canvas canvas(kWidth, kHeight, [](HDC dc) { PaintHtmlFaderSkin(dc, u"minimessage"); });
  for (const Rect& area : {kGenerateArea, kClearArea, kCloseArea, kFormatArea})
    ExpectButtonOn(canvas, area);
}

TEST(SkinTest, PaintingGivesBackItsGdiObjects) {
  auto count = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
  // The first round may create lasting objects (stock fonts, caches); later ones must not.
  const auto paintAll = [] {
    Canvas(qf::mainwindow::kWidth, qf::mainwindow::kHeight, qf::mainwindow::PaintMainSkin);
    Canvas(qf::schemes::kWidth, qf::schemes::kHeight, qf::schemes::PaintSchemeSkin);
    Canvas(qf::htmlfader::kWidth, qf::htmlfader::kHeight,
           [](HDC dc) { qf::htmlfader::PaintHtmlFaderSkin(dc, u"aol"); });
  };
  paintAll();
  const DWORD before = count();
  for (int i = 0; i < 3; ++i) paintAll();
  EXPECT_EQ(count(), before);
}

}  // namespace
