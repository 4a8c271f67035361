// What the user lives through when a long text is pasted into the input box:
// the time from a Ctrl+V with the text on the clipboard until the window has
// handled the next key and drawn it, and the resident memory afterwards.
//
//   mensora_paste_bench [--runs N] [BYTES...]
//
// BYTES are sizes of the pasted text in UTF-16 bytes (default 1 KiB, 64 KiB,
// 1 MiB and 10 MiB); the text is digits, a number as far as it goes. For each
// size, N runs (default 5) in the shown window, its input box empty:
//   paste      Ctrl+V, then the key "5", both posted as the keyboard posts them;
//              measured until both are handled, every event they caused has run
//              (a refusal's message included) and the window is drawn again
//   next key   one more key "6" a second later (the cursor blinking
//              meanwhile), measured the same way
// The message box is caught, as in the tests, so that no modal box waits for
// a person; the figures leave out showing and dismissing it.
//
// Run it on the offscreen platform or, closer to a desktop, on a real X
// server: Xvfb :57 & DISPLAY=:57 QT_QPA_PLATFORM=xcb mensora_paste_bench

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "form1.h"
#include "form1_events.h"
#include "qt_runtime_services.h"

namespace {

// Resident memory of this process in KiB, as the kernel counts it.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// Posted behind the keys: when it arrives, the keys have been handled. It
// posts itself once more so that whatever the keys posted in turn (the
// refusal's message among them) runs first, then draws the window and stops.
class Marker : public QObject {
public:
    explicit Marker(QWidget& window) : window_(window) {}

    double waitMs()
    {
        QElapsedTimer timer;
        timer.start();
        done_ = false;
        round_ = 0;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        while (!done_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (++round_ < 2) {
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        } else {
            window_.repaint();
            done_ = true;
        }
        return true;
    }

private:
    QWidget& window_;
    bool done_ = false;
    int round_ = 0;
};

void postKey(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, modifiers, text));
}

// Runs the event loop for a while, as a window does between two keys.
void idleFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, ms);
}

QString digits(qsizetype units)
{
    QString text(units, Qt::Uninitialized);
    for (qsizetype k = 0; k < units; ++k) text[k] = QChar(static_cast<char16_t>(u'1' + k % 9));
    return text;
}

QString sizeName(long bytes)
{
    if (bytes % (1 << 20) == 0) return QStringLiteral("%1 MiB").arg(bytes >> 20);
    if (bytes % (1 << 10) == 0) return QStringLiteral("%1 KiB").arg(bytes >> 10);
    return QStringLiteral("%1 B").arg(bytes);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    mensora::prepareApplication(app);

    int runs = 5;
    std::vector<long> sizes;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--runs") && i + 1 < args.size()) runs = std::max(1, args[++i].toInt());
        else sizes.push_back(args[i].toLong());
    }
    if (sizes.empty()) sizes = {1L << 10, 64L << 10, 1L << 20, 10L << 20};

    mensora::Form1 form;
    mensora::QtRuntimeServices runtime(form);
    mensora::connectForm1(runtime);
    mensora::firstFocus(runtime);
    int messages = 0;
    runtime.setBoxSink([&messages](mensora::QtRuntimeServices::BoxKind, const QString&) { ++messages; });
    form.show();
    form.activateWindow();
    auto* const list = form.findChild<QListWidget*>(QStringLiteral("list1"));
    auto* const input = form.findChild<QLineEdit*>(QStringLiteral("txtInput"));
    list->setCurrentRow(1);  // Inches to Centimeters
    input->setFocus();
    Marker marker(form);
    idleFor(500);
    const long idle = residentKiB();

    std::printf("platform %s, %d runs each, milliseconds (median / slowest)\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-8s %8s %17s %17s %10s %9s\n", "pasted", "chars", "paste", "next key", "box holds", "messages");
    for (const long bytes : sizes) {
        const QString text = digits(bytes / 2);
        std::vector<double> paste, next;
        qsizetype kept = 0;
        const int messagesBefore = messages;
        for (int run = 0; run < runs; ++run) {
            runtime.setText(mensora::TextBox::txtInput, u"");
            QGuiApplication::clipboard()->setText(text);
            marker.waitMs();
            postKey(input, Qt::Key_V, Qt::ControlModifier, QString());
            postKey(input, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
            paste.push_back(marker.waitMs());
            idleFor(1000);  // the cursor blinks on meanwhile, as it does for the user
            postKey(input, Qt::Key_6, Qt::NoModifier, QStringLiteral("6"));
            next.push_back(marker.waitMs());
            kept = input->text().size();
        }
        std::printf("%-8s %8lld %8.1f / %6.1f %8.1f / %6.1f %10lld %9d\n", qPrintable(sizeName(bytes)),
                    static_cast<long long>(text.size()), median(paste), *std::max_element(paste.begin(), paste.end()),
                    median(next), *std::max_element(next.begin(), next.end()), static_cast<long long>(kept),
                    messages - messagesBefore);
        std::fflush(stdout);
    }
    const long afterPaste = residentKiB();
    runtime.setText(mensora::TextBox::txtInput, u"");
    QGuiApplication::clipboard()->clear();
    marker.waitMs();
    std::printf("resident memory: idle %.1f MiB, after the pastes %.1f MiB (the clipboard holding the last text), "
                "clipboard cleared %.1f MiB\n",
                static_cast<double>(idle) / 1024, static_cast<double>(afterPaste) / 1024,
                static_cast<double>(residentKiB()) / 1024);
    return 0;
}
