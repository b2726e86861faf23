#include "toolkit/tool_tips_win.h"

#include <commctrl.h>

#include <string>

#include "core/report_win.h"
#include "core/wide_win.h"
#include "toolkit/click_label_win.h"
#include "toolkit/win32_win.h"

namespace qf {

void ToolTips::Add(HWND owner, ClickLabel& label) {
  if (label.toolTip_.empty() || owner == nullptr) return;
  if (window_ == nullptr) {
    // TTS_ALWAYSTIP: tips also while another window is active (the forms are tool windows).
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              Instance(), nullptr);
    if (ReportIf(window_ == nullptr, "the tool tip window could not be created")) return;
  }
  TTTOOLINFOW info{};
  // The size of the version-5 record, which every comctl32 accepts (no manifest needed).
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = label.toolId_;
  info.rect = ToRECT(label.PlacedBounds());
  std::wstring text = ToWide(label.toolTip_);
  info.lpszText = text.data();
  label.toolAdded_ = SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::Move(HWND owner, ClickLabel& label) {
  if (owner == nullptr || window_ == nullptr || !label.toolAdded_) return;
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = label.toolId_;
  info.rect = ToRECT(label.PlacedBounds());
  SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::Update(HWND owner, ClickLabel& label) {
  if (owner == nullptr) return;
  if (label.toolAdded_) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner;
    info.uId = label.toolId_;
    SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    label.toolAdded_ = false;
  }
  Add(owner, label);
}

}  // namespace qf
