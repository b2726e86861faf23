#include "toolkit/scroll_bar_win.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "toolkit/gdi_win.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kRepeatTimer = 1;
// A held arrow or track acts once at the press, then again after a pause and from then on
// about twenty times a second, as the system's scroll bars do.
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;


}  // namespace

// ---- Layout and the plain look ------------------------------------------------------------

ScrollBarFace LayOutScrollBarFace(int width, int height, bool vertical, const ScrollLayout& layout,
                                  int thumbStart) {
  // A stretch along the bar, across its whole thickness.
  auto span = [&](int start, int length) {
    length = std::max(length, 0);
    return vertical ? Rect{0, start, width, length} : Rect{start, 0, length, height};
  };
  ScrollBarFace face;
  face.bar = {0, 0, width, height};
  face.vertical = vertical;
  face.lessArrow = span(0, layout.arrow);
  face.moreArrow = span(layout.TrackEnd(), layout.arrow);
  face.track = span(layout.TrackStart(), layout.TrackEnd() - layout.TrackStart());
  face.thumb = span(thumbStart, layout.thumb);
  face.fill = span(layout.TrackStart(), thumbStart + layout.thumb / 2 - layout.TrackStart());
  return face;
}

void PaintPlainScrollBar(HDC dc, const ScrollBarFace& face) {
  RECT track = ToRECT(face.track);
  FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
  // The fill: a band down the middle of the track, a third of its thickness.
  const int inset = (face.vertical ? face.fill.width : face.fill.height) / 3;
  RECT fill = ToRECT(face.vertical ? Rect{face.fill.left + inset, face.fill.top,
                                             face.fill.width - 2 * inset, face.fill.height}
                                      : Rect{face.fill.left, face.fill.top + inset, face.fill.width,
                                             face.fill.height - 2 * inset});
  FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
  auto arrow = [&](const Rect& where, UINT kind, ScrollPart part) {
    RECT box = ToRECT(where);
    DrawFrameControl(dc, &box, DFC_SCROLL,
                     kind | (face.held == part ? DFCS_PUSHED | DFCS_FLAT : 0));
  };
  arrow(face.lessArrow, face.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ScrollPart::kLessArrow);
  arrow(face.moreArrow, face.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ScrollPart::kMoreArrow);
  RECT thumb = ToRECT(face.thumb);
  DrawFrameControl(dc, &thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
  if (face.focused) {
    InflateRect(&thumb, -1, -1);
    DrawFocusRect(dc, &thumb);
  }
}

// ---- ScrollBar ----------------------------------------------------------------------------

ScrollBar::ScrollBar(Form& form, Rect bounds, bool vertical, ScrollBarOptions options)
    : Control(form, bounds),
      onChange(std::exchange(options.onChange, nullptr)),
      vertical_(vertical),
      options_(std::move(options)) {
  if (options_.max < options_.min) options_.max = options_.min;
  value_ = std::clamp(options_.value, options_.min, options_.max);
}

ScrollBar::~ScrollBar() {
  // The window goes with the form's, after this object: it must not reach it any more.
  if (hwnd_ != nullptr) {
    KillTimer(hwnd_, kRepeatTimer);
    RemoveWindowSubclass(hwnd_, &ScrollBar::SubclassProc, kSubclassId);
  }
}

void ScrollBar::Create(HWND /*parent*/) {
  // The system's control holds the range and position for everyone who asks it; drawing,
  // mouse and keys are this class's (SubclassProc). WS_TABSTOP: a click gives it the keys.
  hwnd_ = CreateChild(L"SCROLLBAR", (vertical_ ? SBS_VERT : SBS_HORZ) | WS_TABSTOP, 0, nullptr);
  if (hwnd_ == nullptr) return;
  SetWindowSubclass(hwnd_, &ScrollBar::SubclassProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  ApplyInfo();
}

void ScrollBar::ApplyInfo() {
  if (hwnd_ == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = options_.min;
  info.nMax = options_.max;
  info.nPage = 0;  // a fixed-size thumb, whatever the range
  info.nPos = value_;
  SetScrollInfo(hwnd_, SB_CTL, &info, FALSE);
  Redraw();
}

void ScrollBar::SetValue(int value) { ChangeTo(std::clamp(value, options_.min, options_.max)); }

void ScrollBar::SetPainter(ScrollBarPainter painter) {
  options_.painter = painter;
  Redraw();
}

void ScrollBar::ChangeTo(int value) {
  if (hwnd_ != nullptr) SetScrollPos(hwnd_, SB_CTL, value, FALSE);
  Redraw();
  if (value == value_) return;
  value_ = value;
  if (onChange) onChange();
}

void ScrollBar::StepBy(long long delta) {
  ChangeTo(static_cast<int>(std::clamp<long long>(value_ + delta, options_.min, options_.max)));
}

void ScrollBar::Redraw() {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

bool ScrollBar::OnReflected(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  OnScroll(LOWORD(wParam), HIWORD(wParam));
  result = 0;
  return true;
}

// A scroll message about this bar sent to the form (by the system's own context menu on
// Windows, or by anyone who drives the bar the way the system's control reports).
void ScrollBar::OnScroll(int code, int position) {
  switch (code) {
    case SB_LINEUP:  // also SB_LINELEFT
      StepBy(-static_cast<long long>(options_.smallChange));
      break;
    case SB_LINEDOWN:  // also SB_LINERIGHT
      StepBy(options_.smallChange);
      break;
    case SB_PAGEUP:
      StepBy(-static_cast<long long>(options_.largeChange));
      break;
    case SB_PAGEDOWN:
      StepBy(options_.largeChange);
      break;
    case SB_THUMBPOSITION:
      // The 16-bit position of the released thumb; negative ranges travel as signed words.
      SetValue(options_.min < 0 ? static_cast<int16_t>(position) : position);
      break;
    case SB_TOP:
      SetValue(options_.min);
      break;
    case SB_BOTTOM:
      SetValue(options_.max);
      break;
    default:
      // SB_THUMBTRACK (a thumb on its way) and SB_ENDSCROLL: no change.
      break;
  }
}

ScrollLayout ScrollBar::Layout() const {
  RECT client{0, 0, bounds_.width, bounds_.height};
  if (hwnd_ != nullptr) GetClientRect(hwnd_, &client);
  return vertical_ ? LayOutScrollBar(client.bottom, client.right)
                   : LayOutScrollBar(client.right, client.bottom);
}

ScrollBarFace ScrollBar::Face() const {
  RECT client{0, 0, bounds_.width, bounds_.height};
  if (hwnd_ != nullptr) GetClientRect(hwnd_, &client);
  const ScrollLayout layout = Layout();
  const int thumbStart =
      tracker_.Dragging() ? tracker_.DragThumbStart() : layout.ThumbStart(Range());
  ScrollBarFace face =
      LayOutScrollBarFace(client.right, client.bottom, vertical_, layout, thumbStart);
  face.held = tracker_.HeldPart();
  face.focused = hwnd_ != nullptr && GetFocus() == hwnd_;
  const int laidOut = vertical_ ? bounds_.width : bounds_.height;
  const int actual = vertical_ ? client.right : client.bottom;
  if (laidOut > 0 && actual > 0) face.scale = static_cast<double>(actual) / laidOut;
  return face;
}

int ScrollBar::Along(LPARAM lParam) const { return vertical_ ? MouseY(lParam) : MouseX(lParam); }

bool ScrollBar::Across(LPARAM lParam) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int across = vertical_ ? MouseX(lParam) : MouseY(lParam);
  return across >= 0 && across < (vertical_ ? client.right : client.bottom);
}

void ScrollBar::Carry(const ScrollCommand& command) {
  switch (command.kind) {
    case ScrollCommand::kStep:
      StepBy(static_cast<long long>(command.direction) * options_.smallChange);
      break;
    case ScrollCommand::kPage:
      StepBy(static_cast<long long>(command.direction) * options_.largeChange);
      break;
    case ScrollCommand::kDrop:
      SetValue(command.value);
      break;
    case ScrollCommand::kNone:
      break;
  }
}

void ScrollBar::OnPress(LPARAM lParam) {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  SetCapture(hwnd_);
  Carry(tracker_.Press(Layout(), Range(), Along(lParam)));
  // The change's handler may have ended the press (a dialog takes the mouse away).
  if (tracker_.Active() && !tracker_.Dragging()) {
    SetTimer(hwnd_, kRepeatTimer, kFirstRepeatMs, nullptr);
  }
  Redraw();
}

void ScrollBar::OnDrag(LPARAM lParam) {
  if (!tracker_.Active()) return;
  const ScrollPart before = tracker_.HeldPart();
  const int dragBefore = tracker_.DragThumbStart();
  tracker_.Move(Along(lParam), Across(lParam));
  if (tracker_.HeldPart() != before || tracker_.DragThumbStart() != dragBefore) Redraw();
}

void ScrollBar::OnRelease(LPARAM lParam) {
  if (!tracker_.Active()) return;
  const ScrollCommand command = tracker_.Release(Along(lParam), Across(lParam));
  EndPress();
  Carry(command);
  Redraw();
}

void ScrollBar::OnRepeat() {
  if (!tracker_.Active()) {
    KillTimer(hwnd_, kRepeatTimer);
    return;
  }
  // A change handler that lets messages run must not see the next repeat inside itself.
  if (inRepeat_) return;
  inRepeat_ = true;
  SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
  Carry(tracker_.Repeat(Range()));
  inRepeat_ = false;
  Redraw();
}

void ScrollBar::EndPress() {
  KillTimer(hwnd_, kRepeatTimer);
  if (GetCapture() == hwnd_) ReleaseCapture();
}

bool ScrollBar::OnKey(WPARAM key) {
  switch (key) {
    case VK_UP:
    case VK_LEFT:
      StepBy(-static_cast<long long>(options_.smallChange));
      return true;
    case VK_DOWN:
    case VK_RIGHT:
      StepBy(options_.smallChange);
      return true;
    case VK_PRIOR:
      StepBy(-static_cast<long long>(options_.largeChange));
      return true;
    case VK_NEXT:
      StepBy(options_.largeChange);
      return true;
    case VK_HOME:
      SetValue(options_.min);
      return true;
    case VK_END:
      SetValue(options_.max);
      return true;
    default:
      return false;
  }
}

void ScrollBar::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = client.right;
  const int height = client.bottom;
  // Drawn whole off screen and shown in one go: no flicker while a thumb is dragged.
  MemoryDc memory(dc);
  GdiBitmap bitmap{CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1))};
  if (memory && bitmap) {
    SelectGuard select(memory.Get(), bitmap.Get());
    // The form's skin under the bar first, for the corners a painter leaves.
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, GetParent(hwnd_), &origin, 1);
    if (form_.SkinDc() != nullptr) {
      BitBlt(memory.Get(), 0, 0, width, height, form_.SkinDc(), origin.x, origin.y, SRCCOPY);
    } else {
      FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    const ScrollBarPainter painter =
        options_.painter != nullptr ? options_.painter : &PaintPlainScrollBar;
    painter(memory.Get(), Face());
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd_, &paint);
}

void ScrollBar::AnswerBarInfo(SCROLLBARINFO& info) const {
  const ScrollBarFace face = Face();
  GetWindowRect(hwnd_, &info.rcScrollBar);
  const Rect& thumb = face.thumb;
  info.dxyLineButton = vertical_ ? face.lessArrow.height : face.lessArrow.width;
  info.xyThumbTop = vertical_ ? thumb.top : thumb.left;
  info.xyThumbBottom = vertical_ ? thumb.Bottom() : thumb.Right();
  info.reserved = 0;
  // The states of the bar, then of its parts in the system's order: the less arrow, the
  // track before the thumb, the thumb, the track after it, the more arrow.
  const ScrollPart parts[] = {ScrollPart::kLessArrow, ScrollPart::kLessTrack, ScrollPart::kThumb,
                              ScrollPart::kMoreTrack, ScrollPart::kMoreArrow};
  info.rgstate[0] = (face.focused ? STATE_SYSTEM_FOCUSED : 0) |
                    (IsWindowEnabled(hwnd_) ? 0 : STATE_SYSTEM_UNAVAILABLE);
  for (int i = 0; i < 5; ++i) {
    info.rgstate[i + 1] = face.held == parts[i] ? STATE_SYSTEM_PRESSED : 0;
  }
}

LRESULT CALLBACK ScrollBar::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &ScrollBar::SubclassProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  auto* bar = reinterpret_cast<ScrollBar*>(self);
  if (bar != nullptr && bar->OnMessage(message, wParam, lParam, result)) return result;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Everything that shows the bar or moves it is handled here and never reaches the system's
// control: it would draw its own arrows and thumb (at once, not only on WM_PAINT) and track
// the mouse with its own sizes. It keeps the range and the position.
bool ScrollBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // quick clicks on an arrow are clicks each, not double clicks
      OnPress(lParam);
      return true;
    case WM_MOUSEMOVE:
      OnDrag(lParam);
      return true;
    case WM_LBUTTONUP:
      OnRelease(lParam);
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd_ && tracker_.Active()) {
        tracker_.Cancel();
        KillTimer(hwnd_, kRepeatTimer);
        Redraw();
      }
      return true;
    case WM_TIMER:
      if (wParam != kRepeatTimer) return false;
      OnRepeat();
      return true;
    case WM_KEYDOWN:
      return OnKey(wParam);
    case WM_KEYUP:
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      Redraw();
      return true;
    // Position and range changes from anyone: stored by the control, drawn here.
    case SBM_SETPOS:
      result = DefSubclassProc(hwnd_, SBM_SETPOS, wParam, FALSE);
      Redraw();
      return true;
    case SBM_SETRANGEREDRAW:
      result = DefSubclassProc(hwnd_, SBM_SETRANGE, wParam, lParam);
      Redraw();
      return true;
    case SBM_SETSCROLLINFO:
      result = DefSubclassProc(hwnd_, SBM_SETSCROLLINFO, FALSE, lParam);
      Redraw();
      return true;
    case SBM_GETSCROLLBARINFO: {
      auto* info = reinterpret_cast<SCROLLBARINFO*>(lParam);
      if (info == nullptr || info->cbSize != sizeof(SCROLLBARINFO)) return true;  // FALSE
      AnswerBarInfo(*info);
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace qf
