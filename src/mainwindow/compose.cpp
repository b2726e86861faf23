#include "mainwindow/compose.h"

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

std::u16string ComposeChatLine(std::u16string_view prefix, std::span<const int32_t> colors,
                               std::u16string_view text, bool wavy) {
  std::u16string line(prefix);
  line += FadeColors(colors, text, wavy);
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

std::u16string TextAfterSend(std::u16string_view sent, std::u16string_view now) {
  if (now.substr(0, sent.size()) == sent) return std::u16string(now.substr(sent.size()));
  return std::u16string(now);
}

}  // namespace qf
