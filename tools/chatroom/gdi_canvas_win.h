#pragma once
// The chat room's history is drawn by the program's tag renderer on this canvas: GDI text drawing
// on a rectangle of any device context, with fonts made once and kept (the toolkit's
// TextPainter).
//   GdiCanvas canvas;
//   canvas.SetTarget(dc, row, {left, top}, 0xFFFFFF);
//   RenderTags(canvas, line);
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "preview/canvas.h"
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
  void SetForeColor(int32_t color) override { painter_.SetForeColor(color); }
  void Cls() override;
  void PrintText(double x, int y, std::u16string_view text) override;
  double TextWidth(std::u16string_view text) override { return painter_.Width(text); }

 private:
  TextPainter painter_;
  RECT area_{};
  POINT origin_{};
  int32_t backColor_ = 0;
};

}  // namespace qf
