#pragma once
// The forms the toolkit's tests drive, and mouse presses sent to a window: one of each control
// with its events counted, a form whose background press lets go of the mouse, and a form
// with one multi-line text box.
#include <windows.h>

#include <vector>

#include "toolkit/toolkit_win.h"

namespace qf::test {

struct MouseEvent {
  int button;
  float x;
  float y;
};

// One of each control, the events counted.
class TestForm : public qf::Form {
 public:
  TestForm()
      : Form({.caption = u"Toolkit test", .width = 300, .height = 200, .left = 20, .top = 20}) {
    Label1.onClick = [this] { ++labelClicks; };
    Label1.onDblClick = [this] { ++labelDblClicks; };
    Label1.onMouseDown = [this](int button, int, float x, float y) {
      labelDowns.push_back({button, x, y});
    };
    Label1.onMouseUp = [this](int button, int, float x, float y) {
      labelUps.push_back({button, x, y});
    };
    Text1.onChange = [this] { ++textChanges; };
    Check1.onClick = [this] { checkValuesSeen.push_back(Check1.Value()); };
    VScroll1.onChange = [this] { scrollValuesSeen.push_back(VScroll1.Value()); };
    HScroll1.onChange = [this] { ++hscrollChanges; };
    List1.onClick = [this] { listIndexesSeen.push_back(List1.ListIndex()); };
    Picture1.onClick = [this] { ++pictureClicks; };
    Picture1.onDblClick = [this] { ++pictureDblClicks; };
    Timer1.onTimer = [this] { ++ticks; };
  }

  // Events of the form itself.
  int loads = 0;
  int clicks = 0;
  int dblClicks = 0;
  std::vector<MouseEvent> downs;
  std::vector<MouseEvent> ups;
  std::vector<MouseEvent> moves;
  // Events of the controls.
  int labelClicks = 0;
  int label2Clicks = 0;
  int labelDblClicks = 0;
  std::vector<MouseEvent> labelDowns;
  std::vector<MouseEvent> labelUps;
  int textChanges = 0;
  std::vector<int> checkValuesSeen;
  std::vector<int> scrollValuesSeen;
  int hscrollChanges = 0;
  std::vector<int> listIndexesSeen;
  int pictureClicks = 0;
  int pictureDblClicks = 0;
  int ticks = 0;

  qf::TextBox Text1{
      *this,
      {10, 10, 120, 19},
      {.backColor = qf::ColorRgb(128, 255, 255), .foreColor = qf::ColorRgb(0, 0, 255)}};
  qf::TextBox Text2{*this, {10, 260, 25, 19}};  // below the client area: never seen
  qf::TextBox Text3{*this, {140, 100, 100, 60}, {.multiLine = true}};
  qf::CheckBox Check1{*this, {10, 40, 14, 13}};
  qf::CheckBox Check2{*this, {30, 40, 49, 17}, {.caption = u"Wavy", .pushLike = true}};
  qf::PictureBox Picture1{*this, {10, 60, 60, 20}};
  qf::VScrollBar VScroll1{*this, {100, 40, 9, 57}, {.max = 255}};
  qf::HScrollBar HScroll1{*this, {140, 40, 49, 9}, {.max = 255}};
  qf::ListBox List1{*this,
                    {10, 100, 100, 60},
                    {.backColor = qf::ColorRgb(0, 255, 255), .foreColor = qf::ColorRgb(0, 0, 255)}};
  qf::Timer Timer1{*this, {.interval = 1}};
  qf::ClickLabel Label1{*this, {200, 10, 30, 20}, {.toolTip = u"Send To Chat"}};
  qf::ClickLabel Label2{*this, {240, 10, 20, 20}, {.onClick = [this] { ++label2Clicks; }}};

 protected:
  void Form_Load() override { ++loads; }
  void Form_Click() override { ++clicks; }
  void Form_DblClick() override { ++dblClicks; }
  void Form_MouseDown(int button, int, float x, float y) override {
    downs.push_back({button, x, y});
  }
  void Form_MouseUp(int button, int, float x, float y) override { ups.push_back({button, x, y}); }
  void Form_MouseMove(int button, int, float x, float y) override {
    moves.push_back({button, x, y});
  }
};

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

inline void Click(HWND hwnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                  WPARAM held = MK_LBUTTON) {
  SendMessageW(hwnd, down, held, At(x, y));
  SendMessageW(hwnd, up, 0, At(x, y));
}

// A form whose background press lets go of the mouse, as FormDrag's move loop does, and whose
// minimise-like label counts the releases it is given.
class ReleaseForm : public qf::Form {
 public:
  ReleaseForm()
      : Form({.caption = u"Release", .width = 200, .height = 100, .left = 30, .top = 30}) {}
  int labelUps = 0;
  int loads = 0;
  qf::ClickLabel Label4{
      *this, {150, 10, 20, 20}, {.onMouseUp = [this](int, int, float, float) { ++labelUps; }}};
  qf::PictureBox Picture1{*this, {10, 50, 60, 20}};

 protected:
  void Form_Load() override { ++loads; }
  void Form_MouseDown(int, int, float, float) override { ReleaseCapture(); }
};

class OutputForm : public qf::Form {
 public:
  OutputForm() : Form({.caption = u"Output", .width = 300, .height = 200, .left = 20, .top = 20}) {}
  int changes = 0;
  qf::TextBox Text1{
      *this, {10, 10, 280, 180}, {.multiLine = true, .onChange = [this] { ++changes; }}};
};

}  // namespace qf::test
