#pragma once
// The real event pump of the Windows program, installed behind qf::DoEvents().

namespace qf {

// Installs the Win32 pump: DoEvents() then runs PeekMessage/Translate/Dispatch until the
// queue is empty, and WaitForEvents() sleeps in MsgWaitForMultipleObjectsEx until input
// arrives. Once WM_QUIT was seen inside DoEvents(), it is posted again so that the program's
// main loop still sees it and ends, and QuitRequested() holds from then on. Call once at
// start-up (tests call it from their main). Both loops give each key message to the forms
// first (Form::TranslateKey: Tab, Escape, Alt+F4, Space and Enter on a click label).
void InstallEventPump();

// The program's message loop: GetMessage/Translate/Dispatch until WM_QUIT, then returns the
// exit code that PostQuitMessage gave (for WinMain to return).
int RunMessageLoop();

// Ends the program at once: no further message is handled, no handler or destructor runs,
// and the system closes every window of the process.
[[noreturn]] void EndProgram();

}  // namespace qf
