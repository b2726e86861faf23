// The toolkit's text box: typing and setting, no length limit, the keyboard when the form shows,
// its colours, and appending.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit_test_forms.h"
#include "toolkit_test_support.h"

namespace {

using qf::ColorRgb;
using qf::test::OutputForm;
using qf::test::TestForm;

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

TEST(ToolkitTextBox, ColorsReachThePaintMessage) {
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

TEST(ToolkitTextBox, AppendingAddsAtTheEndAndRaisesOneChange) {
  OutputForm form;
  form.Text1.AppendText(u"ab");  // before the window exists
  form.Show();
  form.Text1.SetFocus();
  SendMessageW(form.Text1.Handle(), EM_SETSEL, 0, 1);  // a selection at the start stays untouched
  form.Text1.AppendText(u"c\u00e9\U0001F600");
  EXPECT_EQ(form.Text1.Text(), u"abc\u00e9\U0001F600");
  EXPECT_EQ(form.changes, 2);
}

}  // namespace
