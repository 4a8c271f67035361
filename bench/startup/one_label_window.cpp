// The baseline for the start-up figures: a window of Mensora's size showing
// one label in the default font. It is the least a Qt Widgets window with
// any text has to do: start the font system, open one face and draw it.
// measure-startup times Mensora against it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("One Label Window"));
    window.setFixedSize(426, 297);
    QLabel label(QStringLiteral("Convertion Type:"), &window);
    label.move(16, 8);
    window.show();
    return QApplication::exec();
}
