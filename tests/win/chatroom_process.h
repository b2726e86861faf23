#pragma once
// Runs the stand-in chat client (chatroom.exe, beside the test program) in its own process
// for one test, and reads its log.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qf::testing {

inline std::wstring ExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

inline std::string ReadWholeFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    content.append(buffer, got);
  CloseHandle(file);
  return content;
}

// Lines of a CR LF text; a last line without its CR LF (still being written) is left out.
inline std::vector<std::string> CompleteLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class ChatroomProcess {
 public:
  ChatroomProcess() = default;
  ChatroomProcess(const ChatroomProcess&) = delete;
  ChatroomProcess& operator=(const ChatroomProcess&) = delete;
  ~ChatroomProcess() { Stop(); }

  // Starts chatroom.exe with a fresh log and `options`, and waits for its "ready".
  void Start(const std::wstring& options) {
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"qfc", 0, file), 0u);
    logPath_ = file;
    std::wstring command =
        L"\"" + ExeFolder() + L"chatroom.exe\" --log \"" + logPath_ + L"\" " + options;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_))
        << "cannot start " << command.size();
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    ASSERT_TRUE(WaitForLines(1, 20000)) << "chatroom.exe did not become ready";
    ASSERT_EQ(Lines().front(), "ready");
    // The chat link takes the first frame it finds: it must be this client's.
    DWORD owner = 0;
    GetWindowThreadProcessId(FindWindowA("AOL Frame25", nullptr), &owner);
    ASSERT_EQ(owner, process_.dwProcessId) << "another chat client is running";
  }

  void Stop() {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 0);
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hProcess);
      process_.hProcess = nullptr;
    }
    if (!logPath_.empty()) {
      DeleteFileW(logPath_.c_str());
      logPath_.clear();
    }
  }

  std::string Log() const { return ReadWholeFile(logPath_); }
  std::vector<std::string> Lines() const { return CompleteLines(Log()); }

  // Waits until the log holds `count` complete lines, or the client ended, or the deadline.
  bool WaitForLines(std::size_t count, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
      if (Lines().size() >= count) return true;
      const DWORD spent = GetTickCount() - start;
      if (spent >= timeoutMs) return false;
      // Wakes early when the client process ends (it will write nothing more).
      if (WaitForSingleObject(process_.hProcess, std::min<DWORD>(20, timeoutMs - spent)) ==
          WAIT_OBJECT_0) {
        return Lines().size() >= count;
      }
    }
  }

  HANDLE Handle() const { return process_.hProcess; }

 private:
  PROCESS_INFORMATION process_{};
  std::wstring logPath_;
};

}  // namespace qf::testing
