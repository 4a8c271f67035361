// The second reference for the start-up figures: a window of Mensora's size
// that draws no text at all. Without text Qt never starts its font system
// (no fontconfig, no font opened), so this is less than any window with a
// caption can do; measure-startup shows it beside the one-label window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Textless Window"));
    window.setFixedSize(426, 297);
    window.show();
    return QApplication::exec();
}
