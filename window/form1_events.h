// The form's handlers other than Convert (the five category options, the
// list, Reset, Exit and an edit refused as too long), connectForm1, which puts
// every handler on its event, Convert's too, and the first focus. They reach
// the window only through the runtime, and keep nothing between events.
#pragma once

#include "conversion_catalogue.h"
#include "runtime_services.h"

namespace mensora {

// Puts every handler of the form, Convert's included, on its control's Click.
void connectForm1(RuntimeServices& form);

// The window has opened: the focus starts on the Distance option, and that
// selects it, so the Distance entries are listed from the start.
void firstFocus(RuntimeServices& form);

// A category chosen: the list holds its entries, in catalogue order, with
// none selected, and both unit labels are empty. The boxes keep their texts.
void categoryChosen(RuntimeServices& form, Category category);

void optDistance_Click(RuntimeServices& form);
void optVolume_Click(RuntimeServices& form);
void optTemp_Click(RuntimeServices& form);
void optArea_Click(RuntimeServices& form);
void optWeight_Click(RuntimeServices& form);

// An entry chosen: its two units in the labels, both boxes emptied and the
// focus in the input box. With no entry selected the boxes are still emptied
// and the labels keep their text; with an empty list nothing happens.
void list1_Click(RuntimeServices& form);

// Back to the home state: Distance selected, its entries listed with none
// selected, both labels and both boxes empty.
void cmdReset_Click(RuntimeServices& form);

// An edit of either box refused as too long: the box keeps its text, and the
// user is told that only a number fits.
void textBox_EditRefused(RuntimeServices& form);

// Ends the program at once.
void cmdExit_Click(RuntimeServices& form);

}  // namespace mensora
