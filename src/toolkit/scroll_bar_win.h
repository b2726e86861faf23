#pragma once
// The forms' scroll bars: the system's scroll bar control, which keeps the range and position
// (so GetScrollPos, GetScrollInfo and GetScrollBarInfo answer as for any scroll bar), drawn
// and driven by the toolkit. Its arrows, track and thumb are laid out from the bar's real size,
// a fill runs along the track up to the thumb so the value reads at a glance, and the drawing
// is the form's to choose (a painter; plain system colours when none is given):
//   qf::VScrollBar VScroll1{*this, kVScroll1,
//                           {.max = 255, .painter = art::PaintScrollBar,
//                            .onChange = [this] { VScroll1_Change(); }}};
#include <windows.h>

#include <functional>

#include "core/rect.h"
#include "toolkit/form_win.h"
#include "toolkit/scroll_track.h"

namespace qf {

// How a scroll bar looks at one moment, in its own pixels from its top-left corner, for the
// routine that draws it.
struct ScrollBarFace {
  Rect bar;  // the whole bar, at (0, 0)
  bool vertical = true;
  Rect lessArrow;  // the top or left arrow (towards the minimum)
  Rect moreArrow;  // the bottom or right arrow
  Rect track;      // between the arrows
  Rect thumb;
  // The track from its minimum end to the middle of the thumb: empty at the minimum, the whole
  // track at the maximum.
  Rect fill;
  ScrollPart held = ScrollPart::kNone;  // the part held down under the pointer
  bool focused = false;                 // the keyboard moves this bar
  double scale = 1;  // the bar's pixels per pixel of its layout rectangle (1 at 96 dpi)
};

// Draws a whole bar into `dc`. The form's skin under the bar is already there, so parts left
// undrawn show it.
using ScrollBarPainter = void (*)(HDC dc, const ScrollBarFace& face);

// A plain look in the system's colours, for bars that no skin dresses.
void PaintPlainScrollBar(HDC dc, const ScrollBarFace& face);

// The parts of a bar of `width` x `height` pixels laid out as `layout`, the thumb beginning at
// `thumbStart` pixels along it (its place for the value, or where a drag holds it).
ScrollBarFace LayOutScrollBarFace(int width, int height, bool vertical, const ScrollLayout& layout,
                                  int thumbStart);

struct ScrollBarOptions {
  int min = 0;
  int max = 32767;
  int smallChange = 1;  // arrow click, arrow key
  int largeChange = 1;  // click in the track, Page Up and Page Down
  int value = 0;
  ScrollBarPainter painter = nullptr;  // how it looks; the plain look when null
  std::function<void()> onChange{};    // once per completed change
};

// A scroll bar (vertical: min at the top, max at the bottom; horizontal: min at the left).
// onChange comes once per completed change: an arrow click (and each repeat while an arrow is
// held), a track click (likewise), the release of a dragged thumb, an arrow, Page, Home or End
// key while the bar has the keyboard, or SetValue with a new value; never while the thumb is
// being dragged. A click gives the bar the keyboard.
class ScrollBar : public Control {
 public:
  ~ScrollBar() override;

  int Value() const { return value_; }
  void SetValue(int value);
  int Min() const { return options_.min; }
  int Max() const { return options_.max; }
  int SmallChange() const { return options_.smallChange; }
  int LargeChange() const { return options_.largeChange; }
  void SetPainter(ScrollBarPainter painter);

  // What the bar shows now (its parts at its present size); empty before its window exists.
  ScrollBarFace Face() const;

  std::function<void()> onChange;

 protected:
  ScrollBar(Form& form, Rect bounds, bool vertical, ScrollBarOptions options);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ShowsOwnFocus() const override { return true; }  // ScrollBarFace::focused
  void OnScroll(int code, int position);
  void OnPress(LPARAM lParam);
  void OnDrag(LPARAM lParam);
  void OnRelease(LPARAM lParam);
  void OnRepeat();
  bool OnKey(WPARAM key);
  void EndPress();
  void Carry(const ScrollCommand& command);
  void StepBy(long long delta);
  void ApplyInfo();
  void ChangeTo(int value);
  void Paint();
  void Redraw();
  void AnswerBarInfo(SCROLLBARINFO& info) const;
  ScrollLayout Layout() const;
  ScrollRange Range() const { return {options_.min, options_.max, value_}; }
  // The position of a mouse message along the bar, and whether it lies across the bar.
  int Along(LPARAM lParam) const;
  bool Across(LPARAM lParam) const;

  bool vertical_;
  ScrollBarOptions options_;
  int value_;
  ScrollTracker tracker_;
  bool inRepeat_ = false;
};

class VScrollBar : public ScrollBar {
 public:
  VScrollBar(Form& form, Rect bounds, ScrollBarOptions options = {})
      : ScrollBar(form, bounds, true, options) {}
};

class HScrollBar : public ScrollBar {
 public:
  HScrollBar(Form& form, Rect bounds, ScrollBarOptions options = {})
      : ScrollBar(form, bounds, false, options) {}
};

}  // namespace qf
