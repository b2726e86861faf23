#pragma once
// What a screen reader finds on a skinned form: the click areas over the skin and the colour
// squares are not standard controls the system can name, so the form answers WM_GETOBJECT for
// its client area with an accessible object of its own, whose children are the form's items,
// each with a role, a name, a place and what pressing it does.
//   std::vector<AccessibleItem> items{
//       {.name = u"Send To Chat", .role = AccessibleRole::kButton,
//        .bounds = sendArea.PlacedBounds(), .press = [this] { OnSendClicked(); }}};
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/rect.h"

namespace qf {

enum class AccessibleRole {
  kButton,      // a click area or colour square: pressing it does something
  kStaticText,  // a text shown for reading (the preview strip)
};

struct AccessibleItem {
  std::u16string name;
  AccessibleRole role = AccessibleRole::kButton;
  Rect bounds;                  // in the window's client area, physical pixels
  std::function<void()> press;  // the default action; none for text
};

// Where an accessible object reads the form's items, each time it is asked (so names follow
// what the form shows).
class AccessibleSource {
 public:
  virtual std::vector<AccessibleItem> AccessibleItems() = 0;
  // The item (1..count) that has the keyboard, or 0 when none does.
  virtual long FocusedItem() { return 0; }

 protected:
  ~AccessibleSource() = default;
};

// The name of colour square `k` showing `color`: "Colour 3: blue (#0000FF)".
std::u16string ColorSquareName(int k, int32_t color);

class AccessibleWindow;

// The accessible object of one form's client area; made at the first question and cut off from
// the form when its window goes (a reader may hold it longer: it then answers that it is gone).
class AccessibleClient {
 public:
  AccessibleClient() = default;
  ~AccessibleClient() { Disconnect(); }
  AccessibleClient(const AccessibleClient&) = delete;
  AccessibleClient& operator=(const AccessibleClient&) = delete;

  // The answer to WM_GETOBJECT: the object for OBJID_CLIENT, 0 for anything else (the system
  // then answers with its own object). Never fails loudly: with no accessibility support at
  // hand it answers 0 as well.
  LRESULT Answer(HWND window, WPARAM wParam, LPARAM objectId, AccessibleSource& source);
  // A press a reader asked for (accDoDefaultAction), run from the form's queue: true when
  // `message` is one.
  bool RunPress(UINT message, WPARAM index, AccessibleSource& source);
  // Tells a reader that item `child` (1..count) took the keyboard, so it says what it is.
  static void AnnounceFocus(HWND window, long child);
  // The form's window is going: the object stops reading the form.
  void Disconnect();

 private:
  AccessibleWindow* object_ = nullptr;
};

}  // namespace qf
