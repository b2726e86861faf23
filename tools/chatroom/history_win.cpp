// The room's history: every posted line, one row each, drawn as the chat shows it (per-character
// colours, bold/italic/underline/strike-through, the one-pixel sup/sub shift) by the tag
// renderer, on white. The newest line is kept in view; the scroll bar and the mouse wheel go
// back through older ones.
#include <algorithm>
#include <string>
#include <vector>

#include "chatroom_win.h"
#include "gdi_canvas_win.h"
#include "preview/render_tags.h"
#include "toolkit/gdi_win.h"

namespace {

constexpr wchar_t kHistoryClass[] = L"QfChatHistory";
constexpr int kRowHeight = 20;  // one rendered line (16) and room for the sup/sub shift
constexpr int kPadding = 4;
constexpr int kNameWidth = 40;  // the "You:" column
constexpr int32_t kBackground = 0xFFFFFF;
constexpr int32_t kStripe = 0xFAF6F4;  // every other row, a faint blue-grey

struct History {
  std::vector<std::u16string> lines;
  int firstRow = 0;  // the line shown in the top row
  qf::GdiCanvas canvas;
} history;

int FullRows(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return std::max(static_cast<int>(client.bottom - 2 * kPadding) / kRowHeight, 1);
}

int LastFirstRow(HWND window) {
  return std::max(static_cast<int>(history.lines.size()) - FullRows(window), 0);
}

void ScrollTo(HWND window, int firstRow) {
  history.firstRow = std::clamp(firstRow, 0, LastFirstRow(window));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(static_cast<int>(history.lines.size()) - 1, 0);
  info.nPage = static_cast<UINT>(FullRows(window));
  info.nPos = history.firstRow;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  InvalidateRect(window, nullptr, FALSE);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  // Drawn off screen and shown at once, so a redraw never flickers.
  qf::MemoryDc buffer(dc);
  qf::GdiBitmap bitmap(
      CreateCompatibleBitmap(dc, std::max<int>(client.right, 1), std::max<int>(client.bottom, 1)));
  if (!buffer || !bitmap) {
    EndPaint(window, &paint);
    return;
  }
  qf::SelectGuard keepBitmap(buffer.Get(), bitmap.Get());
  SetBkColor(buffer.Get(), kBackground);
  ExtTextOutW(buffer.Get(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);

  const int rows = FullRows(window) + 1;  // the last one may show in part
  for (int row = 0; row < rows; ++row) {
    const std::size_t index = static_cast<std::size_t>(history.firstRow + row);
    if (index >= history.lines.size()) break;
    const int top = kPadding + row * kRowHeight;
    const int32_t back = index % 2 == 1 ? kStripe : kBackground;
    const RECT name{0, top, kNameWidth, top + kRowHeight};
    history.canvas.SetTarget(buffer.Get(), name, {kPadding - 2, top + 2}, back);
    qf::RenderTags(history.canvas, u"<b><font color=#505A6E>You:");
    const RECT text{kNameWidth, top, client.right, top + kRowHeight};
    history.canvas.SetTarget(buffer.Get(), text, {kNameWidth, top + 2}, back);
    qf::RenderTags(history.canvas, history.lines[index]);
  }
  // The buffer goes at the end of this call: the canvas's fonts must leave it first.
  history.canvas.Detach();
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
  EndPaint(window, &paint);
}

void OnScroll(HWND window, int code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(window, SB_VERT, &info);
  const int page = FullRows(window);
  int to = history.firstRow;
  switch (code) {
    case SB_LINEUP:
      to -= 1;
      break;
    case SB_LINEDOWN:
      to += 1;
      break;
    case SB_PAGEUP:
      to -= page;
      break;
    case SB_PAGEDOWN:
      to += page;
      break;
    case SB_TOP:
      to = 0;
      break;
    case SB_BOTTOM:
      to = LastFirstRow(window);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      to = info.nTrackPos;
      break;
    default:
      return;
  }
  ScrollTo(window, to);
}

LRESULT CALLBACK HistoryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_SIZE: {
      // A history that showed the newest line keeps showing it.
      const bool atEnd = history.firstRow >= LastFirstRow(window) - 1;
      ScrollTo(window, atEnd ? LastFirstRow(window) : history.firstRow);
      return 0;
    }
    case WM_VSCROLL:
      OnScroll(window, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(window, history.firstRow - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool chatroom::RegisterHistoryClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kHistoryClass, &HistoryProc, nullptr);
}

HWND chatroom::CreateHistory(HWND room, HINSTANCE instance) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, kHistoryClass, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0, 0, room, nullptr, instance,
                         nullptr);
}

void chatroom::AddHistoryLine(HWND window, std::u16string line) {
  history.lines.push_back(std::move(line));
  ScrollTo(window, LastFirstRow(window));
}
