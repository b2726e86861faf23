// The toolkit's forms: created on first use and loaded once, destroyed with their windows (by
// their owner or from outside), properties kept before the window exists and across hiding,
// wiring mistakes reported, and object counts that stay flat.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/report_win.h"
#include "toolkit_test_forms.h"
#include "toolkit_test_support.h"

namespace {

using qf::ColorRgb;
using qf::test::Click;
using qf::test::PumpFor;
using qf::test::ReleaseForm;
using qf::test::TestForm;

TEST(ToolkitForm, CreatedOnFirstUseAndLoadedOnceAcrossShowAndHide) {
  TestForm form;
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.loads, 0);
  HWND hwnd = form.Handle();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(form.loads, 1);
  EXPECT_FALSE(form.Visible());  // created hidden
  form.Show();
  EXPECT_TRUE(form.Visible());
  form.Hide();
  EXPECT_FALSE(form.Visible());
  form.Show();
  EXPECT_EQ(form.Handle(), hwnd);  // the same window, never recreated
  EXPECT_EQ(form.loads, 1);

  // Borderless pop-up without a taskbar button, the client area as asked, the caption kept.
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  RECT window;
  GetWindowRect(hwnd, &window);
  EXPECT_EQ(window.left, 20);
  EXPECT_EQ(window.top, 20);
  wchar_t caption[64] = {};
  GetWindowTextW(hwnd, caption, 64);
  EXPECT_STREQ(caption, L"Toolkit test");

  // Alt+F4 (WM_CLOSE) does not destroy the form.
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST(ToolkitForm, DestroyingAFormTakesItsWindowsWithItAndRaisesNothing) {
  HWND window = nullptr;
  HWND edit = nullptr;
  {
    TestForm form;
    form.Show();
    window = form.Handle();
    edit = form.Text1.Handle();
    form.Text1.SetFocus();
    Click(window, 150, 180);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(edit));
  PumpFor(30);  // nothing left to reach the destroyed form
}

TEST(ToolkitForm, AFormDestroyedFromOutsideIsNotLoadedAgainAndLeaksNothing) {
  const qf::test::ObjectCounts before = qf::test::CountObjects();
  ReleaseForm form;
  form.Show();
  form.Picture1.SetBackColor(qf::ColorRgb(1, 2, 3));
  DestroyWindow(form.Handle());
  EXPECT_EQ(form.Handle(), nullptr);
  form.Show();
  EXPECT_EQ(form.Picture1.Handle(), nullptr);
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.Picture1.BackColor(), qf::ColorRgb(1, 2, 3));  // values outlive the window
  // The skin bitmap (deselected first), its DC and brush and the control font are freed with
  // the window; only the picture box's image and its DC remain until the form object goes.
  qf::test::ObjectCounts after = qf::test::CountObjects();
  after.held -= 2;
  EXPECT_TRUE(qf::test::StaysFlat(before, after, 4));
}

TEST(ToolkitForm, ControlHandleLoadsTheFormHidden) {
  TestForm form;
  HWND list = form.List1.Handle();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(form.loads, 1);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(GetParent(list), form.Handle());
}

TEST(ToolkitForm, PropertiesSetBeforeCreationAreApplied) {
  TestForm form;
  form.Text1.SetText(u"typed early");
  form.Text2.SetText(u"<b>");
  form.Check1.SetValue(1);
  form.VScroll1.SetValue(77);
  form.List1.AddItem(u"first");
  form.List1.AddItem(u"second");
  form.List1.SetListIndex(1);
  form.Picture1.SetBackColor(ColorRgb(10, 20, 30));
  EXPECT_FALSE(form.Loaded());  // none of that needed the window

  form.Load();
  EXPECT_EQ(form.Text1.Text(), u"typed early");
  wchar_t text[64] = {};
  GetWindowTextW(form.Text1.Handle(), text, 64);
  EXPECT_STREQ(text, L"typed early");
  EXPECT_EQ(form.Text2.Text(), u"<b>");
  EXPECT_EQ(SendMessageW(form.Check1.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(GetScrollPos(form.VScroll1.Handle(), SB_CTL), 77);
  EXPECT_EQ(SendMessageW(form.List1.Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(form.List1.ListIndex(), 1);
  EXPECT_EQ(form.Picture1.BackColor(), ColorRgb(10, 20, 30));
}

TEST(ToolkitForm, ControlsKeepTheirStateAcrossHiding) {
  TestForm form;
  form.Show();
  form.Text1.SetText(u"hello");
  form.Text2.SetText(u"<s><b>");
  form.Check1.SetValue(1);
  form.VScroll1.SetValue(200);
  form.List1.AddItem(u"Sunset");
  form.List1.AddItem(u"Ocean");
  form.List1.SetListIndex(0);
  form.Picture1.SetBackColor(ColorRgb(255, 128, 0));
  form.Hide();
  PumpFor(50);
  // The items and everything else are there while hidden, and items can still be added.
  EXPECT_EQ(form.List1.ListCount(), 2);
  form.List1.AddItem(u"Forest");
  EXPECT_EQ(SendMessageW(form.List1.Handle(), LB_GETCOUNT, 0, 0), 3);
  form.Show();
  EXPECT_EQ(form.Text1.Text(), u"hello");
  EXPECT_EQ(form.Text2.Text(), u"<s><b>");
  EXPECT_EQ(form.Check1.Value(), 1);
  EXPECT_EQ(form.VScroll1.Value(), 200);
  EXPECT_EQ(form.List1.List(2), u"Forest");
  EXPECT_EQ(form.List1.ListIndex(), 0);
  EXPECT_EQ(form.List1.Text(), u"Sunset");
  EXPECT_EQ(form.Picture1.BackColor(), ColorRgb(255, 128, 0));
}

TEST(ToolkitWiring, AControlDeclaredAfterItsFormsWindowIsReported) {
  static int reported = 0;
  reported = 0;
  const qf::FailureReportHandler previous =
      qf::SetFailureReportHandler([](const qf::FailureReport& report) {
        if (report.level == qf::FailureLevel::kWiring) ++reported;
      });
  {
    ReleaseForm form;
    form.Load();
    qf::TextBox late{form, {0, 0, 10, 10}};
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(late.Handle(), nullptr);
  }
  {
    class Unwired : public qf::Form {
     public:
      Unwired() : Form({.width = 50, .height = 50}) {}
      qf::ClickLabel Label1{*this, {0, 0, 10, 10}, {.toolTip = u"does nothing"}};
    } form;
    form.Load();
    EXPECT_EQ(reported, 2);
  }
  qf::SetFailureReportHandler(previous);
}

// A failure of the system is reported with the place that checked it and the system's error,
// as the failing call left it.
TEST(ToolkitWiring, AFailureReportsWhereAndTheSystemsError) {
  static qf::FailureReport seen{};
  const qf::FailureReportHandler previous =
      qf::SetFailureReportHandler([](const qf::FailureReport& report) { seen = report; });
  SetLastError(ERROR_ACCESS_DENIED);
  const int line = __LINE__ + 1;
  EXPECT_TRUE(qf::ReportIf(true, "a write failed"));
  qf::SetFailureReportHandler(previous);
  EXPECT_STREQ(seen.what, "a write failed");
  EXPECT_EQ(seen.systemError, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(seen.where.line(), static_cast<unsigned>(line));
  EXPECT_EQ(seen.level, qf::FailureLevel::kSystem);
}

// Shows and hides a form 1,000 times and redraws a picture box 10,000 times: the process's
// GDI and USER object counts stay where they were.
TEST(ToolkitObjects, CountsStayFlatAcrossShowingHidingAndRedrawing) {
  ReleaseForm form;
  form.Show();
  form.Hide();
  form.Picture1.PrintText(2, 0, u"x");  // the image and the fonts of both styles exist
  form.Picture1.SetFontBold(true);
  form.Picture1.PrintText(2, 0, u"x");
  const qf::test::ObjectCounts before = qf::test::CountObjects();
  for (int i = 0; i < 1000; ++i) {
    form.Show();
    form.Hide();
  }
  for (int i = 0; i < 10000; ++i) {
    form.Picture1.Cls();
    form.Picture1.SetFontBold(i % 2 == 0);
    form.Picture1.SetForeColor(qf::ColorRgb(i % 256, 0, 0));
    form.Picture1.PrintText(2, 0, u"x");
    if (i % 100 == 0) PumpFor(0);
  }
  EXPECT_TRUE(qf::test::StaysFlat(before, qf::test::CountObjects()));
}

}  // namespace
