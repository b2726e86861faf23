// The page's door to the portable core, compiled to WebAssembly with embind. Thin on purpose:
// each function turns JavaScript values into the core's types, calls the core, and turns the
// result back. Text crosses as UTF-16 (std::u16string), which is what JavaScript strings are,
// so nothing is re-encoded on the way in (results come back as bytes, see JsString); the
// scheme files cross as their bytes (Uint8Array).
#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>
#include <wasm_simd128.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/cp1252.h"
#include "core/utf.h"
#include "core/vector.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "fade/generator.h"
#include "fade/markup_formats.h"
#include "fade/qfade_args.h"
#include "mainwindow/compose.h"
#include "preview/canvas.h"
#include "preview/render_tags.h"
#include "schemes/profile_text.h"
#include "schemes/scheme_list.h"

namespace {

using emscripten::val;

// 2 to 10 colour values from a JavaScript array of numbers (other counts fade nothing).
std::vector<int32_t> ColorsFrom(const val& colors) {
  return emscripten::vecFromJSArray<int32_t>(colors);
}

// The browser's decoders, which make a JavaScript string out of the module's memory in one
// call. Markup is mostly all ASCII, and then a single-byte decoder is the quickest: on a long
// line's aol markup (688,107 bytes) in Chromium, "latin1" took 0.36 to 0.40 ms, "utf-8" 0.40
// to 0.64 and "utf-16le" (over the UTF-16 markup) 0.9 to 2.2, where merely copying the bytes
// into a new array took 0.36: making a string that long costs the browser about that much
// whichever way. "latin1" is the Encoding Standard's name for windows-1252, which, like every
// single-byte decoder, reads bytes below 0x80 as ASCII; other text goes through "utf-8".
val DecodeBytes(std::string_view bytes, bool ascii) {
  static const val utf8 = val::global("TextDecoder").new_(std::string("utf-8"));
  static const val singleByte = val::global("TextDecoder").new_(std::string("latin1"));
  return (ascii ? singleByte : utf8)
      .call<val>("decode", emscripten::typed_memory_view(
                               bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data())));
}

// Whether every byte of `bytes` is below 0x80, sixteen at a time.
bool IsAscii(std::string_view bytes) {
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  qf::Uint8x16 seen{};
  for (; end - at >= 16; at += 16) {
    qf::Uint8x16 group;
    std::memcpy(&group, at, sizeof group);
    seen |= group;
  }
  for (; at < end; ++at) seen[0] |= static_cast<uint8_t>(*at);
  return !qf::AnyBitSet(reinterpret_cast<qf::Uint64x2>(seen >> 7));
}

// A JavaScript string of `text`. embind's own conversion of std::u16string first walks the
// text in JavaScript looking for NUL characters, which on a long line costs many times the fade
// itself, and the browser's "utf-16le" decoder is slower than its byte decoders (above). So the
// text is turned into bytes here, in a buffer kept for the next call: sixteen units at a time
// while they are ASCII (narrowed to their bytes), each other character encoded as UTF-8, as
// Utf16ToUtf8 does (a lone surrogate becomes U+FFFD, as in every conversion here); Utf16ToUtf8
// itself, a unit at a time, took 0.8 ms on a long line's markup, ten times the fade.
val JsString(std::u16string_view text) {
  static std::vector<char> bytes;
  // A unit takes at most 3 bytes (a surrogate pair 4 for its two).
  if (bytes.size() < 3 * text.size()) bytes.resize(3 * text.size());
  const char16_t* src = text.data();
  const char16_t* const end = src + text.size();
  char* dst = bytes.data();
  bool ascii = true;
  while (src < end) {
    if (end - src >= 16) {
      const v128_t low = wasm_v128_load(src);
      const v128_t high = wasm_v128_load(src + 8);
      if (!wasm_v128_any_true(wasm_u16x8_shr(wasm_v128_or(low, high), 7))) {
        wasm_v128_store(dst, wasm_u8x16_narrow_i16x8(low, high));
        src += 16;
        dst += 16;
        continue;
      }
    }
    ascii = ascii && *src < 0x80;
    qf::EncodeUtf8Character(src, end, dst);
  }
  return DecodeBytes(std::string_view(bytes.data(), static_cast<std::size_t>(dst - bytes.data())),
                     ascii);
}

// The request of the aol markup formatFade made last, kept for walkLastMarkup with the number
// formatFade gave it: the preview walks that markup, made again here in UTF-16 (a fraction of
// a millisecond), instead of taking it back from JavaScript (a long line's is over half a
// million characters).
struct KeptRequest {
  std::vector<int32_t> colors;
  std::u16string text;
  qf::FadeRequest request;  // its colours and text are the two above
  std::optional<std::u16string> prefix;
  double number = 0;
  bool valid = false;
};
KeptRequest& LastAolRequest() {
  static KeptRequest kept;
  return kept;
}

val ToArray(const std::vector<std::u16string>& texts) {
  val array = val::array();
  for (const std::u16string& text : texts) array.call<void>("push", text);
  return array;
}

// The chat line: the style prefix, then the fade (wavy when `wavy`), as the send buttons make it.
//   composeChatLine("<b>", [255, 16711680], "ab", false) == "<b><Font Color=#FF0000>a..."
val ComposeLine(const std::u16string& prefix, const val& colors, const std::u16string& text,
                bool wavy) {
  return JsString(qf::ComposeChatLine(prefix, ColorsFrom(colors), text, wavy));
}

// A count from JavaScript; what is not a count (negative, not a number) is as large as can be.
std::size_t CountFrom(double count) {
  constexpr double kMost = static_cast<double>(std::numeric_limits<std::size_t>::max());
  return count >= 0 && count < kMost ? static_cast<std::size_t>(count)
                                     : std::numeric_limits<std::size_t>::max();
}

// Every format of the formatting layer, the default (aol) first: [{name, wave, summary}].
val MarkupFormatList() {
  val list = val::array();
  for (const qf::MarkupFormatInfo& info : qf::MarkupFormats()) {
    val entry = val::object();
    entry.set("name", std::string(info.name));
    entry.set("wave", info.wave);
    entry.set("summary", std::string(info.summary));
    list.call<void>("push", entry);
  }
  return list;
}

val ErrorValue(const std::string& kind, const std::string& message, std::size_t overshoot = 0) {
  val result = val::object();
  result.set("error", message);
  result.set("kind", kind);
  result.set("overshoot", static_cast<double>(overshoot));
  return result;
}

val FadeErrorValue(const qf::FadeError& error) {
  static constexpr const char* kKinds[] = {"colourCount", "waveRefused", "textRefused", "tooLong"};
  return ErrorValue(kKinds[static_cast<int>(error.kind)], error.message, error.overshoot);
}

// Puts `ordered`, the style prefix as the desktop builds it, where the aol markup `markup`
// starts with the same tags in the layer's fixed order; false (and the markup unchanged) when
// `ordered` is not those tags in another order: anything else would change the length fitted.
template <typename CharT>
bool PutOrderedPrefix(std::basic_string<CharT>& markup, const std::u16string& ordered,
                      const qf::TextStyles& styles) {
  const std::u16string fixed = qf::AolStylePrefix(styles);
  bool sameTags = ordered.size() == fixed.size();
  for (std::size_t at = 0; sameTags && at < fixed.size(); at += 3) {
    sameTags = ordered.find(std::u16string_view(fixed).substr(at, 3)) != std::u16string::npos;
  }
  // The tags are ASCII, so they are the same units in UTF-8 and in UTF-16.
  if (!sameTags || markup.size() < fixed.size() ||
      !std::equal(fixed.begin(), fixed.end(), markup.begin(),
                  [](char16_t a, CharT b) { return a == static_cast<char16_t>(b); })) {
    return false;
  }
  std::transform(ordered.begin(), ordered.end(), markup.begin(),
                 [](char16_t unit) { return static_cast<CharT>(unit); });
  return true;
}

// A request's markup through the formatting layer:
//   formatFade({colours, text, format: "html", styles: {bold, italic, underline, strike},
//               wavy, maxLength, prefix})
// gives {markup, groupSize, length, markupNumber (aol only: see walkLastMarkup)} (length in
// characters, a surrogate pair once) or
// {error, kind, overshoot} (kind: colorCount, waveRefused, textRefused, tooLong; format or
// prefix for a request the page never makes). maxLength 0 or absent is no limit. `prefix`
// (aol only) is the style prefix as the desktop builds it, in the order the boxes were ticked:
// it stands where the layer writes the same tags in its fixed order, so the markup is what the
// desktop sends.
val FormatFadeFor(const val& request) {
  const std::string name = request["format"].as<std::string>();
  const std::optional<qf::MarkupFormat> format = qf::FindMarkupFormat(name);
  if (!format) {
    return ErrorValue("format", "there is no format called " + name);
  }
  const std::vector<int32_t> colors = ColorsFrom(request["colours"]);
  std::u16string text = request["text"].as<std::u16string>();
  qf::TextStyles styles;
  if (const val s = request["styles"]; !s.isUndefined()) {
    styles = {s["bold"].as<bool>(), s["italic"].as<bool>(), s["underline"].as<bool>(),
              s["strike"].as<bool>()};
  }
  qf::FadeRequest fade{colors, text, *format, styles, request["wavy"].as<bool>()};
  if (const val most = request["maxLength"]; !most.isUndefined()) {
    fade.maxLength = CountFrom(most.as<double>());
  }
  // Under a limit, the fit first, then the markup in that group size: the fit is worked out
  // once. With none (and some text), every character has its own colour, which is the fit's
  // answer too, and the markup's length is counted from the markup itself: the fit measures
  // exactly that length (the core's tests and its fuzz target hold the two equal), and
  // measuring a long line took a third of this call. The errors are the markup's own then.
  const bool fitted = fade.maxLength > 0 || text.empty();
  std::optional<qf::FadeFit> fit;
  if (fitted) {
    qf::FadeResult<qf::FadeFit> limited = qf::FitToLimit(fade);
    if (!limited) return FadeErrorValue(limited.error);
    fit = *limited.value;
  }
  fade.groupSize = fitted ? fit->groupSize : 1;
  // Made as UTF-8 straight away: no UTF-16 markup to convert on the way out.
  qf::FadeResult<std::string> markup = qf::FormatFadeUtf8(fade);
  if (!markup) return FadeErrorValue(markup.error);
  LastAolRequest().valid = false;
  std::optional<std::u16string> ordered;
  if (const val prefix = request["prefix"];
      *format == qf::MarkupFormat::kAol && !prefix.isUndefined()) {
    ordered = prefix.as<std::u16string>();
    if (!PutOrderedPrefix(*markup.value, *ordered, styles)) {
      return ErrorValue("prefix", "the style prefix does not hold the tags of the ticked styles");
    }
  }
  const bool ascii = IsAscii(*markup.value);
  val result = val::object();
  result.set("groupSize", static_cast<double>(fade.groupSize));
  result.set("length", static_cast<double>(fitted  ? fit->length
                                           : ascii ? markup.value->size()
                                                   : *qf::CountUtf8Characters(*markup.value)));
  result.set("markup", DecodeBytes(*markup.value, ascii));
  if (*format == qf::MarkupFormat::kAol) {
    KeptRequest& kept = LastAolRequest();
    kept.colors = colors;
    kept.text = std::move(text);
    kept.request = fade;
    kept.request.colors = kept.colors;
    kept.request.text = kept.text;
    kept.prefix = std::move(ordered);
    kept.number += 1;
    kept.valid = true;
    result.set("markupNumber", kept.number);
  }
  return result;
}

// The colours (colour values 0x00BBGGRR) of `count` characters faded through `colours`, as
// the engine gives them: with the characters coloured in groups, the colour of each group.
val FadeColorValues(const val& colors, double count) {
  std::vector<qf::Channels> stops;
  for (const int32_t color : ColorsFrom(colors)) stops.push_back(qf::SplitColor(color));
  std::vector<uint32_t> values(count >= 1 ? static_cast<std::size_t>(count) : 0);
  qf::FadeColorsInto(stops, values.size(), 0, values);
  for (uint32_t& value : values) {
    value = (value >> 16) | (value & 0xFF00) | ((value & 0xFF) << 16);  // 0xRRGGBB to 0xBBGGRR
  }
  return val::global("Uint32Array")
      .new_(emscripten::typed_memory_view(values.size(), values.data()));
}

// The length of the fade only, without handing the markup to JavaScript: lets the benchmark
// time the engine apart from the crossing of the result.
double FadedLength(const val& colors, const std::u16string& text, bool wavy) {
  return static_cast<double>(qf::FadeColors(ColorsFrom(colors), text, wavy).size());
}

// Milliseconds per fade of `text` through `colours` (the UTF-16 markup, as fade_bench's
// BM_FadeTenColors makes it), timed inside the module over `runs` runs: the text crosses into
// the module once, before the clock starts, so the figure is the fade alone (each run still
// makes and frees its markup, as the native benchmark does).
double FadeMilliseconds(const val& colors, const std::u16string& text, bool wavy, double runs) {
  const std::vector<int32_t> stops = ColorsFrom(colors);
  const std::size_t count = runs >= 1 ? static_cast<std::size_t>(runs) : 1;
  std::size_t units = qf::FadeColors(stops, text, wavy).size();  // warms the memory up
  const double start = emscripten_get_now();
  for (std::size_t run = 0; run < count; ++run) units += qf::FadeColors(stops, text, wavy).size();
  const double elapsed = emscripten_get_now() - start;
  return units > 0 ? elapsed / static_cast<double>(count) : 0;
}

std::u16string ToggledPrefix(const std::u16string& prefix, const std::u16string& tag, bool ticked) {
  return qf::ToggledStylePrefix(prefix, tag, ticked);
}

// A drawing surface that forwards every call of the tag walker to a JavaScript object with the
// same methods in lower camel case (setFontName, ..., cls, printText, textWidth): the page's
// painter on an HTML canvas, or a test's recorder.
class JsCanvas final : public qf::Canvas {
 public:
  explicit JsCanvas(val target) : target_(std::move(target)) {}
  void SetFontName(std::u16string_view name) override {
    target_.call<void>("setFontName", std::u16string(name));
  }
  void SetFontSize(double points) override { target_.call<void>("setFontSize", points); }
  void SetFontBold(bool on) override { target_.call<void>("setFontBold", on); }
  void SetFontItalic(bool on) override { target_.call<void>("setFontItalic", on); }
  void SetFontUnderline(bool on) override { target_.call<void>("setFontUnderline", on); }
  void SetFontStrikethrough(bool on) override { target_.call<void>("setFontStrikethrough", on); }
  void SetForeColor(int32_t color) override { target_.call<void>("setForeColor", color); }
  void Cls() override { target_.call<void>("cls"); }
  void PrintText(double x, int y, std::u16string_view text) override {
    target_.call<void>("printText", x, y, std::u16string(text));
  }
  double TextWidth(std::u16string_view text) override {
    return target_.call<double>("textWidth", std::u16string(text));
  }

 private:
  val target_;
};

void RenderTags(const std::u16string& markup, val target) {
  JsCanvas canvas(std::move(target));
  qf::RenderTags(canvas, markup);
}

// A drawing surface that records what the tag walker draws, for the page to paint later in
// one go: each step as numbers (x, y, colour, font number, style bits, where its text starts
// in the joined texts, its length, its width). Widths are asked of JavaScript once per font
// and text (`measure(name, points, bold, italic, text)`), then kept: a long line asks of the
// few characters it uses, not of every letter.
class RecordingCanvas final : public qf::Canvas {
 public:
  explicit RecordingCanvas(val measure) : measure_(std::move(measure)) {}
  void SetFontName(std::u16string_view name) override { name_ = name; font_ = -1; }
  void SetFontSize(double points) override { points_ = points; font_ = -1; }
  void SetFontBold(bool on) override { bold_ = on; font_ = -1; }
  void SetFontItalic(bool on) override { italic_ = on; font_ = -1; }
  void SetFontUnderline(bool on) override { underline_ = on; }
  void SetFontStrikethrough(bool on) override { strike_ = on; }
  void SetForeColor(int32_t color) override { color_ = color; }
  void Cls() override {}
  void PrintText(double x, int y, std::u16string_view text) override {
    const double width = TextWidth(text);
    // Written in place (a long line has tens of thousands of steps).
    const std::size_t at = steps_.size();
    steps_.resize(at + 8);
    double* step = steps_.data() + at;
    step[0] = x;
    step[1] = y;
    step[2] = color_;
    step[3] = font_;
    step[4] = (underline_ ? 1 : 0) | (strike_ ? 2 : 0);
    step[5] = static_cast<double>(texts_.size());
    step[6] = static_cast<double>(text.size());
    step[7] = width;
    if (text.size() == 1) {
      texts_.push_back(text[0]);
    } else {
      texts_.append(text);
    }
    extent_.Add(x, y, width);
  }
  double TextWidth(std::u16string_view text) override {
    Font& font = CurrentFont();
    // Mostly one unit at a time (the walker measures each letter, twice): ASCII in a table,
    // other units kept apart, without making a string to look them up.
    if (text.size() == 1 && text[0] < font.asciiWidths.size()) {
      double& known = font.asciiWidths[text[0]];
      if (known < 0) known = Measure(text);
      return known;
    }
    if (text.size() == 1) {
      const auto known = font.unitWidths.find(text[0]);
      if (known != font.unitWidths.end()) return known->second;
    } else if (const auto known = font.widths.find(std::u16string(text));
               known != font.widths.end()) {
      return known->second;
    }
    const double width = Measure(text);
    if (text.size() == 1) {
      font.unitWidths.emplace(text[0], width);
    } else {
      font.widths.emplace(text, width);
    }
    return width;
  }

  // Room for the steps of `characters` characters, made once.
  void Reserve(std::size_t characters) {
    steps_.reserve(characters * 8);
    texts_.reserve(characters);
  }

  // {steps: Float64Array, texts, fonts: [{name, points, bold, italic}], extent}. The steps are
  // copied into `reuse` (a Float64Array, or undefined) when it has room: a long line's steps are
  // megabytes, and a new array for each keystroke costs more than the walk (its memory is fresh,
  // and collected).
  val Result(const val& reuse = val::undefined()) const {
    val fonts = val::array();
    for (const Font& font : fonts_) {
      val entry = val::object();
      entry.set("name", JsString(font.name));
      entry.set("points", font.points);
      entry.set("bold", font.bold);
      entry.set("italic", font.italic);
      fonts.call<void>("push", entry);
    }
    val result = val::object();
    // A copy that outlives this call.
    const val steps(emscripten::typed_memory_view(steps_.size(), steps_.data()));
    if (!reuse.isUndefined() &&
        reuse["length"].as<double>() >= static_cast<double>(steps_.size())) {
      reuse.call<void>("set", steps);
      result.set("steps", reuse.call<val>("subarray", 0, static_cast<double>(steps_.size())));
    } else {
      result.set("steps", steps.call<val>("slice"));
    }
    result.set("texts", JsString(texts_));
    result.set("fonts", fonts);
    val extent = val::object();
    extent.set("right", extent_.right);
    extent.set("top", extent_.top);
    extent.set("bottom", extent_.bottom);
    extent.set("widest", extent_.widest);
    extent.set("ordered", extent_.ordered);
    result.set("extent", extent);
    return result;
  }

 private:
  struct Font {
    std::u16string name;
    double points;
    bool bold;
    bool italic;
    std::unordered_map<std::u16string, double> widths;
    std::unordered_map<char16_t, double> unitWidths;
    std::array<double, 128> asciiWidths;  // -1 until measured
  };
  double Measure(std::u16string_view text) {
    return measure_(JsString(name_), points_, bold_, italic_, JsString(text)).as<double>();
  }
  Font& CurrentFont() {
    if (font_ < 0) {
      for (std::size_t i = 0; i < fonts_.size() && font_ < 0; ++i) {
        const Font& f = fonts_[i];
        if (f.name == name_ && f.points == points_ && f.bold == bold_ && f.italic == italic_) {
          font_ = static_cast<int>(i);
        }
      }
      if (font_ < 0) {
        fonts_.push_back({name_, points_, bold_, italic_, {}, {}, {}});
        fonts_.back().asciiWidths.fill(-1);
        font_ = static_cast<int>(fonts_.size() - 1);
      }
    }
    return fonts_[static_cast<std::size_t>(font_)];
  }

  val measure_;
  std::u16string name_ = u"Arial";
  double points_ = 10;
  bool bold_ = false, italic_ = false, underline_ = false, strike_ = false;
  int32_t color_ = 0;
  int font_ = -1;
  // How far the steps reach, and whether each starts at or after the one before (a line as
  // typed): the page sizes and searches the strip with these, without a pass over the steps.
  struct Extent {
    double right = 0, top = 0, bottom = 0, widest = 0, lastX = 0;
    bool ordered = true;
    void Add(double x, double y, double width) {
      right = std::max(right, x + width);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      widest = std::max(widest, width);
      ordered = ordered && x >= lastX;
      lastX = x;
    }
  } extent_;
  std::vector<Font> fonts_;
  std::vector<double> steps_;
  std::u16string texts_;
};

// The tag walker's steps for `markup` in one call (RecordingCanvas's result).
val WalkTags(const std::u16string& markup, val measure) {
  RecordingCanvas canvas(std::move(measure));
  qf::RenderTags(canvas, markup);
  return canvas.Result();
}

// The same for the aol markup formatFade made last, when its markupNumber is `number`; null
// when another was made since (then the markup is walked with walkTags). The steps go into
// `reuse`, a Float64Array, where it has room (the steps of the walk before, no longer needed).
val WalkLastMarkup(double number, val measure, val reuse) {
  const KeptRequest& kept = LastAolRequest();
  if (!kept.valid || kept.number != number) return val::null();
  qf::FadeResult<std::u16string> markup = qf::FormatFade(kept.request);
  if (!markup || (kept.prefix && !PutOrderedPrefix(*markup.value, *kept.prefix, kept.request.styles))) {
    return val::null();
  }
  RecordingCanvas canvas(std::move(measure));
  canvas.Reserve(kept.text.size());
  qf::RenderTags(canvas, *markup.value);
  return canvas.Result(reuse);
}

// "RRGGBB" of a colour value, as the markup writes it (for the page's colour inputs).
std::string ColorToHex(int32_t color) {
  const qf::Channels c = qf::SplitColor(color);
  return qf::ChannelsToHex(c.red, c.green, c.blue);
}

// The colour value of "#RRGGBB" (or a decimal value), or null.
val ColorFromHex(const std::string& text) {
  const std::optional<int32_t> color = qf::ParseColorStop(text);
  return color ? val(*color) : val::null();
}

// The scheme files' text from their bytes, and back; null when the text holds a character
// the code page has none for.
val DecodeAnsi(const std::string& bytes) { return JsString(qf::DecodeCp1252(bytes)); }
val EncodeAnsi(const std::u16string& text) {
  const std::optional<std::string> bytes = qf::EncodeCp1252(text);
  if (!bytes) return val::null();
  // A copy that outlives this call (a view would point into memory that is freed).
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes->size(),
                                          reinterpret_cast<const uint8_t*>(bytes->data())));
}

val ParseList(const std::u16string& text) { return ToArray(qf::ParseSchemeList(text)); }

// The entries of a list file, or null when it holds more than `maxEntries` (the reading stops
// there, so a huge file costs no more than the bound).
val ParseListUpTo(const std::u16string& text, double maxEntries) {
  const auto names = qf::ParseSchemeListUpTo(text, CountFrom(maxEntries));
  return names ? ToArray(*names) : val::null();
}

// The size in bytes of the list file of `names` as written (code page 1252, CR LF, quotes),
// or null when a name has no bytes in the code page.
val SchemeListFileBytes(const val& names) {
  const std::optional<std::string> bytes =
      qf::EncodeCp1252(qf::FormatSchemeList(emscripten::vecFromJSArray<std::u16string>(names)));
  return bytes ? val(static_cast<double>(bytes->size())) : val::null();
}

// Whether the desktop program reads a list file of that many entries and bytes.
//   schemeListFileFits(32767, 100) == true;  schemeListFileFits(32768, 100) == false
bool ListFileFits(double entryCount, double byteCount) {
  return qf::SchemeListFileFits(CountFrom(entryCount), CountFrom(byteCount));
}

val FormatList(const val& names) {
  return JsString(qf::FormatSchemeList(emscripten::vecFromJSArray<std::u16string>(names)));
}

// Why `name` cannot be saved as a scheme, or "" when it can: the desktop's own rules, and the
// code page both files are written in.
std::u16string SchemeNameProblem(const std::u16string& name) {
  std::u16string why;
  if (!qf::CanStoreSchemeName(name, &why)) return why;
  if (!qf::EncodeCp1252(name)) {
    return u"A scheme name can only use characters of the Windows code page 1252, in which "
           u"the desktop program stores it.";
  }
  return u"";
}

// The texts stored under Fade1..Fade10 (keys in any letter case) for scheme `name` in the text
// of color.dat. The section is found as the desktop finds it, or, failing that, as Windows may
// find it, folding the code page's other letters too (a file written there keeps its colours).
std::array<std::optional<std::u16string>, qf::kSchemeColorCount> StoredColorTexts(
    const std::u16string& colorFile, const std::u16string& name) {
  const qf::ProfileText profile = qf::ProfileText::Parse(colorFile);
  std::array<std::optional<std::u16string>, qf::kSchemeColorCount> texts;
  for (int k = 1; k <= qf::kSchemeColorCount; ++k) {
    texts[static_cast<std::size_t>(k - 1)] = profile.Read(
        name, qf::SchemeColorKey(k), qf::ProfileText::SectionMatch::kAsciiThenCodePageCase);
  }
  return texts;
}

// The ten colours of scheme `name`, as the desktop applies them: null where the value is
// missing or not a colour a box can show (0..16777215), and the box keeps its colour.
val ReadSchemeColors(const std::u16string& colorFile, const std::u16string& name) {
  val colors = val::array();
  for (const auto& text : StoredColorTexts(colorFile, name)) {
    const std::optional<int32_t> color = text ? qf::ParseStoredColor(*text) : std::nullopt;
    colors.call<void>("push", color ? val(*color) : val::null());
  }
  return colors;
}

// What an import says of scheme `name`'s ten values: the colour where it is one, else the text
// that is stored there (which the desktop skips), else null where nothing is stored.
val ReadSchemeValues(const std::u16string& colorFile, const std::u16string& name) {
  val values = val::array();
  for (const auto& text : StoredColorTexts(colorFile, name)) {
    const std::optional<int32_t> color = text ? qf::ParseStoredColor(*text) : std::nullopt;
    values.call<void>("push", color ? val(*color) : text ? val(*text) : val::null());
  }
  return values;
}

// The text of color.dat after saving scheme `name` with ten colours, as the desktop writes it
// (Fade1..Fade10 in order); the text unchanged when every value was already there.
val WriteSchemeColors(const std::u16string& colorFile, const std::u16string& name,
                      const val& colors) {
  const std::vector<int32_t> values = ColorsFrom(colors);
  qf::ProfileText profile = qf::ProfileText::Parse(colorFile);
  bool changed = false;
  for (int k = 1; k <= qf::kSchemeColorCount && k <= static_cast<int>(values.size()); ++k) {
    changed |= profile.Write(name, qf::SchemeColorKey(k),
                             qf::FormatColorValue(values[static_cast<std::size_t>(k - 1)]));
  }
  return JsString(changed ? profile.Format() : colorFile);
}

// The numbers of the lines of color.dat that are neither sections, keys, blank nor comments.
val ColorFileOddLines(const std::u16string& colorFile) {
  val lines = val::array();
  for (int line : qf::ProfileText::Parse(colorFile).OddLines()) lines.call<void>("push", line);
  return lines;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quelvane) {
  using emscripten::function;
  function("composeChatLine", &ComposeLine);
  function("markupFormats", &MarkupFormatList);
  function("formatFade", &FormatFadeFor);
  function("fadeColourValues", &FadeColorValues);
  function("fadedLength", &FadedLength);
  function("fadeMilliseconds", &FadeMilliseconds);
  function("toggledStylePrefix", &ToggledPrefix);
  function("renderTags", &RenderTags);
  function("walkTags", &WalkTags);
  function("walkLastMarkup", &WalkLastMarkup);
  function("colourToHex", &ColorToHex);
  function("colourFromHex", &ColorFromHex);
  function("decodeAnsi", &DecodeAnsi);
  function("encodeAnsi", &EncodeAnsi);
  function("parseSchemeList", &ParseList);
  function("parseSchemeListUpTo", &ParseListUpTo);
  function("schemeListFileBytes", &SchemeListFileBytes);
  function("schemeListFileFits", &ListFileFits);
  emscripten::constant("maxSchemeEntries", static_cast<double>(qf::kMaxSchemeEntries));
  emscripten::constant("maxSchemeListBytes", static_cast<double>(qf::kMaxSchemeListBytes));
  function("formatSchemeList", &FormatList);
  function("schemeNameProblem", &SchemeNameProblem);
  function("readSchemeColours", &ReadSchemeColors);
  function("readSchemeValues", &ReadSchemeValues);
  function("writeSchemeColours", &WriteSchemeColors);
  function("colourFileOddLines", &ColorFileOddLines);
}
