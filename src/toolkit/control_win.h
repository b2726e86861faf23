#pragma once
// Control: the base of the controls that are child windows of a form (text box, check box,
// picture box, scroll bar, list box).
#include <windows.h>

#include "core/rect.h"

namespace qf {

class Form;

// Registered with its form at construction; the window comes with the form's, so a control
// must be declared before its form's window exists (a wiring check says so). Controls (and
// timers and labels) are members of their form and live exactly as long as it: the first of
// them to be destroyed cuts the form's window off from its handlers.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The control's window; creates the form (hidden) if it does not exist yet.
  HWND Handle();
  bool Created() const { return hwnd_ != nullptr; }
  Form& Parent() const { return form_; }
  // The place on the form in 96-dpi pixels, as declared.
  const Rect& Bounds() const { return bounds_; }
  // The place on the form in the window's physical pixels (Bounds at the form's scale).
  Rect PlacedBounds() const;

 protected:
  Control(Form& form, Rect bounds);
  virtual ~Control();

  // Creates the child window under `parent` and applies the stored properties.
  virtual void Create(HWND parent) = 0;
  // A message this control sent its form (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*,
  // WM_HSCROLL, WM_VSCROLL), handed back to it. Return true when handled, with `result`.
  virtual bool OnReflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           LRESULT& /*result*/) {
    return false;
  }

  // Whether the control shows that it has the keyboard by itself (a caret, a lit track);
  // around the others the form draws its focus ring.
  virtual bool ShowsOwnFocus() const { return false; }

  // After the form took a new scale: moves the window to PlacedBounds() and gives it the
  // form's new control font. Controls with pictures or fonts of their own remake them too.
  virtual void Rescale();

  // CreateWindowEx of a child at PlacedBounds(), with the form's control font; null on failure.
  // The form hears when the child takes or loses the keyboard (its focus ring follows).
  HWND CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text,
                   void* param = nullptr);

  Form& form_;
  Rect bounds_;
  HWND hwnd_ = nullptr;

 private:
  friend class Form;
  friend class FormKeyboard;
  static LRESULT CALLBACK WatchFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
};

}  // namespace qf
