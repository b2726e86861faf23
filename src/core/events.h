#pragma once
// The one door from portable code to the window system's event pump.
//
// Several routines (the fade generator, ReplaceText, Pause, the window slide...) let
// pending window messages run while they work. They call DoEvents(); the Windows
// program installs the real pump at start-up, and until then (and in native builds)
// it does nothing. Routines that pump keep all their working state local, so a
// handler that runs inside DoEvents() may call them again without disturbing them.

#include <cstddef>

namespace qf {

struct EventPump {
  // Runs every pending window message, then returns.
  void (*pumpPending)() = nullptr;
  // Blocks until a message arrives or `milliseconds` have passed, whichever is first.
  // Lets waits (Pause) stay responsive without spinning the processor.
  void (*waitForMessage)(unsigned milliseconds) = nullptr;
  // Whether the program has been asked to end (WM_QUIT seen): waits then stop at once
  // instead of polling a queue that will never empty again.
  bool (*quitRequested)() = nullptr;
};

// Installs `pump`; returns the previous one (so a test can restore it).
EventPump SetEventPump(EventPump pump);

// Processes every pending window message once, then returns. No-op until a pump is set.
//   DoEvents();   // e.g. once per pass of a long loop on the GUI thread
void DoEvents();

// DoEvents() `times` times over; returns at once when no pump is set (nothing could run).
//   DoEvents(passes);   // a loop's pumping done up front, before its work
void DoEvents(std::size_t times);

// Waits at most `milliseconds` for a window message to arrive (it does not process it;
// call DoEvents() next). Natively, or before a pump is set, it simply sleeps.
void WaitForEvents(unsigned milliseconds);

// Whether the program has been asked to end. False natively or before a pump is set.
//   if (QuitRequested()) return;   // a wait gives up at once
bool QuitRequested();

}  // namespace qf
