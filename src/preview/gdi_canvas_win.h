#pragma once
// The tag renderer's canvas on Windows: GDI text drawing with fonts made once and kept (the
// toolkit's TextPainter), either on a rectangle of any device context or on a picture box.
//   PictureBoxCanvas canvas(Picture11);
//   RenderTags(canvas, Text3.Text());
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "preview/canvas.h"
#include "toolkit/controls_win.h"
#include "toolkit/text_painter_win.h"

namespace qf {

// A rectangle of a device context, e.g. one line of a window's paint buffer.
class GdiCanvas : public Canvas {
 public:
  // Draws into `area` of `dc` from now on: Cls fills the area with `backColor`, positions count
  // from `origin`, and nothing is drawn outside the area. The fonts made so far are kept.
  void SetTarget(HDC dc, const RECT& area, POINT origin, int32_t backColor);
  // Draws nowhere until the next SetTarget, and puts back the DC's own font: call it before the
  // DC is deleted.
  void Detach() { painter_.Attach(nullptr); }

  void SetFontName(std::u16string_view name) override { painter_.SetFontName(name); }
  void SetFontSize(double points) override { painter_.SetFontSize(points); }
  void SetFontBold(bool on) override { painter_.SetFontBold(on); }
  void SetFontItalic(bool on) override { painter_.SetFontItalic(on); }
  void SetFontUnderline(bool on) override { painter_.SetFontUnderline(on); }
  void SetFontStrikethrough(bool on) override { painter_.SetFontStrikethrough(on); }
  void SetForeColor(int32_t colour) override { painter_.SetForeColor(colour); }
  void Cls() override;
  void PrintText(double x, int y, std::u16string_view text) override;
  double TextWidth(std::u16string_view text) override { return painter_.Width(text); }

 private:
  TextPainter painter_;
  RECT area_{};
  POINT origin_{};
  int32_t backColor_ = 0;
};

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
  void SetForeColor(int32_t colour) override { box_.SetForeColor(colour); }
  void Cls() override { box_.Cls(); }
  void PrintText(double x, int y, std::u16string_view text) override;
  double TextWidth(std::u16string_view text) override;

 private:
  PictureBox& box_;
};

}  // namespace qf
