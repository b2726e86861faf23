#include "chrome/drag_win.h"

#include <cmath>

#include "chrome/snap.h"
#include "toolkit/dpi_win.h"
#include "toolkit/form_win.h"

namespace qf {
namespace {

// Twips per physical pixel where `window` is (15 at 96 dots per inch, 10 at 144). Everything
// the slide measures (the window's place and size, the screen) is in physical pixels, so its
// twips stay a true length at every scale.
double TwipsPerPixel(HWND window) { return 1440.0 / WindowDpi(window); }

// The window as the slide sees it. The window system places windows on whole pixels, and a
// 10-twip move is less than a pixel: the position is therefore kept here in twips, so every
// move counts and every slide ends. If something else moved the window meanwhile (its pixel
// position no longer matches), the real position is taken up again.
class TwipWindow final : public SlidingWindow {
 public:
  TwipWindow(HWND window, double twipsPerPixel) : window_(window), scale_(twipsPerPixel) {
    position_ = PixelPosition();
  }

  TwipPoint Position() const override {
    const TwipPoint real = PixelPosition();
    if (ToPixels(real.left) != ToPixels(position_.left) ||
        ToPixels(real.top) != ToPixels(position_.top)) {
      position_ = real;
    }
    return position_;
  }

  void MoveTo(TwipPoint position) override {
    position_ = position;
    SetWindowPos(window_, nullptr, ToPixels(position.left), ToPixels(position.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  bool Exists() const override { return IsWindow(window_) != FALSE; }

  double Width() const { return Extent().right * scale_; }
  double Height() const { return Extent().bottom * scale_; }

 private:
  int ToPixels(double twips) const { return static_cast<int>(std::floor(twips / scale_)); }

  TwipPoint PixelPosition() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return {r.left * scale_, r.top * scale_};
  }

  RECT Extent() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
  }

  HWND window_;
  double scale_;
  mutable TwipPoint position_;
};

bool LeftButtonIsDown() {
  // With swapped buttons the physical left button reports as VK_RBUTTON.
  const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace

void SnapToScreen(HWND window) {
  if (!IsWindow(window)) return;
  const double scale = TwipsPerPixel(window);
  TwipWindow twips(window, scale);
  SlideOntoScreen(twips, twips.Width(), twips.Height(), GetSystemMetrics(SM_CXSCREEN) * scale,
                  GetSystemMetrics(SM_CYSCREEN) * scale);
}

namespace {

// The move loop, then the slide.
void MoveThenSnap(HWND window) {
  ReleaseCapture();
  // The system's move loop returns when the left button is released. Started with no button
  // held it would wait for the next release (under Wine), so only start it while one is down.
  if (LeftButtonIsDown()) SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  SnapToScreen(window);
}

}  // namespace

void FormDrag(HWND window) {
  SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
  MoveThenSnap(window);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void FormDrag(Form& form) {
  HWND window = form.Handle();
  if (window == nullptr) return;
  form.SetMoving(true);
  MoveThenSnap(window);
  form.SetMoving(false);
}

}  // namespace qf
