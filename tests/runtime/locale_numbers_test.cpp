// The number settings that every locale Qt knows gives the program, and what
// the number rules make of the numbers those locales write.
#include <QLocale>
#include <QtTest>

#include <algorithm>

#include "number_text.h"
#include "qt_runtime_services.h"

using namespace mensora;

Q_DECLARE_METATYPE(mensora::NumberSettings)

namespace {

QString describe(const QLocale& l)
{
    return l.name() + QLatin1Char('/') + QLocale::scriptToString(l.script());
}

QString shown(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        out += c.unicode() < 0x80 && c.isPrint() ? QString(c) : QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

}  // namespace

class LocaleNumbersTest : public QObject {
    Q_OBJECT

private slots:
    void settingsOfALocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<NumberSettings>("settings");
        QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << NumberSettings{};
        QTest::newRow("C, which writes no group marks") << QLocale::c() << NumberSettings{u'.', u'\0'};
        QTest::newRow("de_DE") << QLocale(QStringLiteral("de_DE")) << NumberSettings{u',', u'.'};
        QTest::newRow("fr_FR") << QLocale(QStringLiteral("fr_FR")) << NumberSettings{u',', u'\u202F'};
        QTest::newRow("de_CH") << QLocale(QStringLiteral("de_CH")) << NumberSettings{u'.', u'\u2019'};
        QTest::newRow("pl_PL") << QLocale(QStringLiteral("pl_PL")) << NumberSettings{u',', u'\u00A0'};
        QTest::newRow("sv_SE") << QLocale(QStringLiteral("sv_SE"))
                               << NumberSettings{u',', u'\u00A0', 3, 3, U'0', U'\u2212'};
        QTest::newRow("hi_IN") << QLocale(QStringLiteral("hi_IN")) << NumberSettings{u'.', u',', 3, 2};
        QTest::newRow("bn_BD") << QLocale(QStringLiteral("bn_BD")) << NumberSettings{u'.', u',', 3, 2, U'\u09E6'};
        QTest::newRow("ar_EG") << QLocale(QStringLiteral("ar_EG"))
                               << NumberSettings{u'\u066B', u'\u066C', 3, 3, U'\u0660', U'-', true};
        QTest::newRow("fa_IR") << QLocale(QStringLiteral("fa_IR"))
                               << NumberSettings{u'\u066B', u'\u066C', 3, 3, U'\u06F0', U'\u2212', true};
        QTest::newRow("ff_Adlm_GN") << QLocale(QStringLiteral("ff_Adlm_GN"))
                                    << NumberSettings{u'.', u'\u2E41', 3, 3, U'\U0001E950'};
    }

    void settingsOfALocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(NumberSettings, settings);
        const NumberSettings s = numberSettingsOf(locale);
        QCOMPARE(s.decimal, settings.decimal);
        QCOMPARE(s.group, settings.group);
        QCOMPARE(s.groupSize, settings.groupSize);
        QCOMPARE(s.groupRepeat, settings.groupRepeat);
        QCOMPARE(s.zero, settings.zero);
        QCOMPARE(s.minus, settings.minus);
    }

    // The group sizes as a locale's grouped integer shows them, also where
    // no locale Qt knows writes one so.
    void settingsFromWhatALocaleWrites_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("minus");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<char16_t>("group");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<char32_t>("minusSign");
        QTest::newRow("a group mark that is the decimal mark groups nothing")
            << "," << "-" << "123,456,789,012" << u'\0' << 3 << 3 << U'-';
        QTest::newRow("one group mark: the one size") << "." << "-" << "123456789,012" << u',' << 3 << 3 << U'-';
        QTest::newRow("groups of one") << "." << "-" << "1,2,3,4" << u',' << 1 << 1 << U'-';
        QTest::newRow("two group marks, grouped as in India") << "." << "-" << "12,34,567" << u',' << 3 << 2 << U'-';
        QTest::newRow("a group of ten is no size") << "." << "-" << "12,3456789012" << u',' << 3 << 3 << U'-';
        QTest::newRow("a repeated group of ten is no size")
            << "." << "-" << "1,2345678901,234" << u',' << 3 << 3 << U'-';
        QTest::newRow("an empty group is no size") << "." << "-" << "1,,234" << u',' << 3 << 3 << U'-';
        QTest::newRow("a last group of none is no size") << "." << "-" << "1,234," << u',' << 3 << 3 << U'-';
        QTest::newRow("every direction mark is left out of the minus")
            << "." << "\u200F\u061C\u2212\u200E" << "1,234" << u',' << 3 << 3 << U'\u2212';
    }

    void settingsFromWhatALocaleWrites()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, minus);
        QFETCH(QString, grouped);
        QFETCH(char16_t, group);
        QFETCH(int, size);
        QFETCH(int, repeat);
        QFETCH(char32_t, minusSign);
        const NumberSettings s = numberSettingsFrom({decimal, QStringLiteral(","), minus, QStringLiteral("0"), grouped});
        QCOMPARE(s.group, group);
        QCOMPARE(int{s.groupSize}, size);
        QCOMPARE(int{s.groupRepeat}, repeat);
        QCOMPARE(s.minus, minusSign);
    }

    // Every locale Qt knows reads the numbers it writes itself, reads back
    // what the program writes, and never reads a grouped "0" and three digits,
    // nor a first group of four, as a number. Qt 6.4 writes a first group of
    // four in some locales that leave "1234" ungrouped ("1234 567" in Poland,
    // "1234.567" in Spain); that text may be 1234.567 and is refused, and
    // "1 234 567" as people write it there reads.
    void everyLocaleReadsItsOwnNumbers()
    {
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QStringList failures;
        const auto check = [&failures](bool ok, const QLocale& l, const QString& what) {
            if (!ok && failures.size() < 40) failures << describe(l) + QStringLiteral(": ") + what;
        };

        for (const QLocale& locale : locales) {
            const NumberSettings s = numberSettingsOf(locale);
            QLocale ungrouped = locale;
            ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);

            const std::pair<QString, double> own[] = {
                {locale.toString(Q_INT64_C(1234567)), 1234567},
                {ungrouped.toString(Q_INT64_C(1234567)), 1234567},
                {locale.toString(Q_INT64_C(-1234567)), -1234567},
                {locale.toString(Q_INT64_C(123456789)), 123456789},
                {locale.toString(-2.5), -2.5},
                {locale.toString(0.5), 0.5},
                {locale.toString(1234567.891, 'f', 3), 1234567.891},
                {locale.toString(-1234567.891, 'f', 3), -1234567.891},
            };
            for (const auto& [text, value] : own) {
                const Outcome<double> read = readStrict(toU16(text), s);
                const qsizetype mark = s.group == u'\0' ? -1 : text.indexOf(locale.groupSeparator());
                const QList<uint> head = text.left(std::max<qsizetype>(mark, 0)).toUcs4();
                const auto firstGroup = std::count_if(head.begin(), head.end(), [](uint c) { return QChar::isDigit(c); });
                const bool longFirst = firstGroup > std::max(s.groupSize, s.groupRepeat);
                check(longFirst ? !read.ok() : read.ok() && read.value == value, locale,
                      (longFirst ? QStringLiteral("refuses ") : QStringLiteral("reads ")) + shown(text));
            }

            for (const double value : {1234567.891, -2.5, 0.5, 1.5e-7, -2e20}) {
                const std::u16string written = numberToText(value, s);
                const Outcome<double> back = readStrict(written, s);
                check(back.ok() && back.value == value, locale, QStringLiteral("reads back ") + shown(toQString(written)));
                check(written.front() != u'-' || value < 0, locale, QStringLiteral("writes a minus"));
            }

            if (s.group != u'\0') {
                const QString zero = locale.zeroDigit();
                const QString digits = locale.toString(125);
                for (const QString& misread : {zero + locale.groupSeparator() + digits,
                                               zero + zero + locale.groupSeparator() + digits,
                                               ungrouped.toString(1234) + locale.groupSeparator() + digits}) {
                    check(!isNumeric(toU16(misread), s), locale, QStringLiteral("refuses ") + shown(misread));
                }
            }
        }
        qInfo("walked %lld locales", static_cast<long long>(locales.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    // Every decimal digit Qt knows reads as its value, and no other single
    // character reads as a number.
    void everyDecimalDigitReadsAsItsValue()
    {
        const NumberSettings s{};
        QStringList failures;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const QString text = QString::fromUcs4(&c, 1);
            const Outcome<double> read = readStrict(toU16(text), s);
            const bool digit = QChar::category(c) == QChar::Number_DecimalDigit;
            const bool agrees = digit ? read.ok() && read.value == QChar::digitValue(c) : !read.ok();
            if (!agrees && failures.size() < 20) failures << QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0'));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char(' '))));
    }
};

QTEST_GUILESS_MAIN(LocaleNumbersTest)
#include "locale_numbers_test.moc"
