#pragma once
// The tool tips of a form's click labels: one tool tip window per form, made with the first
// tip, one tool per label with a tip text.
#include <windows.h>

namespace qf {

class ClickLabel;

class ToolTips {
 public:
  // Adds `label`'s tip for the window `owner` (nothing for a label without a tip text).
  void Add(HWND owner, ClickLabel& label);
  // Moves `label`'s tip area to where the label now lies (after the form's scale changed).
  void Move(HWND owner, ClickLabel& label);
  // Replaces `label`'s tip with its current text.
  void Update(HWND owner, ClickLabel& label);
  // The tool tip window went with its owner.
  void Forget() { window_ = nullptr; }

 private:
  HWND window_ = nullptr;
};

}  // namespace qf
