#include "number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "test_support.h"

namespace mensora {
namespace {

using namespace mensora::testing;

struct CheckCase {
    NumberSettings settings;
    std::u16string_view text;
    bool rejected;
};

TEST(InputCheck, AcceptsNumbersInTheSettingsNotationAndTheEmptyText)
{
    const std::vector<CheckCase> cases{
        // the empty text is never rejected; blanks alone are
        {us, u"", false},
        {german, u"", false},
        {us, u" ", true},
        {us, u"\t", true},
        // plain numbers with blanks around
        {us, u"12.5", false},
        {us, u" 7 ", false},
        {us, u"\t-3\t", false},
        {us, u"+3", false},
        {us, u"5.", false},
        {us, u".5", false},
        {us, u"-.5", false},
        {us, u"1E+15", false},
        {us, u"1.5e-05", false},
        {us, u"2E3", false},
        // grouping between digits of the integer part, three digits a group
        {us, u"1,000", false},
        {us, u"1,000,000", false},
        {us, u"12,345.5", false},
        {us, u"123,456", false},
        {us, u"1,234,567.891", false},
        {us, u"1234,567", true},  // a first group longer than any: 1234.567 with a decimal comma
        {us, u"12345,678", true},
        {us, u"1234,567.5", true},
        {us, u"-1234,567,890", true},
        {us, u"1,234E5", true},  // no exponent after grouping: 1.234E5 with a decimal comma
        {us, u"1,234.5e-3", true},
        {us, u"1234E5", false},
        {us, u"1,5", true},
        {us, u"1,,000", true},
        {us, u",5", true},
        {us, u"5,", true},
        {us, u"1,0000", true},
        {us, u"1,5 ", true},
        {us, u"1,5.", true},
        {us, u"1,5e3", true},
        {us, u"1.000,5", true},
        {us, u"1.5,000", true},
        // not numbers
        {us, u"abc", true},
        {us, u"12abc", true},
        {us, u"1 2", true},
        {us, u".", true},
        {us, u"-", true},
        {us, u"+-1", true},
        {us, u"1e", true},
        {us, u"1e+", true},
        {us, u"1e ", true},
        {us, u"e5", true},
        {us, u"1.2.3", true},
        {us, u"&H10", true},
        {us, u"0x10", true},
        {us, u"$5", true},
        {us, u"(5)", true},
        {us, u"inf", true},
        {us, u"nan", true},
        // digits of any one script, never a mix
        {us, u"\u0661\u0662", false},  // Arabic-Indic digits
        {us, u"\uFF11", false},        // a fullwidth digit, as Japanese input methods type it
        {us, u"\uFF11\uFF12\uFF0E\uFF15", true},  // a fullwidth point is no decimal mark
        {us, u"1\u0662", true},
        {us, u"\uFF11" u"2", true},
        {us, u"1.\u0665", true},
        {us, u"1E\u0665", true},
        {us, u"1E5\u0665", true},
        {us, u"\u0661E5", true},
        {us, u"9:", true},         // what follows a script's nine is no digit
        {us, u"\u0661\u066A", true},
        {us, u"\u00B2", true},  // a superscript is no decimal digit
        {us, u"\u2460", true},  // nor a circled one
        // white space and line breaks around the number, invisible marks anywhere
        {us, u"5\n", false},
        {us, u"42\r\n", false},
        {us, u"\u00A042\u3000", false},
        {us, u"\u200B42\uFEFF", false},
        {us, u"\u200A7\u2000", false},
        {us, u"4\u200B2", true},
        {us, u"\u200E-2.5", false},
        {us, u"-\u200F2\u061C.5\u200E", true},  // shown as "-5.2"
        {us, u"\u200F \u061C-\u200F2.5\u200E \u200F", false},
        {us, u"1\u200F2\u200F3", true},  // shown as "132"
        {us, u"1,\u200E234", true},
        {us, u"1.5E\u200E3", true},
        {us, u"\u200E", true},
        {us, u"- 5", true},
        // the misread guard: a grouped integer part never starts with a zero
        {us, u"0,125", true},
        {us, u"00,125", true},
        {us, u"-0,125", true},
        {us, u"0,125.5", true},
        {us, u"0.125", false},
        {us, u"0125", false},
        {german, u"0.125", true},
        {german, u"0,125", false},
        {swiss, u"0\u2019125", true},
        {swiss, u"0'125", true},
        {french, u"0 125", true},
        // German: comma decimal, dot grouping
        {german, u"12,5", false},
        {german, u"1.000", false},
        {german, u"1.000,25", false},
        {german, u"12.5", true},
        {german, u"1,000.5", true},
        {german, u"123.456,5", false},
        {german, u"1234.567", true},
        {german, u"1.234E5", true},
        // French: narrow no-break space grouping, and a plain space in its place
        {french, u"1\u202F000,5", false},
        {french, u"1 000,5", false},
        {french, u"1 000 000", false},
        {french, u"1 00", true},
        {french, u"1,5 ", false},
        {french, u"1.5", true},
        {french, u"1234 567", true},
        {french, u"1234\u202F567,5", true},
        {french, u"1 234E5", true},
        // Swiss: right single quotation mark grouping, dot decimal
        {swiss, u"1\u2019000.5", false},
        {swiss, u"1,000", true},
        {swiss, u"1 000", true},
        {swiss, u"1234\u2019567", true},
        {swiss, u"1234'567.5", true},
        // look-alike group marks: any space for a space, either apostrophe
        {french, u"1\u00A0234,5", false},
        {french, u"1\u2009234,5", false},
        {swedish, u"1\u202F234,5", false},
        {swedish, u"1 234,5\u00A0", false},
        {swiss, u"1'234.5", false},
        // a look-alike of the group mark that is the decimal mark stays the decimal mark
        {NumberSettings{u'\'', u'\u2019'}, u"1'5", false},
        {NumberSettings{u'\'', u'\u2019'}, u"1\u2019000'5", false},
        {us, u"1'234.5", true},
        // the minus signs: ASCII, U+2212, the settings' own, and the plus
        {swedish, u"\u22122,5", false},
        {swedish, u"-2,5", false},
        {us, u"\u22122.5", false},
        {us, u"\u2013" u"2.5", true},  // an en dash is no minus
        {us, u"+-2", true},
        // the settings' own group sizes: Indian grouping
        {indian, u"12,34,567.891", false},
        {indian, u"1,00,000", false},
        {indian, u"1,000", false},
        {indian, u"1234,567", true},
        {indian, u"123,456", false},
        {indian, u"123,45,678", false},  // the largest group is three
        {indian, u"1234,56,789", true},
        {indian, u"1,234,567", true},
        {indian, u"12,34,56", true},
        {indian, u"0,00,125", true},
        {bengali, u"\u09E7\u09E8,\u09E9\u09EA,\u09EB\u09EC\u09ED.\u09EE\u09EF\u09E7", false},
        // Arabic: its own marks, and the point for its decimal mark
        {arabic, u"\u0660\u066B\u0665", false},
        {arabic, u"12.5", false},
        {arabic, u"\u0661\u066C\u0662\u0663\u0664\u066B\u0665", false},
        {arabic, u"\u061C-\u0662\u066B\u0665", false},
        {arabic, u"\u0661\u066B\u0665E-\u0660\u0667", false},
        {arabic, u"1,5", true},
        // the point stands in for U+066B only where it is not the group mark
        {NumberSettings{u'\u066B', u','}, u"12.5", false},
        {NumberSettings{u'\u066B', u'.'}, u"12.5", true},
        {persian, u"\u06F0\u066B\u06F5", false},
        {persian, u"\u200E\u2212\u06F2\u066B\u06F5", false},
        // the Arabic marks beside the settings' own "." and ","
        {egyptOnWindows, u"\u0661\u0662\u066B\u0665", false},
        {egyptOnWindows, u"\u0661\u066C\u0662\u0663\u0664", false},
        {egyptOnWindows, u"\u0661,\u0662\u0663\u0664.\u0665", false},
        {egyptOnWindows, u"\u0661\u066C\u0662\u0663", true},
        {egyptOnWindows, u"\u0660\u066C\u0661\u0662\u0665", true},
        {arabic, u"\u0661\u0662\u0663\u066C\u0664\u0665\u0666", false},
        {arabic, u"\u0661\u0662\u0663\u0664\u066C\u0665\u0666\u0667", true},
        {us, u"12\u066B5", true},
        // digits beyond the basic plane: Adlam
        {adlam, u"\U0001E951\u2E41\U0001E952\U0001E953\U0001E954.\U0001E955", false},
        {adlam, u"\U0001E951" u"2", true},
        {us, u"\xD83A", true},  // half of a surrogate pair
        {us, std::u16string_view(u"\U0001E951", 1), true},  // a view that ends inside a pair
        {us, u"\xD836\xDBCE", true},  // two first halves make no character
        // no grouping at all
        {ungrouped, u"1000.5", false},
        {ungrouped, u"1,000", true},
        // groups of four
        {NumberSettings{u'.', u',', 4, 4}, u"1234,5678", false},
        {NumberSettings{u'.', u',', 4, 4}, u"12345,6789", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isRejectedInput(c.text, c.settings), c.rejected) << "text: " << show(c.text);
        EXPECT_EQ(isNumeric(c.text, c.settings), !c.text.empty() && !c.rejected)
            << "text: " << show(c.text);
    }
}

struct StrictCase {
    NumberSettings settings;
    std::u16string_view text;
    double value;
    RunError error;
};

TEST(StrictReader, ReadsTheWholeTextInTheSettingsNotation)
{
    // a first significant digit far from where the exponent puts the value
    const std::u16string zeros(400, u'0');
    const std::u16string longInteger = u"1" + zeros + u"E-750";      // 10^-350
    const std::u16string longFraction = u"0." + zeros + u"1E+10";    // 10^-391
    const std::u16string largeFraction = u"0." + zeros + u"1E+800";  // 10^399
    // a mantissa as long as a box may hold, against a far exponent
    const std::u16string farInteger = u"1" + std::u16string(1309, u'0') + u"e-1000";    // 10^309
    const std::u16string farFraction = u"0." + std::u16string(1324, u'0') + u"1e1000";  // 10^-325
    const std::vector<StrictCase> cases{
        {us, u"12.5", 12.5, RunError::None},
        {us, u" 7 ", 7, RunError::None},
        {us, u"1,000", 1000, RunError::None},
        {us, u"1,000,000.25", 1000000.25, RunError::None},
        {us, u"-1,000", -1000, RunError::None},
        {us, u"5.", 5, RunError::None},
        {us, u".5", 0.5, RunError::None},
        {us, u"1E+15", 1e15, RunError::None},
        {us, u"1.5E-05", 1.5e-5, RunError::None},
        {us, u"0.1", 0.1, RunError::None},
        {us, u"123456789012345678901234567890", 123456789012345678901234567890.0, RunError::None},
        {us, u"0.393700787401575", 0.393700787401575, RunError::None},
        {german, u"12,5", 12.5, RunError::None},
        {german, u"1.000,5", 1000.5, RunError::None},
        {french, u"1 000,5", 1000.5, RunError::None},
        {french, u"1\u202F000,5", 1000.5, RunError::None},
        {swiss, u"1\u2019000.5", 1000.5, RunError::None},
        {swiss, u"1'000.5", 1000.5, RunError::None},
        {us, u"\uFF11\uFF12\uFF13", 123, RunError::None},
        {us, u"42\r\n", 42, RunError::None},
        {us, u"\u200E-2.5", -2.5, RunError::None},
        {swedish, u"\u22122,5", -2.5, RunError::None},
        {swedish, u"1\u202F234,5", 1234.5, RunError::None},
        {indian, u"12,34,567.891", 1234567.891, RunError::None},
        {us, u"123,456,789.5", 123456789.5, RunError::None},
        {german, u"123.456,5", 123456.5, RunError::None},
        {french, u"\u200F-\u200E12 345,5 \u200E", -12345.5, RunError::None},
        {bengali, u"\u09E7\u09E8,\u09E9\u09EA,\u09EB\u09EC\u09ED.\u09EE\u09EF\u09E7", 1234567.891,
         RunError::None},
        {arabic, u"\u0660\u066B\u0665", 0.5, RunError::None},
        {arabic, u"12.5", 12.5, RunError::None},
        {arabic, u"\u061C-\u0662\u066B\u0665", -2.5, RunError::None},
        {arabic, u"\u0661\u066B\u0665E-\u0660\u0667", 1.5e-7, RunError::None},
        {persian, u"\u200E\u2212\u06F2\u066B\u06F5", -2.5, RunError::None},
        {egyptOnWindows, u"\u0661\u066C\u0662\u0663\u0664\u066B\u0665", 1234.5,
         RunError::None},
        {adlam, u"\U0001E951\u2E41\U0001E952\U0001E953\U0001E954.\U0001E955", 1234.5, RunError::None},
        // failures
        {us, u"", 0, RunError::TypeMismatch},
        {us, u"abc", 0, RunError::TypeMismatch},
        {us, u"1,5", 0, RunError::TypeMismatch},
        {german, u"12.5", 0, RunError::TypeMismatch},
        {us, u"0,125", 0, RunError::TypeMismatch},
        {german, u"0.125", 0, RunError::TypeMismatch},
        {us, u"1234,567", 0, RunError::TypeMismatch},
        {german, u"1234.567", 0, RunError::TypeMismatch},
        {us, u"1,234E5", 0, RunError::TypeMismatch},
        // beyond the range of a double: large overflows, tiny reads as zero
        {us, u"1E+309", 0, RunError::Overflow},
        {us, u"-1E+309", 0, RunError::Overflow},
        {us, u"1E+99999999999999999999", 0, RunError::Overflow},
        {us, u".5E+999", 0, RunError::Overflow},
        {us, u"1E-400", 0, RunError::None},
        {us, u"1E-99999999999999999999", 0, RunError::None},
        {us, longInteger, 0, RunError::None},
        {us, longFraction, 0, RunError::None},
        {us, largeFraction, 0, RunError::Overflow},
        {us, farInteger, 0, RunError::Overflow},
        {us, farFraction, 0, RunError::None},
        {us, u"1.7976931348623157E+308", std::numeric_limits<double>::max(), RunError::None},
        {us, u"4.9406564584124654E-324", std::numeric_limits<double>::denorm_min(), RunError::None},
    };
    for (const auto& c : cases) {
        const Outcome<double> r = readStrict(c.text, c.settings);
        EXPECT_EQ(r.error, c.error) << "text: " << show(c.text);
        if (c.error == RunError::None) {
            EXPECT_EQ(r.value, c.value) << "text: " << show(c.text);
        }
    }
    // a tiny negative number keeps its sign
    EXPECT_TRUE(std::signbit(readStrict(u"-1E-400", us).value));
}

TEST(StrictReader, ReadsAVeryLongNumberCorrectlyRounded)
{
    // 0.1 followed by a long run of zeros and a 1 far beyond double precision
    std::u16string text = u"0.1" + std::u16string(5000, u'0') + u"1";
    EXPECT_EQ(readStrict(text, us).value, 0.1);
    std::u16string grouped = u"1";
    for (int i = 0; i < 200; ++i) grouped += u",000";
    EXPECT_EQ(readStrict(grouped, us).error, RunError::Overflow);
    // leading zeros of the fraction count against the exponent, one each
    EXPECT_EQ(readStrict(u"0." + std::u16string(400, u'0') + u"5E+710", us).error, RunError::Overflow);
    EXPECT_FALSE(isRejectedInput(grouped, us));
}

struct LenientCase {
    std::u16string_view text;
    double value;
};

TEST(LenientReader, ReadsWhatTheTextBeginsWithKnowingOnlyAPoint)
{
    const std::vector<LenientCase> cases{
        {u"12.5", 12.5},
        {u" 7 ", 7},
        {u"1,000", 1},
        {u"12abc", 12},
        {u"", 0},
        {u"abc", 0},
        {u"12,5", 12},
        {u"1 2 3", 123},
        {u" - 4 . 5", -4.5},
        {u"1\n2", 12},
        {u"2e3", 2000},
        {u"2E+3x", 2000},
        {u"2e", 2},
        {u"2e+", 2},
        {u"2ex", 2},
        {u".5", 0.5},
        {u"5.", 5},
        {u"-", 0},
        {u"1.2.3", 1.2},
        {u"48.33", 48.33},
        {std::u16string_view(u"123", 2), 12},  // a view that ends before its string
    };
    for (const auto& c : cases) {
        const Outcome<double> r = readLenient(c.text);
        EXPECT_TRUE(r.ok()) << "text: " << show(c.text);
        EXPECT_EQ(r.value, c.value) << "text: " << show(c.text);
    }
    EXPECT_EQ(readLenient(u"1e999").error, RunError::Overflow);
}

struct WriteCase {
    double value;
    std::u16string_view us;
    std::u16string_view german;
};

TEST(Writer, WritesFifteenSignificantDigitsInTheSettingsNotation)
{
    const std::vector<WriteCase> cases{
        {2.54, u"2.54", u"2,54"},
        {212, u"212", u"212"},
        {-273.15, u"-273.15", u"-273,15"},
        {1 / 2.54, u"0.393700787401575", u"0,393700787401575"},
        {48.33000000000004, u"48.33", u"48,33"},
        {0, u"0", u"0"},
        {-0.0, u"0", u"0"},
        {1000000, u"1000000", u"1000000"},
        {123456789012345, u"123456789012345", u"123456789012345"},
        {999999999999999, u"999999999999999", u"999999999999999"},
        {999999999999999.9, u"1E+15", u"1E+15"},
        {1e15, u"1E+15", u"1E+15"},
        {1234567890123456789.0, u"1.23456789012346E+18", u"1,23456789012346E+18"},
        {0.0001, u"0.0001", u"0,0001"},
        {0.00012345, u"0.00012345", u"0,00012345"},
        {0.00001, u"1E-05", u"1E-05"},
        {1e-10, u"1E-10", u"1E-10"},
        {1.5e-5, u"1.5E-05", u"1,5E-05"},
        {-1.5e-5, u"-1.5E-05", u"-1,5E-05"},
        {1e100, u"1E+100", u"1E+100"},
        {1e-100, u"1E-100", u"1E-100"},
        {std::numeric_limits<double>::max(), u"1.79769313486232E+308", u"1,79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324", u"4,94065645841247E-324"},
        {0.1 + 0.2, u"0.3", u"0,3"},
        {6.451600000025806, u"6.45160000002581", u"6,45160000002581"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberToText(c.value, us), c.us) << "value " << c.value;
        EXPECT_EQ(numberToText(c.value, german), c.german) << "value " << c.value;
        // grouping is never written
        EXPECT_EQ(numberToText(c.value, french), c.german) << "value " << c.value;
        EXPECT_EQ(numberToText(c.value, swiss), c.us) << "value " << c.value;
    }
}

struct ScriptWriteCase {
    NumberSettings settings;
    double value;
    std::u16string_view text;
};

TEST(Writer, WritesTheSettingsOwnDigitsAndAnAsciiMinus)
{
    const std::vector<ScriptWriteCase> cases{
        {arabic, 1.27, u"\u0661\u066B\u0662\u0667"},
        {persian, 1.27, u"\u06F1\u066B\u06F2\u06F7"},
        {persian, -2.5, u"-\u06F2\u066B\u06F5"},
        {persian, 0, u"\u06F0"},
        {NumberSettings{u'.', u',', 3, 2, U'\u0966'}, 1234567.891, u"\u0967\u0968\u0969\u096A\u096B\u096C\u096D.\u096E\u096F\u0967"},
        {arabic, 1.5e-7, u"\u0661\u066B\u0665E-\u0660\u0667"},
        {arabic, 2e100, u"\u0662E+\u0661\u0660\u0660"},
        {swedish, -2.5, u"-2,5"},
        {adlam, 0.05, u"\U0001E950.\U0001E950\U0001E955"},
        // what no conversion writes, as it stops at the check after each stage
        {us, std::numeric_limits<double>::quiet_NaN(), u"NaN"},
        {us, std::numeric_limits<double>::infinity(), u"Infinity"},
        {us, -std::numeric_limits<double>::infinity(), u"-Infinity"},
        // a zero that is no digit's falls back to the ASCII digits
        {NumberSettings{u'.', u',', 3, 3, U'x'}, 10.5, u"10.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberToText(c.value, c.settings), c.text) << "value " << c.value;
        if (std::isfinite(c.value)) {
            EXPECT_EQ(readStrict(c.text, c.settings).value, c.value) << "value " << c.value;
        }
    }
}

// The value rounded to 15 significant digits, computed apart from the writer.
Outcome<double> roundedTo15(double v)
{
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
    double r = 0;
    const auto [ptr, ec] = std::from_chars(buf, end, r);
    if (ec == std::errc::result_out_of_range) return {0, RunError::Overflow};
    return {r, RunError::None};
}

TEST(Writer, WhatItWritesReadsBackAsTheValueRoundedInEverySetting)
{
    const std::vector<double> values{
        0.5, 1.0 / 3, 2.0 / 3, -2.0 / 3, 1e14 + 0.5, 123.456, 1e-5, 9.99999999999999e-5, 0.3048, 6.02214076e23,
        1.7976931348623e308, 2.2250738585072014e-308, 5e-324, 80.33000000000001, 48.33000000000004};
    for (const NumberSettings s : {us, german, french, swiss, ungrouped, swedish, indian, arabic, persian, adlam}) {
        for (const double v : values) {
            const std::u16string text = numberToText(v, s);
            const Outcome<double> back = readStrict(text, s);
            ASSERT_TRUE(back.ok()) << "text: " << show(text);
            EXPECT_EQ(back.value, roundedTo15(v).value) << "text: " << show(text);
        }
    }
    // the largest double rounds above itself: reading that back is an overflow
    EXPECT_EQ(readStrict(numberToText(std::numeric_limits<double>::max(), us), us).error, RunError::Overflow);
}

TEST(RoundThroughText, RoundsToFifteenDigitsWhateverTheSettings)
{
    EXPECT_EQ(roundThroughText(48.33000000000004).value, 48.33);
    EXPECT_EQ(roundThroughText(-457.86999999999995).value, -457.87);
    EXPECT_EQ(roundThroughText(1e15 + 2).value, 1e15);
    EXPECT_EQ(roundThroughText(1.5e-5).value, 1.5e-5);
    EXPECT_EQ(roundThroughText(std::numeric_limits<double>::max()).error, RunError::Overflow);
}

TEST(FloatStatus, ANonFiniteStageResultIsAnError)
{
    EXPECT_EQ(checkFloatStatus(1.0), RunError::None);
    EXPECT_EQ(checkFloatStatus(std::numeric_limits<double>::max()), RunError::None);
    EXPECT_EQ(checkFloatStatus(std::numeric_limits<double>::infinity()), RunError::Overflow);
    EXPECT_EQ(checkFloatStatus(-std::numeric_limits<double>::infinity()), RunError::Overflow);
    EXPECT_EQ(checkFloatStatus(std::numeric_limits<double>::quiet_NaN()), RunError::InvalidOperation);
}

}  // namespace
}  // namespace mensora
