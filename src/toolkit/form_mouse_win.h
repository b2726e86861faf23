#pragma once
// A form's mouse: which target (the background or a click label) a press and its release
// belong to (PressRouter), the events raised on them, and the pointer shown over the form.
#include <windows.h>

#include "toolkit/press_router.h"

namespace qf {

class Form;
class ClickLabel;

// The pointer over a form's background (labels show the up arrow).
enum class MousePointer { kDefault, kSizeAll, kUpArrow };

class FormMouse {
 public:
  explicit FormMouse(Form& form) : form_(form) {}

  // The form's mouse messages, with their button (1 left, 2 right, 4 middle).
  void ButtonDown(int button, LPARAM lParam, bool doubleClick);
  void ButtonUp(int button, WPARAM wParam, LPARAM lParam);
  void Move(WPARAM wParam, LPARAM lParam);
  // WM_CAPTURECHANGED: a press whose capture went elsewhere is over.
  void CaptureChanged(HWND newOwner);
  // WM_SETCURSOR: sets the pointer and returns true when the form decides it.
  bool SetCursorFor(HWND over, UINT hitTest);

  MousePointer Pointer() const { return pointer_; }
  void SetPointer(MousePointer pointer);
  // While the window is being moved, `pointer` is shown everywhere on it, labels included.
  void SetMoving(bool moving, MousePointer pointer);

  // A press is dropped: the window went, or `label` is going away.
  void Cancel() { press_.Cancel(); }
  void Forget(const ClickLabel* label) { press_.Forget(label); }

 private:
  ClickLabel* LabelAt(int x, int y) const;
  void Raise(const RoutedMouseEvents<ClickLabel>& routed, int x, int y);
  void ShowPointerAt(POINT client);

  Form& form_;
  PressRouter<ClickLabel> press_;
  MousePointer pointer_ = MousePointer::kDefault;
  bool moving_ = false;
  MousePointer movingPointer_ = MousePointer::kSizeAll;
};

}  // namespace qf
