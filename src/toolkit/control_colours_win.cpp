#include "toolkit/control_colours_win.h"

namespace qf {

bool IsControlColourMessage(UINT message) {
  return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
         message == WM_CTLCOLORLISTBOX;
}

// WM_CTLCOLOR*'s answer: the brush, or false (the default colours) when there is none.
bool AnswerColour(HBRUSH brush, LRESULT& result) {
  if (brush == nullptr) return false;
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

ControlColours::ControlColours(std::optional<int32_t> back, std::optional<int32_t> fore)
    : back_(back), fore_(fore) {}

void ControlColours::SetBack(int32_t colour) {
  back_ = colour;
  brush_.Reset();
}

HBRUSH ControlColours::Apply(HDC dc) {
  if (fore_) SetTextColor(dc, static_cast<COLORREF>(*fore_));
  if (!back_) return fore_ ? GetSysColorBrush(COLOR_WINDOW) : nullptr;
  SetBkColor(dc, static_cast<COLORREF>(*back_));
  if (!brush_) brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(*back_)));
  return brush_.Get();
}

}  // namespace qf
