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
}

void ClickLabel::SetToolTipText(std::u16string text) {
  toolTip_ = std::move(text);
  form_.toolTips_.Update(form_.hwnd_, *this);
}

Rect ClickLabel::PlacedBounds() const { return form_.Scaling().Map(bounds_); }

bool ClickLabel::Contains(int x, int y) const { return PlacedBounds().Contains(x, y); }

}  // namespace qf
