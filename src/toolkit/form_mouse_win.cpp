#include "toolkit/form_mouse_win.h"

#include "toolkit/click_label_win.h"
#include "toolkit/form_win.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

// The buttons held, from the MK_ flags of a mouse message, as 1 left, 2 right, 4 middle.
int ButtonsFromFlags(WPARAM flags) {
  int buttons = 0;
  if (flags & MK_LBUTTON) buttons |= kLeftButton;
  if (flags & MK_RBUTTON) buttons |= kRightButton;
  if (flags & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

HCURSOR CursorFor(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::kSizeAll:
      return LoadCursorW(nullptr, IDC_SIZEALL);
    case MousePointer::kUpArrow:
      return LoadCursorW(nullptr, IDC_UPARROW);
    case MousePointer::kDefault:
      break;
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace

ClickLabel* FormMouse::LabelAt(int x, int y) const {
  // The label declared last lies on top.
  for (auto it = form_.labels_.rbegin(); it != form_.labels_.rend(); ++it) {
    if ((*it)->Contains(x, y)) return *it;
  }
  return nullptr;
}

void FormMouse::ButtonDown(int button, LPARAM lParam, bool doubleClick) {
  // A press after the capture was taken away (a window move, a menu) starts afresh.
  if (press_.Active() && GetCapture() != form_.hwnd_) press_.Cancel();
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  const auto routed = press_.Press(button, LabelAt(x, y), doubleClick);
  if (routed.startCapture) SetCapture(form_.hwnd_);
  Raise(routed, x, y);
}

void FormMouse::ButtonUp(int button, WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  const auto routed = press_.Release(button, LabelAt(x, y), ButtonsFromFlags(wParam));
  // Let go of the mouse before the handlers run: they may open menus or dialogs.
  if (routed.endCapture && GetCapture() == form_.hwnd_) ReleaseCapture();
  Raise(routed, x, y);
}

// Raises the routed events on their labels (in the label's own coordinates) or on the form's
// background. A handler may hide the form or open a modal loop; each event is raised in turn.
void FormMouse::Raise(const RoutedMouseEvents<ClickLabel>& routed, int x, int y) {
  const int shift = ShiftState();
  for (std::size_t i = 0; i < routed.count; ++i) {
    const RoutedMouseEvent<ClickLabel>& event = routed.events[i];
    ClickLabel* label = event.target;
    const Rect placed = label != nullptr ? label->PlacedBounds() : Rect{};
    const float fx = static_cast<float>(x - placed.left);
    const float fy = static_cast<float>(y - placed.top);
    switch (event.kind) {
      case MouseEventKind::kDown:
        if (label == nullptr) {
          form_.Form_MouseDown(event.button, shift, fx, fy);
        } else if (label->onMouseDown) {
          label->onMouseDown(event.button, shift, fx, fy);
        }
        break;
      case MouseEventKind::kUp:
        if (label == nullptr) {
          form_.Form_MouseUp(event.button, shift, fx, fy);
        } else if (label->onMouseUp) {
          label->onMouseUp(event.button, shift, fx, fy);
        }
        break;
      case MouseEventKind::kClick:
        if (label == nullptr) {
          form_.Form_Click();
        } else if (label->onClick) {
          label->onClick();
        }
        break;
      case MouseEventKind::kDblClick:
        if (label == nullptr) {
          form_.Form_DblClick();
        } else if (label->onDblClick) {
          label->onDblClick();
        }
        break;
    }
  }
}

void FormMouse::Move(WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  if (press_.Active() && GetCapture() != form_.hwnd_) press_.Cancel();
  if (!press_.MoveIsBackgrounds(LabelAt(x, y))) return;
  form_.Form_MouseMove(ButtonsFromFlags(wParam), ShiftState(), static_cast<float>(x),
                       static_cast<float>(y));
}

void FormMouse::CaptureChanged(HWND newOwner) {
  if (newOwner != form_.hwnd_) press_.Cancel();
}

bool FormMouse::SetCursorFor(HWND over, UINT hitTest) {
  if (moving_) {
    // During a move the pointer stays the move pointer, over labels and controls too.
    SetCursor(CursorFor(movingPointer_));
    return true;
  }
  if (over != form_.hwnd_ || hitTest != HTCLIENT) return false;
  ShowPointerAt(CursorInClient(form_.hwnd_));
  return true;
}

void FormMouse::ShowPointerAt(POINT client) {
  SetCursor(CursorFor(LabelAt(client.x, client.y) != nullptr ? MousePointer::kUpArrow : pointer_));
}

void FormMouse::SetPointer(MousePointer pointer) {
  pointer_ = pointer;
  POINT cursor;
  if (form_.hwnd_ != nullptr && GetCursorPos(&cursor) && WindowFromPoint(cursor) == form_.hwnd_) {
    ScreenToClient(form_.hwnd_, &cursor);
    ShowPointerAt(cursor);
  }
}

void FormMouse::SetMoving(bool moving, MousePointer pointer) {
  moving_ = moving;
  movingPointer_ = pointer;
  if (moving && form_.hwnd_ != nullptr) {
    SetCursor(CursorFor(pointer));
  } else {
    SetPointer(pointer_);
  }
}

}  // namespace qf
