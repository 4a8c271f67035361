#include "form1.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include "ui_form1_layout.h"

namespace mensora {

namespace {

// Every size of the icon compiled in (window/CMakeLists.txt), by name: a
// listing of the resource folder would bring in the regular expressions just
// to match the names. They are read as the PNGs they are: letting Qt guess
// the format would load every image plugin on the system first.
QIcon applicationIcon()
{
    QIcon icon;
    for (const char* name : {":/icons/mensora-16.png", ":/icons/mensora-32.png", ":/icons/mensora-48.png",
                             ":/icons/mensora-64.png"}) {
        QImageReader reader(QString::fromLatin1(name), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Mensora"));
    QApplication::setApplicationVersion(QStringLiteral(MENSORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mensora.Mensora"));
    // Linux rarely has the window's font; Comic Neue is drawn to stand in for it.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    // Every control draws in it, the frames and boxes too, so one face is all
    // the window opens. Set before any widget is built, it is every widget's
    // own font from the start.
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    app.setWindowIcon(applicationIcon());
}

Form1::Form1(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::Form1>())
{
    ui_->setupUi(this);
    // A fixed window: it can be minimised and closed, not resized or maximised.
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

Form1::~Form1() = default;

}  // namespace mensora
