#pragma once
// The colours of a child control, answered to the WM_CTLCOLOR* messages its form hands back.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "toolkit/gdi_win.h"

namespace qf {

// Background and text colour of a control, with its brush. Null colours mean the system's.
class ControlColors {
 public:
  ControlColors(std::optional<int32_t> back, std::optional<int32_t> fore);
  std::optional<int32_t> Back() const { return back_; }
  std::optional<int32_t> Fore() const { return fore_; }
  void SetBack(int32_t color);
  void SetFore(int32_t color) { fore_ = color; }
  // Prepares `dc` and returns the brush (null when both colours are the system's).
  HBRUSH Apply(HDC dc);

 private:
  std::optional<int32_t> back_;
  std::optional<int32_t> fore_;
  GdiBrush brush_;
};

// Whether `message` is one of the WM_CTLCOLOR* messages a control answers with a brush.
bool IsControlColorMessage(UINT message);

// WM_CTLCOLOR*'s answer: the brush, or false (the default colours) when there is none.
bool AnswerColor(HBRUSH brush, LRESULT& result);

}  // namespace qf
