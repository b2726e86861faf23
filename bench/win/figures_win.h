#pragma once
// Figures of the Windows side that only a real window system gives: what a preview tick costs,
// appending to a large text box, and sending into the stand-in chat client. Each prints its
// figures on standard output; win_figures.exe runs the ones named on its command line.
#include <chrono>

namespace qf::figures {

using Clock = std::chrono::steady_clock;

// Milliseconds from `start` until now, divided over `rounds` rounds.
inline double MillisecondsPerRound(Clock::time_point start, int rounds) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

// Each returns false (having said why on standard error) when it could not measure.
bool PreviewFigures();
bool TextBoxFigures();
bool ChatFigures();

}  // namespace qf::figures
