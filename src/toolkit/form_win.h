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
// skin bitmap, its tool tips and its timers are created together on first use (Handle(),
// Load(), Show(), or Handle() of one of its controls), which then runs Form_Load() once.
// After that the window is only hidden and shown; everything it holds survives hiding.
// Control properties set before creation are kept and applied when the window is created.
// Messages that a child control sends its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_CTLCOLOR*, scroll messages) are handed back to that control (Control::OnReflected), so a
// new kind of control never touches the form's window procedure.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/rect.h"
#include "toolkit/gdi_win.h"
#include "toolkit/press_router.h"
#include "toolkit/program_title.h"

namespace qf {

// A colour value 0x00BBGGRR from its channels, 0..255 each.
constexpr int32_t ColorRgb(int red, int green, int blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// Mouse buttons and shift keys as the mouse events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// (button, shift, x, y): x and y in pixels from the top-left corner of the control or form.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

enum class MousePointer { kDefault, kSizeAll, kUpArrow };

// Position for a form that should open in the middle of the screen.
inline constexpr int kCentred = INT_MIN;

struct FormOptions {
  std::u16string caption = kProgramTitle;  // the window text (not drawn; the tray tip)
  int width = 0;                           // client area = window, in pixels
  int height = 0;
  int left = kCentred;  // screen position of the top-left corner, in pixels
  int top = kCentred;
  HICON icon = nullptr;  // not owned (e.g. LoadIcon of a resource)
  // The font of the child controls (text boxes, list boxes, captions of check boxes).
  std::u16string controlFont = u"Arial";
  double controlFontPoints = 9;
};

class Form;
class ClickLabel;
class Timer;

// Base of the controls that are child windows (text box, check box, picture box, scroll bar,
// list box). Registered with its form at construction; the window comes with the form's, so
// a control must be declared before its form's window exists (a wiring check says so).
// Controls (and timers and labels) are members of their form and live exactly as long as it:
// the first of them to be destroyed cuts the form's window off from its handlers.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The control's window; creates the form (hidden) if it does not exist yet.
  HWND Handle();
  bool Created() const { return hwnd_ != nullptr; }
  Form& Parent() const { return form_; }
  const Rect& Bounds() const { return bounds_; }

 protected:
  Control(Form& form, Rect bounds);
  virtual ~Control();

  // Creates the child window under `parent` and applies the stored properties.
  virtual void Create(HWND parent) = 0;
  // A message this control sent its form (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*,
  // WM_HSCROLL, WM_VSCROLL), handed back to it. Return true when handled, with `result`.
  virtual bool OnReflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           LRESULT& /*result*/) {
    return false;
  }

  // CreateWindowEx of a child at Bounds(), with the form's control font; null on failure.
  HWND CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text,
                   void* param = nullptr);

  Form& form_;
  Rect bounds_;
  HWND hwnd_ = nullptr;

 private:
  friend class Form;
};

class Form {
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
  void SetCaption(std::u16string caption);
  HICON Icon() const { return options_.icon; }
  void SetIcon(HICON icon);
  int Width() const { return options_.width; }
  int Height() const { return options_.height; }

  // The pointer over the form's uncovered background (labels keep the up arrow).
  void SetMousePointer(MousePointer pointer);
  MousePointer GetMousePointer() const { return pointer_; }
  // While the window is being moved, the pointer is `pointer` everywhere on it (labels
  // included), whatever the mouse passes over; SetMoving(false) puts the usual pointers back.
  void SetMoving(bool moving, MousePointer pointer = MousePointer::kSizeAll);

  // For controls: the form's control font, and a brush of the skin picture for backgrounds
  // that should look transparent (align it with SetBrushOrgEx(dc, -left, -top)).
  HFONT ControlFont() const { return controlFont_.Get(); }
  HBRUSH SkinBrush() const { return skinBrush_.Get(); }
  // The skin picture as drawn by PaintSkin (null before creation).
  HDC SkinDc() const { return skinDc_.Get(); }

 protected:
  // Events, raised only by the form's own uncovered background (not by controls or labels).
  virtual void Form_Load() {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  // x is the low word of the message's lParam unchanged, so a tray icon whose callback
  // message is WM_MOUSEMOVE reports its mouse message number (515, 516) as x.
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

  // Draws the form's face into a memory bitmap, once, when the window is created.
  virtual void PaintSkin(HDC dc, int width, int height);

  // Messages the toolkit does not handle itself; return true when handled (with `result`).
  virtual bool HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             LRESULT& /*result*/) {
    return false;
  }

 private:
  friend class Control;
  friend class ClickLabel;
  friend class Timer;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Create();
  void CreateSkin();
  void AddToolTip(ClickLabel& label);
  void UpdateToolTip(ClickLabel& label);
  void StartTimer(Timer& timer);
  void StopTimer(Timer& timer);
  Control* FindControl(HWND child) const;
  ClickLabel* LabelAt(int x, int y) const;
  void OnButtonDown(int button, LPARAM lParam, bool doubleClick);
  void OnButtonUp(int button, WPARAM wParam, LPARAM lParam);
  void Raise(const RoutedMouseEvents& routed, int x, int y);
  void OnMouseMove(WPARAM wParam, LPARAM lParam);
  void UpdateCursor();
  bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnDestroyedFromOutside();
  void ReleaseSkin();
  void Detach();

  FormOptions options_;
  HWND hwnd_ = nullptr;
  bool creating_ = false;
  bool destroyed_ = false;  // the window was destroyed from outside: it is not made again
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;  // the child that had the keyboard when the form went inactive
  GdiFont controlFont_;
  GdiBitmap skinBitmap_;
  MemoryDc skinDc_;
  HGDIOBJ skinDcOldBitmap_ = nullptr;
  GdiBrush skinBrush_;
  MousePointer pointer_ = MousePointer::kDefault;
  bool moving_ = false;
  MousePointer movingPointer_ = MousePointer::kSizeAll;
  std::vector<Control*> controls_;
  std::vector<ClickLabel*> labels_;
  std::vector<Timer*> timers_;
  unsigned nextTimerId_ = 1;

  // Which target (the background or a label) the buttons held since the first press belong to.
  PressRouter press_;
};

}  // namespace qf
