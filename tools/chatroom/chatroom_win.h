#pragma once
// The stand-in chat client: a frame ("AOL Frame25") with an MDI area and one chat room
// ("AOL Child") holding a history, an input box ("RICHCNTL") and a row of "_AOL_Icon"
// buttons. Any icon, or a carriage return in the input box, posts the line.
#include <windows.h>

#include <string>
#include <vector>

namespace chatroom {

struct Options {
  std::wstring logPath;  // --log FILE: one line per posted line, and "ready"
  int icons = 8;         // --icons K (0..10)
  DWORD hangMs = 0;      // --hang-ms N: the input box stalls this long on every WM_SETTEXT
};

// Parses the command line (without the program name). False on an unknown option or a
// value out of range.
bool ParseOptions(const std::vector<std::wstring>& args, Options& options);

// Appends `line` and CR LF to the log file, when there is one.
void WriteLog(const std::wstring& path, const std::string& line);

// Bytes as upper-case hexadecimal, two digits each: "<b>a" gives "3C623E61".
std::string HexBytes(const std::string& bytes);

// Registers a window class of this program with the arrow (or `cursor`) and the
// application icon; false when the system refuses.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background, const wchar_t* cursor = IDC_ARROW);

// Registers the room's window classes (the room, the input box, the icons).
bool RegisterRoomClasses(HINSTANCE instance, const Options& options);

// The room's history: a window that shows every posted line as the chat would, rendered in
// colour, one row each, the newest in view.
bool RegisterHistoryClass(HINSTANCE instance);
HWND CreateHistory(HWND room, HINSTANCE instance);
void AddHistoryLine(HWND history, std::u16string line);

// Creates the room as an MDI child of `mdiClient`, filling it.
HWND CreateRoom(HWND mdiClient, const wchar_t* title);

}  // namespace chatroom
