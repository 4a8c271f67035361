// Starting Qt on the display the window is shown on.
#pragma once

#include <QApplication>

#include <memory>

namespace mensora {

// Starts Qt on the user's display: the one Qt chooses, or the platform the
// user named (QT_QPA_PLATFORM, -platform). In a Wayland session the window
// opens natively where Qt's Wayland support is installed, else through the
// session's X display, if any. Where there is no display to show the window
// on, returns null, having said so in one line on standard error; where
// there is one that cannot be reached, ends the program with status 1 in the
// same way, where Qt would abort.
std::unique_ptr<QApplication> startOnDisplay(int& argc, char** argv);

}  // namespace mensora
