// The toolkit's modal dialogs and popup menu under Wine, driven from a timer while their
// modal loops run (as a person would: typing, Enter, Esc, arrow keys).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "toolkit/toolkit_win.h"
#include "toolkit_test_support.h"

namespace {

using qf::test::FindThreadWindow;
using qf::test::ModalDriver;
using qf::test::PostKey;
using qf::test::PostText;

class OwnerForm : public qf::Form {
 public:
  OwnerForm() : Form({.caption = u"Owner", .width = 100, .height = 80, .left = 10, .top = 10}) {}
};

HWND EditOf(HWND dialog) { return FindWindowExW(dialog, nullptr, L"Edit", nullptr); }

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(ToolkitInputBox, ReturnsTheTypedTextOnOk) {
  OwnerForm owner;
  owner.Show();
  std::wstring title;
  std::wstring prompt;
  ModalDriver driver(L"#32770", [&](HWND dialog) {
    title = TextOf(dialog);
    HWND label = FindWindowExW(dialog, nullptr, L"Static", nullptr);
    prompt = TextOf(label);
    HWND edit = EditOf(dialog);
    PostText(edit, L"My fade");
    PostKey(edit, VK_RETURN);  // Enter is OK
  });
  const qf::InputBoxResult answer =
      qf::InputBox(owner.Handle(), u"Choose your name", u"Save Color Scheme");
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(answer.answer, qf::InputAnswer::kAccepted);
  EXPECT_EQ(answer.text, u"My fade");
  EXPECT_EQ(title, L"Save Color Scheme");
  EXPECT_EQ(prompt, L"Choose your name");
}

TEST(ToolkitInputBox, KeepsSpacesAndOffersTheDefault) {
  OwnerForm owner;
  owner.Show();
  {
    ModalDriver driver(L"#32770", [](HWND dialog) { PostKey(EditOf(dialog), VK_RETURN); });
    EXPECT_EQ(qf::InputBox(owner.Handle(), u"Name?", u"", u"given").text, u"given");
  }
  {
    // The default is selected: typing replaces it, and spaces are kept as typed.
    ModalDriver driver(L"#32770", [](HWND dialog) {
      PostText(EditOf(dialog), L"   ");
      PostKey(EditOf(dialog), VK_RETURN);
    });
    EXPECT_EQ(qf::InputBox(owner.Handle(), u"Name?", u"", u"given").text, u"   ");
  }
}

TEST(ToolkitInputBox, CancelAndEscAreACancel) {
  OwnerForm owner;
  owner.Show();
  {
    ModalDriver driver(L"#32770", [](HWND dialog) {
      PostText(EditOf(dialog), L"typed");
      PostKey(EditOf(dialog), VK_ESCAPE);
    });
    const qf::InputBoxResult answer =
        qf::InputBox(owner.Handle(), u"Choose your name", u"Save Color Scheme");
    EXPECT_EQ(answer.answer, qf::InputAnswer::kCancelled);
    EXPECT_EQ(answer.text, u"");
    EXPECT_TRUE(driver.Acted());
  }
  {
    std::wstring title;
    ModalDriver driver(L"#32770", [&](HWND dialog) {
      title = TextOf(dialog);
      HWND cancel = FindWindowExW(dialog, nullptr, L"Button", L"Cancel");
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel));
    });
    EXPECT_EQ(qf::InputBox(owner.Handle(), u"Choose your name", u"", u"default").answer,
              qf::InputAnswer::kCancelled);
    EXPECT_EQ(title, L"Quelvane Fader 1.0");
  }
}

TEST(ToolkitInputBox, ABoxThatCannotBeShownIsNotACancel) {
  // An owner that is no window: the dialog cannot be made. A caller asking until it gets a
  // name must be able to tell this from a Cancel, or it would ask for ever.
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(qf::InputBox(gone, u"Choose your name", u"Save Color Scheme").answer,
            qf::InputAnswer::kNotShown);
}

TEST(ToolkitMessageBox, ShowsTheTextWithTheProgramTitleAndAnOkButton) {
  OwnerForm owner;
  owner.Show();
  std::wstring title;
  bool sawText = false;
  bool sawOk = false;
  bool sawCancel = false;
  ModalDriver driver(L"#32770", [&](HWND dialog) {
    title = TextOf(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring text = TextOf(child);
      if (text == L"Please choose a name") sawText = true;
      if (text == L"OK") sawOk = true;
      if (text == L"Cancel") sawCancel = true;
    }
    PostKey(dialog, VK_RETURN);
  });
  qf::ShowMessage(owner.Handle(), u"Please choose a name");
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(title, L"Quelvane Fader 1.0");
  EXPECT_TRUE(sawText);
  EXPECT_TRUE(sawOk);
  EXPECT_FALSE(sawCancel);
}

// The colour dialog's red, green and blue fields (the system dialog's control ids).
constexpr int kRedField = 706;
constexpr int kGreenField = 707;
constexpr int kBlueField = 708;

void ChooseInDialog(HWND dialog, int red, int green, int blue) {
  SetDlgItemInt(dialog, kRedField, static_cast<UINT>(red), FALSE);
  SetDlgItemInt(dialog, kGreenField, static_cast<UINT>(green), FALSE);
  SetDlgItemInt(dialog, kBlueField, static_cast<UINT>(blue), FALSE);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

TEST(ToolkitColorDialog, OkTakesTheChosenColorAndItCarriesOver) {
  OwnerForm owner;
  owner.Show();
  qf::ColorDialog dialog;
  EXPECT_EQ(dialog.Color(), 0);  // black before any choice
  {
    ModalDriver driver(L"#32770", [](HWND window) { ChooseInDialog(window, 255, 128, 0); });
    EXPECT_EQ(dialog.Show(owner.Handle()), qf::DialogResult::kOk);
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(dialog.Color(), qf::ColorRgb(255, 128, 0));
  {
    // The next use starts from that colour: OK without touching anything keeps it.
    int shownRed = -1;
    ModalDriver driver(L"#32770", [&](HWND window) {
      shownRed = static_cast<int>(GetDlgItemInt(window, kRedField, nullptr, FALSE));
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    });
    EXPECT_EQ(dialog.Show(owner.Handle()), qf::DialogResult::kOk);
    EXPECT_EQ(shownRed, 255);
  }
  EXPECT_EQ(dialog.Color(), qf::ColorRgb(255, 128, 0));
}

TEST(ToolkitColorDialog, CancelLeavesTheColor) {
  OwnerForm owner;
  owner.Show();
  qf::ColorDialog dialog;
  dialog.SetColor(qf::ColorRgb(1, 2, 3));
  ModalDriver driver(L"#32770", [](HWND window) {
    SetDlgItemInt(window, kRedField, 200, FALSE);
    PostKey(window, VK_ESCAPE);
  });
  EXPECT_EQ(dialog.Show(owner.Handle()), qf::DialogResult::kCancel);
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(dialog.Color(), qf::ColorRgb(1, 2, 3));
}

TEST(ToolkitPopupMenu, RunsTheChosenItemsHandler) {
  OwnerForm owner;
  owner.Show();
  int first = 0;
  int second = 0;
  qf::PopupMenu menu{{u"HTML Fader", [&] { ++first; }},
                     {u"-"},
                     {u"Fades", [&] { ++second; }},
                     {u"-"},
                     {u"Exit", {}}};
  {
    // Down to the first item, down past the separator to "Fades", Enter.
    ModalDriver driver(L"#32768", [](HWND menuWindow) {
      PostKey(menuWindow, VK_DOWN);
      PostKey(menuWindow, VK_DOWN);
      PostKey(menuWindow, VK_RETURN);
    });
    EXPECT_EQ(menu.Show(owner.Handle(), 50, 50), 2);
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  {
    // Closed without a choice.
    ModalDriver driver(L"#32768", [](HWND) { EndMenu(); });
    EXPECT_EQ(menu.Show(owner.Handle(), 50, 50), -1);
  }
  EXPECT_EQ(first + second, 1);
  EXPECT_EQ(menu.ItemCount(), 5);
}

}  // namespace
