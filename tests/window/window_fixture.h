// A shown Form1 on the offscreen platform, with its message boxes caught
// instead of shown, and small helpers that act as the user would.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "form1.h"
#include "form1_events.h"
#include "qt_runtime_services.h"

namespace mensora::testing {

// For the test function about to run: a warning from a Qt class
// ("QObject::connect: ...") is a fault, such as an event not connected or a
// control misused.
inline void failOnQtWarnings() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^Q[A-Za-z]+::"))); }

// The controls of a form, found by their names as the runtime finds them.
struct Controls {
    explicit Controls(QWidget& form)
        : options{find<QRadioButton>(form, "optDistance"), find<QRadioButton>(form, "optVolume"),
                  find<QRadioButton>(form, "optTemp"), find<QRadioButton>(form, "optArea"),
                  find<QRadioButton>(form, "optWeight")},
          list1(find<QListWidget>(form, "list1")),
          lblInput(find<QLabel>(form, "lblInput")),
          lblOutput(find<QLabel>(form, "lblOutput")),
          txtInput(find<QLineEdit>(form, "txtInput")),
          txtOutput(find<QLineEdit>(form, "txtOutput")),
          cmdConvert(find<QPushButton>(form, "cmdConvert")),
          cmdExit(find<QPushButton>(form, "cmdExit")),
          cmdReset(find<QPushButton>(form, "cmdReset"))
    {
    }

    template <class T>
    static T* find(QWidget& form, const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

    std::array<QRadioButton*, 5> options;
    QListWidget* list1;
    QLabel* lblInput;
    QLabel* lblOutput;
    QLineEdit* txtInput;
    QLineEdit* txtOutput;
    QPushButton* cmdConvert;
    QPushButton* cmdExit;
    QPushButton* cmdReset;
};

struct CaughtBox {
    QtRuntimeServices::BoxKind kind;
    QString text;
};

class ShownForm {
public:
    // Started as the program starts it.
    ShownForm() : form(std::make_unique<Form1>()), runtime(*form), controls(*form)
    {
        connectForm1(runtime);
        firstFocus(runtime);
        runtime.setBoxSink([this](QtRuntimeServices::BoxKind kind, const QString& text) {
            boxes.push_back({kind, text});
        });
        form->show();
        form->activateWindow();
        ready = QTest::qWaitForWindowActive(form.get());
    }

    const Controls& c() const { return controls; }
    QRadioButton* option(Category category) const { return c().options[static_cast<std::size_t>(category)]; }

    void clickOption(Category category) const { QTest::mouseClick(option(category), Qt::LeftButton); }

    void clickRow(int row) const
    {
        QListWidget* list = c().list1;
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void typeInput(const QString& text) const
    {
        c().txtInput->setFocus();
        c().txtInput->selectAll();
        const bool typeable =
            std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 256 && ch.isPrint(); });
        if (text.isEmpty()) {
            QTest::keyClick(c().txtInput, Qt::Key_Delete);
        } else if (typeable) {
            QTest::keyClicks(c().txtInput, text);
        } else {
            c().txtInput->insert(text);  // as pasted: key clicks carry printable Latin-1 only
        }
    }

    void click(QPushButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }

    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < c().list1->count(); ++i) items << c().list1->item(i)->text();
        return items;
    }

    int selectedRow() const
    {
        const auto selected = c().list1->selectedItems();
        return selected.isEmpty() ? -1 : c().list1->row(selected.front());
    }

    std::unique_ptr<Form1> form;
    QtRuntimeServices runtime;
    Controls controls;
    std::vector<CaughtBox> boxes;
    bool ready = false;
};

inline QStringList captionsOf(Category category)
{
    QStringList captions;
    for (const Entry& e : entriesOf(category)) captions << toQString(e.caption);
    return captions;
}

}  // namespace mensora::testing
