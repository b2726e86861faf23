#include "fade/generator.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/utf.h"
#include "core/vector.h"
#include "fade/markup_writer.h"

// The 32-byte vectors only ever live inside WriteSegmentsAvx2, compiled for AVX2, where every
// routine that takes or returns one is inlined: the calling convention GCC warns about (which
// it reports at the end of the file) never applies.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace qf {

namespace {

using markup::BlockSink;
using markup::BlockTarget;
using markup::ExactSink;
using markup::FadePlan;
using markup::FlushBlock;
using markup::Utf16Source;
using markup::Utf8Source;

// The total length of the wave tags of the first `characters` characters of a text.
std::size_t WaveUnits(std::size_t characters) {
  constexpr std::size_t kPartial[4] = {0, 5, 11, 16};
  return characters / 4 * 22 + kPartial[characters % 4];
}

// The number of code units of the tags of `length` characters (the characters not included).
std::size_t TagUnits(std::size_t length, bool wave) {
  return length * markup::kTagUnits + (wave ? WaveUnits(length) : 0);
}

bool ContainsSurrogate(std::u16string_view text) {
  // A unit is a surrogate when its top five bits are 11011.
  return AnyUnit(text, [](auto unit) { return (unit & 0xF800) == 0xD800; });
}

int16_t ClampChannel(int16_t value) { return std::clamp<int16_t>(value, 0, 255); }

// The stops as the core fades them: every channel clamped to 0..255.
std::array<Channels, kMaxFadeStops> ClampedStops(std::span<const Channels> stops) {
  std::array<Channels, kMaxFadeStops> clamped{};
  for (std::size_t j = 0; j < stops.size() && j < kMaxFadeStops; ++j) {
    clamped[j] = Channels{ClampChannel(stops[j].red), ClampChannel(stops[j].green),
                          ClampChannel(stops[j].blue)};
  }
  return clamped;
}

// The steps of a call before any markup is made, for a text of `length` characters: nullopt
// for a stop count outside 2..10.
std::optional<FadePlan> PlanFade(std::span<const Channels> stops, std::size_t length, bool wavy) {
  const std::size_t stopCount = stops.size();
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return std::nullopt;
  FadePlan plan;
  plan.stopCount = stopCount;
  plan.stops = ClampedStops(stops);
  plan.sizes = FadeSegmentSizes(stopCount, length);
  plan.wave = wavy;
  return plan;
}

// ---- The vector width, chosen once from what the processor has.

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define QF_FADE_AVX2 1
// The AVX2 instantiation of the writing loop: everything it inlines is compiled for AVX2 (and
// not for FMA, which would round the product and the sum of a channel once instead of twice).
template <typename Source, typename Sink>
[[gnu::target("avx2"), gnu::noinline]] void WriteSegmentsAvx2(const FadePlan& plan, Source in,
                                                              Sink& out) {
  markup::WriteSegments<4>(plan, in, out);
}
#endif

std::size_t BestFadeLanes() {
#if QF_FADE_AVX2
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return 4;
#endif
  return 2;
}

std::size_t& SelectedFadeLanes() {
  static std::size_t lanes = BestFadeLanes();
  return lanes;
}

template <typename Source, typename Sink>
void WriteMarkup(const FadePlan& plan, Source in, Sink& out) {
#if QF_FADE_AVX2
  if (SelectedFadeLanes() == 4) {
    WriteSegmentsAvx2(plan, in, out);
    return;
  }
#endif
  markup::WriteSegments<2>(plan, in, out);
}

// A string of exactly `total` units, filled by `write(data)`. Where the library can, the string
// is not zero-filled first: the fill would be one more pass over as many bytes as the markup
// has, costing more than half of copying them. libc++ before C++23's resize_and_overwrite (the
// web build's, version 13) has the same without the fill under its own name, which its
// <filesystem> uses.
template <typename CharT, typename Write>
std::basic_string<CharT> MakeString(std::size_t total, Write write) {
  std::basic_string<CharT> text;
#if defined(__cpp_lib_string_resize_and_overwrite)
  text.resize_and_overwrite(total, [&](CharT* data, std::size_t) {
    write(data);
    return total;
  });
#elif defined(_LIBCPP_VERSION)
  text.__resize_default_init(total);
  write(text.data());
#else
  text.resize(total);
  write(text.data());
#endif
  return text;
}

// The markup of UTF-16 text as a string of `total` units.
template <typename CharT>
std::basic_string<CharT> MarkupOfUtf16(const FadePlan& plan, std::u16string_view text,
                                       bool surrogates, std::size_t total) {
  return MakeString<CharT>(total, [&](CharT* data) {
    ExactSink<CharT> out{data, data + total};
    const char16_t* begin = text.data();
    const char16_t* end = begin + text.size();
    if (surrogates) {
      WriteMarkup(plan, Utf16Source<true>{begin, end}, out);
    } else {
      WriteMarkup(plan, Utf16Source<false>{begin, end}, out);
    }
  });
}

}  // namespace

std::size_t FadeLanes() { return SelectedFadeLanes(); }

void SetFadeLanes(std::size_t lanes) {
  SelectedFadeLanes() = lanes >= BestFadeLanes() ? BestFadeLanes() : 2;
}

std::size_t CountCharacters(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) ++count;
  return count;
}

std::array<std::size_t, kMaxFadeStops - 1> FadeSegmentSizes(std::size_t stopCount,
                                                            std::size_t length) {
  std::array<std::size_t, kMaxFadeStops - 1> sizes{};
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return sizes;
  if (stopCount == 2) {
    sizes[0] = length;
  } else if (stopCount == 3) {
    // Half the length, an exact half (odd length) rounded to the even neighbour.
    std::size_t half = length / 2;
    if (length % 2 == 1 && half % 2 == 1) ++half;
    sizes[0] = half;
    sizes[1] = length - half;
  } else {
    // Dealing one character per segment per pass gives every segment the same share and the
    // first `length % k` segments one more.
    const std::size_t k = stopCount - 1;
    for (std::size_t j = 0; j < k; ++j) sizes[j] = length / k + (j < length % k ? 1 : 0);
  }
  return sizes;
}

void FadeColorsInto(std::span<const Channels> stops, std::size_t length, std::size_t first,
                    std::span<uint32_t> colors) {
  const std::size_t stopCount = stops.size();
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return;
  if (first > length || colors.size() > length - first) return;
  const std::array<Channels, kMaxFadeStops> clamped = ClampedStops(stops);
  const auto sizes = FadeSegmentSizes(stopCount, length);
  uint32_t* out = colors.data();
  uint32_t* const end = out + colors.size();
  std::size_t segmentStart = 0;  // the character the segment starts at
  for (std::size_t j = 0; j + 1 < stopCount && out < end; segmentStart += sizes[j], ++j) {
    const std::size_t at = first + static_cast<std::size_t>(out - colors.data());
    if (sizes[j] == 0 || at >= segmentStart + sizes[j]) continue;
    const ColorRamp<2> ramp = MakeColorRamp<2>(clamped[j], clamped[j + 1], sizes[j]);
    // Positions count from 1 within the segment; whole numbers are exact in a double, so
    // converting one gives what the writing loop's counting up gives.
    for (std::size_t i = at - segmentStart + 1; i <= sizes[j] && out < end; ++i) {
      const RampChannels c = ChannelsAt(ramp, static_cast<double>(i));
      *out++ = c.red << 16 | c.green << 8 | c.blue;
    }
  }
}

std::u16string FadeStops(std::span<const Channels> stops, std::u16string_view text, bool wavy) {
  const bool surrogates = ContainsSurrogate(text);
  const std::size_t length = surrogates ? CountCharacters(text) : text.size();
  const auto plan = PlanFade(stops, length, wavy);
  if (!plan || length == 0) return {};
  // Exact size up front: the tags, and every code unit of the text.
  return MarkupOfUtf16<char16_t>(*plan, text, surrogates,
                                 TagUnits(length, plan->wave) + text.size());
}

std::string FadeStopsUtf8(std::span<const Channels> stops, std::u16string_view text, bool wavy) {
  const bool surrogates = ContainsSurrogate(text);
  const std::size_t length = surrogates ? CountCharacters(text) : text.size();
  const auto plan = PlanFade(stops, length, wavy);
  if (!plan || length == 0) return {};
  return MarkupOfUtf16<char>(*plan, text, surrogates,
                             TagUnits(length, plan->wave) + Utf8Length(text));
}

FadeStreamResult StreamFadeUtf8(std::span<const Channels> stops, std::string_view text, bool wavy,
                                std::span<char> block, const MarkupWriter& write) {
  // The whole text is checked before anything is written.
  const auto length = CountUtf8Characters(text);
  if (!length) return FadeStreamResult::kInvalidText;
  if (block.size() < kMinFadeBlockBytes) return FadeStreamResult::kWriteFailed;
  const auto plan = PlanFade(stops, *length, wavy);
  if (!plan || *length == 0) return FadeStreamResult::kDone;
  BlockTarget target{block.data(), &write, false};
  BlockSink out{block.data(), block.data() + block.size(), &target};
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*length == text.size()) {
    WriteMarkup(*plan, Utf8Source<true>{begin, end}, out);
  } else {
    WriteMarkup(*plan, Utf8Source<false>{begin, end}, out);
  }
  FlushBlock(target, out.at);
  return target.failed ? FadeStreamResult::kWriteFailed : FadeStreamResult::kDone;
}

}  // namespace qf
