// An edit control of the form that shows its text whole (fitted_font.h): its
// font, of the steps' face, steps down from the window's size until its text
// fits, never below the floor, and back up for a shorter text. It is given the
// window's font as every control is (WM_SETFONT, at each dpi), and makes its
// own of it; it hears of each change of its text, by the program or the user,
// from the EN_CHANGE its parent receives. A failure is told by the form.
#pragma once

#include "fitted_font.h"
#include "win32_form_window.h"

namespace mensora {

// Fits the box's font from now on, for as long as the box lives; the
// window's font is `fullPointSize`.
void fitFontToText(HWND box, Win32FormWindow& form, double fullPointSize, FontSteps steps);

}  // namespace mensora
