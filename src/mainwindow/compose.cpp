#include "mainwindow/compose.h"

#include <vector>

#include "chat/text_utils.h"
#include "fade/entry_points.h"

namespace qf {

int StopCountOf(const NumberedBoxValues& boxes) {
  for (int k = 10; k >= 2; --k) {
    if (boxes[static_cast<std::size_t>(k - 1)] == 1) return k;
  }
  return 0;
}

int SliderTargetOf(const NumberedBoxValues& boxes) {
  for (int k = 1; k <= 10; ++k) {
    if (boxes[static_cast<std::size_t>(k - 1)] == 1) return k;
  }
  return 0;
}

std::u16string ComposeChatLine(std::u16string_view prefix, std::span<const int32_t> colours,
                               std::u16string_view text, bool wavy) {
  std::u16string line(prefix);
  line += FadeColors(colours, text, wavy);
  return line;
}

std::u16string ToggledStylePrefix(std::u16string_view prefix, std::u16string_view tag,
                                  bool ticked) {
  if (ticked) {
    if (!tag.empty() && prefix.find(tag) != std::u16string_view::npos) return std::u16string(prefix);
    return std::u16string(tag) + std::u16string(prefix);
  }
  return ReplaceText(prefix, tag, u"");
}

void ApplyStyleToggle(const TextField& prefix, const std::function<bool()>& ticked,
                      std::u16string_view tag) {
  // Each pass reads the prefix and the box afresh. A nested click that changed either while
  // ReplaceText pumped makes another pass; a bound keeps a flood of clicks from holding the
  // handler for ever (the nested handlers then have the last word, as they ran later).
  constexpr int kMaxPasses = 16;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const std::u16string before = prefix.read();
    const bool tickedBefore = ticked();
    std::u16string after = ToggledStylePrefix(before, tag, tickedBefore);
    if (prefix.read() == before && ticked() == tickedBefore) {
      prefix.write(after);
      return;
    }
  }
}

std::u16string TextAfterSend(std::u16string_view sent, std::u16string_view now) {
  if (now.substr(0, sent.size()) == sent) return std::u16string(now.substr(sent.size()));
  return std::u16string(now);
}

bool SendComposedLine(std::u16string_view prefix, std::span<const int32_t> colours, bool wavy,
                      const TextField& text1,
                      const std::function<bool(std::u16string_view)>& deliver) {
  const std::vector<int32_t> stops(colours.begin(), colours.end());
  const std::u16string sent = text1.read();
  const std::u16string line = ComposeChatLine(prefix, stops, sent, wavy);
  if (!deliver(line)) return false;
  text1.write(TextAfterSend(sent, text1.read()));
  return true;
}

}  // namespace qf
