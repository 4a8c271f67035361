// A shown Form1 on the offscreen platform, with its message boxes caught
// instead of shown, and small helpers that act as the user would.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

#include "window/form1.h"

namespace mensora::testing {

struct CaughtBox {
    QtRuntimeServices::BoxKind kind;
    QString text;
};

class ShownForm {
public:
    ShownForm() : form(std::make_unique<Form1>())
    {
        form->runtime().setBoxSink([this](QtRuntimeServices::BoxKind kind, const QString& text) {
            boxes.push_back({kind, text});
        });
        form->show();
        form->activateWindow();
        ready = QTest::qWaitForWindowActive(form.get());
    }

    const FormControls& c() const { return form->controls(); }
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
        const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 256; });
        if (text.isEmpty()) {
            QTest::keyClick(c().txtInput, Qt::Key_Delete);
        } else if (latin1) {
            QTest::keyClicks(c().txtInput, text);
        } else {
            c().txtInput->insert(text);  // as pasted: key clicks carry Latin-1 only
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
