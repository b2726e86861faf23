#pragma once
// One mapping from the layout's 96-dpi pixels to a display's physical pixels, used by every
// window for its size, its controls, its click areas, its outline and its skin.
//
// Edges are mapped, not sizes: a rectangle's left and right edge (and top and bottom) are each
// rounded on their own with the same rule, so two pieces that touch at 96 dpi share an edge at
// every scale, and a piece that ends where another begins still does.
//   const Scale scale{144};
//   scale.Px(17) == 26;  scale.Map(Rect{304, 56, 33, 17}) == Rect{456, 84, 50, 26}
#include <span>
#include <vector>

#include "core/rect.h"

namespace qf {

struct Scale {
  static constexpr int kBaseDpi = 96;

  int dpi = kBaseDpi;

  constexpr bool IsIdentity() const { return dpi == kBaseDpi; }
  constexpr double Factor() const { return static_cast<double>(dpi) / kBaseDpi; }

  // A coordinate or length in 96-dpi pixels at this scale: the nearest whole pixel, halves
  // upward (towards +infinity, also for negative coordinates, so that the rule does not
  // depend on where the origin lies).
  constexpr int Px(int pixels96) const {
    const long long scaled = static_cast<long long>(pixels96) * dpi + kBaseDpi / 2;
    const long long floored =
        scaled >= 0 ? scaled / kBaseDpi : -((-scaled + kBaseDpi - 1) / kBaseDpi);
    return static_cast<int>(floored);
  }
  // A physical length back in 96-dpi pixels (nearest, halves upward).
  constexpr int Unscaled(int pixels) const {
    if (dpi <= 0) return pixels;
    const long long scaled = static_cast<long long>(pixels) * kBaseDpi + dpi / 2;
    const long long floored = scaled >= 0 ? scaled / dpi : -((-scaled + dpi - 1) / dpi);
    return static_cast<int>(floored);
  }

  constexpr Rect Map(const Rect& r) const {
    const int left = Px(r.left);
    const int top = Px(r.top);
    return {left, top, Px(r.Right()) - left, Px(r.Bottom()) - top};
  }
  constexpr RoundedRect Map(const RoundedRect& r) const {
    return {Px(r.left),   Px(r.top),          Px(r.right),
            Px(r.bottom), Px(r.ellipseWidth), Px(r.ellipseHeight)};
  }
  std::vector<RoundedRect> Map(std::span<const RoundedRect> pieces) const {
    std::vector<RoundedRect> mapped;
    mapped.reserve(pieces.size());
    for (const RoundedRect& piece : pieces) mapped.push_back(Map(piece));
    return mapped;
  }

  constexpr bool operator==(const Scale&) const = default;
};

}  // namespace qf
