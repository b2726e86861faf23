#include "toolkit/click_label_win.h"

#include <algorithm>
#include <utility>

namespace qf {

ClickLabel::ClickLabel(Form& form, Rect bounds, ClickLabelOptions options)
    : onClick(std::move(options.onClick)),
      onDblClick(std::move(options.onDblClick)),
      onMouseDown(std::move(options.onMouseDown)),
      onMouseUp(std::move(options.onMouseUp)),
      form_(form),
      bounds_(bounds),
      toolTip_(std::move(options.toolTip)) {
  static UINT_PTR nextId = 1;
  toolId_ = nextId++;
  form_.labels_.push_back(this);
  if (form_.hwnd_ != nullptr) form_.toolTips_.Add(form_.hwnd_, *this);
}

ClickLabel::~ClickLabel() {
  form_.Detach();
  auto& list = form_.labels_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  form_.mouse_.Forget(this);
  form_.keyboard_.Forget(this);
}

void ClickLabel::SetToolTipText(std::u16string text) {
  toolTip_ = std::move(text);
  form_.toolTips_.Update(form_.hwnd_, *this);
}

Rect ClickLabel::PlacedBounds() const { return form_.Scaling().Map(bounds_); }

bool ClickLabel::Contains(int x, int y) const { return PlacedBounds().Contains(x, y); }

void ClickLabel::PerformClick() {
  // Copies: a handler may do anything, even replace the label's handlers.
  const MouseHandler down = onMouseDown;
  const MouseHandler up = onMouseUp;
  const std::function<void()> click = onClick;
  const Rect placed = PlacedBounds();
  const float x = static_cast<float>(placed.width / 2);
  const float y = static_cast<float>(placed.height / 2);
  if (down) down(kLeftButton, 0, x, y);
  if (up) up(kLeftButton, 0, x, y);
  if (click) click();
}

}  // namespace qf
