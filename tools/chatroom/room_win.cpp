// The chat room: an MDI child ("AOL Child") with the history of posted lines, the input box
// ("RICHCNTL", a superclassed edit control) and a row of "_AOL_Icon" buttons.
//
// The children are created in the order history, input box, icons 1..K. Child windows are
// linked in creation order, which is the order FindWindowExA walks, so the input box is the
// room's first "RICHCNTL" and icon k is the k-th "_AOL_Icon" a search finds.
#include <algorithm>

#include "chatroom_win.h"
#include "toolkit/win32_win.h"

namespace {

constexpr wchar_t kRoomClass[] = L"AOL Child";
constexpr wchar_t kInputClass[] = L"RICHCNTL";
constexpr wchar_t kIconClass[] = L"_AOL_Icon";
constexpr int kSendIcon = 6;

constexpr int kMargin = 8;
constexpr int kInputHeight = 26;
constexpr int kIconHeight = 26;
constexpr int kIconWidth = 30;
constexpr int kSendIconWidth = 58;
constexpr int kIconGap = 4;

chatroom::Options options;
WNDPROC editProc = nullptr;
HFONT textFont = nullptr;
HFONT iconFont = nullptr;
HFONT sendFont = nullptr;

// The one room's state.
struct Room {
  HWND window = nullptr;
  HWND history = nullptr;
  HWND input = nullptr;
  std::vector<HWND> icons;
} room;

// Posts the input box's line: into the history and the log, then empties the box. An empty
// box posts nothing, as a chat client ignores empty lines.
void PostLine(const std::string& how) {
  const std::u16string line = qf::WindowText(room.input);
  if (line.empty()) return;
  // The client takes its lines as ANSI bytes: the log records them, and the history shows
  // them turned back into UTF-16 (a character the code page lacks shows as it would arrive).
  const std::string bytes = qf::ToAnsi(line);
  chatroom::AddHistoryLine(room.history, qf::FromAnsi(bytes));
  chatroom::WriteLog(options.logPath, how + " " + chatroom::HexBytes(bytes));
  SetWindowTextW(room.input, L"");
}

// --- input box -------------------------------------------------------------------------

LRESULT CALLBACK InputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      // A hung client for tests: the box does not answer for a while.
      if (options.hangMs > 0) Sleep(options.hangMs);
      break;
    case WM_CHAR:
      if (wParam == L'\r') {
        PostLine("enter");
        return 0;
      }
      break;
  }
  return CallWindowProcW(editProc, window, message, wParam, lParam);
}

// --- icons -----------------------------------------------------------------------------

int IconNumber(HWND icon) { return GetDlgCtrlID(icon); }
bool IsPressed(HWND icon) { return GetWindowLongPtrW(icon, GWLP_USERDATA) != 0; }
void SetPressed(HWND icon, bool pressed) {
  if (IsPressed(icon) == pressed) return;
  SetWindowLongPtrW(icon, GWLP_USERDATA, pressed ? 1 : 0);
  InvalidateRect(icon, nullptr, TRUE);
}

void Release(HWND icon, bool fire) {
  const bool wasPressed = IsPressed(icon);
  SetPressed(icon, false);
  if (GetCapture() == icon) ReleaseCapture();
  if (wasPressed && fire) PostLine("button" + std::to_string(IconNumber(icon)));
}

void PaintIcon(HWND icon) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(icon, &paint);
  RECT box;
  GetClientRect(icon, &box);
  const bool pressed = IsPressed(icon);
  const bool send = IconNumber(icon) == kSendIcon;
  const COLORREF face = send ? RGB(255, 204, 0) : RGB(226, 232, 244);
  const HBRUSH brush = CreateSolidBrush(
      pressed ? RGB(GetRValue(face) * 4 / 5, GetGValue(face) * 4 / 5, GetBValue(face) * 4 / 5)
              : face);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
  DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (pressed) OffsetRect(&box, 1, 1);
  const std::wstring label = send ? L"Send" : std::to_wstring(IconNumber(icon));
  const HGDIOBJ oldFont = SelectObject(dc, send ? sendFont : iconFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, send ? RGB(0, 0, 96) : RGB(16, 40, 96));
  DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  EndPaint(icon, &paint);
}

// A button that fires on a press followed by a release: of the mouse button over it, or of
// the space bar (the client's buttons also take WM_LBUTTONDOWN then WM_KEYUP VK_SPACE).
LRESULT CALLBACK IconProc(HWND icon, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      SetPressed(icon, true);
      // Only a real mouse press holds the mouse; a press sent as a bare message must not.
      if (wParam & MK_LBUTTON) SetCapture(icon);
      return 0;
    case WM_LBUTTONUP: {
      RECT box;
      GetClientRect(icon, &box);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      Release(icon, PtInRect(&box, at) != FALSE);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetPressed(icon, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) Release(icon, true);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != icon) SetPressed(icon, false);
      return 0;
    case WM_PAINT:
      PaintIcon(icon);
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(icon, message, wParam, lParam);
}

// --- room ------------------------------------------------------------------------------

void LayOut(int width, int height) {
  const int inner = std::max(width - 2 * kMargin, 0);
  const int iconsTop = height - kMargin - kIconHeight;
  const int inputTop = iconsTop - kMargin - kInputHeight;
  const int historyHeight = std::max(inputTop - 2 * kMargin, 0);
  MoveWindow(room.history, kMargin, kMargin, inner, historyHeight, TRUE);
  MoveWindow(room.input, kMargin, inputTop, inner, kInputHeight, TRUE);
  int x = kMargin;
  for (HWND icon : room.icons) {
    const int w = IconNumber(icon) == kSendIcon ? kSendIconWidth : kIconWidth;
    MoveWindow(icon, x, iconsTop, w, kIconHeight, TRUE);
    x += w + kIconGap;
  }
}

bool CreateChildren(HWND window, HINSTANCE instance) {
  room.window = window;
  room.history = chatroom::CreateHistory(window, instance);
  room.input = CreateWindowExW(WS_EX_CLIENTEDGE, kInputClass, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                               window, nullptr, instance, nullptr);
  if (!room.history || !room.input) return false;
  SendMessageW(room.input, WM_SETFONT, reinterpret_cast<WPARAM>(textFont), FALSE);
  SendMessageW(room.input, EM_SETLIMITTEXT, 0, 0);  // no length limit beyond the system's
  for (int k = 1; k <= options.icons; ++k) {
    const HWND icon =
        CreateWindowExW(0, kIconClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(k)), instance, nullptr);
    if (!icon) return false;
    room.icons.push_back(icon);
  }
  return true;
}

LRESULT CALLBACK RoomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!CreateChildren(window, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance)) return -1;
      break;
    case WM_SIZE:
      LayOut(LOWORD(lParam), HIWORD(lParam));
      break;  // the MDI child's default handling needs WM_SIZE too
    case WM_SETFOCUS:
      SetFocus(room.input);
      return 0;
  }
  return DefMDIChildProcW(window, message, wParam, lParam);
}

HFONT MakeFont(const wchar_t* face, int points, int weight) {
  const HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

bool chatroom::RegisterRoomClasses(HINSTANCE instance, const Options& chosen) {
  options = chosen;
  textFont = MakeFont(L"Arial", 11, FW_NORMAL);
  iconFont = MakeFont(L"Tahoma", 9, FW_BOLD);
  sendFont = MakeFont(L"Tahoma", 9, FW_BOLD);

  WNDCLASSEXW inputClass{};
  inputClass.cbSize = sizeof inputClass;
  if (!GetClassInfoExW(nullptr, L"EDIT", &inputClass)) return false;
  editProc = inputClass.lpfnWndProc;
  inputClass.lpfnWndProc = &InputProc;
  inputClass.hInstance = instance;
  inputClass.lpszClassName = kInputClass;

  return RegisterWindowClass(instance, kRoomClass, &RoomProc, GetSysColorBrush(COLOR_BTNFACE)) &&
         RegisterHistoryClass(instance) && RegisterClassExW(&inputClass) &&
         RegisterWindowClass(instance, kIconClass, &IconProc, nullptr, IDC_HAND);
}

bool chatroom::RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                   HBRUSH background, const wchar_t* cursor) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, cursor);
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0;
}

HWND chatroom::CreateRoom(HWND mdiClient, const wchar_t* title) {
  RECT area;
  GetClientRect(mdiClient, &area);
  MDICREATESTRUCTW create{};
  create.szClass = kRoomClass;
  create.szTitle = title;
  create.hOwner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mdiClient, GWLP_HINSTANCE));
  create.x = 0;
  create.y = 0;
  create.cx = area.right;
  create.cy = area.bottom;
  create.style = WS_CLIPCHILDREN;
  return reinterpret_cast<HWND>(
      SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}
