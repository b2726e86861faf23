#pragma once
// The qfade command line, kept apart from main() so it can be unit-tested on every OS:
//   qfade [--wavy] COLOURS TEXT
// COLOURS is 2 to 10 comma-separated stops, each a signed 32-bit decimal colour value
// (0x00BBGGRR, as the scheme files store them) or a hex colour code #RRGGBB (red first);
// TEXT is the line in UTF-8, or "-" to read all of standard input.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fade/generator.h"

namespace qf {

// The usage text printed by --help (several lines, ends with a newline).
extern const char kQfadeUsage[];

struct QfadeRequest {
  bool help = false;             // --help: print the usage, nothing else
  int16_t wavy = 0;              // -1 with --wavy
  std::vector<int32_t> colours;  // 2..10 colour values
  bool readStdin = false;        // TEXT was "-"
  std::string text;              // TEXT in UTF-8 (empty when readStdin)
};

// Either a request or a one-line message saying what is wrong.
struct QfadeParse {
  std::optional<QfadeRequest> request;
  std::string error;
};

// One colour stop: a signed 32-bit decimal ("255", "-1") or "#RRGGBB" (any case), which gives
// the colour value red + 256 * green + 65536 * blue. Anything else gives nullopt.
//   ParseColourStop("#FF8000") == 0x0080FF;  ParseColourStop("16711680") == 16711680
[[nodiscard]] std::optional<int32_t> ParseColourStop(std::string_view stop);

// Parses the arguments after the program name. "--wavy" and "--help" may stand anywhere before
// a "--", after which everything is positional; an argument of one dash ("-", "-1,255") is
// positional.
//   ParseQfadeArgs({"--wavy", "255,16711680", "abc"}).request->wavy == -1
QfadeParse ParseQfadeArgs(std::span<const std::string> args);

// Either the output (the markup in UTF-8 and one newline) or a one-line error.
struct QfadeOutput {
  std::optional<std::string> output;
  std::string error;
};

// Fades `textUtf8` (the request's text, or standard input's bytes) as the request says.
// Text that is not valid UTF-8 is an error.
//   RunQfade(request for 255,16711680 "abc", "abc").output ==
//     "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c\n"
QfadeOutput RunQfade(const QfadeRequest& request, std::string_view textUtf8);

// What StreamQfade did: the exit status qfade gives (0 done, 1 the output could not be written,
// 2 bad input) and, for 2, the one-line message.
struct QfadeStreamed {
  int exitStatus = 0;
  std::string error;
};

// RunQfade's output streamed: the markup in UTF-8 goes to `write` block by block through
// `block` (one buffer, reused; at least kMinFadeBlockBytes), then "\n" on its own. Invalid
// text is found before anything is written.
//   std::array<char, 65536> block;
//   StreamQfade(request, text, block, [](std::string_view b) { return Put(b); });
QfadeStreamed StreamQfade(const QfadeRequest& request, std::string_view textUtf8,
                          std::span<char> block, const MarkupWriter& write);

}  // namespace qf
