#pragma once
// The drawing surface the tag renderer draws through: a font (name, size, four style
// switches), a foreground colour, clearing, text at a pixel position and the width of a text.
// The Windows build implements it over GDI (a picture box, or any device context); the unit
// tests record the calls. Positions and widths are always pixels.
#include <cstdint>
#include <string_view>

namespace qf {

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetFontName(std::u16string_view name) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual void SetFontItalic(bool on) = 0;
  virtual void SetFontUnderline(bool on) = 0;
  virtual void SetFontStrikethrough(bool on) = 0;
  // The colour of drawn text, a colour value 0x00BBGGRR.
  virtual void SetForeColor(int32_t color) = 0;
  // Fills the whole surface with its background colour.
  virtual void Cls() = 0;
  // Draws `text` in the current font and colour with its top-left corner at (x, y), on a
  // transparent background.
  virtual void PrintText(double x, int y, std::u16string_view text) = 0;
  // The width of `text` in the current font, in pixels.
  virtual double TextWidth(std::u16string_view text) = 0;
};

}  // namespace qf
