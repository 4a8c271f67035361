// The program's entry: starts Qt with the one form, puts the handlers on its
// controls' events and runs until the window closes or Exit is pressed.
#include <QApplication>

#include "form1.h"
#include "form1_events.h"
#include "qt_display.h"
#include "qt_runtime_services.h"

int main(int argc, char* argv[])
{
    const std::unique_ptr<QApplication> app = mensora::startOnDisplay(argc, argv);
    if (app == nullptr) return 1;
    mensora::prepareApplication(*app);
    mensora::Form1 form;
    mensora::QtRuntimeServices runtime(form);
    mensora::connectForm1(runtime);
    mensora::firstFocus(runtime);
    form.show();
    return QApplication::exec();
}
