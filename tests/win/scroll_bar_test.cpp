// The skinned scroll bars driven with the real mouse and keyboard (input injected into Wine's
// queue, so hit testing, capture and focus are the system's): arrows, track, a dragged thumb,
// a held arrow, the keys; the values and change events that come of it, and what is drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "chrome/skin_art_win.h"
#include "chrome/slider_art_win.h"
#include "toolkit/toolkit_win.h"
#include "toolkit_test_support.h"

namespace {

using qf::ScrollBarFace;
using qf::test::PumpFor;
using qf::test::PumpUntil;

// The main window's R slider and the HTML fader's first bar, in the skins' look, beside a text
// box that has the keyboard first.
class SliderForm : public qf::Form {
 public:
  SliderForm() : Form({.caption = u"Sliders", .width = 240, .height = 200, .left = 60, .top = 60}) {
    VScroll1.onChange = [this] { vertical.push_back(VScroll1.Value()); };
    HScroll1.onChange = [this] { horizontal.push_back(HScroll1.Value()); };
  }

  std::vector<int> vertical;
  std::vector<int> horizontal;

  qf::TextBox Text1{*this, {10, 10, 100, 19}};
  qf::VScrollBar VScroll1{
      *this, {168, 112, 9, 57}, {.max = 255, .painter = &qf::art::PaintScrollBar}};
  qf::HScrollBar HScroll1{
      *this, {40, 104, 49, 9}, {.max = 255, .painter = &qf::art::PaintScrollBar}};
};

// Where `along` and `across` (pixels along and across the bar) lie on the screen.
POINT OnScreen(HWND bar, bool vertical, int along, int across) {
  POINT p = vertical ? POINT{across, along} : POINT{along, across};
  ClientToScreen(bar, &p);
  return p;
}

void SendMouse(DWORD flags, POINT at = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Rounded up: the system scales back by the screen's size and rounds down.
    const long width = GetSystemMetrics(SM_CXSCREEN);
    const long height = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (at.x * 65536L + width - 1) / width;
    in.mi.dy = (at.y * 65536L + height - 1) / height;
  }
  SendInput(1, &in, sizeof in);
}

void MoveTo(POINT at) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
  PumpFor(20);
}
void Press() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void Release() { SendMouse(MOUSEEVENTF_LEFTUP); }
void ClickAt(POINT at) {
  MoveTo(at);
  Press();
  Release();
  PumpFor(60);
}

void Key(WORD key) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = key;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
  PumpFor(40);
}

// Brightness of the bar's pixel at (along, across), as painted (the window's own pixels: the
// screen may show them a moment later).
int Brightness(HWND bar, bool vertical, int along, int across) {
  UpdateWindow(bar);
  HDC dc = GetDC(bar);
  const COLORREF color = vertical ? GetPixel(dc, across, along) : GetPixel(dc, along, across);
  ReleaseDC(bar, dc);
  return GetRValue(color) + GetGValue(color) + GetBValue(color);
}

int AlongStart(const qf::Rect& r, bool vertical) { return vertical ? r.top : r.left; }
int AlongMiddle(const qf::Rect& r, bool vertical) {
  return vertical ? r.top + r.height / 2 : r.left + r.width / 2;
}

// One bar through arrows, track, a drag, a held arrow and the keys. `seen` collects its
// change events.
void DriveBar(SliderForm& form, qf::ScrollBar& bar, const std::vector<int>& seen, bool vertical) {
  HWND hwnd = bar.Handle();
  const int across = 4;
  auto at = [&](int along) { return OnScreen(hwnd, vertical, along, across); };
  ScrollBarFace face = bar.Face();
  const int thickness = vertical ? face.bar.width : face.bar.height;
  ASSERT_EQ(thickness, 9);

  // The more arrow, then the less arrow: one step each, one event each, and the bar has the
  // keyboard from the first click on (the text box had it before).
  ASSERT_EQ(GetFocus(), form.Text1.Handle());
  ClickAt(at(AlongMiddle(face.moreArrow, vertical)));
  EXPECT_TRUE(PumpUntil([&] { return bar.Value() == 1; }, 2000));
  EXPECT_EQ(GetFocus(), hwnd);
  ClickAt(at(AlongMiddle(face.lessArrow, vertical)));
  EXPECT_TRUE(PumpUntil([&] { return bar.Value() == 0; }, 2000));
  // Quick clicks are separate clicks, not lost as double clicks.
  for (int i = 0; i < 4; ++i) ClickAt(at(AlongMiddle(face.moreArrow, vertical)));
  EXPECT_TRUE(PumpUntil([&] { return bar.Value() == 4; }, 2000));
  EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 2, 3, 4}));

  // The track past the thumb: one large change (1).
  face = bar.Face();
  ClickAt(at(AlongStart(face.moreArrow, vertical) - 2));
  EXPECT_TRUE(PumpUntil([&] { return bar.Value() == 5; }, 2000));
  ASSERT_EQ(seen.size(), 7u);

  // The thumb dragged 15 pixels: it follows the mouse, the value waits for the release.
  face = bar.Face();
  const int grab = AlongMiddle(face.thumb, vertical);
  const int startBefore = AlongStart(face.thumb, vertical);
  MoveTo(at(grab));
  Press();
  for (int step = 1; step <= 5; ++step) MoveTo(at(grab + 3 * step));
  EXPECT_EQ(AlongStart(bar.Face().thumb, vertical), startBefore + 15);
  EXPECT_EQ(bar.Value(), 5);
  EXPECT_EQ(seen.size(), 7u);
  Release();
  EXPECT_TRUE(PumpUntil([&] { return seen.size() == 8u; }, 2000));
  const qf::ScrollLayout layout = qf::LayOutScrollBar(vertical ? 57 : 49, 9);
  EXPECT_EQ(bar.Value(), layout.ValueAt({0, 255, 0}, startBefore + 15));
  EXPECT_EQ(seen.back(), bar.Value());
  EXPECT_EQ(GetScrollPos(hwnd, SB_CTL), bar.Value());
  // Anyone asking the system where the thumb is gets this bar's own answer.
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_CLIENT, &info));
  EXPECT_EQ(info.xyThumbTop, AlongStart(bar.Face().thumb, vertical));
  EXPECT_EQ(info.dxyLineButton, 9);

  // Dragged past the end and off the bar sideways: the maximum, once.
  face = bar.Face();
  MoveTo(at(AlongMiddle(face.thumb, vertical)));
  Press();
  MoveTo(OnScreen(hwnd, vertical, 200, 40));
  Release();
  EXPECT_TRUE(PumpUntil([&] { return seen.size() == 9u; }, 2000));
  EXPECT_EQ(bar.Value(), 255);

  // A held arrow repeats, one change each, and stops at the release.
  bar.SetValue(100);
  const std::size_t before = seen.size();
  MoveTo(at(AlongMiddle(face.lessArrow, vertical)));
  Press();
  PumpFor(900);
  Release();
  PumpFor(100);
  const int held = 100 - bar.Value();
  EXPECT_GE(held, 4);
  EXPECT_EQ(seen.size(), before + static_cast<std::size_t>(held));
  PumpFor(200);
  EXPECT_EQ(bar.Value(), 100 - held);

  // The keys, while it has the keyboard: arrows step, Home and End go to the ends.
  ASSERT_EQ(GetFocus(), hwnd);
  bar.SetValue(50);
  Key(vertical ? VK_DOWN : VK_RIGHT);
  EXPECT_EQ(bar.Value(), 51);
  Key(vertical ? VK_UP : VK_LEFT);
  Key(vertical ? VK_UP : VK_LEFT);
  EXPECT_EQ(bar.Value(), 49);
  Key(VK_NEXT);
  EXPECT_EQ(bar.Value(), 50);
  Key(VK_END);
  EXPECT_EQ(bar.Value(), 255);
  Key(VK_HOME);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(seen.back(), 0);

  // What shows: at 0 the track is dark beyond the thumb; at 255 the fill lights it, and the
  // thumb is the brightest part wherever it is.
  face = bar.Face();
  const int middle = AlongMiddle(face.track, vertical);
  const int dark = Brightness(hwnd, vertical, middle, thickness / 2);
  bar.SetValue(255);
  const int lit = Brightness(hwnd, vertical, middle, thickness / 2);
  EXPECT_LT(dark, 100);
  EXPECT_GT(lit, 400);
  const ScrollBarFace full = bar.Face();
  EXPECT_GT(Brightness(hwnd, vertical, AlongStart(full.thumb, vertical) + 1, 3), lit);
}

TEST(ScrollBarInput, AVerticalSliderFollowsMouseAndKeys) {
  SliderForm form;
  form.Show();
  PumpFor(100);
  DriveBar(form, form.VScroll1, form.vertical, true);
  EXPECT_TRUE(form.horizontal.empty());
}

TEST(ScrollBarInput, AHorizontalSliderFollowsMouseAndKeys) {
  SliderForm form;
  form.Show();
  PumpFor(100);
  DriveBar(form, form.HScroll1, form.horizontal, false);
  EXPECT_TRUE(form.vertical.empty());
}

}  // namespace
