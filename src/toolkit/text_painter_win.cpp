#include "toolkit/text_painter_win.h"

#include "core/wide_win.h"

namespace qf {

bool FontKey::operator==(const FontKey& other) const {
  return name == other.name && points == other.points && style.bold == other.style.bold &&
         style.italic == other.style.italic && style.underline == other.style.underline &&
         style.strikethrough == other.style.strikethrough && dpi == other.dpi;
}

void TextPainter::Attach(HDC dc) {
  if (dc == dc_) return;
  if (dc_ != nullptr && originalFont_ != nullptr) SelectObject(dc_, originalFont_);
  dc_ = dc;
  originalFont_ = nullptr;
  selected_ = nullptr;
  fontChanged_ = true;
  if (dc_ != nullptr) SetBkMode(dc_, TRANSPARENT);
}

void TextPainter::SetFontName(std::u16string_view name) {
  if (font_.name == name) return;
  font_.name.assign(name);
  fontChanged_ = true;
}

void TextPainter::SetFontSize(double points) {
  if (font_.points == points) return;
  font_.points = points;
  fontChanged_ = true;
}

void TextPainter::SetDpi(int dpi) {
  if (font_.dpi == dpi) return;
  font_.dpi = dpi;
  fontChanged_ = true;
}

void TextPainter::SetStyle(bool FontStyle::*which, bool on) {
  if (font_.style.*which == on) return;
  font_.style.*which = on;
  fontChanged_ = true;
}

bool TextPainter::SelectFont() {
  if (dc_ == nullptr) return false;
  if (!fontChanged_ && selected_ != nullptr) return true;
  HFONT font = nullptr;
  for (const auto& [key, made] : fonts_) {
    if (key == font_) font = made.Get();
  }
  if (font == nullptr) {
    GdiFont made = MakeFont(font_.name, font_.points, font_.style, font_.dpi);
    if (!made) return false;
    if (fonts_.size() >= kCacheSize) {
      // Drop the oldest font that is not selected now (a selected font cannot be deleted).
      for (auto it = fonts_.begin(); it != fonts_.end(); ++it) {
        if (it->second.Get() != selected_) {
          fonts_.erase(it);
          break;
        }
      }
    }
    font = made.Get();
    fonts_.emplace_back(font_, std::move(made));
  }
  if (font != selected_) {
    const HGDIOBJ previous = SelectObject(dc_, font);
    if (originalFont_ == nullptr) originalFont_ = previous;
    selected_ = font;
  }
  fontChanged_ = false;
  return true;
}

void TextPainter::Print(int x, int y, std::u16string_view text, const RECT* clip) {
  if (text.empty() || !SelectFont()) return;
  SetTextColor(dc_, static_cast<COLORREF>(foreColor_));
  // wchar_t is 16-bit here: the code units go to GDI as they are, without a copy.
  ExtTextOutW(dc_, x, y, clip != nullptr ? ETO_CLIPPED : 0, clip,
              reinterpret_cast<const wchar_t*>(text.data()), static_cast<UINT>(text.size()),
              nullptr);
}

int TextPainter::Width(std::u16string_view text) {
  if (text.empty() || !SelectFont()) return 0;
  SIZE size{};
  if (!GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                             static_cast<int>(text.size()), &size)) {
    return 0;
  }
  return size.cx;
}

}  // namespace qf
