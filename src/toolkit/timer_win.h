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

class Timer {
 public:
  Timer(Form& form, TimerOptions options = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  unsigned Interval() const { return options_.interval; }
  bool Enabled() const { return options_.enabled; }
  void SetEnabled(bool enabled);

  std::function<void()> onTimer;

 private:
  friend class Form;
  void Tick();
  bool ShouldRun() const { return options_.enabled && options_.interval > 0; }

  Form& form_;
  TimerOptions options_;
  unsigned id_ = 0;
  bool running_ = false;  // SetTimer is active
  bool inHandler_ = false;
};

}  // namespace qf
