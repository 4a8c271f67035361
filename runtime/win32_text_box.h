// A text box of the form as the user edits it: its line of text centred in
// the box, and the length rule. An edit that would make the text longer than
// maxBoxLength is refused whole before it goes in, whichever way it comes:
// typed (a character beyond the BMP as one edit), from an input method,
// pasted by any key or menu, or sent by a program (EM_REPLACESEL,
// WM_SETTEXT); the box keeps its text and its own undo. The box pastes the
// clipboard's whole text, passed over the white space and line breaks around
// it; a line break left inside is no number, and the paste is refused.
//
// A refused edit is told to the box's parent once, as the edit control tells
// an edit that does not fit: WM_COMMAND with EN_MAXTEXT, posted, so that it
// comes once the box has finished with the edit.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace mensora {

// Takes over an edit control of the form for as long as it lives.
void makeFormTextBox(HWND box);

}  // namespace mensora
