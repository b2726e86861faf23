#include "core/events.h"

#include <chrono>
#include <thread>

namespace {
qf::EventPump currentPump;
}

qf::EventPump qf::SetEventPump(EventPump pump) {
  EventPump previous = currentPump;
  currentPump = pump;
  return previous;
}

void qf::DoEvents() {
  if (currentPump.pumpPending != nullptr) currentPump.pumpPending();
}

void qf::DoEvents(std::size_t times) {
  if (currentPump.pumpPending == nullptr) return;
  // The pump is read again each time: a handler it runs may set another one.
  for (std::size_t k = 0; k < times && currentPump.pumpPending != nullptr; ++k) {
    currentPump.pumpPending();
  }
}

void qf::WaitForEvents(unsigned milliseconds) {
  if (currentPump.waitForMessage != nullptr) {
    currentPump.waitForMessage(milliseconds);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

bool qf::QuitRequested() {
  return currentPump.quitRequested != nullptr && currentPump.quitRequested();
}
