#include <windows.h>

#include <gtest/gtest.h>

#include "core/events.h"

namespace {
int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }
}  // namespace

// A timer message is dispatched by DoEvents(), and WaitForEvents() wakes for it.
TEST(EventPump, DoEventsDispatchesTimerMessages) {
  timerTicks = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 1, &CountTick);
  const DWORD start = GetTickCount();
  while (timerTicks == 0 && GetTickCount() - start < 2000) {
    qf::WaitForEvents(50);
    qf::DoEvents();
  }
  KillTimer(nullptr, id);
  EXPECT_GT(timerTicks, 0);
}
