// The formatting layer over any text (UTF-16 from bytes, so lone and reversed surrogates and
// every control character too), in every format, with any styles, wavy or not, 2 to 10 stops,
// with and without a length limit:
//   - a refusal only where it belongs: wavy in a format without raised text, text a game
//     format cannot carry, a limit the line misses even in one colour (by the overshoot given);
//   - otherwise the markup reads back, as its receiving system reads it, as the text (what a
//     format cannot carry replaced as it says), every character in the engine's colour of its
//     group's position, with the styles and the wave, at the length FitToLimit measures, within
//     the limit; for short lines no smaller group fits;
//   - the UTF-8 markup, made whole or streamed to a writer (which may refuse), is the UTF-16
//     markup in UTF-8.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/utf.h"
#include "fade/markup_formats.h"
#include "fuzz_support.h"
#include "markup_checks.h"

namespace {

bool HoldsGameRefused(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit < 0x20 || unit == 0x7F || unit == 0xA7) return true;
  }
  return false;
}

bool IsGameFormat(qf::MarkupFormat format) {
  return format == qf::MarkupFormat::kMiniMessage || format == qf::MarkupFormat::kMcHex ||
         format == qf::MarkupFormat::kMcX || format == qf::MarkupFormat::kMcSection;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto formats = qf::MarkupFormats();
  const qf::MarkupFormatInfo& info =
      formats[input.ConsumeIntegralInRange<std::size_t>(0, formats.size() - 1)];
  const auto styleBits = input.ConsumeIntegral<uint8_t>();
  const qf::TextStyles styles{(styleBits & 1) != 0, (styleBits & 2) != 0, (styleBits & 4) != 0,
                              (styleBits & 8) != 0};
  const bool wavy = input.ConsumeBool();
  const auto stopCount =
      input.ConsumeIntegralInRange<std::size_t>(qf::kMinFadeStops, qf::kMaxFadeStops);
  std::vector<int32_t> colors(stopCount);
  for (int32_t& color : colors) color = input.ConsumeIntegral<int32_t>();
  // No limit, or one anywhere from far too small to roomy.
  const std::size_t limit =
      input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange<std::size_t>(1, 4000);
  const std::size_t blocksTaken = input.ConsumeBool()
                                      ? std::numeric_limits<std::size_t>::max()
                                      : input.ConsumeIntegralInRange<std::size_t>(0, 3);
  const std::u16string text = qf::fuzz::BytesToUtf16(input.ConsumeRemainingBytesAsString());

  const qf::FadeRequest request{colors, text, info.format, styles, wavy, limit};
  const auto markup = qf::FormatFade(request);
  const auto utf8 = qf::FormatFadeUtf8(request);
  QF_FUZZ_CHECK(markup.value.has_value() == utf8.value.has_value());
  const std::size_t length = qf::CountCharacters(text);
  if (!markup) {
    QF_FUZZ_CHECK(utf8.error.message == markup.error.message);
    switch (markup.error.kind) {
      case qf::FadeError::Kind::kWaveRefused:
        QF_FUZZ_CHECK(wavy && !info.wave);
        break;
      case qf::FadeError::Kind::kTextRefused:
        QF_FUZZ_CHECK(!(wavy && !info.wave) && IsGameFormat(info.format) && HoldsGameRefused(text));
        break;
      case qf::FadeError::Kind::kTooLong: {
        qf::FadeRequest oneColor = request;
        oneColor.groupSize = std::max<std::size_t>(length, 1);
        const std::size_t shortest = qf::FitToLimit(oneColor).value->length;
        QF_FUZZ_CHECK(limit > 0 && shortest > limit && markup.error.overshoot == shortest - limit);
        break;
      }
      case qf::FadeError::Kind::kColorCount:
        QF_FUZZ_CHECK(false);
    }
    return 0;
  }
  QF_FUZZ_CHECK(!(wavy && !info.wave));
  QF_FUZZ_CHECK(!(IsGameFormat(info.format) && HoldsGameRefused(text)));
  QF_FUZZ_CHECK(*utf8.value == qf::Utf16ToUtf8(*markup.value));

  const auto fit = qf::FitToLimit(request);
  QF_FUZZ_CHECK(fit.value.has_value());
  const std::size_t groupSize = fit.value->groupSize;
  QF_FUZZ_CHECK(limit > 0 || groupSize == 1);
  QF_FUZZ_CHECK(limit == 0 || fit.value->length <= limit);
  const std::string fault = qf::markuptest::CheckMarkup(request, groupSize, *markup.value);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s: %s\n", std::string(info.name).c_str(), fault.c_str());
    QF_FUZZ_CHECK(fault.empty());
  }
  // No smaller group fits; for short lines each of them is written and checked as well.
  if (length <= 48) {
    for (std::size_t k = 1; k < groupSize; ++k) {
      qf::FadeRequest smaller = request;
      smaller.groupSize = k;
      const auto written = qf::FormatFade(smaller);
      QF_FUZZ_CHECK(qf::CountCharacters(*written.value) > limit);
      QF_FUZZ_CHECK(qf::markuptest::CheckMarkup(request, k, *written.value).empty());
    }
  }

  // Streamed: the same bytes, in non-empty blocks; a writer that refuses gets nothing more.
  std::string streamed;
  std::size_t blocksHanded = 0;
  bool refused = false;
  const auto written = qf::StreamFormatFadeUtf8(request, [&](std::string_view block) {
    QF_FUZZ_CHECK(!refused && !block.empty());
    if (++blocksHanded > blocksTaken) {
      refused = true;
      return false;
    }
    streamed += block;
    return true;
  });
  QF_FUZZ_CHECK(written.value.has_value() && *written.value == !refused);
  QF_FUZZ_CHECK(utf8.value->compare(0, streamed.size(), streamed) == 0);
  QF_FUZZ_CHECK(refused || streamed == *utf8.value);
  return 0;
}
