#pragma once
// A picture box: a background colour and a persistent image that the program draws into.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control_colors_win.h"
#include "toolkit/control_win.h"
#include "toolkit/form_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/text_painter_win.h"

namespace qf {

struct PictureBoxOptions {
  int32_t backColor = 0;  // black
  bool border = true;     // a one-pixel black frame; the image is the area inside it
  std::function<void()> onClick{};
  std::function<void()> onDblClick{};
  MouseHandler onMouseDown{};
  // Space or Enter while the box has the keyboard: a box with it is a tab stop (of its
  // form's tab order, where the form puts it).
  std::function<void()> onActivate{};
};

// A picture box with a background colour and a persistent image: a memory bitmap the size
// of its inside in physical pixels (its text drawn at the form's scale), drawn into by the methods below at any time (even while hidden) and shown
// by WM_PAINT. Setting the background colour clears the image to it.
class PictureBox : public Control {
 public:
  PictureBox(Form& form, Rect bounds, PictureBoxOptions options = {});
  ~PictureBox() override;

  int32_t BackColor() const { return backColor_; }
  void SetBackColor(int32_t color);

  // Drawing: font, colour, clearing, text at a pixel position, width of a text. Cheap enough
  // to run on every timer tick (the font is only recreated when one of its properties changed).
  void Cls();
  void SetFontName(std::u16string_view name) { text_.SetFontName(name); }
  void SetFontSize(double points) { text_.SetFontSize(points); }
  void SetFontBold(bool on) { text_.SetFontBold(on); }
  void SetFontItalic(bool on) { text_.SetFontItalic(on); }
  void SetFontUnderline(bool on) { text_.SetFontUnderline(on); }
  void SetFontStrikethrough(bool on) { text_.SetFontStrikethrough(on); }
  const std::u16string& FontName() const { return text_.Font().name; }
  double FontSize() const { return text_.Font().points; }
  FontStyle FontStyles() const { return text_.Font().style; }
  int32_t ForeColor() const { return text_.ForeColor(); }
  void SetForeColor(int32_t color) { text_.SetForeColor(color); }
  // Draws `text` with its top-left corner at (x, y) pixels, transparent background.
  void PrintText(int x, int y, std::u16string_view text);
  // Width in pixels of `text` in the current font.
  int TextWidth(std::u16string_view text);
  // Shows the image now (drawing already schedules a repaint; this paints at once).
  void Refresh();
  // The image's memory DC for other drawing (call Refresh or Invalidate after it).
  HDC ImageDc();
  void Invalidate();
  int ImageWidth() const;
  int ImageHeight() const;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  MouseHandler onMouseDown;
  std::function<void()> onActivate;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Create(HWND parent) override;
  void Rescale() override;
  void EnsureImage();
  void ReleaseImage();

  PictureBoxOptions options_;
  int32_t backColor_;
  bool invalidated_ = false;
  GdiBitmap image_;
  MemoryDc imageDc_;
  HGDIOBJ oldBitmap_ = nullptr;
  SIZE imageSize_{};
  TextPainter text_;  // font, colour and text drawing on the image
  bool pressed_ = false;
};

}  // namespace qf
