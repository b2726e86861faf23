#pragma once
// The controls of the forms. Each is a member of its form, declared with its rectangle
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

#include "toolkit/form_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/text_painter_win.h"

namespace qf {

// Background and text colour of a control, with its brush. Null colours mean the system's.
class ControlColours {
 public:
  ControlColours(std::optional<int32_t> back, std::optional<int32_t> fore);
  std::optional<int32_t> Back() const { return back_; }
  std::optional<int32_t> Fore() const { return fore_; }
  void SetBack(int32_t colour);
  void SetFore(int32_t colour) { fore_ = colour; }
  // Prepares `dc` and returns the brush (null when both colours are the system's).
  HBRUSH Apply(HDC dc);

 private:
  std::optional<int32_t> back_;
  std::optional<int32_t> fore_;
  GdiBrush brush_;
};

struct TextBoxOptions {
  bool multiLine = false;  // multi-line, wrapping, with a vertical scroll bar
  bool border = true;
  std::optional<int32_t> backColor{};  // e.g. ColorRgb(128, 255, 255); system colour if unset
  std::optional<int32_t> foreColor{};  // e.g. ColorRgb(0, 0, 255)
  std::u16string text{};
  std::function<void()> onChange{};  // any change of the text, typed or set
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
  void SetBackColor(int32_t colour);
  int32_t ForeColor() const;
  void SetForeColor(int32_t colour);
  void SetFocus();

  std::function<void()> onChange;  // any change of the text, typed or set

 private:
  static LRESULT CALLBACK SelectAllOnCtrlA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  TextBoxOptions options_;
  ControlColours colours_;
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

struct PictureBoxOptions {
  int32_t backColor = 0;  // black
  bool border = true;     // a one-pixel black frame; the image is the area inside it
  std::function<void()> onClick{};
  std::function<void()> onDblClick{};
  MouseHandler onMouseDown{};
};

// A picture box with a background colour and a persistent image: a memory bitmap the size
// of its inside, drawn into by the methods below at any time (even while hidden) and shown
// by WM_PAINT. Setting the background colour clears the image to it.
class PictureBox : public Control {
 public:
  PictureBox(Form& form, Rect bounds, PictureBoxOptions options = {});
  ~PictureBox() override;

  int32_t BackColor() const { return backColor_; }
  void SetBackColor(int32_t colour);

  // Drawing: font, colour, clearing, text at a pixel position, width of a text. Cheap enough
  // to run on every timer tick (the font is only recreated when one of its properties changed).
  void Cls();
  void SetFontName(std::u16string_view name) { text_.SetFontName(name); }
  void SetFontSize(double points) { text_.SetFontSize(points); }
  void SetFontBold(bool on) { text_.SetFontBold(on); }
  void SetFontItalic(bool on) { text_.SetFontItalic(on); }
  void SetFontUnderline(bool on) { text_.SetFontUnderline(on); }
  void SetFontStrikethrough(bool on) { text_.SetFontStrikethrough(on); }
  const std::u16string& FontName() const { return text_.Font().name; }
  double FontSize() const { return text_.Font().points; }
  FontStyle FontStyles() const { return text_.Font().style; }
  int32_t ForeColor() const { return text_.ForeColor(); }
  void SetForeColor(int32_t colour) { text_.SetForeColor(colour); }
  // Draws `text` with its top-left corner at (x, y) pixels, transparent background.
  void PrintText(int x, int y, std::u16string_view text);
  // Width in pixels of `text` in the current font.
  int TextWidth(std::u16string_view text);
  // Shows the image now (drawing already schedules a repaint; this paints at once).
  void Refresh();
  // The image's memory DC for other drawing (call Refresh or Invalidate after it).
  HDC ImageDc();
  void Invalidate();
  int ImageWidth() const;
  int ImageHeight() const;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  MouseHandler onMouseDown;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Create(HWND parent) override;
  void EnsureImage();

  PictureBoxOptions options_;
  int32_t backColor_;
  bool invalidated_ = false;
  GdiBitmap image_;
  MemoryDc imageDc_;
  HGDIOBJ oldBitmap_ = nullptr;
  TextPainter text_;  // font, colour and text drawing on the image
  bool pressed_ = false;
};

struct ListBoxOptions {
  std::optional<int32_t> backColor{};  // e.g. ColorRgb(0, 255, 255)
  std::optional<int32_t> foreColor{};  // e.g. ColorRgb(0, 0, 255)
  bool border = true;
  // Raised whenever the selected entry changes, by the user or by SetListIndex.
  std::function<void()> onClick{};
};

// An unsorted, single-selection list of texts. The items are kept by the control itself, so
// they exist before the form's window does and while it is hidden.
class ListBox : public Control {
 public:
  ListBox(Form& form, Rect bounds, ListBoxOptions options = {});
  ~ListBox() override;

  void AddItem(std::u16string text);
  // Appends many entries at once (moved from `texts`), drawn once at the end instead of after
  // each one.
  void AddItems(std::span<std::u16string> texts);
  // Removes the entry at `index` (ignored when out of range); the selection, if it was that
  // entry, is cleared.
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  // The text of entry `index`, or the empty text when out of range.
  std::u16string List(int index) const;
  // The selected entry, or -1 when none.
  int ListIndex() const;
  // Selects entry `index` (-1: none); raises onClick when the selection changed.
  void SetListIndex(int index);
  // The text of the selected entry, or the empty text when none.
  std::u16string Text() const { return List(ListIndex()); }
  int32_t BackColor() const;
  void SetBackColor(int32_t colour);

  // Raised whenever the selected entry changes, by the user or by SetListIndex.
  std::function<void()> onClick;

 private:
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  ListBoxOptions options_;
  ControlColours colours_;
  std::vector<std::u16string> items_;
  int selected_ = -1;
};

struct TimerOptions {
  unsigned interval = 0;  // milliseconds; 0 never ticks
  bool enabled = true;
  std::function<void()> onTimer{};
};

// A timer on the form's window (it ticks once the form exists, hidden or shown). The handler
// is not re-entered: a tick that falls due while onTimer still runs (for instance inside a
// DoEvents() that it called) is skipped.
class Timer {
 public:
  Timer(Form& form, TimerOptions options = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  unsigned Interval() const { return options_.interval; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return options_.enabled; }
  void SetEnabled(bool enabled);

  std::function<void()> onTimer;

 private:
  friend class Form;
  void Tick();
  bool ShouldRun() const { return options_.enabled && options_.interval > 0; }

  Form& form_;
  TimerOptions options_;
  unsigned id_ = 0;
  bool running_ = false;  // SetTimer is active
  bool inHandler_ = false;
};

struct ClickLabelOptions {
  std::u16string toolTip{};
  std::function<void()> onClick{};     // left button pressed and released on the label
  std::function<void()> onDblClick{};  // left double click
  MouseHandler onMouseDown{};          // any button; x, y relative to the label
  MouseHandler onMouseUp{};            // any button, released after a press on the label
};

// A windowless, transparent click area over the skin: a rectangle of the form with the
// up-arrow pointer and an optional tool tip. Mouse activity over it raises its events and
// not the form's. A label without any handler is a wiring mistake.
class ClickLabel {
 public:
  ClickLabel(Form& form, Rect bounds, ClickLabelOptions options = {});
  ~ClickLabel();
  ClickLabel(const ClickLabel&) = delete;
  ClickLabel& operator=(const ClickLabel&) = delete;

  const Rect& Bounds() const { return bounds_; }
  const std::u16string& ToolTipText() const { return toolTip_; }
  void SetToolTipText(std::u16string text);
  bool Contains(int x, int y) const;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;

 private:
  friend class Form;
  Form& form_;
  Rect bounds_;
  std::u16string toolTip_;
  UINT_PTR toolId_ = 0;
  bool toolAdded_ = false;
};

}  // namespace qf
