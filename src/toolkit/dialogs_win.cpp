#include "toolkit/dialogs_win.h"

// <commdlg.h> defines ReplaceText as a macro (ReplaceTextW): kept out of every header.
#include <commdlg.h>

#include <cstring>
#include <vector>

#include "core/wide_win.h"
#include "toolkit/win32_win.h"

#undef ReplaceText

namespace qf {

void ShowMessage(HWND owner, std::u16string_view text, std::u16string_view caption) {
  const std::wstring wideText = ToWide(text);
  const std::wstring wideCaption = ToWide(caption);
  // MB_TOPMOST: the forms stay on top, and the box must not open behind them.
  MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(),
              MB_OK | MB_TOPMOST | (owner == nullptr ? MB_TASKMODAL : 0));
}

namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Builds a DLGTEMPLATE with its items in memory (no resource script needed): each part
// aligned as the format requires (the template and items on DWORDs, strings as WORDs).
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, DWORD exStyle, short width, short height, std::u16string_view title,
                 short fontPoints, std::u16string_view fontName, int itemCount) {
    DLGTEMPLATE header{};
    header.style = style | DS_SETFONT;
    header.dwExtendedStyle = exStyle;
    header.cdit = static_cast<WORD>(itemCount);
    header.cx = width;
    header.cy = height;
    Append(&header, sizeof(header));
    AppendWord(0);  // no menu
    AppendWord(0);  // the default dialog class
    AppendString(title);
    AppendWord(static_cast<WORD>(fontPoints));
    AppendString(fontName);
  }

  void AddItem(DWORD style, short x, short y, short width, short height, WORD id, WORD classAtom,
               std::u16string_view text) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = width;
    item.cy = height;
    item.id = id;
    Append(&item, sizeof(item));
    AppendWord(0xFFFF);  // a predefined class by atom
    AppendWord(classAtom);
    AppendString(text);
    AppendWord(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Append(const void* data, std::size_t size) {
    const std::size_t at = words_.size();
    words_.resize(at + (size + 1) / 2);
    std::memcpy(words_.data() + at, data, size);
  }
  void AppendWord(WORD word) { words_.push_back(word); }
  void AppendString(std::u16string_view text) {
    for (char16_t c : text) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }
  void Align() {
    if (words_.size() % 2 != 0) words_.push_back(0);
  }

  // WORD storage: the vector's buffer is aligned for DWORDs by the allocator.
  std::vector<WORD> words_;
};

struct InputBoxState {
  std::u16string prompt;
  std::u16string defaultText;
  std::u16string answer;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<InputBoxState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetDlgItemTextW(dialog, kPromptId, WidePtr(state->prompt));
      SetDlgItemTextW(dialog, kEditId, WidePtr(state->defaultText));
      HWND edit = GetDlgItem(dialog, kEditId);
      SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      SetForegroundWindow(dialog);
      return FALSE;  // the focus was set here
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        if (LOWORD(wParam) == IDOK) {
          auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
          state->answer = WindowText(GetDlgItem(dialog, kEditId));
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

InputBoxResult InputBox(HWND owner, std::u16string_view prompt, std::u16string_view title,
                        std::u16string_view defaultText) {
  constexpr WORD kButton = 0x0080;
  constexpr WORD kEdit = 0x0081;
  constexpr WORD kStatic = 0x0082;
  const std::u16string_view caption = title.empty() ? std::u16string_view(kProgramTitle) : title;
  // Dialog units, laid out like the classic input box: prompt at the left, OK and Cancel at
  // the right, the edit line across the bottom.
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                        WS_EX_TOPMOST, 236, 84, caption, 8, u"MS Shell Dlg", 4);
  dialog.AddItem(SS_LEFT | SS_NOPREFIX, 7, 7, 164, 48, kPromptId, kStatic, u"");
  dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 180, 7, 50, 14, IDOK, kButton, u"OK");
  dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 180, 25, 50, 14, IDCANCEL, kButton, u"Cancel");
  dialog.AddItem(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 63, 222, 13, kEditId, kEdit, u"");
  InputBoxState state{std::u16string(prompt), std::u16string(defaultText), {}};
  const INT_PTR result = DialogBoxIndirectParamW(Instance(), dialog.Get(), owner, &InputBoxProc,
                                                 reinterpret_cast<LPARAM>(&state));
  // 0 (an invalid owner) and -1 (the dialog could not be made) are failures, not a Cancel.
  if (result != IDOK && result != IDCANCEL) return {InputAnswer::kNotShown, {}};
  if (result != IDOK) return {InputAnswer::kCancelled, {}};
  return {InputAnswer::kAccepted, std::move(state.answer)};
}

DialogResult ColorDialog::Show(HWND owner) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.rgbResult = static_cast<COLORREF>(color_);
  choose.lpCustColors = custom_.data();
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  // comdlg32 is loaded at the first colour dialog, not at start-up.
  static const auto chooseColor =
      LateBound<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
  static const auto extendedError =
      LateBound<decltype(CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
  if (chooseColor == nullptr || extendedError == nullptr) return DialogResult::kError;
  if (chooseColor(&choose)) {
    color_ = static_cast<int32_t>(choose.rgbResult & 0x00FFFFFF);
    return DialogResult::kOk;
  }
  return extendedError() == 0 ? DialogResult::kCancel : DialogResult::kError;
}

std::optional<int32_t> ColorDialog::Pick(HWND owner) {
  if (Show(owner) != DialogResult::kOk) return std::nullopt;
  return color_;
}

}  // namespace qf
