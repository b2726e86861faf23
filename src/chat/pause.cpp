#include "chat/pause.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/events.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The longest single block between two looks at the clock.
constexpr double kPollSeconds = 0.010;

}  // namespace

void qf::Pause(double seconds) {
  // steady_clock rather than the time of day: it never wraps at midnight and does not jump
  // when the user or a time service sets the clock, so every pause ends after its length.
  const Clock::time_point start = Clock::now();
  for (;;) {
    // Written as "not less" so that NaN also returns at once instead of waiting forever.
    // Once the program is asked to end, the queue holds the quit for good: waiting on it
    // would only spin until the time is up.
    if (!(SecondsSince(start) < seconds) || QuitRequested()) return;
    DoEvents();
    const double remaining = seconds - SecondsSince(start);
    if (remaining <= 0 || QuitRequested()) continue;
    // Whole milliseconds, rounded up so a sub-millisecond rest does not become a busy loop.
    const double waitMs = std::ceil(std::min(remaining, kPollSeconds) * 1000.0);
    WaitForEvents(static_cast<unsigned>(waitMs));
  }
}

qf::SteadyWait qf::WaitForSteadyLength(
    const std::function<std::optional<std::size_t>()>& readLength, SteadyWaitTiming timing) {
  const Clock::time_point start = Clock::now();
  for (;;) {
    DoEvents();
    if (QuitRequested()) return SteadyWait::kQuitting;
    const std::optional<std::size_t> first = readLength();
    if (!first) return SteadyWait::kUnreadable;
    Pause(timing.interval);
    if (QuitRequested()) return SteadyWait::kQuitting;
    const std::optional<std::size_t> second = readLength();
    if (!second) return SteadyWait::kUnreadable;
    Pause(timing.interval);
    if (QuitRequested()) return SteadyWait::kQuitting;
    const std::optional<std::size_t> third = readLength();
    if (!third) return SteadyWait::kUnreadable;
    if (IsSteadyLength(*first, *second, *third)) return SteadyWait::kSteady;
    if (!(SecondsSince(start) < timing.limit)) return SteadyWait::kGaveUp;
  }
}
