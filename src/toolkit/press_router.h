#pragma once
// Which target a mouse press and its release belong to: the form's background or one of its
// click labels. A form holds the mouse from the first press until every button is up, and all
// the buttons pressed meanwhile belong to the target of that first press. A label gets a
// release only when the press was on it; a release whose press this form never saw (it began
// elsewhere, or the capture was taken away, as the window move loop does) is raised on
// nothing. Portable: the window procedure feeds it what lies under the mouse and raises what
// it returns. `Target` is the kind of label; a null target is the background.
//   PressRouter<ClickLabel> router;
//   router.Press(kLeft, &label, false);   // -> {Down on label}, startCapture
//   router.Release(kLeft, &label, 0);     // -> {Up on label, Click on label}, endCapture
#include <array>
#include <cstddef>

namespace qf {

enum class MouseEventKind { kDown, kUp, kClick, kDblClick };

template <class Target>
struct RoutedMouseEvent {
  MouseEventKind kind;
  Target* target;
  int button;
};

template <class Target>
struct RoutedMouseEvents {
  std::array<RoutedMouseEvent<Target>, 2> events{};
  std::size_t count = 0;
  bool startCapture = false;  // the first press: take the mouse
  bool endCapture = false;    // the last release: let it go before the events are raised

  void Add(RoutedMouseEvent<Target> event) { events[count++] = event; }
};

template <class Target>
class PressRouter {
 public:
  using Events = RoutedMouseEvents<Target>;

  // `button` (1 left, 2 right, 4 middle) went down over `under`. `doubleClick` is the second
  // press of a left double click: it raises DblClick instead of Down.
  Events Press(int button, Target* under, bool doubleClick) {
    Events out;
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

  // `button` came up over `under`; `buttonsHeld` are the buttons still down after it (the
  // message's flags), so a release that the form missed cannot leave a press open.
  Events Release(int button, Target* under, int buttonsHeld) {
    Events out;
    if (!active_ || (buttons_ & button) == 0) return out;  // not a press of ours
    Target* const target = target_;
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

  // The press ended without its release reaching the form (capture lost).
  void Cancel() {
    active_ = false;
    target_ = nullptr;
    buttons_ = 0;
    wasDoubleClick_ = false;
  }

  // `target` is going away: a press on it is forgotten.
  void Forget(const Target* target) {
    if (active_ && target_ == target) Cancel();
  }

  bool Active() const { return active_; }
  Target* Held() const { return target_; }
  // Whether a mouse move over `under` is the background's (Form_MouseMove): not while a label
  // holds the press, and not over a label.
  bool MoveIsBackgrounds(const Target* under) const {
    return active_ ? target_ == nullptr : under == nullptr;
  }

 private:
  static constexpr int kLeft = 1;
  bool active_ = false;
  Target* target_ = nullptr;
  int buttons_ = 0;
  bool wasDoubleClick_ = false;
};

}  // namespace qf
