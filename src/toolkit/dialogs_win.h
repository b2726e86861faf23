#pragma once
// The dialogs the forms use: a message box with an OK button, a modal input box and the
// system colour dialog. (Named ShowMessage, not MessageBox, which is a Win32 macro.)
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/program_title.h"

namespace qf {

// A modal message box with an OK button; the caption is the program's title by default.
//   ShowMessage(schemeForm.Handle(), u"Please choose a name");
void ShowMessage(HWND owner, std::u16string_view text, std::u16string_view caption = kProgramTitle);

// How an input box was answered.
enum class InputAnswer {
  kAccepted,   // OK (or Enter): the text is what the user typed, possibly empty
  kCancelled,  // Cancel (or Esc): no text
  kNotShown,   // the box could not be shown at all (a caller asking until it gets an answer
               // stops instead of asking for ever)
};
struct InputBoxResult {
  InputAnswer answer = InputAnswer::kNotShown;
  std::u16string text;  // empty unless accepted
};

// A modal input box: `prompt` above an edit box holding `defaultText`, with OK and Cancel
// (Enter is OK, Esc is Cancel). An empty title gives the program's title.
//   const InputBoxResult name = InputBox(schemeForm.Handle(), u"Choose your name", u"Save Color
//   Scheme"); if (name.answer == InputAnswer::kAccepted) Save(name.text);
[[nodiscard]] InputBoxResult InputBox(HWND owner, std::u16string_view prompt,
                                      std::u16string_view title = {},
                                      std::u16string_view defaultText = {});

enum class DialogResult { kOk, kCancel, kError };

// The system colour dialog with a colour that carries over between uses (one per form).
// Show() starts from the current colour; OK makes the chosen colour the current one, Cancel
// and errors leave it as it was.
//   if (CommonDialog1.Show(Handle()) != DialogResult::kError)
//     Picture1.SetBackColor(CommonDialog1.Color());
class ColorDialog {
 public:
  int32_t Color() const { return color_; }
  void SetColor(int32_t color) { color_ = color; }
  DialogResult Show(HWND owner);
  // The one way a colour is picked by hand: the dialog is shown, and only a colour the user
  // chose (OK) comes back; Cancel or an error gives nullopt, and the caller keeps its colour.
  //   if (const auto colour = CommonDialog1.Pick(Handle())) Picture1.SetBackColor(*colour);
  [[nodiscard]] std::optional<int32_t> Pick(HWND owner);

 private:
  int32_t color_ = 0;  // black until the first choice
  std::array<COLORREF, 16> custom_{};
};

}  // namespace qf
