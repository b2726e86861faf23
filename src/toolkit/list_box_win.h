#pragma once
// An unsorted, single-selection list box whose items the control itself keeps.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control_colors_win.h"
#include "toolkit/control_win.h"
#include "toolkit/form_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/text_painter_win.h"

namespace qf {

struct ListBoxOptions {
  std::optional<int32_t> backColor{};  // e.g. ColorRgb(0, 255, 255)
  std::optional<int32_t> foreColor{};  // e.g. ColorRgb(0, 0, 255)
  bool border = true;
  // Raised whenever the selected entry changes, by the user or by SetListIndex.
  std::function<void()> onClick{};
};

// An unsorted, single-selection list of texts. The items are kept by the control itself, so
// they exist before the form's window does and while it is hidden.
class ListBox : public Control {
 public:
  ListBox(Form& form, Rect bounds, ListBoxOptions options = {});
  ~ListBox() override;

  void AddItem(std::u16string text);
  // Appends many entries at once (moved from `texts`), drawn once at the end instead of after
  // each one.
  void AddItems(std::span<std::u16string> texts);
  // Removes the entry at `index` (ignored when out of range); the selection, if it was that
  // entry, is cleared.
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  // The text of entry `index`, or the empty text when out of range.
  std::u16string List(int index) const;
  // The selected entry, or -1 when none.
  int ListIndex() const;
  // Selects entry `index` (-1: none); raises onClick when the selection changed.
  void SetListIndex(int index);
  // The text of the selected entry, or the empty text when none.
  std::u16string Text() const { return List(ListIndex()); }
  int32_t BackColor() const;
  void SetBackColor(int32_t color);

  // Raised whenever the selected entry changes, by the user or by SetListIndex.
  std::function<void()> onClick;

 private:
  void Create(HWND parent) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  ListBoxOptions options_;
  ControlColors colors_;
  std::vector<std::u16string> items_;
  int selected_ = -1;
};

}  // namespace qf
