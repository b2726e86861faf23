#pragma once
// A windowless click area over a form's skin, as a member of the form.
//   qf::ClickLabel Label2{*this, kLabel2, {.toolTip = u"Send To Chat", .onClick = [this] { Label2_Click(); }}};
#include <windows.h>

#include <functional>
#include <string>

#include "core/rect.h"
#include "toolkit/form_win.h"

namespace qf {

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

  // The area in 96-dpi pixels as declared, and in the window's physical pixels.
  const Rect& Bounds() const { return bounds_; }
  Rect PlacedBounds() const;
  const std::u16string& ToolTipText() const { return toolTip_; }
  void SetToolTipText(std::u16string text);
  // Whether the physical client pixel (x, y), as a mouse message gives it, lies on the label.
  bool Contains(int x, int y) const;
  // Raises what a left click on the middle of the label raises: MouseDown, MouseUp, Click. For
  // a key that stands for the click (Space or Enter on the label, Escape on a hide area).
  void PerformClick();

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;

 private:
  friend class Form;
  friend class ToolTips;
  Form& form_;
  Rect bounds_;
  std::u16string toolTip_;
  UINT_PTR toolId_ = 0;
  bool toolAdded_ = false;
};

}  // namespace qf
