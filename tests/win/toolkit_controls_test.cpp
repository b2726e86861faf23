// The toolkit's check box, scroll bars, picture box, list box and timer, driven through real
// window messages under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit_test_forms.h"
#include "toolkit_test_support.h"

namespace {

using qf::ColorRgb;
using qf::test::At;
using qf::test::Click;
using qf::test::PostText;
using qf::test::PumpFor;
using qf::test::PumpUntil;
using qf::test::TestForm;

TEST(ToolkitCheckBox, ClickToggleAndValueSetByCodeRaiseClickWithTheNewValue) {
  TestForm form;
  form.Show();
  form.Check1.SetValue(1);
  form.Check1.SetValue(1);  // the same value: no event
  ASSERT_EQ(form.checkValuesSeen, (std::vector<int>{1}));
  // A user's click (BM_CLICK presses it like the mouse does) toggles it.
  SendMessageW(form.Check1.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Check1.Value(), 0);
  EXPECT_EQ(SendMessageW(form.Check1.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(form.Check1.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.checkValuesSeen, (std::vector<int>{1, 0, 1}));
  // Grayed, and a click from grayed ticks it.
  form.Check1.SetValue(2);
  EXPECT_EQ(SendMessageW(form.Check1.Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessageW(form.Check1.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Check1.Value(), 1);
  // The push-like box is a button that stays down while ticked.
  EXPECT_TRUE(GetWindowLongW(form.Check2.Handle(), GWL_STYLE) & BS_PUSHLIKE);
  form.Check2.SetValue(1);
  EXPECT_TRUE(SendMessageW(form.Check2.Handle(), BM_GETSTATE, 0, 0) & BST_CHECKED);
}

TEST(ToolkitCheckBox, TheSkinShowsBehindATinyBox) {
  TestForm form;
  form.Show();
  HWND box = form.Check1.Handle();
  HDC dc = GetDC(box);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form.Handle(), WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(box)));
  EXPECT_EQ(brush, form.SkinBrush());
  ASSERT_NE(brush, nullptr);
  POINT origin{};
  GetBrushOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, -10);
  EXPECT_EQ(origin.y, -40);
  ReleaseDC(box, dc);
}

TEST(ToolkitScrollBar, ChangeComesOnlyOnACompletedChange) {
  TestForm form;
  form.Show();
  HWND bar = form.VScroll1.Handle();
  auto scroll = [&](int code, int position = 0) {
    SendMessageW(form.Handle(), WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(bar));
  };
  scroll(SB_LINEDOWN);
  EXPECT_EQ(form.VScroll1.Value(), 1);
  scroll(SB_THUMBTRACK, 100);  // dragging: nothing yet
  scroll(SB_THUMBTRACK, 120);
  EXPECT_EQ(form.VScroll1.Value(), 1);
  scroll(SB_THUMBPOSITION, 120);  // released
  EXPECT_EQ(form.VScroll1.Value(), 120);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 120);
  scroll(SB_ENDSCROLL);
  scroll(SB_PAGEUP);
  EXPECT_EQ(form.VScroll1.Value(), 119);  // large change 1
  scroll(SB_BOTTOM);
  scroll(SB_LINEDOWN);  // already at the bottom: no change, no event
  EXPECT_EQ(form.VScroll1.Value(), 255);
  scroll(SB_TOP);
  scroll(SB_LINEUP);
  EXPECT_EQ(form.VScroll1.Value(), 0);
  EXPECT_EQ(form.scrollValuesSeen, (std::vector<int>{1, 120, 119, 255, 0}));

  // 0 at the top: the range runs downwards.
  SCROLLINFO info{sizeof(info), SIF_RANGE, 0, 0, 0, 0, 0};
  GetScrollInfo(bar, SB_CTL, &info);
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 255);

  // A horizontal bar reports by WM_HSCROLL.
  SendMessageW(form.Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
               reinterpret_cast<LPARAM>(form.HScroll1.Handle()));
  EXPECT_EQ(form.HScroll1.Value(), 1);
  EXPECT_EQ(form.hscrollChanges, 1);
}

TEST(ToolkitScrollBar, AClickOnTheArrowOfANinePixelBarMovesIt) {
  TestForm form;
  form.Show();
  HWND bar = form.VScroll1.Handle();
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_EQ(client.right, 9);
  // The lower arrow, pressed and released as the mouse would.
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(4, client.bottom - 2));
  PostMessageW(bar, WM_LBUTTONUP, 0, At(4, client.bottom - 2));
  EXPECT_TRUE(PumpUntil([&] { return form.VScroll1.Value() == 1; }, 2000));
  PumpFor(50);
  EXPECT_EQ(form.VScroll1.Value(), 1);
}

TEST(ToolkitScrollBar, DraggingTheThumbChangesOnceOnRelease) {
  TestForm form;
  form.Show();
  HWND bar = form.VScroll1.Handle();
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(bar, OBJID_CLIENT, &info));
  const int thumb = (info.xyThumbTop + info.xyThumbBottom) / 2;
  // Press on the thumb, drag it down in steps, release: the thumb moves all along, but the
  // value changes (and onChange comes) once, at the release.
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(4, thumb));
  for (int step = 1; step <= 5; ++step) {
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(4, thumb + 3 * step));
  }
  PostMessageW(bar, WM_LBUTTONUP, 0, At(4, thumb + 15));
  EXPECT_TRUE(PumpUntil([&] { return !form.scrollValuesSeen.empty(); }, 2000));
  PumpFor(50);
  ASSERT_EQ(form.scrollValuesSeen.size(), 1u);
  EXPECT_GT(form.VScroll1.Value(), 0);
  EXPECT_EQ(form.scrollValuesSeen[0], form.VScroll1.Value());
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), form.VScroll1.Value());
}

TEST(ToolkitPictureBox, BackColorRoundTripsAndTheImageSurvivesARepaint) {
  TestForm form;
  form.Show();
  qf::PictureBox& box = form.Picture1;
  box.SetBackColor(ColorRgb(255, 0, 0));
  EXPECT_EQ(box.BackColor(), ColorRgb(255, 0, 0));
  EXPECT_EQ(GetPixel(box.ImageDc(), 5, 5), RGB(255, 0, 0));
  // A white block drawn with a big bold font.
  box.SetFontName(u"Arial");
  box.SetFontSize(14);
  box.SetFontBold(true);
  box.SetForeColor(ColorRgb(255, 255, 255));
  const int width = box.TextWidth(u"\u2588");
  EXPECT_GT(width, 0);
  EXPECT_GT(box.TextWidth(u"WW"), box.TextWidth(u"W"));
  box.PrintText(0, 0, u"\u2588");
  PumpFor(30);  // painted once
  // More drawing while the form is hidden (as in the tray); shown again, the window is
  // painted from the image, without any Refresh.
  form.Hide();
  PumpFor(30);
  box.PrintText(width, 0, u"\u2588\u2588");
  form.Show();
  PumpFor(50);
  HDC dc = GetDC(box.Handle());
  bool anyWhite = false;
  for (int x = width; x < box.ImageWidth() && !anyWhite; ++x) {
    for (int y = 0; y < box.ImageHeight(); ++y) {
      if (GetPixel(dc, x, y) == RGB(255, 255, 255)) {
        anyWhite = true;
        break;
      }
    }
  }
  EXPECT_TRUE(anyWhite);
  EXPECT_EQ(GetPixel(dc, box.ImageWidth() - 1, box.ImageHeight() - 1), RGB(255, 0, 0));
  ReleaseDC(box.Handle(), dc);
  // Cls clears to the back colour; setting the back colour clears too.
  box.Cls();
  EXPECT_EQ(GetPixel(box.ImageDc(), 2, 2), RGB(255, 0, 0));
  box.SetBackColor(ColorRgb(0, 0, 0));
  EXPECT_EQ(GetPixel(box.ImageDc(), 2, 2), RGB(0, 0, 0));
}

TEST(ToolkitPictureBox, ClickAndDoubleClick) {
  TestForm form;
  form.Show();
  HWND box = form.Picture1.Handle();
  Click(box, 5, 5);
  Click(box, 5, 5, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(form.pictureClicks, 1);
  EXPECT_EQ(form.pictureDblClicks, 1);
  EXPECT_EQ(form.clicks, 0);  // not the form's
  EXPECT_TRUE(form.downs.empty());
}

TEST(ToolkitListBox, SelectionChangesRaiseClick) {
  TestForm form;
  for (const char16_t* name : {u"Sunset", u"Ocean", u"Forest"}) form.List1.AddItem(name);
  form.Show();
  HWND list = form.List1.Handle();
  EXPECT_EQ(form.List1.ListIndex(), -1);
  EXPECT_EQ(form.List1.Text(), u"");
  form.List1.SetListIndex(1);
  form.List1.SetListIndex(1);  // unchanged: no event
  EXPECT_EQ(form.listIndexesSeen, (std::vector<int>{1}));
  // The user clicks the third entry.
  const auto itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, 5, itemHeight * 2 + itemHeight / 2);
  EXPECT_EQ(form.List1.ListIndex(), 2);
  EXPECT_EQ(form.listIndexesSeen.back(), 2);
  EXPECT_EQ(form.List1.Text(), u"Forest");
  // Removing the selected entry leaves nothing selected; others keep their place.
  form.List1.RemoveItem(2);
  EXPECT_EQ(form.List1.ListIndex(), -1);
  EXPECT_EQ(form.List1.ListCount(), 2);
  form.List1.SetListIndex(1);
  form.List1.RemoveItem(0);
  EXPECT_EQ(form.List1.ListIndex(), 0);
  EXPECT_EQ(form.List1.Text(), u"Ocean");
  form.List1.RemoveItem(5);  // out of range: ignored
  EXPECT_EQ(form.List1.ListCount(), 1);
  form.List1.Clear();
  EXPECT_EQ(form.List1.ListCount(), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(form.List1.List(0), u"");
  // Unsorted: entries stay in the order they were added.
  form.List1.AddItem(u"b");
  form.List1.AddItem(u"a");
  EXPECT_EQ(form.List1.List(0), u"b");
  wchar_t first[8] = {};
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, L"b");
}

TEST(ToolkitTimer, TicksWhileHiddenAndNeverReentersItsHandler) {
  TestForm form;
  form.Load();  // hidden
  EXPECT_TRUE(PumpUntil([&] { return form.ticks >= 3; }));
  form.Timer1.SetEnabled(false);
  PumpFor(30);
  const int stopped = form.ticks;
  PumpFor(60);
  EXPECT_EQ(form.ticks, stopped);

  // A handler that lets messages run (as the fade generator does) is not entered again.
  int depth = 0;
  int maxDepth = 0;
  int entries = 0;
  form.Timer1.onTimer = [&] {
    ++entries;
    maxDepth = std::max(maxDepth, ++depth);
    if (entries < 3) PumpFor(60);
    --depth;
  };
  form.Timer1.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return entries >= 3; }));
  EXPECT_EQ(maxDepth, 1);
}

}  // namespace
