// The tag walker on arbitrary markup. Beyond not crashing or hanging, what it draws must make
// sense for any markup: the canvas is reset and cleared once before anything is drawn, colours
// are colour values, every piece is one whole character (a surrogate pair never split) of the
// markup in order, lines only go down, and along a line the pen only moves right.
// The walker reads the markup with each carriage return already turned into the typed
// line-break marker "+chr13+", so what it draws is compared with that text: where the marker
// does not line up (a typed "+chr13" before a return) its letters are drawn as text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chat/text_utils.h"
#include "core/utf.h"
#include "fuzz_support.h"
#include "preview/canvas.h"
#include "preview/render_tags.h"

namespace {

constexpr int kLeftMargin = 2;
constexpr int kLineHeight = 16;

class CheckingCanvas : public qf::Canvas {
 public:
  // `walked` is cut into its characters as the walker reads them: tags and markers never start
  // or end inside a surrogate pair (they are ASCII), so its pieces are these characters.
  explicit CheckingCanvas(std::u16string_view walked) {
    for (std::size_t pos = 0; pos < walked.size(); pos += characters_.back().size()) {
      characters_.push_back(walked.substr(pos, qf::CharLengthAt(walked, pos)));
    }
  }

  void SetFontName(std::u16string_view) override {}
  void SetFontSize(double points) override { QF_FUZZ_CHECK(points == 10); }
  void SetFontBold(bool) override {}
  void SetFontItalic(bool) override {}
  void SetFontUnderline(bool) override {}
  void SetFontStrikethrough(bool) override {}
  void SetForeColor(int32_t color) override { QF_FUZZ_CHECK(color >= 0 && color <= 0xFFFFFF); }
  void Cls() override {
    QF_FUZZ_CHECK(clears_ == 0);
    ++clears_;
  }

  void PrintText(double x, int y, std::u16string_view text) override {
    QF_FUZZ_CHECK(clears_ == 1);
    QF_FUZZ_CHECK(text != u"\r");  // every carriage return is a line break

    // y is a line's top, raised or lowered by at most one pixel.
    QF_FUZZ_CHECK(y >= -1);
    const int lineTop = (y + 1) / kLineHeight * kLineHeight;
    QF_FUZZ_CHECK(y - lineTop <= 1);
    QF_FUZZ_CHECK(lineTop >= lineTop_);
    if (lineTop > lineTop_ || printed_.empty()) {
      QF_FUZZ_CHECK(x == kLeftMargin);  // a line starts at the margin
    } else {
      QF_FUZZ_CHECK(x > lastX_);
    }
    lineTop_ = lineTop;
    lastX_ = x;

    // The pieces are characters of the walked text, in the order they are drawn.
    while (next_ < characters_.size() && characters_[next_] != text) ++next_;
    QF_FUZZ_CHECK(next_ < characters_.size());
    ++next_;
    printed_ += text;
  }

  // Any positive width; a fraction, so the pen's sums are doubles that are not whole numbers.
  double TextWidth(std::u16string_view text) override {
    return 1.25 * static_cast<double>(text.size());
  }

  int clears() const { return clears_; }
  const std::u16string& printed() const { return printed_; }

 private:
  std::vector<std::u16string_view> characters_;
  std::size_t next_ = 0;
  int clears_ = 0;
  int lineTop_ = 0;
  double lastX_ = 0;
  std::u16string printed_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::u16string markup = qf::fuzz::BytesToUtf16(data, size);
  const std::u16string walked = qf::ReplaceText(markup, u"\r", u"+chr13+");
  CheckingCanvas canvas(walked);
  qf::RenderTags(canvas, markup);
  QF_FUZZ_CHECK(canvas.clears() == 1);
  // Markup without tags or line breaks is drawn exactly as it is.
  if (markup.find_first_of(u"<\r") == std::u16string::npos &&
      markup.find(u"+chr13+") == std::u16string::npos) {
    QF_FUZZ_CHECK(canvas.printed() == markup);
  }
  return 0;
}
