#pragma once
// Which target a mouse press and its release belong to: the form's background or one of its
// click labels. A form holds the mouse from the first press until every button is up, and all
// the buttons pressed meanwhile belong to the target of that first press. A label gets a
// release only when the press was on it; a release whose press this form never saw (it began
// elsewhere, or the capture was taken away, as the window move loop does) is raised on
// nothing. Portable: the window procedure feeds it what lies under the mouse and raises what
// it returns.
//   PressRouter router;
//   router.Press(kLeft, &label, false);   // -> {Down on label}, startCapture
//   router.Release(kLeft, &label, 0);     // -> {Up on label, Click on label}, endCapture
#include <array>
#include <cstddef>

namespace qf {

// A press target: a label of the form, or null for the form's background.
using PressTarget = const void*;

enum class MouseEventKind { kDown, kUp, kClick, kDblClick };

struct RoutedMouseEvent {
  MouseEventKind kind;
  PressTarget target;
  int button;
};

struct RoutedMouseEvents {
  std::array<RoutedMouseEvent, 2> events{};
  std::size_t count = 0;
  bool startCapture = false;  // the first press: take the mouse
  bool endCapture = false;    // the last release: let it go before the events are raised

  void Add(RoutedMouseEvent event) { events[count++] = event; }
};

class PressRouter {
 public:
  // `button` (1 left, 2 right, 4 middle) went down over `under`. `doubleClick` is the second
  // press of a left double click: it raises DblClick instead of Down.
  RoutedMouseEvents Press(int button, PressTarget under, bool doubleClick);
  // `button` came up over `under`; `buttonsHeld` are the buttons still down after it (the
  // message's flags), so a release that the form missed cannot leave a press open.
  RoutedMouseEvents Release(int button, PressTarget under, int buttonsHeld);
  // The press ended without its release reaching the form (capture lost).
  void Cancel();
  // `target` is going away: a press on it is forgotten.
  void Forget(PressTarget target);

  bool Active() const { return active_; }
  PressTarget Target() const { return target_; }
  // Whether a mouse move over `under` is the background's (Form_MouseMove): not while a label
  // holds the press, and not over a label.
  bool MoveIsBackgrounds(PressTarget under) const;

 private:
  bool active_ = false;
  PressTarget target_ = nullptr;
  int buttons_ = 0;
  bool wasDoubleClick_ = false;
};

}  // namespace qf
