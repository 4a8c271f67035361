// The program's entry on Windows: builds the one form from its description
// out of the platform's own controls, puts the handlers on its controls'
// events and runs until the window closes or Exit is pressed.
#include "form1_events.h"
#include "form1_layout_win32.h"
#include "win32_runtime_services.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    mensora::Win32RuntimeServices runtime(mensora::form1Description, instance);
    mensora::connectForm1(runtime);
    mensora::firstFocus(runtime);
    runtime.show(showCommand);
    return runtime.run();
}
