#include "fade/qfade_args.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "fade/entry_points.h"
#include "fade/generator.h"

namespace qf {

const char kQfadeUsage[] =
    "usage: qfade [--wavy] COLOURS TEXT\n"
    "Prints the chat fade markup of TEXT (UTF-8) and a newline.\n"
    "  COLOURS  2 to 10 comma-separated colour stops, each a signed 32-bit decimal colour\n"
    "           value as stored in the scheme files (0x00BBGGRR: 255 is red, 16711680 is\n"
    "           blue) or a hex colour code #RRGGBB (red first)\n"
    "  TEXT     the line; \"-\" reads all of standard input instead\n"
    "  --wavy   raise and lower the characters with <sup> and <sub>\n"
    "  --help   print this text\n"
    "Exit status: 0 on success, 2 on bad input (with a message on stderr).\n";

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<int32_t> ParseHexCode(std::string_view digits) {
  if (digits.size() != 6) return std::nullopt;
  int channel[3];
  for (int k = 0; k < 3; ++k) {
    const int high = HexDigit(digits[2 * k]);
    const int low = HexDigit(digits[2 * k + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    channel[k] = high * 16 + low;
  }
  return channel[0] + 256 * channel[1] + 65536 * channel[2];
}

std::optional<int32_t> ParseDecimal(std::string_view digits) {
  // One optional sign, then digits only (from_chars takes a '-' but no '+').
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') return std::nullopt;
  int64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

// An argument quoted in a message, with control characters shown as '?' so the message stays
// one line.
std::string Quoted(std::string_view arg) {
  std::string quoted = "'";
  for (const char c : arg)
    quoted.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
  return quoted + "'";
}

}  // namespace

std::optional<int32_t> ParseColourStop(std::string_view stop) {
  if (!stop.empty() && stop.front() == '#') return ParseHexCode(stop.substr(1));
  return ParseDecimal(stop);
}

QfadeParse ParseQfadeArgs(std::span<const std::string> args) {
  QfadeRequest request;
  std::vector<std::string_view> positional;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg.size() >= 2 && arg.compare(0, 2, "--") == 0) {
      if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "--wavy") {
        request.wavy = -1;
      } else if (arg == "--help") {
        request.help = true;
      } else {
        return {std::nullopt, "qfade: unknown option " + Quoted(arg) + " (try --help)"};
      }
    } else {
      positional.push_back(arg);
    }
  }
  if (request.help) return {request, {}};
  if (positional.empty()) return {std::nullopt, "qfade: missing COLOURS and TEXT (try --help)"};
  if (positional.size() == 1) return {std::nullopt, "qfade: missing TEXT (try --help)"};
  if (positional.size() > 2) {
    return {std::nullopt, "qfade: too many arguments; quote TEXT if it has spaces (try --help)"};
  }

  const std::string_view colours = positional[0];
  std::size_t from = 0;
  while (true) {
    const std::size_t comma = colours.find(',', from);
    const std::string_view stop = colours.substr(
        from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
    const auto value = ParseColourStop(stop);
    if (!value) {
      return {std::nullopt, "qfade: bad colour " + Quoted(stop) +
                                ": expected a signed 32-bit decimal value or #RRGGBB"};
    }
    request.colours.push_back(*value);
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  if (request.colours.size() < kMinFadeStops || request.colours.size() > kMaxFadeStops) {
    return {std::nullopt, "qfade: " + std::to_string(request.colours.size()) +
                              " colours given; 2 to 10 are needed"};
  }

  if (positional[1] == "-") {
    request.readStdin = true;
  } else {
    request.text = positional[1];
  }
  return {request, {}};
}

QfadeStreamed StreamQfade(const QfadeRequest& request, std::string_view textUtf8,
                          std::span<char> block, const MarkupWriter& write) {
  switch (StreamFadeColorsUtf8(request.colours, textUtf8, request.wavy, block, write)) {
    case FadeStreamResult::kInvalidText:
      return {2, "qfade: TEXT is not valid UTF-8"};
    case FadeStreamResult::kWriteFailed:
      return {1, {}};
    case FadeStreamResult::kDone:
      break;
  }
  return {write("\n") ? 0 : 1, {}};
}

QfadeOutput RunQfade(const QfadeRequest& request, std::string_view textUtf8) {
  std::string output;
  std::array<char, 4096> block;
  const QfadeStreamed streamed = StreamQfade(request, textUtf8, block, [&](std::string_view b) {
    output += b;
    return true;
  });
  if (streamed.exitStatus != 0) return {std::nullopt, streamed.error};
  return {std::move(output), {}};
}

}  // namespace qf
