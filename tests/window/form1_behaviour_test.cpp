#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <new>
#include <random>
#include <stdexcept>

#include "../catalogue_table.h"
#include "convert_command.h"
#include "form1_font.h"
#include "window_fixture.h"

using namespace mensora;
using namespace mensora::testing;

Q_DECLARE_METATYPE(mensora::Category)
Q_DECLARE_METATYPE(mensora::TextBox)

namespace {

// The ways a text reaches a box other than typing.
enum class Paste { CtrlV, ShiftInsert, ContextMenu, MiddleClick, Drop, InputMethod };

void paste(QLineEdit* box, Paste how, const QString& text)
{
    box->setFocus();
    switch (how) {
    case Paste::CtrlV:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    case Paste::ShiftInsert:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Paste::ContextMenu: {  // the box's menu, as a right click opens it
        QGuiApplication::clipboard()->setText(text);
        QContextMenuEvent click(QContextMenuEvent::Mouse, box->rect().center(), box->mapToGlobal(QPoint()));
        QCoreApplication::sendEvent(box, &click);
        auto* const menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) action->trigger();
        }
        menu->close();
        break;
    }
    case Paste::MiddleClick:
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
        QTest::mouseClick(box, Qt::MiddleButton);
        break;
    case Paste::Drop: {
        QMimeData data;
        data.setText(text);
        const QPointF at = box->rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &drop);
        break;
    }
    case Paste::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(box, &commit);
        break;
    }
    }
}

}  // namespace

Q_DECLARE_METATYPE(Paste)

// Clicks that choose no new entry.
enum class ChoiceKept { OptionAgain, EmptySpace, CtrlOnChosen, CtrlSpace };
Q_DECLARE_METATYPE(ChoiceKept)

namespace {

QString categoryName(Category c)
{
    static const char* const names[] = {"Distance", "Volume", "Temperature", "Area", "Weight"};
    return QString::fromLatin1(names[static_cast<int>(c)]);
}

}  // namespace

class Form1BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(*qApp); }
    void init() { failOnQtWarnings(); }

    void typicalRoadEndToEnd()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(Category::Temperature);
        QCOMPARE(f.listed(), captionsOf(Category::Temperature));
        f.clickRow(4);
        QCOMPARE(f.c().lblInput->text(), QStringLiteral("Kelvin"));
        QCOMPARE(f.c().lblOutput->text(), QStringLiteral("Fahrenheit"));
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
        QTest::keyClicks(f.c().txtInput, QStringLiteral("300"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("80.33"));

        // Exit ends the event loop at once, a result still showing
        QTimer::singleShot(0, [&] { f.click(f.c().cmdExit); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // only if Exit failed
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!f.form->isVisible());
    }

    void typicalRoadByKeyboardAlone()
    {
        ShownForm f;
        QVERIFY(f.ready);
        // Distance has the focus; the arrow keys move through the options
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(f.option(Category::Temperature)->isChecked());
        QCOMPARE(f.listed(), captionsOf(Category::Temperature));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.c().list1);
        QCOMPARE(f.selectedRow(), -1);  // tabbing in chooses nothing
        // every entry chosen sends the focus on to the input box
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QCOMPARE(f.selectedRow(), 5);
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), f.c().list1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(f.selectedRow(), 4);
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
        QTest::keyClicks(f.c().txtInput, QStringLiteral("300"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.c().cmdConvert);
        QTest::keyClick(f.c().cmdConvert, Qt::Key_Space);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("80.33"));
    }

    void everyCategoryListsItsEntries_data()
    {
        QTest::addColumn<Category>("category");
        for (const Category c : allCategories) QTest::newRow(qPrintable(categoryName(c))) << c;
    }

    void everyCategoryListsItsEntries()
    {
        QFETCH(Category, category);
        ShownForm f;
        QVERIFY(f.ready);
        // from another category, with an entry chosen
        f.clickOption(category == Category::Volume ? Category::Area : Category::Volume);
        f.clickRow(0);
        QVERIFY(!f.c().lblInput->text().isEmpty());
        QSignalSpy added(f.c().list1->model(), &QAbstractItemModel::rowsInserted);
        f.clickOption(category);
        QCOMPARE(added.count(), static_cast<int>(entriesOf(category).size()));
        QVERIFY(f.option(category)->isChecked());
        for (const Category other : allCategories) {
            if (other != category) QVERIFY(!f.option(other)->isChecked());
        }
        QCOMPARE(f.listed(), captionsOf(category));
        QCOMPARE(f.selectedRow(), -1);
        QVERIFY(f.c().lblInput->text().isEmpty());
        QVERIFY(f.c().lblOutput->text().isEmpty());
    }

    void everyEntryShowsItsUnits_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        // each caption is its source unit, " to ", its target unit
        for (const auto& [category, captions] : listedCaptions) {
            for (int row = 0; row < static_cast<int>(captions.size()); ++row) {
                const std::u16string_view caption = captions[static_cast<std::size_t>(row)];
                const std::size_t to = caption.find(u" to ");
                QTest::addRow("%s %d", qPrintable(categoryName(category)), row)
                    << category << row << toQString(caption.substr(0, to)) << toQString(caption.substr(to + 4));
            }
        }
    }

    void everyEntryShowsItsUnits()
    {
        QFETCH(Category, category);
        QFETCH(int, row);
        QFETCH(QString, source);
        QFETCH(QString, target);
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(category);
        f.c().txtInput->setText(QStringLiteral("12"));
        f.c().txtOutput->setText(QStringLiteral("34"));
        f.clickRow(row);
        QCOMPARE(f.selectedRow(), row);
        QCOMPARE(f.c().lblInput->text(), source);
        QCOMPARE(f.c().lblOutput->text(), target);
        QVERIFY(f.c().txtInput->text().isEmpty());
        QVERIFY(f.c().txtOutput->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
        // and screen readers name the boxes by those units
        QCOMPARE(f.c().txtInput->accessibleName(), source);
        QCOMPARE(f.c().txtOutput->accessibleName(), target);
    }

    void longResultsShowWhole_data()
    {
        QTest::addColumn<Category>("category");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("locale");
        // results near the longest there are, with a sign and an exponent: in
        // the window's 8.25 pt font most shorter ones fit the box whole
        QTest::newRow("Meters to Feet") << Category::Distance << 3 << QStringLiteral("-1E+200")
                                        << QStringLiteral("-3.28083989501312E+200") << "en_US";
        QTest::newRow("a minus sign") << Category::Weight << 0 << QStringLiteral("-0.0001")
                                      << QStringLiteral("-4.52488687782805E-05") << "en_US";
        QTest::newRow("the smallest exponent") << Category::Distance << 3 << QStringLiteral("-1E-308")
                                               << QStringLiteral("-3.28083989501312E-308") << "en_US";
        QTest::newRow("zeros, the widest digit of the window's face")
            << Category::Distance << 2 << QStringLiteral("-3.28083989501316E+300")
            << QStringLiteral("-1.00000000000001E+300") << "en_US";
        QTest::newRow("a decimal comma") << Category::Distance << 3 << QStringLiteral("-1E-308")
                                         << QStringLiteral("-3,28083989501312E-308") << "de_DE";
        QTest::newRow("Arabic-Indic digits")
            << Category::Distance << 3 << QStringLiteral("-1E-308")
            << QStringLiteral("-\u0663\u066B\u0662\u0668\u0660\u0668\u0663\u0669\u0668\u0669\u0665\u0660"
                              "\u0661\u0663\u0661\u0662E-\u0663\u0660\u0668")
            << "ar_EG";
    }

    // Shown whole, at every scale (tests/window/CMakeLists.txt runs this at
    // each): the box's font steps down until the result fits, and the result
    // reads from its first character to its last.
    void longResultsShowWhole()
    {
        QFETCH(Category, category);
        QFETCH(int, row);
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, locale);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(category);
        f.clickRow(row);
        QTest::keyClicks(f.c().txtInput, input);
        f.click(f.c().cmdConvert);
        QLocale::setDefault(before);
        QLineEdit* const box = f.c().txtOutput;
        QCOMPARE(box->text(), result);
        // it is long: too long for the box in the window's font
        QVERIFY(QFontMetrics(f.form->font()).horizontalAdvance(result) > box->contentsRect().width());
        QCOMPARE(box->cursorPosition(), 0);
        // once drawn, the first character stands at the box's left edge
        box->grab();
        QCOMPARE(box->cursorPositionAt(box->contentsRect().topLeft() + QPoint(4, box->height() / 2)), 0);
        QVERIFY(box->font().pointSizeF() >= form1FittedFont.floorPointSize);
        // and, the cursor put at the result's end, so does its last one: the
        // box scrolls to show the cursor, and its start stays where it was
        const auto cursorX = [box](qsizetype at, bool draw) {
            box->setCursorPosition(static_cast<int>(at));
            if (draw) box->grab();
            return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        };
        const int first = cursorX(0, true);
        QVERIFY(first >= box->contentsRect().left() && cursorX(result.size(), true) <= box->contentsRect().right());
        QCOMPARE(cursorX(0, false), first);
        // a short result is at the window's size again, in the bold of the
        // box's face; emptied, the box has the window's font
        f.runtime.setText(TextBox::txtOutput, u"1");
        QCOMPARE(box->font().pointSizeF(), f.form->font().pointSizeF());
        QVERIFY(box->font().bold());
        QCOMPARE(QFontInfo(box->font()).family(), windowFontFamily(QFontDatabase::families(), form1FittedFaces));
        f.runtime.setText(TextBox::txtOutput, u"");
        QCOMPARE(box->font(), f.form->font());
    }

    // 1 MiB (in UTF-16) of digits, by every way of pasting, into either box:
    // refused whole, with the message, and the program goes on. So is a text
    // with a line break inside it; one around it is passed over.
    void aTooLongPasteIsRefusedWhole_data()
    {
        QTest::addColumn<Paste>("how");
        QTest::addColumn<TextBox>("into");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");  // empty: refused
        const QString mib(1 << 19, u'7');
        QTest::newRow("Ctrl+V") << Paste::CtrlV << TextBox::txtInput << mib << QString();
        QTest::newRow("context menu") << Paste::ContextMenu << TextBox::txtInput << mib << QString();
        QTest::newRow("middle click") << Paste::MiddleClick << TextBox::txtInput << mib << QString();
        QTest::newRow("drop") << Paste::Drop << TextBox::txtInput << mib << QString();
        QTest::newRow("input method") << Paste::InputMethod << TextBox::txtInput << mib << QString();
        QTest::newRow("into the result box") << Paste::CtrlV << TextBox::txtOutput << mib << QString();
        // the boxes hold "12" and "34": up to the limit is taken whole, one more
        // character is refused whole, never cut to the limit
        QTest::newRow("up to the limit") << Paste::CtrlV << TextBox::txtInput << QString(maxBoxLength - 2, u'7')
                                         << QStringLiteral("12") + QString(maxBoxLength - 2, u'7');
        QTest::newRow("one beyond") << Paste::CtrlV << TextBox::txtInput << QString(maxBoxLength - 1, u'7')
                                    << QString();
        QTest::newRow("one beyond, dropped") << Paste::Drop << TextBox::txtOutput << QString(maxBoxLength - 1, u'7')
                                             << QString();
        QTest::newRow("a line break inside") << Paste::CtrlV << TextBox::txtInput << "42\n7777" << QString();
        QTest::newRow("inside, Shift+Insert") << Paste::ShiftInsert << TextBox::txtInput << "42\r\n7777" << QString();
        QTest::newRow("inside, the menu") << Paste::ContextMenu << TextBox::txtInput << "\n42\n7777\n" << QString();
        QTest::newRow("inside, a middle click") << Paste::MiddleClick << TextBox::txtInput << "42\u20297777" << QString();
        QTest::newRow("inside, dropped") << Paste::Drop << TextBox::txtOutput << "4\r2" << QString();
        QTest::newRow("inside, an input method") << Paste::InputMethod << TextBox::txtInput << "42\n7777" << QString();
        QTest::newRow("around") << Paste::CtrlV << TextBox::txtInput << "\n42\n" << "1242";
        QTest::newRow("around, Shift+Insert") << Paste::ShiftInsert << TextBox::txtInput << "\r\n 42\t\r\n" << "1242";
        QTest::newRow("around, the menu") << Paste::ContextMenu << TextBox::txtInput << "\u2028 2.5\u00a0" << "122.5";
        QTest::newRow("around, a middle click") << Paste::MiddleClick << TextBox::txtInput << "42\n" << "1242";
        QTest::newRow("around, dropped") << Paste::Drop << TextBox::txtInput << "\n42\n" << "1242";
        QTest::newRow("around, an input method") << Paste::InputMethod << TextBox::txtInput << "42\n" << "1242";
    }

    void aTooLongPasteIsRefusedWhole()
    {
        QFETCH(Paste, how);
        QFETCH(TextBox, into);
        QFETCH(QString, text);
        QFETCH(QString, after);
        if (how == Paste::MiddleClick && !QGuiApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no selection to paste");
        ShownForm f;
        QVERIFY(f.ready);
        f.clickRow(1);  // Inches to Centimeters
        QTest::keyClicks(f.c().txtInput, QStringLiteral("12"));
        f.runtime.setText(TextBox::txtOutput, u"34");
        QLineEdit* const box = into == TextBox::txtInput ? f.c().txtInput : f.c().txtOutput;
        const QString before = box->text();

        paste(box, how, text);
        QCoreApplication::processEvents();
        if (after.isEmpty()) {
            QCOMPARE(box->text(), before);
            QCOMPARE(f.boxes.size(), 1U);
            QCOMPARE(f.boxes.front().kind, QtRuntimeServices::BoxKind::Message);
            QCOMPARE(f.boxes.front().text, toQString(numericEntryMessage));
        } else {
            QCOMPARE(box->text(), after);
            QVERIFY(f.boxes.empty());
        }

        // the box still takes keys, and Convert still converts
        f.c().txtInput->setText(QStringLiteral("1"));
        QTest::keyClicks(f.c().txtInput, QStringLiteral("0"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("25.4"));
    }

    void aCategoryChangeKeepsBothBoxes()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickRow(1);
        QTest::keyClicks(f.c().txtInput, QStringLiteral("1"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("2.54"));

        f.clickOption(Category::Volume);
        QCOMPARE(f.listed(), captionsOf(Category::Volume));
        QVERIFY(f.c().lblInput->text().isEmpty());
        QVERIFY(f.c().lblOutput->text().isEmpty());
        QCOMPARE(f.c().txtInput->text(), QStringLiteral("1"));
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("2.54"));

        // Convert before an entry is chosen leaves the old result
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("2.54"));
        QVERIFY(f.boxes.empty());
    }

    // Clicks that choose nothing new keep the chosen entry, its units and the
    // boxes: the list, like a list box, always keeps its one chosen entry.
    void clicksThatChooseNothingNewKeepTheChoice_data()
    {
        QTest::addColumn<ChoiceKept>("click");
        QTest::newRow("the selected option again") << ChoiceKept::OptionAgain;
        QTest::newRow("the list's empty space") << ChoiceKept::EmptySpace;
        QTest::newRow("Ctrl+click on the chosen entry") << ChoiceKept::CtrlOnChosen;
        QTest::newRow("Ctrl+Space on the chosen entry") << ChoiceKept::CtrlSpace;
    }

    void clicksThatChooseNothingNewKeepTheChoice()
    {
        QFETCH(ChoiceKept, click);
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(Category::Weight);
        f.clickRow(2);
        f.c().txtInput->setText(QStringLiteral("5"));
        QSignalSpy added(f.c().list1->model(), &QAbstractItemModel::rowsInserted);
        QListWidget* const list = f.c().list1;
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        const QPoint below(last.center().x(), last.bottom() + last.height() / 2);
        switch (click) {
        case ChoiceKept::OptionAgain: f.clickOption(Category::Weight); break;
        case ChoiceKept::EmptySpace:
            QVERIFY(list->viewport()->rect().contains(below) && !list->indexAt(below).isValid());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
            break;
        case ChoiceKept::CtrlOnChosen:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(2)).center());
            break;
        case ChoiceKept::CtrlSpace:
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
            break;
        }
        QCOMPARE(added.count(), 0);
        QVERIFY(f.option(Category::Weight)->isChecked());
        QCOMPARE(f.listed(), captionsOf(Category::Weight));
        QCOMPARE(f.selectedRow(), 2);
        QCOMPARE(f.c().lblInput->text(), QStringLiteral("Ounces"));
        QCOMPARE(f.c().txtInput->text(), QStringLiteral("5"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("141.745"));
    }

    void resetReachesTheHomeState_data()
    {
        QTest::addColumn<Category>("category");
        for (const Category c : allCategories) QTest::newRow(qPrintable(categoryName(c))) << c;
    }

    void resetReachesTheHomeState()
    {
        QFETCH(Category, category);
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(category);
        f.clickRow(1);
        QTest::keyClicks(f.c().txtInput, QStringLiteral("1"));
        f.click(f.c().cmdConvert);
        QVERIFY(!f.c().txtOutput->text().isEmpty());

        QSignalSpy added(f.c().list1->model(), &QAbstractItemModel::rowsInserted);
        f.click(f.c().cmdReset);
        QCOMPARE(added.count(), 6);  // the Distance entries, loaded once
        QVERIFY(f.option(Category::Distance)->isChecked());
        QCOMPARE(f.listed(), captionsOf(Category::Distance));
        QCOMPARE(f.selectedRow(), -1);
        QVERIFY(f.c().lblInput->text().isEmpty());
        QVERIFY(f.c().lblOutput->text().isEmpty());
        QVERIFY(f.c().txtInput->text().isEmpty());
        QVERIFY(f.c().txtOutput->text().isEmpty());

        // Convert does nothing until an entry is chosen
        QTest::keyClicks(f.c().txtInput, QStringLiteral("7"));
        f.click(f.c().cmdConvert);
        QVERIFY(f.c().txtOutput->text().isEmpty());
        f.clickRow(0);
        QTest::keyClicks(f.c().txtInput, QStringLiteral("2.54"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("1"));
    }

    void arrowKeysChooseAtOnce()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(Category::Area);
        f.clickRow(0);
        f.c().list1->setFocus();
        f.c().txtOutput->setText(QStringLiteral("old"));
        QTest::keyClick(f.c().list1, Qt::Key_Down);
        QCOMPARE(f.selectedRow(), 1);
        QCOMPARE(f.c().lblInput->text(), QStringLiteral("Square Inches"));
        QCOMPARE(f.c().lblOutput->text(), QStringLiteral("Square Centimeters"));
        QVERIFY(f.c().txtOutput->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
    }

    // Keys as on the other desktops: from the control given the focus, the focus
    // after each key (an option reached is chosen), the entry chosen, Convert's presses.
    void keysMoveAndPressAsUsersExpect_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("focus");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("pressed");
        const int r = Qt::Key_Right, l = Qt::Key_Left, keypad = Qt::KeypadModifier;
        QTest::newRow("the arrows go round the options in order; Tab after Reset, to the chosen one") << "optDistance"
            << QList<int>{r, r, r, r, r, l, Qt::Key_Up, l, l, Qt::Key_Down, r | keypad, Qt::Key_Backtab, Qt::Key_Space,
                          Qt::Key_Tab, l}
            << QStringList{"optVolume", "optTemp", "optArea", "optWeight", "optDistance", "optWeight", "optArea",
                           "optTemp", "optVolume", "optTemp", "optArea", "cmdReset", "cmdReset", "optDistance",
                           "optWeight"} << -1 << 0;
        for (const auto& [name, key, row] : {std::tuple{"Down", Qt::Key_Down, 0}, {"Up", Qt::Key_Up, 0},
                                             {"Home", Qt::Key_Home, 0}, {"End", Qt::Key_End, 5}})
            QTest::addRow("%s, none chosen", name) << "list1" << QList<int>{key} << QStringList{"txtInput"} << row << 0;
        QTest::newRow("Enter and the keypad's Enter on a button") << "cmdConvert"
            << QList<int>{Qt::Key_Return, Qt::Key_Enter | keypad} << QStringList(2, "cmdConvert") << -1 << 2;
    }

    void keysMoveAndPressAsUsersExpect()
    {
        QFETCH(QString, from);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, focus);
        QFETCH(int, row);
        QFETCH(int, pressed);
        ShownForm f;
        QVERIFY(f.ready);
        QSignalSpy presses(f.c().cmdConvert, &QAbstractButton::clicked);
        f.form->findChild<QWidget*>(from)->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(keys[i] & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(keys[i] & Qt::KeyboardModifierMask));
            QCOMPARE(QApplication::focusWidget()->objectName(), focus[i]);
            if (const auto* o = qobject_cast<QRadioButton*>(QApplication::focusWidget())) QVERIFY(o->isChecked());
        }
        QCOMPARE(f.selectedRow(), row);
        QCOMPARE(presses.count(), pressed);
    }

    void tabbingIntoTheListChoosesNothing()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.c().txtInput->setText(QStringLiteral("9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.c().list1);
        QCOMPARE(f.selectedRow(), -1);
        QVERIFY(f.c().lblInput->text().isEmpty());
        QCOMPARE(f.c().txtInput->text(), QStringLiteral("9"));
        // Space chooses the entry that tabbing made current
        QTest::keyClick(f.c().list1, Qt::Key_Space);
        QCOMPARE(f.selectedRow(), 0);
        QCOMPARE(f.c().lblInput->text(), QStringLiteral("Centimeters"));
    }

    void closingTheWindowEndsTheProgram()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QTimer::singleShot(0, [&] { f.form->close(); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    // A handler that throws leaves the window as it was and working: a failed
    // allocation is told as such, anything else as a run-time error.
    void aHandlerThatThrowsIsToldAndTheWindowGoesOn()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.runtime.onClick(CommandButton::cmdReset, [](RuntimeServices&) { throw std::bad_alloc(); });
        f.runtime.onClick(CommandButton::cmdExit, [](RuntimeServices&) { throw std::runtime_error("a fault"); });
        f.click(f.c().cmdReset);
        f.click(f.c().cmdExit);
        QCOMPARE(f.boxes.size(), std::size_t{2});
        QCOMPARE(f.boxes[0].text, toQString(describe(RunError::OutOfMemory)));
        QCOMPARE(f.boxes[1].text, toQString(describe(RunError::Internal)));
        QVERIFY(f.form->isVisible());
        f.clickRow(1);
        QCOMPARE(f.c().lblInput->text(), QStringLiteral("Inches"));
    }

    // Thousands of seeded random clicks and keys; after each the window must
    // be consistent.
    void randomUseKeepsTheWindowConsistent()
    {
        ShownForm f;
        QVERIFY(f.ready);
        std::mt19937 rng(20261207);
        const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        const QStringList inputs{QStringLiteral("1"),     QStringLiteral("300"),   QStringLiteral(""),
                                 QStringLiteral("abc"),   QStringLiteral("1,000"), QStringLiteral("1E+308"),
                                 QStringLiteral("-40.5"), QStringLiteral(" 7 "),   QStringLiteral("1,5")};
        const Qt::Key listKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Space};

        for (int step = 0; step < 3000; ++step) {
            QString lastInput;
            bool converted = false;
            switch (pick(7)) {
            case 0: f.clickOption(allCategories[static_cast<std::size_t>(pick(5))]); break;
            case 1:
                if (f.c().list1->count() > 0) f.clickRow(pick(f.c().list1->count()));
                break;
            case 2:
                f.c().list1->setFocus();
                QTest::keyClick(f.c().list1, listKeys[pick(5)]);
                break;
            case 3: f.typeInput(inputs[pick(static_cast<int>(inputs.size()))]); break;
            case 4:
                lastInput = f.c().txtInput->text();
                converted = true;
                f.click(f.c().cmdConvert);
                break;
            case 5: f.click(f.c().cmdReset); break;
            case 6: QTest::keyClick(QApplication::focusWidget(), pick(2) ? Qt::Key_Tab : Qt::Key_Backtab); break;
            }

            // exactly one category, and the list holds its entries
            int checked = 0;
            Category category = Category::Distance;
            for (const Category c : allCategories) {
                if (f.option(c)->isChecked()) {
                    ++checked;
                    category = c;
                }
            }
            QCOMPARE(checked, 1);
            QCOMPARE(f.listed(), captionsOf(category));

            // the labels name the selected entry's units, or are left from
            // an entry of this category, or are empty
            const QString source = f.c().lblInput->text();
            const QString target = f.c().lblOutput->text();
            const int row = f.selectedRow();
            if (row >= 0) {
                const UnitNames units = splitCaption(entriesOf(category)[static_cast<std::size_t>(row)].caption);
                QCOMPARE(source, toQString(units.source));
                QCOMPARE(target, toQString(units.target));
            } else if (!source.isEmpty() || !target.isEmpty()) {
                bool fromThisCategory = false;
                for (const Entry& e : entriesOf(category)) {
                    const UnitNames units = splitCaption(e.caption);
                    fromThisCategory |= source == toQString(units.source) && target == toQString(units.target);
                }
                QVERIFY2(fromThisCategory, qPrintable(source + QStringLiteral(" / ") + target));
            }

            // Convert with an entry and a readable number writes that entry's result
            if (converted && row >= 0 && !isRejectedInput(toU16(lastInput), usSettings)) {
                const auto expected = convertText(entriesOf(category)[static_cast<std::size_t>(row)],
                                                  toU16(lastInput), usSettings);
                if (expected.ok()) QCOMPARE(f.c().txtOutput->text(), toQString(expected.value));
            }
            QVERIFY(f.form->isVisible());
        }
    }
};

QTEST_MAIN(Form1BehaviourTest)
#include "form1_behaviour_test.moc"
