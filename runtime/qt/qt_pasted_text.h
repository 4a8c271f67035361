// A text pasted into a box, as the Win32 host takes it: the text past the
// white space, line breaks and invisible spaces around it, whichever way it
// comes (the paste keys, the box's menu, a middle click, a drop, an input
// method). A line break left inside it is for the box's validator to refuse:
// no box ever holds one between its characters, so a pasted "42", line
// break, "7777" is never read as 42.
#pragma once

#include <QStringView>

class QLineEdit;

namespace mensora {

// Whether a line break stands inside the text, past what stands around it.
bool hasLineBreakInside(QStringView text);

// From now on each paste into the box comes in without what stands around it.
void trimPastes(QLineEdit& box);

}  // namespace mensora
