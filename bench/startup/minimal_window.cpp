// The baseline for the start-up figures: the least a Qt Widgets program has to
// do to put a window of Mensora's size on the screen. measure-startup times it
// next to mensora itself.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Window"));
    window.setFixedSize(426, 297);
    window.show();
    return QApplication::exec();
}
