#pragma once
// The controls of the forms (text box and check box here; the picture box, list box, scroll
// bars, timer and click label in their own headers, all included here). Each is a member of its form, declared with its rectangle
// (left, top, width, height in pixels) and options, its handlers among the options:
//   qf::CheckBox Check12{*this, kCheck12, {.onClick = [this] { Check12_Click(); }}};
// The events are std::function members (onClick, onChange...), set from the options; a test
// may set them directly too. Every property can be read and set before the form's window
// exists; the value is kept and applied when the window is created.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/click_label_win.h"
#include "toolkit/control_colors_win.h"
#include "toolkit/control_win.h"
#include "toolkit/form_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/list_box_win.h"
#include "toolkit/picture_box_win.h"
#include "toolkit/scroll_bar_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/text_painter_win.h"
#include "toolkit/timer_win.h"

namespace qf {

struct TextBoxOptions {
  bool multiLine = false;  // multi-line, wrapping, with a vertical scroll bar
  bool border = true;
  std::optional<int32_t> backColor{};  // e.g. ColorRgb(128, 255, 255); system colour if unset
  std::optional<int32_t> foreColor{};  // e.g. ColorRgb(0, 0, 255)
  std::u16string text{};
  std::function<void()> onChange{};  // any change of the text, typed or set
  // Enter pressed in a one-line box (`shift`: with Shift held); the box itself does nothing
  // with it then (no beep, no new line).
  std::function<void(bool shift)> onEnter{};
};

// A text box (EDIT) without a length limit. It may lie outside the visible area of the form
// and then simply holds text.
class TextBox : public Control {
 public:
  TextBox(Form& form, Rect bounds, TextBoxOptions options = {});
  ~TextBox() override;

  std::u16string Text() const;
  // Sets the text; raises onChange when it differs from the old text.
  void SetText(std::u16string_view text);
  // Adds `text` at the end without reading the whole text back (a box that only grows, such
  // as a collected output, stays quick however long it gets). Raises onChange once.
  void AppendText(std::u16string_view text);
  int32_t BackColor() const;
  void SetBackColor(int32_t color);
  int32_t ForeColor() const;
  void SetForeColor(int32_t color);
  void SetFocus();

  std::function<void()> onChange;  // any change of the text, typed or set
  std::function<void(bool shift)> onEnter;  // Enter in a one-line box

 private:
  static LRESULT CALLBACK KeysOfTheBox(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ShowsOwnFocus() const override { return true; }  // its caret

  TextBoxOptions options_;
  ControlColors colors_;
  bool settingText_ = false;
};

struct CheckBoxOptions {
  std::u16string caption{};  // drawn beside the box, or on the button when pushLike
  bool pushLike = false;     // a push button that stays down while ticked
  int value = 0;             // 0 clear, 1 ticked, 2 grayed
  // Raised after the value changed, by the user or by SetValue; Value() is the new value.
  std::function<void()> onClick{};
};

// A check box. Value 0 clear, 1 ticked, 2 grayed. A user's click toggles it (ticked becomes
// clear; clear or grayed becomes ticked).
class CheckBox : public Control {
 public:
  CheckBox(Form& form, Rect bounds, CheckBoxOptions options = {});
  ~CheckBox() override;

  int Value() const { return value_; }
  // Sets the value; raises onClick when it differs from the old one (as a click would).
  void SetValue(int value);

  // Raised after the value changed, by the user or by SetValue; Value() is the new value.
  std::function<void()> onClick;

 private:
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  CheckBoxOptions options_;
  int value_;
};

}  // namespace qf
