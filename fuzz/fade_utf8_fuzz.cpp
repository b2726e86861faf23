// The UTF-8 fade paths against the UTF-16 one, for 2 to 10 stops, plain and wavy, any colour
// values and any text:
//   - StreamFadeColorsUtf8 over the bytes as UTF-8 text: invalid text writes nothing; valid
//     text streams exactly the UTF-16 markup (FadeColors) in UTF-8, through a block of any
//     size (one below the smallest working size fails without writing), in non-empty blocks no
//     longer than the block, and a writer that refuses ends the stream after a prefix of it;
//   - FadeStopsUtf8 over the bytes as UTF-16 text (lone surrogates included) and any channel
//     values: the UTF-16 markup (FadeStops) in UTF-8.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/utf.h"
#include "fade/entry_points.h"
#include "fade/generator.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto stopCount =
      input.ConsumeIntegralInRange<std::size_t>(qf::kMinFadeStops, qf::kMaxFadeStops);
  // The wave as the corpus was made: a flag, else a 16-bit value of which only -1 was wavy.
  const bool wavy = input.ConsumeBool() || input.ConsumeIntegral<int16_t>() == -1;
  std::vector<int32_t> colors(stopCount);
  for (int32_t& color : colors) color = input.ConsumeIntegral<int32_t>();
  std::vector<qf::Channels> channels(stopCount);
  for (qf::Channels& stop : channels) {
    stop = {input.ConsumeIntegral<int16_t>(), input.ConsumeIntegral<int16_t>(),
            input.ConsumeIntegral<int16_t>()};
  }
  const auto blockSize = input.ConsumeIntegralInRange<std::size_t>(qf::kMinFadeBlockBytes - 4,
                                                                   qf::kMinFadeBlockBytes * 5);
  const std::size_t blocksTaken = input.ConsumeBool()
                                      ? std::numeric_limits<std::size_t>::max()
                                      : input.ConsumeIntegralInRange<std::size_t>(0, 3);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  // The bytes as UTF-8 text, streamed.
  std::vector<char> block(blockSize);
  std::string streamed;
  std::size_t blocksHanded = 0;
  bool refused = false;
  const qf::MarkupWriter writer = [&](std::string_view piece) {
    QF_FUZZ_CHECK(!refused);  // nothing more after a refusal
    QF_FUZZ_CHECK(!piece.empty() && piece.size() <= blockSize);
    ++blocksHanded;
    if (blocksHanded > blocksTaken) {
      refused = true;
      return false;
    }
    streamed += piece;
    return true;
  };
  const qf::FadeStreamResult result = qf::StreamFadeColorsUtf8(colors, bytes, wavy, block, writer);
  const std::optional<std::u16string> text = qf::Utf8ToUtf16(bytes);
  if (!text) {
    QF_FUZZ_CHECK(result == qf::FadeStreamResult::kInvalidText && blocksHanded == 0);
  } else if (blockSize < qf::kMinFadeBlockBytes) {
    QF_FUZZ_CHECK(result == qf::FadeStreamResult::kWriteFailed && blocksHanded == 0);
  } else {
    const std::string expected = qf::Utf16ToUtf8(qf::FadeColors(colors, *text, wavy));
    if (refused) {
      QF_FUZZ_CHECK(result == qf::FadeStreamResult::kWriteFailed);
      QF_FUZZ_CHECK(expected.compare(0, streamed.size(), streamed) == 0);
      QF_FUZZ_CHECK(streamed.size() < expected.size());
    } else {
      QF_FUZZ_CHECK(result == qf::FadeStreamResult::kDone);
      QF_FUZZ_CHECK(streamed == expected);
    }
  }

  // The bytes as UTF-16 text, written straight in UTF-8.
  const std::u16string units = qf::fuzz::BytesToUtf16(bytes);
  QF_FUZZ_CHECK(qf::FadeStopsUtf8(channels, units, wavy) ==
                qf::Utf16ToUtf8(qf::FadeStops(channels, units, wavy)));
  return 0;
}
