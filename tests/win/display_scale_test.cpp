// The windows at the display's scale: run by the normal suite at 96 dpi, and by
// tests/scales/scales_test.sh once per scale (96, 120, 144, 192) with the Wine prefix's
// LogPixels set and QF_EXPECT_DPI naming the scale the windows must take.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/program_win.h"
#include "chrome/skin_art_win.h"
#include "htmlfader/html_fader_layout.h"
#include "mainwindow/layout.h"
#include "schemes/scheme_layout.h"
#include "toolkit/dpi_win.h"
#include "toolkit_test_support.h"

namespace {

namespace fs = std::filesystem;
using qf::Rect;
using qf::RoundedRect;
using qf::Scale;

// A program of the test's own (its scheme folder empty), with its three skinned windows made.
class DisplayScaleTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("qf-scale-" + std::to_string(GetCurrentProcessId()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    program_ = std::make_unique<qf::Program>(nullptr, folder_.u16string());
    program_->mainForm.Show();  // as at start-up; its tips come with the first showing
    program_->htmlFaderForm.Load();
    program_->schemeForm.Load();
  }
  void TearDown() override {
    program_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path folder_;
  std::unique_ptr<qf::Program> program_;
};

struct WindowUnderTest {
  const char* name;
  qf::Form& form;
  int width;
  int height;
  std::span<const RoundedRect> outline;
};

std::vector<WindowUnderTest> Windows(qf::Program& program) {
  return {{"main", program.mainForm, qf::mainwindow::kWidth, qf::mainwindow::kHeight,
           qf::mainwindow::kOutline},
          {"HTML fader", program.htmlFaderForm, qf::htmlfader::kWidth, qf::htmlfader::kHeight,
           qf::htmlfader::kOutline},
          {"schemes", program.schemeForm, qf::schemes::kWidth, qf::schemes::kHeight,
           qf::schemes::kOutline}};
}

// The number of pixels in a region, and its bounding box.
long RegionArea(HRGN region) {
  const DWORD bytes = GetRegionData(region, 0, nullptr);
  std::vector<char> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (bytes == 0 || GetRegionData(region, bytes, data) == 0) return 0;
  long area = 0;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    area += static_cast<long>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  }
  return area;
}

qf::GdiRegion OutlineRegion(std::span<const RoundedRect> pieces) {
  qf::GdiRegion shape{CreateRectRgn(0, 0, 0, 0)};
  for (const RoundedRect& r : pieces) {
    qf::GdiRegion piece{
        CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipseWidth, r.ellipseHeight)};
    CombineRgn(shape.Get(), shape.Get(), piece.Get(), RGN_OR);
  }
  return shape;
}

// A child window's rectangle in its parent's client pixels.
Rect ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int FontHeight(HWND control) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return metrics.tmHeight;
}

// Finds the tool tip window owned by data[1] and puts it in data[0].
BOOL CALLBACK FindToolTips(HWND window, LPARAM data) {
  auto* pair = reinterpret_cast<HWND*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(window, GW_OWNER) == pair[1]) {
    pair[0] = window;
  }
  return TRUE;
}

// The rectangles of the tools of the tool tip window owned by `owner`.
std::vector<Rect> ToolRects(HWND owner) {
  std::array<HWND, 2> found{nullptr, owner};
  EnumThreadWindows(GetCurrentThreadId(), &FindToolTips, reinterpret_cast<LPARAM>(found.data()));
  std::vector<Rect> rects;
  if (found[0] == nullptr) return rects;
  const auto count = SendMessageW(found[0], TTM_GETTOOLCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!SendMessageW(found[0], TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info))) continue;
    rects.push_back({info.rect.left, info.rect.top, info.rect.right - info.rect.left,
                     info.rect.bottom - info.rect.top});
  }
  return rects;
}

TEST_F(DisplayScaleTest, WindowsTakeTheDisplaysScale) {
  const int dpi = qf::WindowDpi(program_->mainForm.Handle());
  if (const char* expected = std::getenv("QF_EXPECT_DPI")) {
    EXPECT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not reach the window";
  }
  for (const WindowUnderTest& window : Windows(*program_)) {
    EXPECT_EQ(window.form.Scaling().dpi, dpi) << window.name;
  }
}

// Each window's size and region are the 96-dpi ones times the scale (within a pixel; the
// region's area within the rounding of its edges).
TEST_F(DisplayScaleTest, WindowSizeAndRegionFollowTheScale) {
  for (const WindowUnderTest& window : Windows(*program_)) {
    const Scale& scale = window.form.Scaling();
    const double f = scale.Factor();
    RECT placed{};
    GetWindowRect(window.form.Handle(), &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    std::printf("%s window at %d dpi: %d x %d at (%ld, %ld)\n", window.name, scale.dpi, width,
                height, placed.left, placed.top);
    EXPECT_NEAR(width, window.width * f, 1.0) << window.name;
    EXPECT_NEAR(height, window.height * f, 1.0) << window.name;

    qf::GdiRegion region{CreateRectRgn(0, 0, 0, 0)};
    ASSERT_NE(GetWindowRgn(window.form.Handle(), region.Get()), ERROR) << window.name;
    qf::GdiRegion original = OutlineRegion(window.outline);
    RECT box{};
    RECT originalBox{};
    GetRgnBox(region.Get(), &box);
    GetRgnBox(original.Get(), &originalBox);
    EXPECT_NEAR(box.left, originalBox.left * f, 1.0) << window.name;
    EXPECT_NEAR(box.top, originalBox.top * f, 1.0) << window.name;
    EXPECT_NEAR(box.right, originalBox.right * f, 1.0) << window.name;
    EXPECT_NEAR(box.bottom, originalBox.bottom * f, 1.0) << window.name;
    const double area = static_cast<double>(RegionArea(region.Get()));
    const double expected = RegionArea(original.Get()) * f * f;
    EXPECT_NEAR(area / expected, 1.0, 0.02) << window.name;
  }
}

// Every control is where its layout rectangle maps to, inside the window's outline (the
// plates are the outline's pieces), and the skin's well is drawn around the boxes that sit in
// one: the pixel just left of the box is the well's shadow or floor, the one just right of it
// its lit edge or floor.
TEST_F(DisplayScaleTest, ControlsLieOnTheirDrawnPlates) {
  for (const WindowUnderTest& window : Windows(*program_)) {
    HWND hwnd = window.form.Handle();
    qf::GdiRegion region{CreateRectRgn(0, 0, 0, 0)};
    ASSERT_NE(GetWindowRgn(hwnd, region.Get()), ERROR);
    const RECT client{0, 0, window.form.Scaling().Px(window.width),
                      window.form.Scaling().Px(window.height)};
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const Rect r = ChildRect(child);
      // The hidden buffers below the visible area are not on any plate.
      if (r.top >= client.bottom) continue;
      for (const POINT corner :
           {POINT{r.left, r.top}, POINT{r.Right() - 1, r.top}, POINT{r.left, r.Bottom() - 1},
            POINT{r.Right() - 1, r.Bottom() - 1}}) {
        EXPECT_TRUE(PtInRegion(region.Get(), corner.x, corner.y))
            << window.name << " control at " << r.left << "," << r.top << " " << r.width << "x"
            << r.height;
      }
    }
  }
  qf::MainForm& main = program_->mainForm;
  EXPECT_EQ(ChildRect(main.lineBox.Handle()), main.Scaling().Map(qf::mainwindow::kLineBox));
  std::vector<qf::Control*> inWells = {&main.lineBox, &main.previewStrip,
                                       &program_->htmlFaderForm.lineBox,
                                       &program_->htmlFaderForm.outputBox};
  for (int k = 1; k <= 10; ++k) inWells.push_back(&main.ColorBox(k));
  for (qf::Control* control : inWells) {
    const Rect placed = control->PlacedBounds();
    HDC skin = control->Parent().SkinDc();
    const int middle = placed.top + placed.height / 2;
    const COLORREF left = GetPixel(skin, placed.left - 1, middle);
    const COLORREF right = GetPixel(skin, placed.Right(), middle);
    EXPECT_TRUE(left == qf::art::kEdge || left == qf::art::kWell)
        << "left of the box at " << placed.left << "," << placed.top;
    EXPECT_TRUE(right == qf::art::kCyanDim || right == qf::art::kWell)
        << "right of the box at " << placed.left << "," << placed.top;
  }
}

// A line typed into a text field fits its box; list entries are at least as tall as their
// letters; the click areas' tips cover the mapped areas.
TEST_F(DisplayScaleTest, TextFitsAndListsAndTipsAreLegible) {
  for (qf::TextBox* box : {&program_->mainForm.lineBox, &program_->htmlFaderForm.lineBox}) {
    RECT inside{};
    GetClientRect(box->Handle(), &inside);
    EXPECT_LE(FontHeight(box->Handle()), inside.bottom - inside.top);
    // The font grows with the scale: 9 points are 12 pixels at 96 dpi.
    EXPECT_GE(FontHeight(box->Handle()), box->Parent().Scaling().Px(12) - 1);
  }
  HWND list = program_->schemeForm.schemeList.Handle();
  program_->schemeForm.schemeList.AddItem(u"Sunset Gjy");
  const auto itemHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  EXPECT_GE(itemHeight, FontHeight(list));

  // The main window's tips: one tool per click area with a tip, at the mapped rectangle.
  const std::vector<Rect> tips = ToolRects(program_->mainForm.Handle());
  EXPECT_FALSE(tips.empty());
  const Rect send = program_->mainForm.Scaling().Map(qf::mainwindow::kSendArea);
  EXPECT_NE(std::find(tips.begin(), tips.end(), send), tips.end()) << "no tip on SEND's area";
}

// The focus ring lies around what has the keyboard, its outer and inner edges where the scale
// maps the 96-dpi ones: around SEND (Tab from the line) and around a colour square.
TEST_F(DisplayScaleTest, TheFocusRingHugsWhatHasTheKeyboard) {
  qf::MainForm& main = program_->mainForm;
  HWND hwnd = main.Handle();
  auto ringAround = [&](const Rect& around) -> testing::AssertionResult {
    UpdateWindow(hwnd);
    const Rect outer = main.Scaling().Map(around.Inflate(qf::kFocusRingWidth));
    const Rect inner = main.Scaling().Map(around);
    const int x = inner.left + inner.width / 2;
    const int y = inner.top + inner.height / 2;
    HDC dc = GetDC(hwnd);
    std::string wrong;
    for (const POINT band :
         {POINT{outer.left, y}, POINT{inner.left - 1, y}, POINT{inner.Right(), y},
          POINT{outer.Right() - 1, y}, POINT{x, outer.top}, POINT{x, inner.top - 1},
          POINT{x, inner.Bottom()}, POINT{x, outer.Bottom() - 1}}) {
      if (GetPixel(dc, band.x, band.y) != qf::art::kCyan) {
        wrong += " no ring at " + std::to_string(band.x) + "," + std::to_string(band.y);
      }
    }
    for (const POINT outside : {POINT{outer.left - 1, y}, POINT{x, outer.top - 1}}) {
      if (GetPixel(dc, outside.x, outside.y) == qf::art::kCyan) {
        wrong += " ring at " + std::to_string(outside.x) + "," + std::to_string(outside.y);
      }
    }
    ReleaseDC(hwnd, dc);
    if (wrong.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at " << main.Scaling().dpi << " dpi:" << wrong;
  };
  SetForegroundWindow(hwnd);
  main.lineBox.SetFocus();
  qf::test::PostKey(main.lineBox.Handle(), VK_TAB);
  qf::test::PumpFor(50);
  ASSERT_EQ(main.FocusedLabel(), &main.sendArea);
  EXPECT_TRUE(ringAround(qf::mainwindow::kSendArea)) << "SEND";
  SetFocus(main.colorBox1.Handle());
  EXPECT_TRUE(ringAround(qf::mainwindow::ColorBox(1))) << "colour square 1";
}

// WM_DPICHANGED (the window moved to a monitor with another scale; Wine never sends it, so
// the test does): the window takes the suggested rectangle, its controls, fonts, click areas
// and outline follow; and back again.
TEST_F(DisplayScaleTest, DpiChangeRelaysTheWindowOut) {
  qf::MainForm& main = program_->mainForm;
  HWND hwnd = main.Handle();
  const int before = main.Scaling().dpi;
  const int fontBefore = FontHeight(main.lineBox.Handle());
  const int other = before == 192 ? 96 : 192;
  const Scale target{other};
  RECT suggested{40, 30, 40 + target.Px(qf::mainwindow::kWidth),
                 30 + target.Px(qf::mainwindow::kHeight)};
  main.numberedBox2.SetValue(1);
  ASSERT_TRUE(qf::test::PumpUntil([&] { return main.PreviewDraws() > 0; }));
  const int drawn = main.PreviewDraws();
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_TRUE(qf::test::PumpUntil([&] { return main.PreviewDraws() > drawn; }))
      << "the preview, remade at the new size, is not drawn again";

  EXPECT_EQ(main.Scaling().dpi, other);
  RECT placed{};
  GetWindowRect(hwnd, &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.right - placed.left, target.Px(qf::mainwindow::kWidth));
  EXPECT_EQ(ChildRect(main.lineBox.Handle()), target.Map(qf::mainwindow::kLineBox));
  EXPECT_EQ(ChildRect(main.ColorBox(7).Handle()), target.Map(qf::mainwindow::ColorBox(7)));
  const std::vector<Rect> tips = ToolRects(hwnd);
  EXPECT_NE(std::find(tips.begin(), tips.end(), target.Map(qf::mainwindow::kSendArea)), tips.end())
      << "SEND's tip did not move with it";
  if (other > before) {
    EXPECT_GT(FontHeight(main.lineBox.Handle()), fontBefore);
  } else {
    EXPECT_LT(FontHeight(main.lineBox.Handle()), fontBefore);
  }
  qf::GdiRegion region{CreateRectRgn(0, 0, 0, 0)};
  ASSERT_NE(GetWindowRgn(hwnd, region.Get()), ERROR);
  RECT box{};
  GetRgnBox(region.Get(), &box);
  EXPECT_NEAR(box.right, target.Px(qf::mainwindow::kOutline[3].right), 2.0);
  // The skin is drawn again at the new size.
  BITMAP skin{};
  GetObjectW(GetCurrentObject(main.SkinDc(), OBJ_BITMAP), sizeof(skin), &skin);
  EXPECT_EQ(skin.bmWidth, target.Px(qf::mainwindow::kWidth));

  // And back: everything as it was made.
  const Scale original{before};
  RECT back{40, 30, 40 + original.Px(qf::mainwindow::kWidth),
            30 + original.Px(qf::mainwindow::kHeight)};
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(before, before), reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(ChildRect(main.lineBox.Handle()), original.Map(qf::mainwindow::kLineBox));
  EXPECT_EQ(FontHeight(main.lineBox.Handle()), fontBefore);
}

}  // namespace
