#pragma once
// Form: a borderless, skinned top-level window that holds controls and raises the usual events.
//
// A form is a subclass with its controls as members and its handlers as member functions. Each
// control is declared with its place and start state and wired to its handler in the same
// line, so the class reads as the form's layout table and a control is wired in one place:
//
//   class Form1 : public qf::Form {
//    public:
//     Form1() : Form({.caption = qf::kProgramTitle, .width = 370, .height = 248,
//                     .left = 333, .top = 7}) {}
//    private:
//     void Form_Load() override;
//     void PaintSkin(HDC dc, int width, int height) override;
//     void Label2_Click();
//
//     qf::TextBox Text1{*this, {24, 56, 249, 19}};
//     qf::ClickLabel Label2{*this, {304, 56, 33, 17},
//                           {.toolTip = u"Send To Chat", .onClick = [this] { Label2_Click(); }}};
//   };
//
// Declaring a form or its controls creates no window. The window, its child controls, its
// skin bitmap and its timers are created together on first use (Handle(), Load(), Show(), or
// Handle() of one of its controls), which then runs Form_Load() once; its labels' tool tips
// come when it is first shown, after its first paint.
// After that the window is only hidden and shown; everything it holds survives hiding.
// Control properties set before creation are kept and applied when the window is created.
// Messages that a child control sends its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_CTLCOLOR*, scroll messages) are handed back to that control (Control::OnReflected), so a
// new kind of control never touches the form's window procedure.
//
// The form composes its pieces: its face (FormSkin), its labels' tool tips (ToolTips), its
// mouse (FormMouse: press routing, events, pointers) and its keyboard (FormKeyboard: the tab
// order, the window's keys, the focus ring); this file keeps the window's life, its timers,
// focus and the message dispatch.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/rect.h"
#include "core/scale.h"
#include "fade/color.h"
#include "toolkit/accessible_win.h"
#include "toolkit/control_win.h"
#include "toolkit/form_keyboard_win.h"
#include "toolkit/form_mouse_win.h"
#include "toolkit/form_skin_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/program_title.h"
#include "toolkit/tool_tips_win.h"

namespace qf {

// Mouse buttons and shift keys as the mouse events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// (button, shift, x, y): x and y in pixels from the top-left corner of the control or form.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;


// Position for a form that should open in the middle of the screen.
inline constexpr int kCentred = INT_MIN;

// Sizes, positions and rectangles of a form and its controls are in 96-dpi pixels; the form
// maps them to its monitor's physical pixels with its Scale (the identity at 96 dpi).
struct FormOptions {
  std::u16string caption = kProgramTitle;  // the window text (not drawn; the tray tip)
  int width = 0;                           // client area = window, in 96-dpi pixels
  int height = 0;
  int left = kCentred;  // screen position of the top-left corner, in 96-dpi pixels
  int top = kCentred;
  HICON icon = nullptr;  // not owned (e.g. LoadIcon of a resource)
  // The font of the child controls (text boxes, list boxes, captions of check boxes).
  std::u16string controlFont = u"Arial";
  double controlFontPoints = 9;
};

class Form;
class ClickLabel;
class Timer;

class Form : private AccessibleSource {
 public:
  explicit Form(FormOptions options);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The window; created (hidden, with its controls, then Form_Load) on first use. A window
  // destroyed from outside is not made again (that would load the form twice): Handle() is
  // null from then on and the controls keep their values.
  HWND Handle();
  // Creates the window hidden if it does not exist yet (like loading a form without showing it).
  void Load() { Handle(); }
  bool Loaded() const { return hwnd_ != nullptr; }
  void Show();
  void Hide();
  bool Visible() const;

  const std::u16string& Caption() const { return options_.caption; }
  HICON Icon() const { return options_.icon; }
  void SetIcon(HICON icon);
  int Width() const { return options_.width; }    // in 96-dpi pixels
  int Height() const { return options_.height; }

  // The mapping from the layout's 96-dpi pixels to the window's physical pixels: the scale of
  // the monitor the window is on (taken when the window is made, and again on WM_DPICHANGED).
  // Mouse positions the form reports are physical; compare them with mapped rectangles.
  const Scale& Scaling() const { return scale_; }

  // The pointer over the form's uncovered background (labels keep the up arrow).
  void SetMousePointer(MousePointer pointer) { mouse_.SetPointer(pointer); }
  MousePointer GetMousePointer() const { return mouse_.Pointer(); }
  // While the window is being moved, the pointer is `pointer` everywhere on it (labels
  // included), whatever the mouse passes over; SetMoving(false) puts the usual pointers back.
  void SetMoving(bool moving, MousePointer pointer = MousePointer::kSizeAll) {
    mouse_.SetMoving(moving, pointer);
  }

  // The keyboard: the tab order, and the click areas Escape and Alt+F4 click (see
  // KeyboardOptions). Set once, when the form is made; without it Tab is the controls' own.
  void SetKeyboard(KeyboardOptions options) { keyboard_.Set(std::move(options)); }
  // The click label that has the keyboard (the form's own window holds the focus for it while
  // the form is active), or null.
  const ClickLabel* FocusedLabel() const { return keyboard_.FocusedLabel(); }
  // A key message from the queue, before it is translated and dispatched: Tab, Shift+Tab,
  // Escape and Alt+F4 for a window of a form act on the form, Space and Enter on its focused
  // click label (true: the message is used up).
  // The program's message loops call it, as a dialog's loop calls IsDialogMessage.
  static bool TranslateKey(const MSG& msg);

  // For controls: the form's control font, and a brush of the skin picture for backgrounds
  // that should look transparent (align it with SetBrushOrgEx(dc, -left, -top)).
  HFONT ControlFont() const { return controlFont_.Get(); }
  HBRUSH SkinBrush() const { return skin_.Brush(); }
  // The skin picture as drawn by PaintSkin (null before creation).
  HDC SkinDc() const { return skin_.Dc(); }

 protected:
  // Events, raised only by the form's own uncovered background (not by controls or labels).
  virtual void Form_Load() {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

  // Draws the form's face into a memory bitmap when the window is created and when its scale
  // changes. `width` and `height` are in 96-dpi pixels, and so is all drawing: at other scales
  // the DC's world transform maps it (see SkinDrawingScale for regions, which it does not).
  virtual void PaintSkin(HDC dc, int width, int height);
  // Draws the face again and shows it: for a face that shows some of the form's state.
  void RepaintSkin();

  // After the window took a new scale (moved to a monitor with another DPI): the controls,
  // fonts, click areas, tool tips and skin are already remade; a form re-cuts its outline here.
  virtual void Form_Rescaled() {}

  // Fills the focus ring around what has the keyboard: the band between `outer` and `inner`
  // (the window's physical pixels, `inner` being what the ring surrounds), over the skin. The
  // plain look is the system's highlight colour; a skinned form draws its own.
  virtual void PaintFocusRing(HDC dc, const Rect& outer, const Rect& inner);
  // What a screen reader finds on the form, in reading order: by default its click areas that
  // have a tool tip, named by it. A form with other areas (colour squares, unnamed areas)
  // lists them all itself.
  std::vector<AccessibleItem> AccessibleItems() override;
  // The item of the click label that has the keyboard (by its place), or 0.
  long FocusedItem() override;
  // The item of click area `label`: a button, named `name`, pressed as its onClick.
  static AccessibleItem ItemOf(const ClickLabel& label, std::u16string name);
  // The item of a control drawn by the form (a colour square, a strip of text).
  static AccessibleItem ItemOf(const Control& control, std::u16string name, AccessibleRole role,
                               std::function<void()> press);

  // Messages the toolkit does not handle itself; return true when handled (with `result`).
  virtual bool HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             LRESULT& /*result*/) {
    return false;
  }

 private:
  friend class Control;
  friend class ClickLabel;
  friend class Timer;
  friend class FormMouse;
  friend class FormKeyboard;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Create();
  // Takes a new DPI: the window to `placed` (physical screen pixels) and everything on it
  // remade at the new scale.
  void ApplyScale(int dpi, const RECT& placed);
  void PaintSkinAtScale();
  void StartTimer(Timer& timer);
  void StopTimer(Timer& timer);
  bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void FocusAControl();
  void OnDestroyedFromOutside();
  void Detach();

  FormOptions options_;
  HWND hwnd_ = nullptr;
  bool creating_ = false;
  bool destroyed_ = false;  // the window was destroyed from outside: it is not made again
  HWND lastFocus_ = nullptr;  // the child that had the keyboard when the form went inactive
  Scale scale_;
  GdiFont controlFont_;
  FormSkin skin_;
  ToolTips toolTips_;
  FormMouse mouse_{*this};
  FormKeyboard keyboard_{*this};
  std::vector<Control*> controls_;
  std::vector<ClickLabel*> labels_;
  std::vector<Timer*> timers_;
  unsigned nextTimerId_ = 1;
  AccessibleClient accessible_;
};

}  // namespace qf
