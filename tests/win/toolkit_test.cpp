// The toolkit's forms and controls, driven through real window messages under Wine.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit_win.h"
#include "toolkit_test_support.h"

namespace {

using qf::ColorRgb;
using qf::test::PumpFor;
using qf::test::PumpUntil;

struct MouseEvent {
  int button;
  float x;
  float y;
};

// One of each control, the events counted.
class TestForm : public qf::Form {
 public:
  TestForm()
      : Form({.caption = u"Toolkit test", .width = 300, .height = 200, .left = 20, .top = 20}) {
    Label1.onClick = [this] { ++labelClicks; };
    Label1.onDblClick = [this] { ++labelDblClicks; };
    Label1.onMouseDown = [this](int button, int, float x, float y) {
      labelDowns.push_back({button, x, y});
    };
    Label1.onMouseUp = [this](int button, int, float x, float y) {
      labelUps.push_back({button, x, y});
    };
    Text1.onChange = [this] { ++textChanges; };
    Check1.onClick = [this] { checkValuesSeen.push_back(Check1.Value()); };
    VScroll1.onChange = [this] { scrollValuesSeen.push_back(VScroll1.Value()); };
    HScroll1.onChange = [this] { ++hscrollChanges; };
    List1.onClick = [this] { listIndexesSeen.push_back(List1.ListIndex()); };
    Picture1.onClick = [this] { ++pictureClicks; };
    Picture1.onDblClick = [this] { ++pictureDblClicks; };
    Timer1.onTimer = [this] { ++ticks; };
  }

  // Events of the form itself.
  int loads = 0;
  int clicks = 0;
  int dblClicks = 0;
  std::vector<MouseEvent> downs;
  std::vector<MouseEvent> ups;
  std::vector<MouseEvent> moves;
  // Events of the controls.
  int labelClicks = 0;
  int label2Clicks = 0;
  int labelDblClicks = 0;
  std::vector<MouseEvent> labelDowns;
  std::vector<MouseEvent> labelUps;
  int textChanges = 0;
  std::vector<int> checkValuesSeen;
  std::vector<int> scrollValuesSeen;
  int hscrollChanges = 0;
  std::vector<int> listIndexesSeen;
  int pictureClicks = 0;
  int pictureDblClicks = 0;
  int ticks = 0;

  qf::TextBox Text1{*this,
                    {10, 10, 120, 19},
                    {.backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  qf::TextBox Text2{*this, {10, 260, 25, 19}};  // below the client area: never seen
  qf::TextBox Text3{*this, {140, 100, 100, 60}, {.multiLine = true}};
  qf::CheckBox Check1{*this, {10, 40, 14, 13}};
  qf::CheckBox Check2{*this, {30, 40, 49, 17}, {.caption = u"Wavy", .pushLike = true}};
  qf::PictureBox Picture1{*this, {10, 60, 60, 20}};
  qf::VScrollBar VScroll1{*this, {100, 40, 9, 57}, {.max = 255}};
  qf::HScrollBar HScroll1{*this, {140, 40, 49, 9}, {.max = 255}};
  qf::ListBox List1{*this,
                    {10, 100, 100, 60},
                    {.backColor = ColorRgb(0, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  qf::Timer Timer1{*this, {.interval = 1}};
  qf::ClickLabel Label1{*this, {200, 10, 30, 20}, {.toolTip = u"Send To Chat"}};
  qf::ClickLabel Label2{*this, {240, 10, 20, 20}, {.onClick = [this] { ++label2Clicks; }}};

 protected:
  void Form_Load() override { ++loads; }
  void Form_Click() override { ++clicks; }
  void Form_DblClick() override { ++dblClicks; }
  void Form_MouseDown(int button, int, float x, float y) override {
    downs.push_back({button, x, y});
  }
  void Form_MouseUp(int button, int, float x, float y) override { ups.push_back({button, x, y}); }
  void Form_MouseMove(int button, int, float x, float y) override {
    moves.push_back({button, x, y});
  }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void Click(HWND hwnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
           WPARAM held = MK_LBUTTON) {
  SendMessageW(hwnd, down, held, At(x, y));
  SendMessageW(hwnd, up, 0, At(x, y));
}

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

TEST(ToolkitMouse, MouseMoveCarriesTheTrayReportAsX) {
  TestForm form;
  form.Load();  // hidden, as in the tray
  // A tray icon with callback WM_MOUSEMOVE: wParam is the icon id, lParam the mouse message.
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
  ASSERT_EQ(form.moves.size(), 2u);
  EXPECT_EQ(form.moves[0].x, 515.0f);
  EXPECT_EQ(form.moves[1].x, 516.0f);
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, At(120, 33));
  ASSERT_EQ(form.moves.size(), 3u);
  EXPECT_EQ(form.moves[2].x, 120.0f);
  EXPECT_EQ(form.moves[2].y, 33.0f);
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

TEST(ToolkitTextBox, TypingAndSettingRaiseChangeAndTheLengthIsUnlimited) {
  TestForm form;
  form.Show();
  HWND edit = form.Text1.Handle();
  SendMessageW(edit, WM_CHAR, L'h', 1);
  SendMessageW(edit, WM_CHAR, L'i', 1);
  EXPECT_EQ(form.Text1.Text(), u"hi");
  EXPECT_EQ(form.textChanges, 2);
  form.Text1.SetText(u"");
  EXPECT_EQ(form.Text1.Text(), u"");
  EXPECT_EQ(form.textChanges, 3);
  form.Text1.SetText(u"");  // no change, no event
  EXPECT_EQ(form.textChanges, 3);

  // Far beyond the 30000 characters an edit control holds by default, also by typing.
  // (Markup as the HTML fader writes it: one tag per character.)
  std::u16string big;
  while (big.size() < 40000) big += u"<Font Color=#FF8000>a";
  form.Text1.SetText(big);
  EXPECT_EQ(form.Text1.Text(), big);
  const auto end = static_cast<WPARAM>(big.size());
  SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(edit, WM_CHAR, L'y', 1);
  EXPECT_EQ(form.Text1.Text(), big + u"y");
  HWND output = form.Text3.Handle();
  form.Text3.SetText(u"line 1\r\nline 2");
  EXPECT_EQ(form.Text3.Text(), u"line 1\r\nline 2");
  EXPECT_TRUE(GetWindowLongW(output, GWL_STYLE) & ES_MULTILINE);
  EXPECT_TRUE(GetWindowLongW(output, GWL_STYLE) & WS_VSCROLL);
  // Ctrl+A (the character 1) selects everything and types nothing.
  SendMessageW(output, WM_CHAR, 1, 1);
  DWORD from = 0, to = 0;
  SendMessageW(output, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 14u);
  EXPECT_EQ(form.Text3.Text(), u"line 1\r\nline 2");

  // The hidden box below the client area still holds text.
  form.Text2.SetText(u"<b><s>");
  EXPECT_EQ(form.Text2.Text(), u"<b><s>");
  EXPECT_EQ(form.Text1.BackColor(), ColorRgb(128, 255, 255));
  EXPECT_EQ(form.Text1.ForeColor(), ColorRgb(0, 0, 255));
}

TEST(ToolkitTextBox, TheFirstVisibleTextBoxHasTheKeyboardWhenTheFormShows) {
  TestForm form;
  form.Show();
  SetForegroundWindow(form.Handle());
  SetFocus(form.Handle());
  EXPECT_EQ(GetFocus(), form.Text1.Handle());
  // The control that had the keyboard gets it back.
  SetFocus(form.List1.Handle());
  form.Hide();
  form.Show();
  SetForegroundWindow(form.Handle());
  SetFocus(form.Handle());
  EXPECT_EQ(GetFocus(), form.List1.Handle());
}

TEST(ToolkitTextBox, ColoursReachThePaintMessage) {
  TestForm form;
  form.Show();
  HWND edit = form.Text1.Handle();
  HDC dc = GetDC(edit);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form.Handle(), WM_CTLCOLOREDIT,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(edit)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(128, 255, 255));
  LOGBRUSH info{};
  ASSERT_NE(GetObjectW(brush, sizeof(info), &info), 0);
  EXPECT_EQ(info.lbColor, RGB(128, 255, 255));
  ReleaseDC(edit, dc);
  // Changing the colour replaces the brush (the old one is freed, not leaked).
  form.Text1.SetBackColor(ColorRgb(1, 2, 3));
  EXPECT_EQ(GetObjectType(brush), 0u);
}

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

TEST(ToolkitPictureBox, BackColourRoundTripsAndTheImageSurvivesARepaint) {
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

TEST(ToolkitGdi, OwnersDeleteOnceAndMove) {
  qf::GdiBrush brush{CreateSolidBrush(RGB(1, 2, 3))};
  HBRUSH handle = brush.Get();
  ASSERT_NE(handle, nullptr);
  qf::GdiBrush moved = std::move(brush);
  EXPECT_EQ(brush.Get(), nullptr);
  EXPECT_EQ(moved.Get(), handle);
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
  { qf::GdiBrush last = std::move(moved); }
  EXPECT_EQ(GetObjectType(handle), 0u);  // deleted by its last owner

  // A font stays usable while selected, and the DC gets its old font back.
  qf::MemoryDc dc(nullptr);
  ASSERT_TRUE(dc);
  HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
  qf::GdiFont font = qf::MakeFont(u"Arial", 10, {.bold = true});
  {
    qf::SelectGuard select(dc.Get(), font.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), before);
  LOGFONTW info{};
  GetObjectW(font.Get(), sizeof(info), &info);
  EXPECT_EQ(info.lfWeight, FW_BOLD);
  EXPECT_STREQ(info.lfFaceName, L"Arial");
  // A region given away is not deleted by its former owner.
  qf::GdiRegion region{CreateRectRgn(0, 0, 5, 5)};
  HRGN raw = region.Release();
  EXPECT_EQ(region.Get(), nullptr);
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_REGION));
  DeleteObject(raw);
}

TEST(ToolkitSkin, PaintedOnceIntoTheFormsBitmap) {
  class SkinForm : public qf::Form {
   public:
    SkinForm() : Form({.width = 40, .height = 30, .left = 0, .top = 0}) {}
    int paints = 0;

   protected:
    void PaintSkin(HDC dc, int width, int height) override {
      ++paints;
      const RECT all{0, 0, width, height};
      qf::VerticalGradient(dc, all, RGB(0, 0, 0), RGB(0, 0, 255));
      qf::FillRoundRect(dc, {10, 10, 30, 20}, 4, RGB(255, 0, 0), RGB(255, 255, 255));
    }
  } form;
  form.Show();
  InvalidateRect(form.Handle(), nullptr, TRUE);
  UpdateWindow(form.Handle());
  form.Hide();
  form.Show();
  EXPECT_EQ(form.paints, 1);
  EXPECT_EQ(GetPixel(form.SkinDc(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(form.SkinDc(), 0, 29), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(form.SkinDc(), 20, 15), RGB(255, 0, 0));
  HDC dc = GetDC(form.Handle());
  EXPECT_EQ(GetPixel(dc, 20, 15), RGB(255, 0, 0));  // WM_PAINT showed the skin
  ReleaseDC(form.Handle(), dc);
}

}  // namespace
