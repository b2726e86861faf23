#include "toolkit/picture_box_win.h"

#include <algorithm>
#include <utility>

#include "core/wide_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {

namespace {
constexpr wchar_t kPictureClass[] = L"QfPictureBox";
}

PictureBox::PictureBox(Form& form, Rect bounds, PictureBoxOptions options)
    : Control(form, bounds),
      onClick(std::exchange(options.onClick, nullptr)),
      onDblClick(std::exchange(options.onDblClick, nullptr)),
      onMouseDown(std::exchange(options.onMouseDown, nullptr)),
      onActivate(std::exchange(options.onActivate, nullptr)),
      options_(std::move(options)),
      backColor_(options_.backColor) {}

PictureBox::~PictureBox() {
  // The window itself goes with the form's; it must not paint from this object any more.
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ReleaseImage();  // its fonts leave the image's DC before they are deleted
}

void PictureBox::Rescale() {
  Control::Rescale();
  EnsureImage();
  Invalidate();
}

int PictureBox::ImageWidth() const {
  return std::max(PlacedBounds().width - (options_.border ? 2 : 0), 1);
}

int PictureBox::ImageHeight() const {
  return std::max(PlacedBounds().height - (options_.border ? 2 : 0), 1);
}

void PictureBox::ReleaseImage() {
  text_.Attach(nullptr);
  if (imageDc_ && oldBitmap_ != nullptr) SelectObject(imageDc_.Get(), oldBitmap_);
  oldBitmap_ = nullptr;
  imageDc_.Reset();
  image_.Reset();
}

void PictureBox::EnsureImage() {
  // An image made before the window (at 96 dpi), or before the scale changed, is remade at
  // the size the box has now, cleared to the background colour; text is drawn at its scale.
  if (imageDc_ && (imageSize_.cx != ImageWidth() || imageSize_.cy != ImageHeight())) {
    ReleaseImage();
  }
  text_.SetDpi(form_.Scaling().dpi);
  if (imageDc_) return;
  imageSize_ = SIZE{ImageWidth(), ImageHeight()};
  WindowDc screen(nullptr);
  image_.Reset(CreateCompatibleBitmap(screen.Get(), ImageWidth(), ImageHeight()));
  imageDc_ = MemoryDc(screen.Get());
  if (!image_ || !imageDc_) {
    imageDc_.Reset();
    return;
  }
  oldBitmap_ = SelectObject(imageDc_.Get(), image_.Get());
  text_.Attach(imageDc_.Get());
  const RECT all{0, 0, ImageWidth(), ImageHeight()};
  SetBkColor(imageDc_.Get(), static_cast<COLORREF>(backColor_));
  ExtTextOutW(imageDc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

void PictureBox::Create(HWND /*parent*/) {
  if (!RegisterWindowClass(kPictureClass, &PictureBox::WindowProc, true,
                           LoadCursorW(nullptr, IDC_ARROW))) {
    return;
  }
  EnsureImage();
  const DWORD style = (options_.border ? WS_BORDER : 0) | (onActivate ? WS_TABSTOP : 0);
  hwnd_ = CreateChild(kPictureClass, style, 0, nullptr, this);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PictureBox* box = WindowOwner<PictureBox>(hwnd, message, lParam, &PictureBox::hwnd_);
  if (box == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return box->OnMessage(message, wParam, lParam);
}

LRESULT PictureBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      invalidated_ = false;
      HDC dc = BeginPaint(hwnd_, &paint);
      if (dc != nullptr) {
        EnsureImage();
        const RECT& r = paint.rcPaint;
        if (imageDc_) {
          BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, imageDc_.Get(), r.left,
                 r.top, SRCCOPY);
        }
        EndPaint(hwnd_, &paint);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd_);
      if (onMouseDown) {
        onMouseDown(kLeftButton, 0, static_cast<float>(MouseX(lParam)),
                    static_cast<float>(MouseY(lParam)));
      }
      return 0;
    case WM_RBUTTONDOWN:
      if (onMouseDown) {
        onMouseDown(kRightButton, 0, static_cast<float>(MouseX(lParam)),
                    static_cast<float>(MouseY(lParam)));
      }
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = pressed_;
      pressed_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      RECT client;
      GetClientRect(hwnd_, &client);
      const POINT at{MouseX(lParam), MouseY(lParam)};
      if (wasPressed && PtInRect(&client, at) && onClick) onClick();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      // Down, Up, Click, DblClick, Up: the release after a double click raises no Click.
      pressed_ = false;
      if (onDblClick) onDblClick();
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case WM_KEYDOWN:
      // Once per press: a held key does not repeat (a colour dialog after each one).
      if ((wParam == VK_SPACE || wParam == VK_RETURN) && onActivate) {
        if ((lParam & (LPARAM{1} << 30)) == 0) {
          const std::function<void()> activate = onActivate;  // it may replace itself
          activate();
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void PictureBox::Invalidate() {
  // Once until the next paint: each InvalidateRect is a trip to the window server, and the
  // preview draws every character on its own.
  if (hwnd_ != nullptr && !invalidated_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    invalidated_ = true;
  }
}

void PictureBox::SetBackColor(int32_t color) {
  backColor_ = color;
  Cls();
}

void PictureBox::Cls() {
  EnsureImage();
  if (!imageDc_) return;
  const RECT all{0, 0, ImageWidth(), ImageHeight()};
  SetBkColor(imageDc_.Get(), static_cast<COLORREF>(backColor_));
  ExtTextOutW(imageDc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  Invalidate();
}

void PictureBox::PrintText(int x, int y, std::u16string_view text) {
  EnsureImage();
  if (text.empty()) return;
  text_.Print(x, y, text);
  Invalidate();
}

int PictureBox::TextWidth(std::u16string_view text) {
  EnsureImage();
  return text_.Width(text);
}

void PictureBox::Refresh() {
  if (hwnd_ == nullptr) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

HDC PictureBox::ImageDc() {
  EnsureImage();
  text_.SelectFont();
  return imageDc_.Get();
}

}  // namespace qf
