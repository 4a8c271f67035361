// The limit for mensora.exe's start-up on Windows: Mensora's window built by
// the host's form window alone, its sixteen native controls at their places
// for the monitor's dpi, in the form's font, with its message loop and
// nothing else: no handlers, no rules for the boxes, no tooltips, no
// screen readers' names, no number settings. Linked as mensora.exe is, with
// its resources (icon, manifest, version record).
#include "form1_layout_win32.h"
#include "win32_form_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    mensora::Win32FormWindow form(mensora::form1Description, instance);
    form.show(show);
    return form.run();
}
