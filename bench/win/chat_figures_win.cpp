// What sending into the chat client costs, against the stand-in client (chatroom.exe, beside
// this program) in its own process: a line sent with the sixth icon, a line typed in with
// Enter (which waits for the client's box to settle), and a Pause of one second with the
// processor time it takes.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <string>

#include "chat/chat_link_win.h"
#include "chat/pause.h"
#include "figures_win.h"

namespace qf::figures {
namespace {

// A line with the announcement's decoration (bullet and middle dot).
constexpr char16_t kDecorated[] = u"\u2022\u00B7\u00B7.<b>Quelvane Fader</b>";

std::wstring ExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// The number of complete lines (CR LF) in the file, 0 when it cannot be read.
std::size_t LinesIn(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::size_t lines = 0;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    for (DWORD i = 0; i < got; ++i) lines += buffer[i] == '\n';
  }
  CloseHandle(file);
  return lines;
}

bool WaitForLines(const std::wstring& log, std::size_t count, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (LinesIn(log) < count) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(10);
  }
  return true;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

// chatroom.exe with a log of its own, ended with this object.
class Room {
 public:
  Room() {
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"qff", 0, file) == 0) {
      return;
    }
    log_ = file;
    std::wstring command = L"\"" + ExeFolder() + L"chatroom.exe\" --log \"" + log_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      process_ = {};
      return;
    }
    CloseHandle(process_.hThread);
    ready_ = WaitForLines(log_, 1, 20000);
  }
  Room(const Room&) = delete;
  Room& operator=(const Room&) = delete;
  ~Room() {
    if (process_.hProcess != nullptr) {
      TerminateProcess(process_.hProcess, 0);
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hProcess);
    }
    if (!log_.empty()) DeleteFileW(log_.c_str());
  }
  bool Ready() const { return ready_; }
  const std::wstring& Log() const { return log_; }

 private:
  PROCESS_INFORMATION process_{};
  std::wstring log_;
  bool ready_ = false;
};

}  // namespace

bool ChatFigures() {
  Room room;
  if (!room.Ready()) {
    std::fprintf(stderr, "chat: chatroom.exe did not start (it must lie beside this program)\n");
    return false;
  }
  constexpr int kSends = 100;
  Clock::time_point start = Clock::now();
  int delivered = 0;
  for (int i = 0; i < kSends; ++i) delivered += ChatSend(kDecorated) == ChatSendResult::kDelivered ? 1 : 0;
  const double perSend = MillisecondsPerRound(start, kSends);
  if (delivered != kSends || !WaitForLines(room.Log(), kSends + 1, 10000)) {
    std::fprintf(stderr, "chat: %d of %d lines were delivered\n", delivered, kSends);
    return false;
  }

  start = Clock::now();
  ChatSendEnter(kDecorated);
  const double enter = MillisecondsPerRound(start, 1) / 1000;

  double cpu = ProcessCpuSeconds();
  start = Clock::now();
  Pause(1.0);
  const double pause = MillisecondsPerRound(start, 1) / 1000;
  cpu = ProcessCpuSeconds() - cpu;

  std::printf("chat: ChatSend: %.2f ms per line (%d lines)\n", perSend, kSends);
  std::printf("chat: ChatSendEnter: %.3f s\n", enter);
  std::printf("chat: Pause(1.0): %.4f s elapsed, %.3f s processor time\n", pause, cpu);
  return true;
}

}  // namespace qf::figures
