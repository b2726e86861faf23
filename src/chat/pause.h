#pragma once
// Waiting on the GUI thread while its windows stay responsive: Pause, and the wait for a
// chat input box whose text length has settled. Portable: the window side supplies how a
// length is read, these routines only decide when to stop.
#include <cstddef>
#include <functional>
#include <optional>

namespace qf {

// Waits at least `seconds` (fractions allowed) while pending window messages run. Between
// two looks at the clock it blocks in WaitForEvents() for at most 10 ms, so it neither
// spins the processor nor delays a message. Elapsed time is measured on a monotonic clock,
// so a pause that spans midnight or a change of the system clock still ends after its
// length. Zero, negative and NaN lengths return at once without pumping, and so does every
// pause once the program has been asked to end (QuitRequested).
//   Pause(0.3);   // returns no earlier than 0.3 s later; timers and paints run meanwhile
void Pause(double seconds);

// Three readings of a text length, taken half a second apart, count as steady when they
// agree on a length other than zero.
//   IsSteadyLength(5, 5, 5) == true;  IsSteadyLength(0, 0, 0) == false
constexpr bool IsSteadyLength(std::size_t first, std::size_t second, std::size_t third) {
  return first == second && third == first && third != 0;
}

enum class SteadyWait {
  kSteady,      // three readings agreed on a length other than zero
  kGaveUp,      // the length did not settle within the time limit
  kUnreadable,  // a reading failed (the window is gone or does not answer)
  kQuitting,    // the program was asked to end meanwhile
};

struct SteadyWaitTiming {
  double interval = 0.5;  // seconds between two readings of one round
  double limit = 4.0;     // no new round starts once this many seconds have passed
};

// Repeats rounds of: let pending messages run, read, Pause(interval), read,
// Pause(interval), read, until a round is steady (IsSteadyLength). `readLength` returns
// the current length, or nullopt when the window cannot be read, which ends the wait at
// once; so does a request to end the program (kQuitting). The wait gives up after the round in
// which `timing.limit` seconds have passed, so an empty or ever-changing box cannot hold the caller
// up for more than about limit + 2 * interval.
//   WaitForSteadyLength([&] { return std::optional<std::size_t>(box.size()); });
SteadyWait WaitForSteadyLength(const std::function<std::optional<std::size_t>()>& readLength,
                               SteadyWaitTiming timing = {});

}  // namespace qf
