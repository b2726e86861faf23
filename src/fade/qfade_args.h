#pragma once
// The qfade command line, kept apart from main() so it can be unit-tested on every OS:
//   qfade [OPTIONS] COLOURS TEXT
//   qfade [OPTIONS] --scheme NAME [--stops N] [--dir DIR] TEXT
// COLOURS is 2 to 10 comma-separated stops, each a signed 32-bit decimal colour value
// (0x00BBGGRR, as the scheme files store them) or a hex colour code #RRGGBB (red first);
// TEXT is the line in UTF-8, or "-" to read all of standard input. The options choose the
// markup (--format, see markup_formats.h), the styles, the wave and a length limit. The scheme
// itself is read by the caller (it lives in the scheme files' layer), into `colours`.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fade/generator.h"
#include "fade/markup_formats.h"

namespace qf {

// The usage text printed by --help (several lines, ends with a newline).
extern const char kQfadeUsage[];

struct QfadeRequest {
  bool help = false;                         // --help: print the usage, nothing else
  bool version = false;                      // --version: print the version, nothing else
  bool listFormats = false;                  // --list-formats: print the formats, nothing else
  bool wavy = false;                         // --wavy
  MarkupFormat format = MarkupFormat::kAol;  // --format NAME
  TextStyles styles;                         // --bold --italic --underline --strike
  std::size_t maxLength = 0;                 // --max N; 0 for no limit
  std::vector<int32_t> colors;        // 2..10 colour values (empty with --scheme until it is read)
  std::optional<std::string> scheme;  // --scheme NAME
  int schemeStops = 10;               // --stops N: the scheme's first N colours
  std::string schemeDir = ".";        // --dir DIR: where scheme.lst and color.dat are
  bool readStdin = false;             // TEXT was "-"
  std::string text;                   // TEXT in UTF-8 (empty when readStdin)
};

// The text printed by --list-formats: one line per format, its name, whether it can be wavy,
// and what it is for (ends with a newline).
std::string QfadeFormatList();

// Either a request or a one-line message saying what is wrong.
struct QfadeParse {
  std::optional<QfadeRequest> request;
  std::string error;
};

// One colour stop: a signed 32-bit decimal ("255", "-1") or "#RRGGBB" (any case), which gives
// the colour value red + 256 * green + 65536 * blue. Anything else gives nullopt.
//   ParseColorStop("#FF8000") == 0x0080FF;  ParseColorStop("16711680") == 16711680
[[nodiscard]] std::optional<int32_t> ParseColorStop(std::string_view stop);

// Parses the arguments after the program name. Options may stand anywhere before a "--", after
// which everything is positional; an argument of one dash ("-", "-1,255") is positional. An
// option's value follows it ("--max 255") or is joined to it with "=" ("--max=255").
//   ParseQfadeArgs({"--wavy", "255,16711680", "abc"}).request->wavy == true
//   ParseQfadeArgs({"--format", "html", "--scheme", "Sunset", "abc"}).request->scheme == "Sunset"
QfadeParse ParseQfadeArgs(std::span<const std::string> args);

// Either the output (the markup in UTF-8 and one newline) or a one-line error.
struct QfadeOutput {
  std::optional<std::string> output;
  std::string error;
};

// Fades `textUtf8` (the request's text, or standard input's bytes) as the request says, in
// its format. Text that is not valid UTF-8, a refused combination or text, and a line that
// cannot fit the limit are errors.
//   RunQfade(request for 255,16711680 "abc", "abc").output ==
//     "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c\n"
QfadeOutput RunQfade(const QfadeRequest& request, std::string_view textUtf8);

// What StreamQfade did: the exit status qfade gives (0 done, 1 the output could not be written,
// 2 bad input) and, for 2, the one-line message.
struct QfadeStreamed {
  int exitStatus = 0;
  std::string error;
};

// RunQfade's output written out: the markup in UTF-8 goes to `write`, then "\n" on its own.
// The aol markup that needs no grouping is streamed block by block through `block` (one
// buffer, reused; at least kMinFadeBlockBytes), after the style prefix; every other markup is
// made whole first and handed over in one piece. Every error is found before anything is
// written.
//   std::array<char, 65536> block;
//   StreamQfade(request, text, block, [](std::string_view b) { return Put(b); });
QfadeStreamed StreamQfade(const QfadeRequest& request, std::string_view textUtf8,
                          std::span<char> block, const MarkupWriter& write);

}  // namespace qf
