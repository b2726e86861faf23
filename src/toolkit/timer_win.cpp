#include "toolkit/timer_win.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qf {

namespace {
// The timers that rest until a control's state changes (one user-interface thread).
std::vector<Timer*>& RestingTimers() {
  static std::vector<Timer*> resting;
  return resting;
}
}  // namespace

Timer::Timer(Form& form, TimerOptions options)
    : onTimer(std::exchange(options.onTimer, nullptr)),
      form_(form),
      options_(std::move(options)),
      id_(form.nextTimerId_++) {
  form_.timers_.push_back(this);
  if (form_.hwnd_ != nullptr) form_.StartTimer(*this);
}

Timer::~Timer() {
  form_.Detach();
  form_.StopTimer(*this);
  auto& list = form_.timers_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  auto& resting = RestingTimers();
  resting.erase(std::remove(resting.begin(), resting.end(), this), resting.end());
}

void Timer::SetEnabled(bool enabled) {
  options_.enabled = enabled;
  form_.StartTimer(*this);
}

void Timer::Rest() {
  if (resting_) return;
  resting_ = true;
  RestingTimers().push_back(this);
  form_.StopTimer(*this);
}

void Timer::WakeResting() {
  std::vector<Timer*>& resting = RestingTimers();
  if (resting.empty()) return;
  // Taken first: a timer started here may not rest again before the list is done.
  const std::vector<Timer*> waking = std::exchange(resting, {});
  for (Timer* timer : waking) {
    timer->resting_ = false;
    timer->form_.StartTimer(*timer);
  }
}

void Timer::Tick() {
  if (inHandler_ || !ShouldRun() || !onTimer) return;
  inHandler_ = true;
  onTimer();
  inHandler_ = false;
}

}  // namespace qf
