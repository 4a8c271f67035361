// A text box of the form as the user edits it: its line of text centred, and
// the length rule. An edit that would make the text longer than maxBoxLength
// is refused whole before it goes in, whichever way it comes: typed (a
// character beyond the BMP as one edit, a control character as any other),
// from an input method, pasted by any key or menu, or sent by a program
// (EM_REPLACESEL, WM_SETTEXT, WM_UNICHAR); the box keeps its text and its
// undo. A paste is the clipboard's whole text, past the white space and line
// breaks around it; a line break inside it is refused, and so is half of a
// character beyond the BMP. No box holds half a character: where the edit
// control would split one, the caret steps over it and an edit takes it whole.
// A refused edit is told to the box's parent once, posted as the edit control
// tells an edit that does not fit: WM_COMMAND with EN_MAXTEXT.
#pragma once

#include "win32_form_window.h"

namespace mensora {

// Takes over an edit control of the form for as long as it lives. What its
// own work throws (a paste, Ctrl+Backspace, when memory runs out) the form
// tells through reportFailure.
void makeFormTextBox(HWND box, Win32FormWindow& form);

}  // namespace mensora
