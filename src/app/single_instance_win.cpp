#include "app/single_instance_win.h"

#include "toolkit/program_title.h"
#include "core/wide_win.h"

namespace qf {
namespace {

// Per session: each user signed in to the machine may run their own copy.
constexpr wchar_t kMutexName[] = L"Local\\QuelvaneFader1.0.Running";
constexpr wchar_t kFormClass[] = L"QfForm";
// How long a second copy waits for the running one to answer or to end. The running copy may
// still be in its start-up, or sending its exit announcement into a slow chat room.
constexpr DWORD kWaitForRunningCopyMs = 20000;
// How long one "come forward" may take to be answered.
constexpr UINT kAnswerMs = 1000;
// Between two tries, the claim is waited on this long.
constexpr DWORD kRetryMs = 100;

// The claim this process holds, owned by the thread that made it (the program's only thread).
HANDLE claim = nullptr;

// Asks the running copy's main window to come forward; true when it answered that it did.
bool AskRunningCopyForward() {
  const std::wstring title = ToWide(kProgramTitle);
  const HWND running = FindWindowW(kFormClass, title.c_str());
  if (running == nullptr) return false;  // not made yet, or already gone
  // This process was started by the user, so it may hand the foreground on.
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(running, ComeForwardMessage(), 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                             &answer) != 0 &&
         static_cast<LRESULT>(answer) == kCameForward;
}

}  // namespace

UINT ComeForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"QuelvaneFader1.0.ComeForward");
  return message;
}

bool ClaimSingleInstance() {
  const DWORD start = GetTickCount();
  for (;;) {
    // Asked for with ownership: the claim is held, not merely opened, until it is released.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    if (mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {
      claim = mutex;
      return true;
    }
    // Another copy holds it (or made it so that this process may not even open it).
    if (AskRunningCopyForward()) {
      if (mutex != nullptr) CloseHandle(mutex);
      return false;
    }
    if (mutex != nullptr) {
      // The running copy did not answer: it is starting, ending or hung. Once it lets go of
      // the claim (or ends without doing so), this process owns it.
      const DWORD waited = WaitForSingleObject(mutex, kRetryMs);
      if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        claim = mutex;
        return true;
      }
      // Not kept open between tries: an open handle would keep the claim's name alive after
      // the other copy is gone.
      CloseHandle(mutex);
    } else {
      Sleep(kRetryMs);
    }
    if (GetTickCount() - start >= kWaitForRunningCopyMs) break;
  }
  MessageBoxW(nullptr,
              L"Quelvane Fader is already running but does not answer. End it (in the Task "
              L"Manager) and start it again.",
              ToWide(kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void ReleaseSingleInstance() {
  if (claim == nullptr) return;
  ReleaseMutex(claim);
  CloseHandle(claim);
  claim = nullptr;
}

}  // namespace qf
