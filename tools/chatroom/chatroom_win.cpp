// The stand-in chat client's entry point: options, the frame window and the message loop.
//   chatroom.exe [--log FILE] [--icons K] [--hang-ms N]
#include "chatroom_win.h"

#include <shellapi.h>

#include <cwchar>

namespace {

constexpr wchar_t kFrameClass[] = L"AOL Frame25";
constexpr wchar_t kFrameTitle[] = L"Chat room (Quelvane Fader test client)";
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

HWND mdiClient = nullptr;
HWND room = nullptr;

// The MDI area follows the frame; the room follows the MDI area, so the one room always
// fills the window (unless the user minimised or maximised it).
void FillWithRoom() {
  if (!room || IsIconic(room) || IsZoomed(room)) return;
  RECT area;
  GetClientRect(mdiClient, &area);
  MoveWindow(room, 0, 0, area.right, area.bottom, TRUE);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client{};
      client.idFirstChild = 50000;
      mdiClient = CreateWindowExW(
          WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0,
          0, window, nullptr, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, &client);
      return mdiClient ? 0 : -1;
    }
    case WM_SIZE: {
      const LRESULT result = DefFrameProcW(window, mdiClient, message, wParam, lParam);
      FillWithRoom();
      return result;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefFrameProcW(window, mdiClient, message, wParam, lParam);
}

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

}  // namespace

bool chatroom::ParseOptions(const std::vector<std::wstring>& args, Options& options) {
  auto number = [](const std::wstring& text, long low, long high, long& out) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    out = std::wcstol(text.c_str(), &end, 10);
    return *end == L'\0' && out >= low && out <= high;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (i + 1 >= args.size()) return false;
    const std::wstring& value = args[++i];
    long n = 0;
    if (name == L"--log") {
      options.logPath = value;
    } else if (name == L"--icons" && number(value, 0, 10, n)) {
      options.icons = static_cast<int>(n);
    } else if (name == L"--hang-ms" && number(value, 0, 600000, n)) {
      options.hangMs = static_cast<DWORD>(n);
    } else {
      return false;
    }
  }
  return true;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  chatroom::Options options;
  if (!chatroom::ParseOptions(CommandLineArguments(), options)) {
    MessageBoxW(nullptr, L"Usage: chatroom.exe [--log FILE] [--icons 0..10] [--hang-ms N]",
                kFrameTitle, MB_OK | MB_ICONINFORMATION);
    return 2;
  }

  if (!chatroom::RegisterWindowClass(instance, kFrameClass, &FrameProc,
                                     reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)) ||
      !chatroom::RegisterRoomClasses(instance, options)) {
    return 1;
  }

  const HWND frame =
      CreateWindowExW(0, kFrameClass, kFrameTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                      kFrameWidth, kFrameHeight, nullptr, nullptr, instance, nullptr);
  if (!frame) return 1;
  ShowWindow(frame, show == SW_HIDE ? SW_SHOWNORMAL : show);
  room = chatroom::CreateRoom(mdiClient, L"Lobby");
  if (!room) return 1;
  FillWithRoom();
  UpdateWindow(frame);
  chatroom::WriteLog(options.logPath, "ready");

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TranslateMDISysAccel(mdiClient, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
