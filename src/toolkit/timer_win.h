#pragma once
// A form's timer, as a member of the form: ticks once the form's window exists.
//   qf::Timer Timer1{*this, {.interval = 1, .onTimer = [this] { Timer1_Timer(); }}};
#include <windows.h>

#include <functional>

#include "toolkit/form_win.h"

namespace qf {

struct TimerOptions {
  unsigned interval = 0;  // milliseconds; 0 never ticks
  bool enabled = true;
  std::function<void()> onTimer{};
};

// A timer on the form's window (it ticks once the form exists, hidden or shown). The handler
// is not re-entered: a tick that falls due while onTimer still runs (for instance inside a
// DoEvents() that it called) is skipped.
//
// A handler that found nothing to do, and can have nothing to do until a control changes,
// may let its timer rest: Rest() stops the ticks until the state of any control of the
// program changes (a text typed or set, a box ticked, a colour set, a scroll bar moved, a list
// entry chosen; by the user or by code), and the ticks go on from the next one after that
// change. A program at rest then receives no timer messages at all.
class Timer {
 public:
  Timer(Form& form, TimerOptions options = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  unsigned Interval() const { return options_.interval; }
  bool Enabled() const { return options_.enabled; }
  void SetEnabled(bool enabled);
  // Stops the ticks until a control's state changes (see above); Resting() until then.
  void Rest();
  bool Resting() const { return resting_; }

  std::function<void()> onTimer;

 private:
  friend class Form;
  friend class Control;
  void Tick();
  bool ShouldRun() const { return options_.enabled && options_.interval > 0 && !resting_; }
  // Every resting timer ticks again (a control's state changed).
  static void WakeResting();

  Form& form_;
  TimerOptions options_;
  unsigned id_ = 0;
  bool running_ = false;  // SetTimer is active
  bool inHandler_ = false;
  bool resting_ = false;
};

}  // namespace qf
