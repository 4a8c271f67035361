#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QtTest>

#include "form1_table.h"
#include "window_fixture.h"

using namespace mensora;
using namespace mensora::testing;

namespace {

QString accessibleText(QWidget* w, QAccessible::Text which)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(which) : QStringLiteral("<no interface>");
}

// Presses a button, or toggles an option, the way a screen reader does.
bool press(QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a == nullptr || a->actionInterface() == nullptr) return false;
    const QStringList actions = a->actionInterface()->actionNames();
    for (const QString& action : {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()}) {
        if (actions.contains(action)) {
            a->actionInterface()->doAction(action);
            return true;
        }
    }
    return false;
}

}  // namespace

class Form1AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(*qApp); }
    void init() { failOnQtWarnings(); }

    void namesAndDescriptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        // a control with a caption is named by it
        for (const ControlRow& c : form1Controls) {
            QTest::newRow(c.name) << toQString(c.caption.empty() ? c.accessibleName : c.caption)
                                  << toQString(c.tooltip);
        }
    }

    void namesAndDescriptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, description);
        ShownForm f;
        QWidget* w = f.form->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(w != nullptr);
        QCOMPARE(accessibleText(w, QAccessible::Name), name);
        QCOMPARE(accessibleText(w, QAccessible::Description), description);
    }

    void theLabelsAreTheBuddiesOfTheirBoxes()
    {
        ShownForm f;
        QCOMPARE(f.c().lblInput->buddy(), f.c().txtInput);
        QCOMPARE(f.c().lblOutput->buddy(), f.c().txtOutput);
    }

    void theTypicalRoadThroughTheAccessibleInterfaces()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QVERIFY(press(f.option(Category::Temperature)));
        QVERIFY(f.option(Category::Temperature)->isChecked());

        // the list's entries are read out by their captions
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.c().list1);
        QVERIFY(list != nullptr);
        QStringList read;
        for (int i = 0; i < list->childCount(); ++i) read << list->child(i)->text(QAccessible::Name);
        QCOMPARE(read, captionsOf(Category::Temperature));

        f.clickRow(4);
        QCOMPARE(accessibleText(f.c().txtInput, QAccessible::Name), QStringLiteral("Kelvin"));
        QCOMPARE(accessibleText(f.c().txtOutput, QAccessible::Name), QStringLiteral("Fahrenheit"));
        QCOMPARE(accessibleText(f.c().lblInput, QAccessible::Name), QStringLiteral("Kelvin"));

        QAccessibleInterface* input = QAccessible::queryAccessibleInterface(f.c().txtInput);
        QVERIFY(input && input->editableTextInterface());
        input->editableTextInterface()->insertText(0, QStringLiteral("300"));
        QVERIFY(press(f.c().cmdConvert));
        // a screen reader's press is an animated click, finished a moment later
        QTRY_COMPARE(accessibleText(f.c().txtOutput, QAccessible::Value), QStringLiteral("80.33"));

        // Reset names the boxes by their roles again
        QVERIFY(press(f.c().cmdReset));
        QTRY_COMPARE(accessibleText(f.c().txtInput, QAccessible::Name), QStringLiteral("Input value"));
        QCOMPARE(accessibleText(f.c().lblOutput, QAccessible::Name), QStringLiteral("Output unit"));
    }
};

QTEST_MAIN(Form1AccessibilityTest)
#include "form1_accessibility_test.moc"
