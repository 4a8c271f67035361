// The program's entry: starts Qt with the one form and runs until the window
// closes or Exit is pressed.
#include <QApplication>

#include "window/form1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    mensora::prepareApplication(app);
    mensora::Form1 form;
    form.show();
    return QApplication::exec();
}
