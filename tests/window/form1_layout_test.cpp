#include <QAbstractButton>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLocale>
#include <QGroupBox>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QtTest>

#include "form1_table.h"
#include "window_fixture.h"

using namespace mensora;
using namespace mensora::testing;

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(*qApp); }
    void init() { failOnQtWarnings(); }

    void window()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QCOMPARE(f.form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Mensora"));
        QCOMPARE(f.form->size(), QSize(426, 297));
        QCOMPARE(f.form->minimumSize(), QSize(426, 297));
        QCOMPARE(f.form->maximumSize(), QSize(426, 297));
        QVERIFY(!f.form->windowIcon().isNull());
        // every size compiled in, each read by its name
        QCOMPARE(f.form->windowIcon().availableSizes(),
                 (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    }

    void startLoadsNoImagePlugin()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly)) QSKIP("no /proc on this system");
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("/imageformats/"), "an image format plugin was loaded");
    }

    void controls_data()
    {
        QTest::addColumn<int>("row");
        for (const ControlRow& c : form1Controls) QTest::newRow(c.name) << static_cast<int>(&c - form1Controls.data());
    }

    void controls()
    {
        QFETCH(int, row);
        const ControlRow& c = form1Controls.at(static_cast<std::size_t>(row));
        const QString caption = toQString(c.caption);
        // the Qt class of each kind of control
        constexpr std::array kinds{"QGroupBox", "QRadioButton", "QListWidget", "QLabel", "QLineEdit", "QPushButton"};

        ShownForm f;
        QWidget* w = f.form->findChild<QWidget*>(QString::fromLatin1(c.name));
        QVERIFY(w != nullptr);
        QCOMPARE(w->metaObject()->className(), kinds.at(static_cast<std::size_t>(c.kind)));
        QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(c.parent));
        // positions in pixels: the window's twips divided by 15
        QCOMPARE(w->geometry(), QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15));
        QCOMPARE(w->toolTip(), toQString(c.tooltip));
        if (auto* box = qobject_cast<QGroupBox*>(w)) QCOMPARE(box->title(), caption);
        if (auto* button = qobject_cast<QAbstractButton*>(w)) QCOMPARE(button->text(), caption);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            QCOMPARE(label->frameShape(), QFrame::Panel);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            QVERIFY(button->shortcut().isEmpty());  // no access keys
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QVERIFY(!edit->isReadOnly());
            // one character beyond the limit of 4096 gets in, for the runtime's check to refuse whole
            QCOMPARE(edit->maxLength(), 4097);
        }

        // every control, frames and boxes included, draws in the window's font,
        // in the very face it names
        w->ensurePolished();
        const QString face = windowFontFamily(QFontDatabase::families());
        QCOMPARE(w->font().family(), face);
        QCOMPARE(QFontInfo(w->font()).family(), face);
        QCOMPARE(w->font().pointSizeF(), 8.25);
        QCOMPARE(w->font().weight(), QFont::Normal);
        QVERIFY(!w->font().italic() && !w->font().underline() && !w->font().strikeOut());
        // the boxes show pasted text in any script, from other fonts where the
        // window's font has no such letter
        if (c.kind == Kind::TextBox) {
            QVERIFY(QFontMetrics(w->font()).inFontUcs4(U'\u0416'));  // Cyrillic Zhe
        }
    }

    // A frame is a thin line in the palette's mid tone, 7 px below its top,
    // with the caption set into a gap of the line and nothing filled inside.
    void framesAreAThinLineWithTheCaptionInIt()
    {
        ShownForm f;
        QVERIFY(f.ready);
        const QImage shot = f.form->grab().toImage();
        const QRgb line = f.form->palette().color(QPalette::Mid).rgb();
        const QRgb window = f.form->palette().color(QPalette::Window).rgb();
        QCOMPARE(shot.pixel(248 + 80, 8 + 7), line);    // Frame2, its top
        QCOMPARE(shot.pixel(248, 8 + 120), line);       // and its left edge
        QCOMPARE(shot.pixel(248 + 5, 8 + 120), window); // the inside
        QCOMPARE(shot.pixel(248 + 80, 8 + 6), window);  // above the line
        QCOMPARE(shot.pixel(8 + 7, 8 + 7), window);     // Frame1: the gap before its caption
        QCOMPARE(shot.pixel(8 + 120, 8 + 7), line);     // and the line after it
        QCOMPARE(shot.pixel(248 + 8, 8 + 7), line);     // Frame2 has no caption, and no gap
        // the caption stands whole in the gap, and the line goes on just after it
        int firstInk = -1;
        int lastInk = -1;
        for (int x = 8 + 7; x < 8 + 150; ++x) {
            for (int y = 8; y < 8 + 14; ++y) {
                if (qGray(shot.pixel(x, y)) >= 128) continue;
                if (firstInk < 0) firstInk = x;
                lastInk = x;
            }
        }
        QVERIFY(firstInk > 0);
        const QGroupBox* const frame1 = f.form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QVERIFY(lastInk - firstInk + 3 >= frame1->fontMetrics().horizontalAdvance(frame1->title()));
        QCOMPARE(shot.pixel(lastInk + 2, 8 + 7), window);
        QCOMPARE(shot.pixel(lastInk + 6, 8 + 7), line);
        QCOMPARE(shot.pixel(248 + 160, 8 + 120), line);  // Frame2's right edge
        // its corners are rounded, and smoothed
        QCOMPARE(shot.pixel(248, 8 + 7), window);
        const int corner = qGray(shot.pixel(248 + 1, 8 + 7));
        QVERIFY2(corner > qGray(line) && corner < qGray(window), qPrintable(QString::number(corner)));
    }

    // Under each palette set on the application, every control is outlined: on its left edge a pixel contrasts
    // with the window at least `least` to 1 (3:1, what a control's boundary needs; 1.5 for the style's own greys).
    void everyControlIsOutlinedUnderEachPalette_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<double>("least");
        QTest::newRow("the style's own") << QApplication::palette() << 1.5;
        QPalette black(Qt::black, Qt::black);  // white text, and every shade as black as the window
        black.setColor(QPalette::Highlight, Qt::yellow);
        QTest::newRow("high contrast: black, white and yellow") << black << 3.0;
        QTest::newRow("dark") << QPalette(QColor(0x31, 0x36, 0x3b), QColor(0x2a, 0x2e, 0x32)) << 3.0;
    }

    void everyControlIsOutlinedUnderEachPalette()
    {
        QFETCH(QPalette, palette);
        QFETCH(double, least);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        ShownForm f;
        const QImage shot = f.form->grab().toImage();
        QApplication::setPalette(before);
        const auto luminance = [](const QColor& c) {  // relative luminance, as contrast ratios take it
            const auto linear = [](float v) { return v <= 0.04f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f); };
            return 0.2126f * linear(c.redF()) + 0.7152f * linear(c.greenF()) + 0.0722f * linear(c.blueF()) + 0.05f;
        };
        const float window = luminance(palette.color(QPalette::Window));
        const auto contrast = [&](QColor c) { return std::max(luminance(c) / window, window / luminance(c)); };
        for (const ControlRow& c : form1Controls) {
            const QWidget* const w = f.form->findChild<QWidget*>(QString::fromLatin1(c.name));
            const QPoint left = w->mapTo(f.form.get(), QPoint(0, w->height() / 2));
            float most = 1;
            for (int x = left.x() - 1; x <= left.x() + 3; ++x) most = std::max(most, contrast(shot.pixel(x, left.y())));
            QVERIFY2(most >= least, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.name)).arg(most)));
        }
    }

    // The list's index is a signed 16-bit number: the last entry it can name
    // is 32767; beyond, none is named.
    void theListIndexIsASigned16BitNumber()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QListWidget* const list = f.c().list1;
        QCOMPARE(f.runtime.listIndex(), std::int16_t{-1});
        list->addItems(QStringList(32768 - list->count() + 1, QStringLiteral("entry")));
        list->setCurrentRow(32767);
        QCOMPARE(f.runtime.listIndex(), std::int16_t{32767});
        QCOMPARE(f.runtime.listCount(), std::int16_t{32767});
        list->setCurrentRow(32768);
        QCOMPARE(f.runtime.listIndex(), std::int16_t{-1});
    }

    // Every other control is drawn by the desktop's style, down to a scroll
    // bar the list shows only when it overflows.
    void aFullListShowsItsScrollBar()
    {
        ShownForm f;
        QVERIFY(f.ready);
        for (int i = 0; i < 30; ++i) f.c().list1->addItem(QStringLiteral("entry"));
        QScrollBar* const bar = f.c().list1->verticalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        const QImage image = bar->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 3, qPrintable(QString::number(colours.size())));
        // and its arrow scrolls the list
        const int before = bar->value();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
        QVERIFY(bar->value() > before);
    }

    void windowFontIsTheFirstInstalledFace_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("face");
        QTest::newRow("the real font") << QStringList{"DejaVu Sans", "Comic Neue", "Comic Sans MS", "Liberation Sans"}
                                       << "Comic Sans MS";
        QTest::newRow("its stand-in") << QStringList{"Liberation Sans", "Z003", "Comic Neue"} << "Comic Neue";
        QTest::newRow("a plain sans-serif, not the calligraphic face fontconfig would pick")
            << QStringList{"DejaVu Sans", "Z003", "Liberation Sans"} << "Liberation Sans";
        QTest::newRow("none of them: fontconfig's sans-serif most like the last")
            << QStringList{"DejaVu Sans", "Z003"} << "Liberation Sans";
    }

    void windowFontIsTheFirstInstalledFace()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, face);
        QCOMPARE(windowFontFamily(installed), face);
    }

    // Every fixed caption fits its control in each face the window may draw
    // in, at the fixed sizes of the form.
    void captionsFitTheirControls_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("Comic Neue") << "Comic Neue";
        QTest::newRow("Liberation Sans") << "Liberation Sans";
    }

    void captionsFitTheirControls()
    {
        QFETCH(QString, face);
        if (!QFontDatabase::families().contains(face)) QSKIP("the face is not installed");
        const QFont before = QApplication::font();
        QFont font(face);
        font.setPointSizeF(8.25);
        QApplication::setFont(font);
        ShownForm f;
        QApplication::setFont(before);
        QCOMPARE(QFontInfo(f.form->font()).family(), face);

        // option and command buttons: the text is drawn in the room the style
        // leaves beside the indicator or inside the bevel
        for (const QAbstractButton* b : f.form->findChildren<QAbstractButton*>()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const auto room = qobject_cast<const QRadioButton*>(b) != nullptr ? QStyle::SE_RadioButtonContents
                                                                              : QStyle::SE_PushButtonContents;
            const int width = b->style()->subElementRect(room, &option, b).width();
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= width, qPrintable(b->text()));
        }
        const auto* frame = f.form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect caption =
            frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        QVERIFY2(frame->rect().contains(caption), qPrintable(frame->title()));

        for (const Category category : allCategories) {
            f.clickOption(category);
            QVERIFY2(f.c().list1->sizeHintForColumn(0) <= f.c().list1->viewport()->width(),
                     qPrintable(f.listed().join(u',')));
            // the unit names, word-wrapped within the labels
            const QLabel* label = f.c().lblInput;
            for (const Entry& e : entriesOf(category)) {
                const UnitNames units = splitCaption(e.caption);
                for (const auto unit : {units.source, units.target}) {
                    const QRect inside = label->contentsRect();
                    const QRect needed = label->fontMetrics().boundingRect(inside, Qt::AlignCenter | Qt::TextWordWrap,
                                                                           toQString(unit));
                    QVERIFY2(inside.contains(needed), qPrintable(toQString(unit)));
                }
            }
        }
    }

    void listKeepsItsOrderAndOneSelection()
    {
        ShownForm f;
        QVERIFY(!f.c().list1->isSortingEnabled());
        QCOMPARE(f.c().list1->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void startState()
    {
        ShownForm f;
        QVERIFY(f.ready);
        QCOMPARE(QApplication::focusWidget(), f.option(Category::Distance));
        QVERIFY(f.option(Category::Distance)->isChecked());
        QCOMPARE(f.listed(), captionsOf(Category::Distance));
        QCOMPARE(f.selectedRow(), -1);
        QVERIFY(f.c().lblInput->text().isEmpty());
        QVERIFY(f.c().lblOutput->text().isEmpty());
        QVERIFY(f.c().txtInput->text().isEmpty());
        QVERIFY(f.c().txtOutput->text().isEmpty());
    }

    void tabOrder()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(Category::Temperature);
        const std::vector<QWidget*> forward{f.c().txtInput,   f.c().txtOutput, f.c().cmdConvert,
                                            f.c().cmdExit,    f.c().cmdReset,  f.option(Category::Temperature),
                                            f.c().list1,      f.c().txtInput};
        f.c().txtInput->setFocus(Qt::TabFocusReason);
        for (std::size_t i = 1; i < forward.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), forward[i]);
        }
        for (std::size_t i = forward.size() - 1; i > 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), forward[i - 1]);
        }
        // tabbing through changes nothing
        QVERIFY(f.option(Category::Temperature)->isChecked());
        QCOMPARE(f.selectedRow(), -1);
    }

    void enterAndEscapePressNothing()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickOption(Category::Distance);
        f.clickRow(1);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QPushButton* b : {f.c().cmdConvert, f.c().cmdExit, f.c().cmdReset}) {
            spies.push_back(std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked));
        }
        f.typeInput(QStringLiteral("1"));
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(f.c().txtInput, key);
        }
        for (const auto& spy : spies) QCOMPARE(spy->count(), 0);
        QVERIFY(f.c().txtOutput->text().isEmpty());
        QCOMPARE(f.c().txtInput->text(), QStringLiteral("1"));
        QVERIFY(f.form->isVisible());
    }

    void convertWritesTheResult()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickRow(1);  // Inches to Centimeters
        f.typeInput(QStringLiteral("1"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("2.54"));
        QVERIFY(f.boxes.empty());
    }

    void nonNumericInputShowsTheMessage()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.clickRow(1);
        f.c().txtOutput->setText(QStringLiteral("kept"));
        f.typeInput(QStringLiteral("abc"));
        f.click(f.c().cmdConvert);
        QCOMPARE(f.boxes.size(), std::size_t{1});
        QCOMPARE(f.boxes[0].kind, QtRuntimeServices::BoxKind::Message);
        QCOMPARE(f.boxes[0].text, QStringLiteral("Valid Numeric Entry Only Please"));
        QVERIFY(f.c().txtInput->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.c().txtInput);
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("kept"));
    }

    void numbersFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("US") << "en_US" << "1,000.5" << "2541.27";
        QTest::newRow("German") << "de_DE" << "12,5" << "31,75";
        QTest::newRow("German grouping") << "de_DE" << "1.000" << "2540";
        QTest::newRow("French, a plain space for grouping") << "fr_FR" << "1 000,5" << "2541,27";
        QTest::newRow("Swiss") << "de_CH" << "1\u2019000.5" << "2541.27";
        QTest::newRow("Swiss, the keyboard's apostrophe") << "de_CH" << "1'234.5" << "3135.63";
        QTest::newRow("French, a no-break space for grouping") << "fr_FR" << "1\u00A0234,5" << "3135,63";
        QTest::newRow("Swedish minus") << "sv_SE" << "\u22122,5" << "-6,35";
        QTest::newRow("Hebrew, a direction mark before the minus") << "he_IL" << "\u200E-2.5" << "-6.35";
        QTest::newRow("Indian grouping") << "en_IN" << "12,34,567.891" << "3135802.44314";
        QTest::newRow("Bengali digits") << "bn_BD" << "\u09E7\u09E8,\u09E9\u09EA,\u09EB\u09EC\u09ED.\u09EE\u09EF\u09E7"
                                        << "\u09E9\u09E7\u09E9\u09EB\u09EE\u09E6\u09E8.\u09EA\u09EA\u09E9\u09E7\u09EA";
        QTest::newRow("Arabic digits") << "ar_EG" << "\u0660\u066B\u0665" << "\u0661\u066B\u0662\u0667";
        QTest::newRow("Arabic, typed with a point") << "ar_EG" << "12.5" << "\u0663\u0661\u066B\u0667\u0665";
        QTest::newRow("Persian digits") << "fa_IR" << "\u06F0\u066B\u06F5" << "\u06F1\u066B\u06F2\u06F7";
        QTest::newRow("fullwidth digits") << "ja_JP" << "\uFF11\uFF12" << "30.48";
        QTest::newRow("pasted from a spreadsheet with its line break") << "en_US" << "42\r\n" << "106.68";
        // a decimal typed the other way is refused, never read a thousand times too big
        QTest::newRow("US, a decimal comma") << "en_US" << "0,125" << "";
        QTest::newRow("German, a decimal point") << "de_DE" << "0.125" << "";
        QTest::newRow("Swiss, an apostrophe after a zero") << "de_CH" << "0'125" << "";
    }

    void numbersFollowTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(QString, output);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        ShownForm f;
        f.clickRow(1);  // Inches to Centimeters
        f.typeInput(input);
        f.click(f.c().cmdConvert);
        QLocale::setDefault(before);
        QCOMPARE(f.c().txtOutput->text(), output);
        if (output.isEmpty()) {
            QCOMPARE(f.boxes.size(), std::size_t{1});
            QCOMPARE(f.boxes[0].text, QStringLiteral("Valid Numeric Entry Only Please"));
        } else {
            QVERIFY(f.boxes.empty());
        }
    }

    void theRealMessageBoxIsModalWithOneButtonAndNoIcon()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.runtime.setBoxSink({});
        f.clickRow(1);
        f.typeInput(QStringLiteral("abc"));

        QString title, text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::Critical;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            text = box->text();
            buttons = static_cast<int>(box->buttons().size());
            icon = box->icon();
            modal = box->isModal();
            box->button(QMessageBox::Ok)->click();
        });
        f.click(f.c().cmdConvert);
        QCOMPARE(title, QStringLiteral("Mensora"));
        QCOMPARE(text, QStringLiteral("Valid Numeric Entry Only Please"));
        QCOMPARE(buttons, 1);
        QCOMPARE(icon, QMessageBox::NoIcon);
        QVERIFY(modal);
        QVERIFY(f.c().txtInput->text().isEmpty());
    }

    void overflowShowsAnErrorAndTheProgramGoesOn()
    {
        ShownForm f;
        QVERIFY(f.ready);
        f.runtime.setBoxSink({});
        f.clickRow(1);
        f.c().txtOutput->setText(QStringLiteral("kept"));
        f.typeInput(QStringLiteral("1E+308"));
        QString title, text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        f.click(f.c().cmdConvert);
        QCOMPARE(title, QStringLiteral("Mensora"));
        QCOMPARE(text, QStringLiteral("The number is too large: the conversion overflowed, so no result was written."));
        QCOMPARE(f.c().txtOutput->text(), QStringLiteral("kept"));
        QCOMPARE(f.c().txtInput->text(), QStringLiteral("1E+308"));
        QCOMPARE(f.selectedRow(), 1);
        QVERIFY(f.form->isVisible());
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
