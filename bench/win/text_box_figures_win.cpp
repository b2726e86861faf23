// What the HTML fader's Generate costs in its output box once the box holds 100,000 characters:
// appending the new block, beside reading the whole text back and setting it again.
#include <cstdio>
#include <string>

#include "figures_win.h"
#include "toolkit/toolkit_win.h"

namespace qf::figures {
namespace {

class OutputForm : public Form {
 public:
  OutputForm()
      : Form({.caption = u"Output figures", .width = 300, .height = 200, .left = 20, .top = 20}) {}
  TextBox Text1{*this, {10, 10, 280, 180}, {.multiLine = true}};
};

}  // namespace

bool TextBoxFigures() {
  OutputForm form;
  form.Show();
  const std::u16string block(2000, u'x');  // a Generate's block of markup
  // Read back and set whole, a Generate takes seconds under Wine: a few are enough to time.
  constexpr int kGenerates = 3;
  auto measure = [&](bool append) {
    form.Text1.SetText(std::u16string(100000, u'a'));
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kGenerates; ++i) {
      if (append) {
        form.Text1.AppendText(block);
      } else {
        form.Text1.SetText(form.Text1.Text() + block);
      }
    }
    return MillisecondsPerRound(start, kGenerates);
  };
  const double setBack = measure(false);
  const double appended = measure(true);
  std::printf("text box of 100,000 characters, 2,000 more per Generate (%d each way):\n",
              kGenerates);
  std::printf("text box: read and set back: %.2f ms per Generate\n", setBack);
  std::printf("text box: append:            %.2f ms per Generate\n", appended);
  return true;
}

}  // namespace qf::figures
