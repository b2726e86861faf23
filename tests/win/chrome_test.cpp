// The window chrome on real windows under the window system: shape, topmost, drag and snap.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "core/events.h"
#include "toolkit/toolkit_win.h"
#include "toolkit_test_forms.h"

namespace {

// A plain borderless window whose background press runs FormDrag, as every form's does.
LRESULT CALLBACK DragWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
    qf::FormDrag(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class ChromeTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DragWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"QfChromeTestWindow";
    RegisterClassW(&wc);
  }
  void TearDown() override {
    for (HWND w : windows_) DestroyWindow(w);
  }

  HWND MakeWindow(int left, int top, int width, int height) {
    HWND w =
        CreateWindowExW(WS_EX_TOOLWINDOW, L"QfChromeTestWindow", L"chrome test", WS_POPUP, left,
                        top, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    windows_.push_back(w);
    Settle();
    return w;
  }

  // Lets the window system catch up (map, move) for a short while.
  static void Settle(int milliseconds = 150) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) {
      qf::WaitForEvents(10);
      qf::DoEvents();
    }
  }

  static RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
  }

  std::vector<HWND> windows_;
};

TEST_F(ChromeTest, ShapedWindowIgnoresPointsOutsideItsShape) {
  HWND w = MakeWindow(300, 200, 200, 150);
  // Two pieces with a gap between them, like the main window's top row.
  ASSERT_TRUE(qf::ShapeWindow(w, {{0, 0, 100, 100, 20, 20}, {120, 0, 200, 50, 6, 6}}));
  Settle();
  EXPECT_EQ(WindowFromPoint({300 + 50, 200 + 50}), w);    // inside the first piece
  EXPECT_EQ(WindowFromPoint({300 + 150, 200 + 20}), w);   // inside the second piece
  EXPECT_NE(WindowFromPoint({300 + 110, 200 + 20}), w);   // the gap between them
  EXPECT_NE(WindowFromPoint({300 + 150, 200 + 120}), w);  // below the second piece
  EXPECT_NE(WindowFromPoint({300 + 1, 200 + 1}), w);      // cut off by the rounded corner
}

TEST_F(ChromeTest, StayOnTopMakesTheWindowTopmost) {
  HWND other = MakeWindow(100, 100, 100, 100);
  HWND w = MakeWindow(120, 120, 100, 100);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  qf::StayOnTop(w);
  EXPECT_NE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // Above the other window in the window system's order, though that one was raised last.
  bool topmostFirst = false;
  for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == w) topmostFirst = true;
    if (h == w || h == other) break;
  }
  EXPECT_TRUE(topmostFirst);
  const RECT r = WindowRect(w);
  EXPECT_EQ(r.left, 120);  // neither moved nor sized
  EXPECT_EQ(r.right - r.left, 100);
}

TEST_F(ChromeTest, ClickWithoutMovementStillSnapsToANearEdge) {
  // 10 pixels (150 twips) from the left edge, far from the others.
  HWND w = MakeWindow(10, 300, 200, 100);
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  Settle(300);
  const RECT r = WindowRect(w);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 300);
}

TEST_F(ChromeTest, RightButtonPressSnapsWithoutMoveLoop) {
  HWND w = MakeWindow(400, 5, 200, 100);  // 75 twips from the top edge
  PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  Settle(300);
  EXPECT_EQ(WindowRect(w).top, 0);
  EXPECT_EQ(WindowRect(w).left, 400);
}

TEST_F(ChromeTest, SnapEndsForAWindowDroppedOffScreen) {
  HWND w = MakeWindow(-150, 400, 200, 100);
  qf::SnapToScreen(w);
  EXPECT_EQ(WindowRect(w).left, 0);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  SetWindowPos(w, nullptr, screenWidth - 50, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  qf::SnapToScreen(w);
  EXPECT_EQ(WindowRect(w).right, screenWidth);
}

// Real mouse input, injected from a second thread while the window's thread runs the
// system's move loop inside FormDrag.
void DragWithMouse(POINT from, POINT to, std::atomic<bool>* done) {
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  auto move = [&](int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65535) / (screenW - 1);
    in.mi.dy = (y * 65535) / (screenH - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Sleep(15);
  };
  auto button = [](DWORD flag) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flag;
    SendInput(1, &in, sizeof in);
    Sleep(60);
  };
  move(from.x, from.y);
  Sleep(100);
  button(MOUSEEVENTF_LEFTDOWN);
  for (int i = 1; i <= 20; ++i) {
    move(from.x + (to.x - from.x) * i / 20, from.y + (to.y - from.y) * i / 20);
  }
  Sleep(100);
  button(MOUSEEVENTF_LEFTUP);
  *done = true;
}

TEST_F(ChromeTest, BackgroundDragMovesTheWindowAndEndsInTheSnap) {
  HWND w = MakeWindow(300, 300, 200, 100);
  SetForegroundWindow(w);
  Settle();
  std::atomic<bool> done{false};
  // Drop it 10 pixels from the left edge: the drag moves it, the snap pulls it to 0.
  std::thread mouse(DragWithMouse, POINT{400, 350}, POINT{110, 250}, &done);
  const DWORD start = GetTickCount();
  while (!done && GetTickCount() - start < 10000) {
    qf::WaitForEvents(10);
    qf::DoEvents();
  }
  mouse.join();
  Settle(300);
  const RECT r = WindowRect(w);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 200);
}

// A form of the toolkit, dragged by its background: the pointer and the slide.
TEST(FormDrag, TheMovePointerHoldsDuringAFormsDrag) {
  class MovingForm : public qf::Form {
   public:
    MovingForm()
        : Form({.caption = u"Moving", .width = 120, .height = 80, .left = -60, .top = 200}) {}
    HCURSOR seen = nullptr;

   protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
      if (message == WM_APP) seen = GetCursor();
      return false;
    }
  };
  MovingForm form;
  form.Show();
  // Queued before the drag, handled by the slide's first DoEvents: a mouse move's
  // WM_SETCURSOR, then a probe of the pointer it left.
  PostMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  PostMessageW(form.Handle(), WM_APP, 0, 0);
  qf::FormDrag(form);  // no button is down: no move loop, the slide back onto the screen
  EXPECT_EQ(form.seen, LoadCursorW(nullptr, IDC_SIZEALL));
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.left, 0);
}

HWND windowToDestroy = nullptr;
void CALLBACK DestroyOnTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  DestroyWindow(windowToDestroy);
}

TEST(FormDrag, TheSlideEndsWhenItsWindowIsDestroyedDuringIt) {
  qf::test::ReleaseForm form;
  form.Show();
  // Far below the screen: a long slide up, during which a timer destroys the window.
  SetWindowPos(form.Handle(), nullptr, 300, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  windowToDestroy = form.Handle();
  SetTimer(nullptr, 0, 1, &DestroyOnTick);
  qf::SnapToScreen(windowToDestroy);  // returns: the test would hang otherwise
  EXPECT_FALSE(IsWindow(windowToDestroy));
}

}  // namespace
