// An edit control of the form that shows its text whole (fitted_font.h): its
// font steps down from the window's font until its text fits, never below the
// floor, and back up for a shorter text. It takes the window's font as every
// control does (WM_SETFONT, at each dpi) and hears of each change of its text,
// by the program or the user, from the EN_CHANGE its parent receives.
#pragma once

#include "fitted_font.h"
#include "win32_form_window.h"

namespace mensora {

// Fits the box's font from now on, for as long as the box lives; the
// window's font is `fullPointSize`.
void fitFontToText(HWND box, double fullPointSize, FontSteps steps);

}  // namespace mensora
