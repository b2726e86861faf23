#pragma once
// The formatting layer: a fade written in the markup of the system it is pasted into. The
// colours are the engine's, one per character (FadeColorsInto: the same segments, the same
// rounding, a surrogate pair one character); this layer only decides how they are written:
//
//   aol          the chat client's tags, byte for byte as the desktop sends them: the style
//                prefix, then "<Font Color=#RRGGBB>" before every character (FadeColors)
//   html         <span style="color:#RRGGBB">...</span> per run; <b> <i> <u> <s> around the
//                line; the wave as <sup>/<sub> around the raised and lowered characters
//   bbcode       [color=#RRGGBB]...[/color] per run; [b] [i] [u] [s] around the line
//   minimessage  <#RRGGBB> before each run; <b> <i> <u> <st> at the start
//   mc-hex       &#RRGGBB before each run, then &l &o &n &m (a colour code resets the styles)
//   mc-x         &x&R&R&G&G&B&B before each run, then the styles as mc-hex
//   mc-section   §x§R§R§G§G§B§B before each run, then §l §o §n §m
//   ansi         ESC[38;2;R;G;Bm before each run, ESC[1;3;4;9m (those on) first, ESC[0m last
//
// Runs: in every format but aol, neighbouring characters of the same colour share one colour
// code. A space (Unicode's space separators) joins the run before it, whatever its own colour,
// unless underline or strike is on (then its colour shows).
//
// Text a format cannot show as it is (each format's rule, applied the same way everywhere):
//   aol          nothing is escaped, as the chat client has always been sent it;
//   html         & < > " ' become &amp; &lt; &gt; &quot; &#39;; control characters other than
//                tab, line feed and carriage return, and DEL and the C1 controls, become U+FFFD
//                (HTML has no way to write them: a reference to one names another character);
//   bbcode       every "[" is followed by U+200B ZERO WIDTH SPACE, so nothing in the text reads
//                as a tag and the forum shows it as typed; controls as in html;
//   minimessage  "<" and "\" get a backslash in front;
//   mc-hex/mc-x  an "&" followed by a character the server reads as a code (0-9 a-f k-o r x #,
//                either case) is followed by the colour code of that next character, so the
//                "&" stands before "&" (no code) and shows, and the colour is unchanged;
//   mc-section   "&" means nothing there;
//   the four game formats refuse text holding "§" or a control character (U+0000..U+001F,
//                U+007F): the game reads "§" as the start of a code and its chat refuses both,
//                and no escape exists for them;
//   ansi         control characters never reach the terminal: C0 as the control pictures
//                U+2400..U+241F, DEL as U+2421, C1 as U+FFFD.
// A lone surrogate is U+FFFD in every format but aol (which keeps it in UTF-16, as always).
//
// A length limit: when the markup is longer than the limit (in characters: a surrogate pair
// counts once), the characters are coloured in groups of k, the fade worked out as if the text
// had ceil(L / k) characters and every character of group j in the colour of position j, with k
// the smallest that fits. In aol, a fitted line writes one colour tag per run, as the others do:
// when the engine's markup (a tag before every character) is too long, the same colours in
// runs are tried first, each character still in its own colour (groups of one).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fade/generator.h"

namespace qf {

enum class MarkupFormat : uint8_t {
  kAol,
  kHtml,
  kBbcode,
  kMiniMessage,
  kMcHex,
  kMcX,
  kMcSection,
  kAnsi,
};

struct MarkupFormatInfo {
  MarkupFormat format;
  std::string_view name;     // as qfade and the page name it: "aol", "mc-hex"
  bool wave;                 // has raised and lowered text, so a fade in it may be wavy
  std::string_view summary;  // one line: what the markup is and where it is pasted
};

// Every format, the default (aol) first.
//   MarkupFormats()[1].name == "html"
std::span<const MarkupFormatInfo> MarkupFormats();

// The table entry of `format`.
//   FormatInfo(MarkupFormat::kBbcode).wave == false
const MarkupFormatInfo& FormatInfo(MarkupFormat format);

// The format called `name` (exactly, lower case), or nullopt.
//   FindMarkupFormat("mc-x") == MarkupFormat::kMcX;  FindMarkupFormat("HTML") == std::nullopt
std::optional<MarkupFormat> FindMarkupFormat(std::string_view name);

struct TextStyles {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
};

// The aol style prefix of `styles`, in the fixed order <b><i><u><s>: what the desktop's prefix
// holds when the boxes are ticked strike, underline, italic, bold (each tag goes in front).
//   AolStylePrefix({.bold = true, .strike = true}) == u"<b><s>"
std::u16string AolStylePrefix(const TextStyles& styles);

struct FadeRequest {
  std::span<const int32_t> colors{};  // 2 to 10 colour values (0x00BBGGRR), split by SplitColor
  std::u16string_view text{};
  MarkupFormat format = MarkupFormat::kAol;
  TextStyles styles{};
  bool wavy = false;
  std::size_t maxLength = 0;  // the most characters the markup may have; 0 for no limit
  // Groups of exactly this many characters, whatever the limit (FitToLimit then gives the
  // length they make); 0 to take the smallest group that fits maxLength.
  std::size_t groupSize = 0;
};

struct FadeError {
  enum class Kind {
    kColorCount,   // not 2 to 10 colours
    kWaveRefused,  // wavy in a format without raised text
    kTextRefused,  // a character the format cannot carry at all
    kTooLong,      // the line does not fit the limit even in one colour
  };
  Kind kind = Kind::kColorCount;
  std::string message;        // one sentence, lower case first, for "qfade: " or a notice
  std::size_t overshoot = 0;  // kTooLong: characters over the limit in one colour
};

// A value or the error that prevented it.
template <typename T>
struct FadeResult {
  std::optional<T> value;
  FadeError error;  // when there is no value
  explicit operator bool() const { return value.has_value(); }
};

// The group size a request needs and the length of its markup then.
struct FadeFit {
  std::size_t groupSize = 1;  // k; 1 is every character its own colour
  std::size_t length = 0;     // characters of the markup
  // aol only: the line is written in runs (one tag where the colour changes), not with the
  // engine's tag before every character. Set when a limit made aol shorter than the engine's
  // markup, also with groups of one.
  bool inRuns = false;
};

// The smallest group size whose markup fits request.maxLength (1 when there is no limit or
// the plain markup fits; request.groupSize when that is given), the length of the markup with
// it, or why the request cannot be written. Writes nothing.
//   const std::array redToBlue{255, 16711680};
//   FitToLimit({redToBlue, u"Hello", MarkupFormat::kAol, {}, false, 60}).value->groupSize == 3
//     (105 characters plain; groups of 2 take 65, of 3 take 45)
FadeResult<FadeFit> FitToLimit(const FadeRequest& request);

// The request's markup in UTF-16, fitted to its limit.
//   FormatFade({std::array{255, 16711680}, u"a<b", MarkupFormat::kHtml}).value ==
//     u"<span style=\"color:#AA0055\">a</span><span style=\"color:#5500AA\">&lt;</span>"
//     u"<span style=\"color:#0000FF\">b</span>"
FadeResult<std::u16string> FormatFade(const FadeRequest& request);

// The same markup in UTF-8, written straight in UTF-8: always Utf16ToUtf8 of FormatFade's.
//   FormatFadeUtf8({std::array{255, 255}, u"hi", MarkupFormat::kMcHex}).value == "&#FF0000hi"
FadeResult<std::string> FormatFadeUtf8(const FadeRequest& request);

// FormatFadeUtf8's markup handed to `write` a block at a time as it is made, so memory stays
// small however long the line is (qfade's way out). Every error is found before the first
// block; the value says whether the writer took every block (it is handed nothing more after
// a refusal).
//   StreamFormatFadeUtf8(request, [](std::string_view block) { return Put(block); });
FadeResult<bool> StreamFormatFadeUtf8(const FadeRequest& request, const MarkupWriter& write);

}  // namespace qf
