#include "preview/render_tags.h"

#include <cstdint>
#include <string>

#include "chat/text_utils.h"
#include "core/utf.h"
#include "core/vector.h"

namespace qf {
namespace {

using namespace std::string_view_literals;  // tag names as views of known length

constexpr int kLeftMargin = 2;
constexpr int kLineHeight = 16;
constexpr std::u16string_view kLineBreak = u"+chr13+";

char16_t LowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Whether `tag` lower-cased equals `lower` (which is already lower case). Tags are compared
// in place, so a long tag is never copied just to be compared.
bool TagIs(std::u16string_view tag, std::u16string_view lower) {
  if (tag.size() != lower.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i) {
    if (LowerAscii(tag[i]) != lower[i]) return false;
  }
  return true;
}

bool TagStartsWith(std::u16string_view tag, std::u16string_view lower) {
  return tag.size() >= lower.size() && TagIs(tag.substr(0, lower.size()), lower);
}

// "font color=#RRGGBB": up to six characters after the first "#" (from the start of the tag
// when it has none); red from the first two, green from the third and fourth, blue from the
// last two. HexToNumber reads lower-case digits and counts other characters as 0, so "f00"
// is red 240 and "font c" (no "#") is red 240, blue 12.
int32_t TagColor(std::u16string_view tag) {
  const std::size_t hash = FindUnit(tag, u'#');
  const std::u16string_view six = tag.substr(hash == std::u16string_view::npos ? 0 : hash + 1, 6);
  const auto channel = [](std::u16string_view digits) {
    return static_cast<int32_t>(HexDigitsValue(digits));  // HexToNumber's value, as an integer
  };
  const int32_t red = channel(six.substr(0, 2));
  const int32_t green = channel(six.size() > 2 ? six.substr(2, 2) : std::u16string_view());
  const int32_t blue = channel(six.substr(six.size() > 2 ? six.size() - 2 : 0));
  return red + green * 256 + blue * 65536;
}

// "font face=\"name\"": the name after the first double quote, up to the closing quote (which
// is dropped, with anything after it); without a double quote, the whole tag text. Lower case,
// as the whole tag is read.
std::u16string TagFontName(std::u16string_view tag) {
  const std::size_t open = tag.find(u'"');
  std::u16string_view name = tag;
  if (open != std::u16string_view::npos) {
    name = tag.substr(open + 1);
    name = name.substr(0, name.find(u'"'));
  }
  std::u16string lower(name);
  for (char16_t& c : lower) c = LowerAscii(c);
  return lower;
}

struct PenState {
  double x = 0;  // from the left margin
  int lineTop = 0;
  int shift = 0;  // -1 raised (sup), +1 lowered (sub)
};

void ApplyTag(Canvas& canvas, PenState& pen, std::u16string_view tag) {
  if (TagIs(tag, u"u"sv)) {
    canvas.SetFontUnderline(true);
  } else if (TagIs(tag, u"/u"sv)) {
    canvas.SetFontUnderline(false);
  } else if (TagIs(tag, u"s"sv)) {
    canvas.SetFontStrikethrough(true);
  } else if (TagIs(tag, u"/s"sv)) {
    canvas.SetFontStrikethrough(false);
  } else if (TagIs(tag, u"b"sv)) {
    canvas.SetFontBold(true);
  } else if (TagIs(tag, u"/b"sv)) {
    canvas.SetFontBold(false);
  } else if (TagIs(tag, u"i"sv)) {
    canvas.SetFontItalic(true);
  } else if (TagIs(tag, u"/i"sv)) {
    canvas.SetFontItalic(false);
  } else if (TagIs(tag, u"sup"sv)) {
    pen.shift = -1;
  } else if (TagIs(tag, u"/sup"sv)) {
    pen.shift = 0;
  } else if (TagIs(tag, u"sub"sv)) {
    pen.shift = 1;
  } else if (TagIs(tag, u"/sub"sv)) {
    pen.shift = 0;
  } else if (TagStartsWith(tag, u"font color"sv)) {
    canvas.SetForeColor(TagColor(tag));
  } else if (TagStartsWith(tag, u"font face"sv)) {
    canvas.SetFontName(TagFontName(tag));
  }
}

}  // namespace

void RenderTags(Canvas& canvas, std::u16string_view markup) {
  // A carriage return is the line-break marker's; a markup without one is walked in place.
  std::u16string replaced;
  std::u16string_view all = markup;
  if (AnyUnit(markup, [](auto unit) { return unit == 0x0D; })) {
    replaced = ReplaceText(markup, u"\r", kLineBreak);
    all = replaced;
  }

  canvas.SetFontName(u"Arial");
  canvas.SetFontSize(10);
  canvas.SetFontBold(false);
  canvas.SetFontItalic(false);
  canvas.SetFontUnderline(false);
  canvas.SetFontStrikethrough(false);
  canvas.SetForeColor(0);
  canvas.Cls();

  PenState pen;
  // The first ">" after the last "<" looked at, remembered: until the walk passes it, it is
  // also the first ">" after any later "<", and once there is none there is none for any later
  // "<" either. So a long run of unclosed "<" costs one scan, not one scan each.
  std::size_t close = std::u16string_view::npos;
  bool searched = false;

  std::size_t i = 0;
  while (i < all.size()) {
    if (all[i] == u'<') {
      if (!searched || (close != std::u16string_view::npos && close <= i)) {
        close = FindUnit(all, u'>', i + 1);
        searched = true;
      }
      if (close != std::u16string_view::npos) {
        ApplyTag(canvas, pen, all.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      // No ">" anywhere after it: the "<" is only a character, drawn below like the rest.
    } else if (all[i] == kLineBreak[0] && all.substr(i, kLineBreak.size()) == kLineBreak) {
      pen.lineTop += kLineHeight;
      pen.x = 0;
      i += kLineBreak.size();
      continue;
    }
    const std::u16string_view character = all.substr(i, CharLengthAt(all, i));
    canvas.PrintText(kLeftMargin + pen.x, pen.lineTop + pen.shift, character);
    pen.x += canvas.TextWidth(character);
    i += character.size();
  }
}

}  // namespace qf
