#include "app/single_instance_win.h"

#include "toolkit/program_title.h"
#include "core/wide_win.h"

namespace qf {
namespace {

// Per session: each user signed in to the machine may run their own copy.
constexpr wchar_t kMutexName[] = L"Local\\QuelvaneFader1.0.Running";
constexpr wchar_t kFormClass[] = L"QfForm";
// The running copy may still be in its start-up (its window exists before the announcement
// has been sent): it is looked for this long.
constexpr DWORD kFindWindowMs = 5000;

}  // namespace

UINT ComeForwardMessage() {
  static const UINT message = RegisterWindowMessageW(L"QuelvaneFader1.0.ComeForward");
  return message;
}

bool ClaimSingleInstance() {
  // Never closed: the handle lives as long as the process, and the system lets go of it then.
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return true;

  const std::wstring title = ToWide(kProgramTitle);
  const DWORD start = GetTickCount();
  HWND running = nullptr;
  while ((running = FindWindowW(kFormClass, title.c_str())) == nullptr &&
         GetTickCount() - start < kFindWindowMs) {
    Sleep(50);
  }
  if (running != nullptr) {
    // This process was started by the user, so it may hand the foreground on.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(running, ComeForwardMessage(), 0, 0);
  }
  return false;
}

}  // namespace qf
