// The tray icon against Wine's notification area: Wine shows icons in a standalone tray window
// (class __winex11_standalone_tray, one __winex11_tray_icon child per icon) that belongs to
// explorer.exe, and passes mouse messages on the icon to the owner as the callback message.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "chrome/tray_win.h"
#include "toolkit_test_support.h"

namespace {

using qf::test::PumpUntil;

std::vector<LPARAM> reports;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == qf::TrayCallbackMessage()) reports.push_back(lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
  for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); icon != nullptr;
       icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
    icons.push_back(icon);
  }
  return icons;
}

class TrayTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QfTrayTestOwner";
    RegisterClassW(&windowClass);
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"QfTrayTestOwner", L"Quelvane Fader 1.0",
                             WS_POPUP | WS_VISIBLE, 40, 40, 120, 80, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    iconsBefore_ = TrayIcons().size();
  }
  void TearDown() override {
    qf::TrayRemove(owner_);
    DestroyWindow(owner_);
  }

  bool IconCountBecomes(std::size_t count) {
    return PumpUntil([&] { return TrayIcons().size() == count; }, 5000);
  }
  // Posts the mouse message `message` to the icon's window; returns what TrayMessage makes of
  // the report that reaches the owner, or -1 when none arrives.
  static int Decoded(HWND icon, UINT message) {
    reports.clear();
    PostMessageW(icon, message, 0, MAKELPARAM(4, 4));
    if (!PumpUntil([] { return !reports.empty(); })) return -1;
    EXPECT_EQ(reports.back(), static_cast<LPARAM>(message));
    return qf::TrayMessage(static_cast<float>(LOWORD(reports.back())));
  }

  HWND owner_ = nullptr;
  std::size_t iconsBefore_ = 0;
};

TEST_F(TrayTest, AddHidesTheWindowAndTheIconsReportsRestoreIt) {
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  ASSERT_TRUE(qf::TrayAdd(icon, u"Quelvane Fader 1.0", owner_));
  EXPECT_FALSE(IsWindowVisible(owner_));
  ASSERT_TRUE(IconCountBecomes(iconsBefore_ + 1));
  HWND trayIcon = TrayIcons().back();

  // A single press does nothing; a double click and a right press restore.
  EXPECT_EQ(Decoded(trayIcon, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Decoded(trayIcon, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(Decoded(trayIcon, WM_RBUTTONDOWN), 2);

  qf::TrayRestore(owner_);
  EXPECT_TRUE(IsWindowVisible(owner_));
  EXPECT_TRUE(IconCountBecomes(iconsBefore_));
}

TEST_F(TrayTest, AnIconTheShellMadeDespiteAFailureNeverStopsTheTrayAndANewTaskbarGetsItBack) {
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  EXPECT_FALSE(qf::TrayReAdd(owner_));  // not in the tray: nothing to add
  // An icon the shell made although the add reported failure holds the id: a restore still
  // removes it, and the next minimise takes it over instead of failing on the taken id.
  NOTIFYICONDATAA raw{};
  raw.cbSize = NOTIFYICONDATAA_V1_SIZE;
  raw.hWnd = owner_;
  raw.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &raw));
  ASSERT_TRUE(IconCountBecomes(iconsBefore_ + 1));
  qf::TrayRestore(owner_);
  EXPECT_TRUE(IconCountBecomes(iconsBefore_));
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &raw));
  EXPECT_TRUE(qf::TrayAdd(icon, u"tip", owner_));
  EXPECT_FALSE(IsWindowVisible(owner_));
  EXPECT_TRUE(IconCountBecomes(iconsBefore_ + 1));  // one icon, not two
  qf::TrayRestore(owner_);
  EXPECT_TRUE(IsWindowVisible(owner_));
  ASSERT_TRUE(IconCountBecomes(iconsBefore_));

  // A tip longer than the record's 64 bytes is cut, not refused. When the shell forgets the
  // icon, as a new taskbar does, TrayReAdd puts it back.
  ASSERT_TRUE(qf::TrayAdd(icon, std::u16string(100, u'x'), owner_));
  ASSERT_TRUE(IconCountBecomes(iconsBefore_ + 1));
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &raw));
  ASSERT_TRUE(IconCountBecomes(iconsBefore_));
  EXPECT_NE(qf::TaskbarCreatedMessage(), 0u);
  EXPECT_TRUE(qf::TrayReAdd(owner_));
  EXPECT_TRUE(IconCountBecomes(iconsBefore_ + 1));
}

}  // namespace
