// The toolkit's mouse events: which of a form and its labels a press, release, click, double
// click and move belong to, tool tips, and the pointer over a label.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "toolkit_test_forms.h"
#include "toolkit_test_support.h"

namespace {

using qf::test::At;
using qf::test::Click;
using qf::test::ReleaseForm;
using qf::test::TestForm;

TEST(ToolkitMouse, LabelClickRaisesTheLabelsEventsAndNotTheForms) {
  TestForm form;
  form.Show();
  Click(form.Handle(), 210, 15);
  EXPECT_EQ(form.labelClicks, 1);
  ASSERT_EQ(form.labelDowns.size(), 1u);
  EXPECT_EQ(form.labelDowns[0].button, qf::kLeftButton);
  EXPECT_EQ(form.labelDowns[0].x, 10.0f);  // relative to the label
  EXPECT_EQ(form.labelDowns[0].y, 5.0f);
  EXPECT_EQ(form.labelUps.size(), 1u);
  EXPECT_EQ(form.clicks, 0);
  EXPECT_TRUE(form.downs.empty());
  EXPECT_TRUE(form.ups.empty());
  // A move over the label is not the form's either.
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, At(215, 20));
  EXPECT_TRUE(form.moves.empty());
  // The right button: MouseDown and MouseUp on the label (Label4_MouseUp), but no Click.
  Click(form.Handle(), 205, 12, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(form.labelClicks, 1);
  ASSERT_EQ(form.labelUps.size(), 2u);
  EXPECT_EQ(form.labelUps[1].button, qf::kRightButton);
  EXPECT_EQ(GetCapture(), nullptr);  // the mouse is let go after the release
}

TEST(ToolkitMouse, PressOnALabelAndReleaseOutsideIsNoClick) {
  TestForm form;
  form.Show();
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(210, 15));
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, At(100, 150));
  EXPECT_EQ(form.labelClicks, 0);
  EXPECT_EQ(form.labelUps.size(), 1u);
  EXPECT_EQ(form.clicks, 0);
}

TEST(ToolkitMouse, ALabelGetsNoReleaseOfAPressThatWasNotOnIt) {
  ReleaseForm form;
  form.Show();
  for (UINT down : {WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDOWN}) {
    const UINT up = down + 1;
    SendMessageW(form.Handle(), down, 0, MAKELPARAM(50, 80));  // the background
    SendMessageW(form.Handle(), up, 0, MAKELPARAM(155, 15));   // released over the label
  }
  EXPECT_EQ(form.labelUps, 0);
  SendMessageW(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(155, 15));
  SendMessageW(form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(155, 15));
  EXPECT_EQ(form.labelUps, 1);  // its own press and release still reach it
}

TEST(ToolkitMouse, BackgroundClickRaisesMouseDownUpAndClick) {
  TestForm form;
  form.Show();
  Click(form.Handle(), 150, 180);
  ASSERT_EQ(form.downs.size(), 1u);
  EXPECT_EQ(form.downs[0].button, qf::kLeftButton);
  EXPECT_EQ(form.downs[0].x, 150.0f);
  EXPECT_EQ(form.downs[0].y, 180.0f);
  EXPECT_EQ(form.ups.size(), 1u);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.labelClicks, 0);
  // Right and middle buttons: MouseDown with their numbers, no Click.
  Click(form.Handle(), 150, 180, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  Click(form.Handle(), 150, 180, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
  ASSERT_EQ(form.downs.size(), 3u);
  EXPECT_EQ(form.downs[1].button, qf::kRightButton);
  EXPECT_EQ(form.downs[2].button, qf::kMiddleButton);
  EXPECT_EQ(form.clicks, 1);
}

TEST(ToolkitMouse, DoubleClicksFollowDownUpClickDblClickUp) {
  TestForm form;
  form.Show();
  HWND hwnd = form.Handle();
  Click(hwnd, 150, 180);
  Click(hwnd, 150, 180, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(form.downs.size(), 1u);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.dblClicks, 1);
  EXPECT_EQ(form.ups.size(), 2u);
  Click(hwnd, 210, 15);
  Click(hwnd, 210, 15, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(form.labelClicks, 1);
  EXPECT_EQ(form.labelDblClicks, 1);
  EXPECT_EQ(form.dblClicks, 1);
  EXPECT_TRUE(GetClassLongW(hwnd, GCL_STYLE) & CS_DBLCLKS);
}

TEST(ToolkitMouse, MouseMoveReportsThePointer) {
  TestForm form;
  form.Load();
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, At(120, 33));
  ASSERT_EQ(form.moves.size(), 1u);
  EXPECT_EQ(form.moves[0].x, 120.0f);
  EXPECT_EQ(form.moves[0].y, 33.0f);
}

TEST(ToolkitMouse, LabelsHaveToolTipsAndTheUpArrow) {
  TestForm form;
  form.Show();
  // One tool for the label with a tip; the tip window belongs to the form.
  HWND tip = qf::test::FindThreadWindow(TOOLTIPS_CLASSW, nullptr, false);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), form.Handle());
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  form.Label2.SetToolTipText(u"Exit");
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

  // The pointer: the up arrow over a label, the form's pointer elsewhere.
  POINT overLabel{215, 20};
  ClientToScreen(form.Handle(), &overLabel);
  SetCursorPos(overLabel.x, overLabel.y);
  SendMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_UPARROW));
  POINT background{150, 180};
  ClientToScreen(form.Handle(), &background);
  SetCursorPos(background.x, background.y);
  form.SetMousePointer(qf::MousePointer::kSizeAll);
  SendMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
  form.SetMousePointer(qf::MousePointer::kDefault);
  SendMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
