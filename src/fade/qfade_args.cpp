#include "fade/qfade_args.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "core/digits.h"
#include "core/utf.h"
#include "fade/entry_points.h"
#include "fade/generator.h"
#include "fade/markup_formats.h"

namespace qf {

const char kQfadeUsage[] =
    "usage: qfade [OPTIONS] COLOURS TEXT\n"
    "       qfade [OPTIONS] --scheme NAME [--stops N] [--dir DIR] TEXT\n"
    "Prints the fade markup of TEXT (UTF-8) and a newline.\n"
    "  COLOURS        2 to 10 comma-separated colour stops, each a signed 32-bit decimal\n"
    "                 colour value as stored in the scheme files (0x00BBGGRR: 255 is red,\n"
    "                 16711680 is blue) or a hex colour code #RRGGBB (red first)\n"
    "  TEXT           the line; \"-\" reads all of standard input instead\n"
    "  --scheme NAME  the colours of a saved scheme instead of COLOURS: NAME as scheme.lst\n"
    "                 lists it, its colours Fade1..FadeN from color.dat\n"
    "  --stops N      how many of the scheme's colours to fade through, 2 to 10 (default 10)\n"
    "  --dir DIR      the folder holding scheme.lst and color.dat (default: this one)\n"
    "  --format NAME  the markup: aol (default), html, bbcode, minimessage, mc-hex, mc-x,\n"
    "                 mc-section, ansi (see --list-formats)\n"
    "  --bold --italic --underline --strike\n"
    "                 the styles, in each format's own way (aol: <b><i><u><s> in front)\n"
    "  --wavy         raise and lower the characters (aol and html only)\n"
    "  --max N        fit the markup into N characters by colouring the text in groups\n"
    "  --list-formats print the formats and where each is pasted\n"
    "  --version      print the version\n"
    "  --help         print this text\n"
    "Exit status: 0 on success, 2 on bad input (with a message on stderr).\n";

namespace {

std::optional<int32_t> ParseHexCode(std::string_view digits) {
  if (digits.size() != 6) return std::nullopt;
  int channel[3];
  for (int k = 0; k < 3; ++k) {
    const int high = HexDigit(static_cast<unsigned char>(digits[2 * k]));
    const int low = HexDigit(static_cast<unsigned char>(digits[2 * k + 1]));
    if (high < 0 || low < 0) return std::nullopt;
    channel[k] = high * 16 + low;
  }
  return channel[0] + 256 * channel[1] + 65536 * channel[2];
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

std::optional<int32_t> ParseColorStop(std::string_view stop) {
  if (!stop.empty() && stop.front() == '#') return ParseHexCode(stop.substr(1));
  return ParseInt32(stop);
}

std::string QfadeFormatList() {
  std::string list;
  for (const MarkupFormatInfo& info : MarkupFormats()) {
    std::string name(info.name);
    name.resize(12, ' ');
    list += name + (info.wave ? "wavy  " : "      ") + std::string(info.summary) + "\n";
  }
  return list;
}

namespace {

// A whole number of 1 or more in plain decimal digits, or nullopt.
std::optional<std::size_t> ParseCount(std::string_view digits) {
  std::size_t value = 0;
  const char* end = digits.data() + digits.size();
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') return std::nullopt;
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (ec != std::errc() || ptr != end || value == 0) return std::nullopt;
  return value;
}

QfadeParse Refuse(std::string message) { return {std::nullopt, "qfade: " + std::move(message)}; }

}  // namespace

QfadeParse ParseQfadeArgs(std::span<const std::string> args) {
  QfadeRequest request;
  std::vector<std::string_view> positional;
  bool optionsEnded = false;
  bool stopsGiven = false;
  bool dirGiven = false;
  for (std::size_t at = 0; at < args.size(); ++at) {
    const std::string& arg = args[at];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // The option's name, and its value when it is joined with "=".
    const std::size_t equals = arg.find('=');
    const std::string_view name = std::string_view(arg).substr(0, equals);
    std::optional<std::string_view> joined;
    if (equals != std::string::npos) joined = std::string_view(arg).substr(equals + 1);
    const bool takesValue = name == "--format" || name == "--max" || name == "--scheme" ||
                            name == "--stops" || name == "--dir";
    if (!takesValue) {
      if (joined) return Refuse("unknown option " + Quoted(arg) + " (try --help)");
      if (name == "--wavy") {
        request.wavy = true;
      } else if (name == "--bold") {
        request.styles.bold = true;
      } else if (name == "--italic") {
        request.styles.italic = true;
      } else if (name == "--underline") {
        request.styles.underline = true;
      } else if (name == "--strike") {
        request.styles.strike = true;
      } else if (name == "--help") {
        request.help = true;
      } else if (name == "--version") {
        request.version = true;
      } else if (name == "--list-formats") {
        request.listFormats = true;
      } else {
        return Refuse("unknown option " + Quoted(arg) + " (try --help)");
      }
      continue;
    }
    std::string_view value;
    if (joined) {
      value = *joined;
    } else if (at + 1 < args.size()) {
      value = args[++at];
    } else {
      return Refuse(std::string(name) + " needs a value (try --help)");
    }
    if (name == "--format") {
      const auto format = FindMarkupFormat(value);
      if (!format) return Refuse("unknown format " + Quoted(value) + " (try --list-formats)");
      request.format = *format;
    } else if (name == "--max") {
      const auto limit = ParseCount(value);
      if (!limit)
        return Refuse("bad --max " + Quoted(value) +
                      ": expected a number of characters, 1 or more");
      request.maxLength = *limit;
    } else if (name == "--scheme") {
      request.scheme = std::string(value);
    } else if (name == "--stops") {
      const auto stops = ParseCount(value);
      if (!stops || *stops < kMinFadeStops || *stops > kMaxFadeStops) {
        return Refuse("bad --stops " + Quoted(value) + ": expected 2 to 10");
      }
      request.schemeStops = static_cast<int>(*stops);
      stopsGiven = true;
    } else {
      if (value.empty()) return Refuse("--dir needs a folder (try --help)");
      request.schemeDir = std::string(value);
      dirGiven = true;
    }
  }
  if (request.help || request.version || request.listFormats) return {request, {}};
  if ((stopsGiven || dirGiven) && !request.scheme) {
    return Refuse("--stops and --dir choose a scheme's colours: give --scheme NAME too");
  }
  if (request.wavy && !FormatInfo(request.format).wave) {
    return Refuse("--wavy cannot be used with --format " +
                  std::string(FormatInfo(request.format).name) +
                  ": it has no raised or lowered text");
  }

  std::string_view text;
  if (request.scheme) {
    if (positional.empty()) return Refuse("missing TEXT (try --help)");
    if (positional.size() > 1) {
      return Refuse(
          "too many arguments: --scheme takes the place of COLOURS; quote TEXT if it "
          "has spaces (try --help)");
    }
    text = positional[0];
  } else {
    if (positional.empty()) return Refuse("missing COLOURS and TEXT (try --help)");
    if (positional.size() == 1) return Refuse("missing TEXT (try --help)");
    if (positional.size() > 2) {
      return Refuse("too many arguments; quote TEXT if it has spaces (try --help)");
    }
    const std::string_view colors = positional[0];
    std::size_t from = 0;
    while (true) {
      const std::size_t comma = colors.find(',', from);
      const std::string_view stop = colors.substr(
          from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
      const auto value = ParseColorStop(stop);
      if (!value) {
        return Refuse("bad colour " + Quoted(stop) +
                      ": expected a signed 32-bit decimal value or #RRGGBB");
      }
      request.colors.push_back(*value);
      if (comma == std::string_view::npos) break;
      from = comma + 1;
    }
    if (request.colors.size() < kMinFadeStops || request.colors.size() > kMaxFadeStops) {
      return Refuse(std::to_string(request.colors.size()) + " colours given; 2 to 10 are needed");
    }
    text = positional[1];
  }
  if (text == "-") {
    request.readStdin = true;
  } else {
    request.text = std::string(text);
  }
  return {request, {}};
}

QfadeStreamed StreamQfade(const QfadeRequest& request, std::string_view textUtf8,
                          std::span<char> block, const MarkupWriter& write) {
  const auto failed = [](std::string message) {
    return QfadeStreamed{2, "qfade: " + std::move(message)};
  };
  const bool aol = request.format == MarkupFormat::kAol;
  std::optional<std::u16string> text;
  if (!aol || request.maxLength > 0) {
    text = Utf8ToUtf16(textUtf8);
    if (!text) return failed("TEXT is not valid UTF-8");
  }
  const std::u16string_view fadeText = text ? std::u16string_view(*text) : std::u16string_view{};
  const FadeRequest fade{request.colors, fadeText,     request.format,
                         request.styles, request.wavy, request.maxLength};
  bool aolGrouped = false;
  if (text) {
    // aol with a limit streams unless it needs groups.
    if (aol) {
      const FadeResult<FadeFit> fit = FitToLimit(fade);
      if (!fit) return failed(fit.error.message);
      aolGrouped = fit.value->groupSize > 1;
    }
    if (!aol || aolGrouped) {
      const FadeResult<bool> written = StreamFormatFadeUtf8(fade, write);
      if (!written) return failed(written.error.message);
      return {*written.value && write("\n") ? 0 : 1, {}};
    }
  }
  // The chat client's markup, streamed as it is made, after the style prefix; the text is
  // checked before the prefix goes out.
  const std::string prefix = Utf16ToUtf8(AolStylePrefix(request.styles));
  if (!prefix.empty()) {
    if (!CountUtf8Characters(textUtf8)) return failed("TEXT is not valid UTF-8");
    if (!write(prefix)) return {1, {}};
  }
  switch (StreamFadeColorsUtf8(request.colors, textUtf8, request.wavy, block, write)) {
    case FadeStreamResult::kInvalidText:
      return failed("TEXT is not valid UTF-8");
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
