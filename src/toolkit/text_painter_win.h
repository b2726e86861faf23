#pragma once
// Text drawn into a device context (a picture box's image, a window's paint buffer) in a font
// given by its properties: face name, size and the four style switches. Fonts are made once and
// kept, because chat markup switches styles back and forth for nearly every character.
//   TextPainter painter;
//   painter.Attach(memoryDc);
//   painter.SetFontBold(true);
//   painter.Print(2, 0, u"x");  x += painter.Width(u"x");
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/gdi_win.h"
#include "toolkit/skin_win.h"

namespace qf {

struct FontKey {
  std::u16string name = u"Arial";
  double points = 10;
  FontStyle style;
  int dpi = 0;  // the points' dots per inch; 0: the screen's
  bool operator==(const FontKey& other) const;
};

class TextPainter {
 public:
  TextPainter() = default;
  ~TextPainter() { Attach(nullptr); }
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Draws into `dc` from now on (null: nowhere). The DC it drew into before gets back the font
  // it had, so it can be deleted or used by other code; the made fonts are kept for the next.
  void Attach(HDC dc);
  HDC Dc() const { return dc_; }

  const FontKey& Font() const { return font_; }
  void SetFontName(std::u16string_view name);
  void SetFontSize(double points);
  // The dots per inch the point sizes are made for (the window's scale; 0: the screen's).
  void SetDpi(int dpi);
  void SetFontBold(bool on) { SetStyle(&FontStyle::bold, on); }
  void SetFontItalic(bool on) { SetStyle(&FontStyle::italic, on); }
  void SetFontUnderline(bool on) { SetStyle(&FontStyle::underline, on); }
  void SetFontStrikethrough(bool on) { SetStyle(&FontStyle::strikethrough, on); }
  int32_t ForeColor() const { return foreColor_; }
  void SetForeColor(int32_t color) { foreColor_ = color; }

  // Selects the current font into the DC (made on first use); false without a DC or when the
  // system cannot make the font. Print and Width do it themselves.
  bool SelectFont();
  // Draws `text` with its top-left corner at (x, y) in the current font and colour, on a
  // transparent background; nothing outside `clip` when one is given.
  void Print(int x, int y, std::u16string_view text, const RECT* clip = nullptr);
  // Width in pixels of `text` in the current font (0 without a DC).
  int Width(std::u16string_view text);

 private:
  static constexpr std::size_t kCacheSize = 16;

  void SetStyle(bool FontStyle::*which, bool on);

  HDC dc_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;  // the DC's own font, put back by Attach
  FontKey font_;
  HFONT selected_ = nullptr;  // what this painter last selected into dc_
  bool fontChanged_ = true;   // font_ differs from what `selected_` was made for
  int32_t foreColor_ = 0;
  std::vector<std::pair<FontKey, GdiFont>> fonts_;  // made fonts, oldest first
};

}  // namespace qf
