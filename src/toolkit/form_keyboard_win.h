#pragma once
// A form's keyboard: its tab order over controls and click labels, the click label that has the
// keyboard, the keys that act on the whole window (Tab, Shift+Tab, Escape, Alt+F4) and the
// focus ring the form draws around what has the keyboard.
//
// A click label has no window of its own, so it cannot hold the system's focus: while a label
// has the keyboard, the form's own window holds the focus for it, and Space or Enter there
// raises what a click on the label raises. The ring is drawn on the form around a focused
// label, and around a focused control that shows no focus of its own (a picture box, a check
// box, a list box); text boxes show their caret and scroll bars light their track.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "core/rect.h"

namespace qf {

class Form;
class Control;
class ClickLabel;

// One stop of a tab order: a control or a click label of the form (either converts, so an
// order is written as a list of the form's members).
struct TabStop {
  TabStop(Control& stop) : control(&stop) {}
  TabStop(ClickLabel& stop) : label(&stop) {}
  Control* control = nullptr;
  ClickLabel* label = nullptr;
};

struct KeyboardOptions {
  // Where Tab goes, in order (Shift+Tab goes back), round and round. The first stop has the
  // keyboard when the form is first shown. Empty: Tab is left to the control that has it.
  std::vector<TabStop> tabOrder{};
  ClickLabel* escapeArea = nullptr;  // Escape clicks it (a window's hide area)
  ClickLabel* closeArea = nullptr;   // Alt+F4 clicks it
};

// The width of the focus ring, and how far it lies outside what it surrounds, in 96-dpi pixels.
inline constexpr int kFocusRingWidth = 2;

class FormKeyboard {
 public:
  explicit FormKeyboard(Form& form) : form_(form) {}

  void Set(KeyboardOptions options) { options_ = std::move(options); }

  // A key message taken from the queue for a window of this form, before it is translated:
  // true when it was a key of the whole window (Tab, Escape, Alt+F4) or Space or Enter on the
  // focused label, and has been acted on.
  bool OnQueuedKey(const MSG& msg);

  // The form's window took the focus with nothing of its own to give it to: the first stop of
  // the tab order takes the keyboard. False when there is no tab order.
  bool FocusFirstStop();
  // The label that has the keyboard (the form's window holds the focus for it), or null.
  ClickLabel* FocusedLabel() const { return focusedLabel_; }
  // The focus went to `focus` (a window of this form or not, or none): the ring follows.
  void FocusMovedTo(HWND focus);
  // Draws the ring, if anything has one, over the skin just painted.
  void PaintRing(HDC dc);

  // `label` is going away, or the window went: nothing of it keeps the keyboard.
  void Forget(const ClickLabel* label);
  void Cancel();

 private:
  void MoveFocus(bool backwards);
  void FocusStop(const TabStop& stop);
  std::optional<std::size_t> CurrentStop() const;
  bool CanTakeFocus(const TabStop& stop) const;
  // What the ring surrounds when `focus` has the focus, in 96-dpi pixels; none for a focus
  // that shows itself or lies outside the form.
  std::optional<Rect> RingAround(HWND focus) const;
  void InvalidateRing(const std::optional<Rect>& around) const;

  Form& form_;
  KeyboardOptions options_;
  ClickLabel* focusedLabel_ = nullptr;
  std::optional<Rect> ringAround_;
};

}  // namespace qf
