#include "toolkit/event_pump_win.h"

#include <windows.h>

#include "core/events.h"
#include "toolkit/form_win.h"

namespace {

bool quitSeen = false;

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // A nested pump must not swallow the quit: put it back for the main loop.
      quitSeen = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (qf::Form::TranslateKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WaitForMessage(unsigned milliseconds) {
  // MWMO_INPUTAVAILABLE: wake also for input that is already queued but was seen before.
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool QuitSeen() { return quitSeen; }

}  // namespace

void qf::InstallEventPump() { SetEventPump({&PumpPendingMessages, &WaitForMessage, &QuitSeen}); }

int qf::RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);  // WM_QUIT
    if (got == -1) return 1;                            // an invalid call: nothing to wait for
    if (Form::TranslateKey(msg)) continue;              // the keys a form takes itself
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void qf::EndProgram() { ExitProcess(0); }
