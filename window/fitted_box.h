// A box of the window that shows its text whole (fitted_font.h): from now on
// its font, of the steps' face, steps down from the size of the one it
// inherits until its text fits, never below the floor, and back up for a
// shorter text.
#pragma once

#include "fitted_font.h"

class QLineEdit;

namespace mensora {

void fitFontToText(QLineEdit& box, FontSteps steps);

}  // namespace mensora
