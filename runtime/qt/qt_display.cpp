#include "qt_display.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mensora {

namespace {

void tellNoDisplay(const char* why) { std::fprintf(stderr, "mensora: no display to show the window on: %s\n", why); }

// Whether the user named one of Qt's platforms, which then stands.
bool platformNamed(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    }
    return false;
}

// Whether Qt's Wayland platform is installed (Debian's qt6-wayland).
bool waylandSupportInstalled()
{
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                             QStringLiteral("/platforms/libqwayland-generic.so"));
}

// Why the displays that the environment names cannot be reached, if Qt
// starts on none of them; empty where the user named the platform.
QByteArray unreachable;
QtMessageHandler beforeStart = nullptr;

// Qt ends with a fatal message, and aborts, when it can start none of its
// platforms; its message blames the installation. Said in one line instead,
// where the display came from the environment, and Qt's own list of its
// platforms where the user named one; either way with status 1.
void noDisplayReached(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && !unreachable.isEmpty()) tellNoDisplay(unreachable.constData());
    else if (beforeStart != nullptr) beforeStart(type == QtFatalMsg ? QtCriticalMsg : type, context, message);
    if (type == QtFatalMsg) std::_Exit(1);
}

std::unique_ptr<QApplication> startQt(int& argc, char** argv)
{
    beforeStart = qInstallMessageHandler(noDisplayReached);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(beforeStart);
    return app;
}

}  // namespace

std::unique_ptr<QApplication> startOnDisplay(int& argc, char** argv)
{
    if (platformNamed(argc, argv)) return startQt(argc, argv);
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray x = qgetenv("DISPLAY");
    if (wayland.isEmpty() && x.isEmpty()) {
        tellNoDisplay("neither WAYLAND_DISPLAY nor DISPLAY is set (start Mensora from a desktop session)");
        return nullptr;
    }
    const bool native = !wayland.isEmpty() && waylandSupportInstalled();
    if (!wayland.isEmpty() && !native) {
        if (x.isEmpty()) {
            tellNoDisplay("this Wayland session has no X display, and Qt's Wayland support is not installed "
                          "(the package qt6-wayland)");
            return nullptr;
        }
        // Straight to the session's X display, without Qt's warning on every
        // start that it has no Wayland support.
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const QByteArray onWayland = "the Wayland display \"" + wayland + '"';
    const QByteArray onX = "the X display \"" + x + '"';
    unreachable = !native      ? onX + " cannot be reached"
                  : x.isEmpty() ? onWayland + " cannot be reached"
                                : "neither " + onWayland + " nor " + onX + " can be reached";
    return startQt(argc, argv);
}

}  // namespace mensora
