#include "toolkit/control_colors_win.h"

namespace qf {

bool IsControlColorMessage(UINT message) {
  return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
         message == WM_CTLCOLORLISTBOX;
}

// WM_CTLCOLOR*'s answer: the brush, or false (the default colours) when there is none.
bool AnswerColor(HBRUSH brush, LRESULT& result) {
  if (brush == nullptr) return false;
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

ControlColors::ControlColors(std::optional<int32_t> back, std::optional<int32_t> fore)
    : back_(back), fore_(fore) {}

void ControlColors::SetBack(int32_t color) {
  back_ = color;
  brush_.Reset();
}

HBRUSH ControlColors::Apply(HDC dc) {
  if (fore_) SetTextColor(dc, static_cast<COLORREF>(*fore_));
  if (!back_) return fore_ ? GetSysColorBrush(COLOR_WINDOW) : nullptr;
  SetBkColor(dc, static_cast<COLORREF>(*back_));
  if (!brush_) brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(*back_)));
  return brush_.Get();
}

}  // namespace qf
