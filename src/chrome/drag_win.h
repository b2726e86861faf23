#pragma once
// Moving a borderless window by its background.
#include <windows.h>

namespace qf {

class Form;

// Lets the user move `window` with the mouse (the system's move loop, as if its title bar
// had been pressed) while the left button is down, then slides it onto the screen and
// against near edges (SnapToScreen). Called from a form's background MouseDown, Click and
// DblClick handlers: a click without movement, or a press of another button, still snaps.
void FormDrag(HWND window);

// The same for a form of the toolkit: the form shows the move pointer everywhere on it for
// as long as the move and the slide last (its own pointer handling would otherwise put the
// arrow back at the first mouse move), and its usual pointers afterwards.
//   void Form_MouseDown(int, int, float, float) override { FormDrag(*this); }
void FormDrag(Form& form);

// Slides `window` back onto the screen and against every edge nearer than 400 twips,
// letting window messages run on every 10-twip move.
void SnapToScreen(HWND window);

}  // namespace qf
