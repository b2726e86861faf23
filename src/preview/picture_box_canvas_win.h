#pragma once
// The tag renderer's canvas on Windows: a picture box, drawn through its own font and colour
// properties.
//   PictureBoxCanvas canvas(previewStrip);
//   RenderTags(canvas, markup);
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "preview/canvas.h"
#include "toolkit/controls_win.h"

namespace qf {

// A picture box: drawing goes into its persistent image through the box's own font and colour
// properties, so they stay on the box after a call, and the box shows the image at its next
// paint.
class PictureBoxCanvas : public Canvas {
 public:
  explicit PictureBoxCanvas(PictureBox& box) : box_(box) {}

  void SetFontName(std::u16string_view name) override { box_.SetFontName(name); }
  void SetFontSize(double points) override { box_.SetFontSize(points); }
  void SetFontBold(bool on) override { box_.SetFontBold(on); }
  void SetFontItalic(bool on) override { box_.SetFontItalic(on); }
  void SetFontUnderline(bool on) override { box_.SetFontUnderline(on); }
  void SetFontStrikethrough(bool on) override { box_.SetFontStrikethrough(on); }
  void SetForeColor(int32_t color) override { box_.SetForeColor(color); }
  void Cls() override { box_.Cls(); }
  void PrintText(double x, int y, std::u16string_view text) override;
  double TextWidth(std::u16string_view text) override;

 private:
  PictureBox& box_;
};

}  // namespace qf
