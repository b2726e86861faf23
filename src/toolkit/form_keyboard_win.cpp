#include "toolkit/form_keyboard_win.h"

#include "toolkit/click_label_win.h"
#include "toolkit/control_win.h"
#include "toolkit/form_win.h"
#include "toolkit/tab_order.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

// lParam bits of a key message: Alt held (WM_SYSKEYDOWN), and the key already down (a repeat).
constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kRepeat = LPARAM{1} << 30;

}  // namespace

bool FormKeyboard::OnQueuedKey(const MSG& msg) {
  if (form_.hwnd_ == nullptr) return false;
  if (msg.message == WM_SYSKEYDOWN) {
    // Alt+F4 does what the window's close area does, and nothing else closes it.
    if (msg.wParam != VK_F4 || (msg.lParam & kAltHeld) == 0 || options_.closeArea == nullptr) {
      return false;
    }
    if ((msg.lParam & kRepeat) == 0) options_.closeArea->PerformClick();
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if (options_.tabOrder.empty() || GetKeyState(VK_CONTROL) < 0) return false;
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_ESCAPE:
      if (options_.escapeArea == nullptr) return false;
      if ((msg.lParam & kRepeat) == 0) options_.escapeArea->PerformClick();
      return true;
    case VK_SPACE:
    case VK_RETURN:
      // A click on the label that has the keyboard. Taken here, before it is translated: the
      // character it would make must not reach what the click opens (Enter in the menu's
      // loop would close the menu at once). Held down, the key would click again and again
      // (send after send): once per press.
      if (msg.hwnd != form_.hwnd_ || focusedLabel_ == nullptr) return false;
      if ((msg.lParam & kRepeat) == 0) focusedLabel_->PerformClick();
      return true;
    default:
      return false;
  }
}

bool FormKeyboard::CanTakeFocus(const TabStop& stop) const {
  if (stop.label != nullptr) return true;
  // Its own visibility: while the form itself is still hidden (it takes the focus as it
  // shows), its controls are not visible on the screen yet but can take the keyboard.
  const HWND window = stop.control->hwnd_;
  if (window == nullptr || (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) == 0 ||
      !IsWindowEnabled(window)) {
    return false;
  }
  // A control laid outside the window only holds a value.
  const Rect placed = stop.control->PlacedBounds();
  const Rect client = form_.scale_.Map(Rect{0, 0, form_.options_.width, form_.options_.height});
  return client.Contains(placed.left, placed.top);
}

std::optional<std::size_t> FormKeyboard::CurrentStop() const {
  const HWND focus = GetFocus();
  if (focus == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < options_.tabOrder.size(); ++i) {
    const TabStop& stop = options_.tabOrder[i];
    if (stop.label != nullptr ? focus == form_.hwnd_ && stop.label == focusedLabel_
                              : focus == stop.control->hwnd_) {
      return i;
    }
  }
  return std::nullopt;
}

void FormKeyboard::MoveFocus(bool backwards) {
  const std::vector<TabStop>& order = options_.tabOrder;
  const auto next = NextTabStop(order.size(), CurrentStop(), backwards,
                                [&](std::size_t i) { return CanTakeFocus(order[i]); });
  if (next) FocusStop(order[*next]);
}

bool FormKeyboard::FocusFirstStop() {
  if (options_.tabOrder.empty()) return false;
  MoveFocus(false);
  return true;
}

void FormKeyboard::FocusStop(const TabStop& stop) {
  if (stop.label == nullptr) {
    focusedLabel_ = nullptr;
    if (GetFocus() != stop.control->hwnd_) SetFocus(stop.control->hwnd_);
    return;
  }
  // The form's window holds the focus for the label; taking it moves the ring (WM_SETFOCUS).
  focusedLabel_ = stop.label;
  if (GetFocus() != form_.hwnd_) {
    SetFocus(form_.hwnd_);
  } else {
    FocusMovedTo(form_.hwnd_);
  }
  // The system sees its focus stay on the form's window: a reader is told which item has it.
  AccessibleClient::AnnounceFocus(form_.hwnd_, form_.FocusedItem());
}

void FormKeyboard::FocusMovedTo(HWND focus) {
  if (form_.hwnd_ == nullptr) return;
  // Into a control (a click or Tab): no label has the keyboard any more.
  if (focus != nullptr && IsChild(form_.hwnd_, focus)) focusedLabel_ = nullptr;
  const std::optional<Rect> around = RingAround(focus);
  if (around == ringAround_) return;
  InvalidateRing(ringAround_);
  ringAround_ = around;
  InvalidateRing(ringAround_);
}

std::optional<Rect> FormKeyboard::RingAround(HWND focus) const {
  if (focus == nullptr) return std::nullopt;
  if (focus == form_.hwnd_) {
    if (focusedLabel_ == nullptr) return std::nullopt;
    return focusedLabel_->Bounds();
  }
  for (const Control* control : form_.controls_) {
    if (control->hwnd_ == focus) {
      if (control->ShowsOwnFocus()) return std::nullopt;
      return control->Bounds();
    }
  }
  return std::nullopt;
}

void FormKeyboard::InvalidateRing(const std::optional<Rect>& around) const {
  if (!around || form_.hwnd_ == nullptr) return;
  const RECT area = ToRECT(form_.scale_.Map(around->Inflate(kFocusRingWidth)));
  InvalidateRect(form_.hwnd_, &area, FALSE);
}

void FormKeyboard::PaintRing(HDC dc) {
  if (!ringAround_) return;
  // Both edges mapped by the form's scale: the ring hugs what it surrounds at every scale.
  const Rect outer = form_.scale_.Map(ringAround_->Inflate(kFocusRingWidth));
  const Rect inner = form_.scale_.Map(*ringAround_);
  form_.PaintFocusRing(dc, outer, inner);
}

void FormKeyboard::Forget(const ClickLabel* label) {
  if (focusedLabel_ == label) focusedLabel_ = nullptr;
}

void FormKeyboard::Cancel() {
  focusedLabel_ = nullptr;
  ringAround_.reset();
}

}  // namespace qf
