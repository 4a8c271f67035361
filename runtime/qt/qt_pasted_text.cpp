#include "qt_pasted_text.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

#include "number_settings.h"

namespace mensora {

namespace {

bool around(QChar c) { return isSpaceAround(c.unicode()); }

// The text less what stands around it; the same text where nothing does.
QStringView trimmed(QStringView text)
{
    const auto begin = std::find_if_not(text.begin(), text.end(), around);
    auto end = text.end();
    while (end != begin && around(end[-1])) --end;
    return QStringView(begin, end);
}

// A paste of the text with something around it goes in here without it, in
// the selection's place, and true is returned; any other is left to the box.
bool pasteTrimmed(QLineEdit& box, const QString& text)
{
    const QStringView inside = trimmed(text);
    if (inside.size() == text.size() || box.isReadOnly()) return false;
    if (!inside.isEmpty()) box.insert(inside.toString());
    return true;
}

QClipboard& clipboard() { return *QGuiApplication::clipboard(); }

class PasteTrimmer final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto& box = static_cast<QLineEdit&>(*watched);
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->matches(QKeySequence::Paste)) return false;
            // as the box takes it: Ctrl+Shift+Insert pastes the selection where there is one
            const bool selection = key->key() == Qt::Key_Insert &&
                                   key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                                   clipboard().supportsSelection();
            return pasteTrimmed(box, clipboard().text(selection ? QClipboard::Selection : QClipboard::Clipboard));
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton || !clipboard().supportsSelection()) {
                return false;
            }
            box.deselect();  // as the box does before it pastes the selection
            return pasteTrimmed(box, clipboard().text(QClipboard::Selection));
        case QEvent::ContextMenu:
            showMenu(box, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::Drop:
            return drop(box, *static_cast<QDropEvent*>(event));
        case QEvent::InputMethod: {
            auto& input = *static_cast<QInputMethodEvent*>(event);
            const QStringView inside = trimmed(input.commitString());
            if (inside.size() != input.commitString().size()) {
                input.setCommitString(inside.toString(), input.replacementStart(), input.replacementLength());
            }
            return false;
        }
        default:
            return false;
        }
    }

private:
    // The box's own menu, its Paste (the entry that shows the paste key, in
    // any language) through pasteTrimmed.
    static void showMenu(QLineEdit& box, QPoint at)
    {
        QMenu* const menu = box.createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QString pasteKey = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* action : menu->actions()) {
            if (!action->text().endsWith(pasteKey)) continue;
            action->disconnect(&box);
            QObject::connect(action, &QAction::triggered, &box, [&box] {
                if (!pasteTrimmed(box, clipboard().text())) box.paste();
            });
        }
        menu->popup(at);
    }

    // A drop of a text with something around it goes to the box without it.
    static bool drop(QLineEdit& box, QDropEvent& event)
    {
        const QString text = event.mimeData()->text();
        const QStringView inside = trimmed(text);
        if (inside.size() == text.size()) return false;
        if (inside.isEmpty()) {
            event.ignore();
            return true;
        }
        QMimeData data;
        data.setText(inside.toString());
        QDropEvent bare(event.position(), event.possibleActions(), &data, event.buttons(), event.modifiers());
        bare.setDropAction(event.dropAction());
        QCoreApplication::sendEvent(&box, &bare);
        event.setDropAction(bare.dropAction());
        event.setAccepted(bare.isAccepted());
        return true;
    }
};

}  // namespace

bool hasLineBreakInside(QStringView text)
{
    const QStringView inside = trimmed(text);
    return std::any_of(inside.begin(), inside.end(), [](QChar c) { return isLineBreak(c.unicode()); });
}

void trimPastes(QLineEdit& box) { box.installEventFilter(new PasteTrimmer(&box)); }

}  // namespace mensora
