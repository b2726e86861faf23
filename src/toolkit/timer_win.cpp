#include "toolkit/timer_win.h"

#include <algorithm>
#include <utility>

namespace qf {

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
}

void Timer::SetEnabled(bool enabled) {
  options_.enabled = enabled;
  form_.StartTimer(*this);
}

void Timer::Tick() {
  if (inHandler_ || !ShouldRun() || !onTimer) return;
  inHandler_ = true;
  onTimer();
  inHandler_ = false;
}

}  // namespace qf
