#include "toolkit/press_router.h"

namespace qf {
namespace {
constexpr int kLeft = 1;
}

RoutedMouseEvents PressRouter::Press(int button, PressTarget under, bool doubleClick) {
  RoutedMouseEvents out;
  if (!active_) {
    active_ = true;
    target_ = under;
    buttons_ = 0;
    wasDoubleClick_ = false;
    out.startCapture = true;
  }
  buttons_ |= button;
  if (doubleClick && button == kLeft) {
    // Down, Up, Click, DblClick, Up: the second press raises DblClick and its release no Click.
    wasDoubleClick_ = true;
    out.Add({MouseEventKind::kDblClick, target_, button});
  } else {
    out.Add({MouseEventKind::kDown, target_, button});
  }
  return out;
}

RoutedMouseEvents PressRouter::Release(int button, PressTarget under, int buttonsHeld) {
  RoutedMouseEvents out;
  if (!active_ || (buttons_ & button) == 0) return out;  // not a press of ours
  const PressTarget target = target_;
  const bool click = button == kLeft && !wasDoubleClick_ && under == target;
  buttons_ &= ~button;
  if (buttons_ == 0 || buttonsHeld == 0) {
    Cancel();
    out.endCapture = true;
  }
  out.Add({MouseEventKind::kUp, target, button});
  if (click) out.Add({MouseEventKind::kClick, target, button});
  return out;
}

void PressRouter::Cancel() {
  active_ = false;
  target_ = nullptr;
  buttons_ = 0;
  wasDoubleClick_ = false;
}

void PressRouter::Forget(PressTarget target) {
  if (active_ && target_ == target) Cancel();
}

bool PressRouter::MoveIsBackgrounds(PressTarget under) const {
  if (active_) return target_ == nullptr;
  return under == nullptr;
}

}  // namespace qf
