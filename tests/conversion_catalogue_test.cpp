#include "conversion_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "catalogue_table.h"
#include "convert_command.h"
#include "decimal_rounding.h"
#include "test_support.h"

namespace mensora {
namespace {

using namespace mensora::testing;

TEST(Catalogue, ListsEachCategoryInOrder)
{
    for (const auto& [category, captions] : listedCaptions) {
        const auto entries = entriesOf(category);
        ASSERT_EQ(entries.size(), captions.size());
        for (std::size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(entries[i].caption, captions[i]);
    }
}

TEST(Catalogue, EveryCaptionNamesTwoUnitsAroundOneSeparator)
{
    std::set<std::u16string_view> seen;
    for (const Entry& e : allEntries()) {
        EXPECT_TRUE(seen.insert(e.caption).second) << "duplicate caption " << show(e.caption);
        const auto first = e.caption.find(u" to ");
        ASSERT_NE(first, std::u16string_view::npos);
        EXPECT_EQ(e.caption.find(u" to ", first + 1), std::u16string_view::npos);
        const UnitNames units = splitCaption(e.caption);
        EXPECT_FALSE(units.source.empty());
        EXPECT_FALSE(units.target.empty());
    }
    EXPECT_EQ(seen.size(), 24U);
}

TEST(Catalogue, SplitsCaptionsIntoUnitNames)
{
    const UnitNames a = splitCaption(u"Fahrenheit to Centigrade (Celsius)");
    EXPECT_EQ(a.source, u"Fahrenheit");
    EXPECT_EQ(a.target, u"Centigrade (Celsius)");
    const UnitNames b = splitCaption(u"Square Metres to Acres");
    EXPECT_EQ(b.source, u"Square Metres");
    EXPECT_EQ(b.target, u"Acres");
    // the separator is case-sensitive and needs its blanks
    EXPECT_EQ(splitCaption(u"Toes To Feet").target, u"");
    EXPECT_EQ(splitCaption(u"Potato").source, u"Potato");
}

TEST(Catalogue, FindsEntriesByCategoryAndIndex)
{
    EXPECT_EQ(findEntry(Category::Temperature, 4)->caption, u"Kelvin to Fahrenheit");
    EXPECT_EQ(findEntry(Category::Weight, 3)->caption, u"Grams to Ounces");
    EXPECT_EQ(findEntry(Category::Distance, -1), nullptr);
    EXPECT_EQ(findEntry(Category::Volume, 4), nullptr);
    EXPECT_EQ(findEntry(Category::Area, 4), nullptr);
    EXPECT_NE(findEntry(Category::Distance, 5), nullptr);
    EXPECT_EQ(findEntry(Category::Distance, 6), nullptr);
    EXPECT_EQ(findEntry(Category::Weight, 32767), nullptr);
}

const Entry& byCaption(std::u16string_view caption)
{
    for (const Entry& e : allEntries()) {
        if (e.caption == caption) return e;
    }
    throw std::invalid_argument("no such entry");
}

struct ConversionCase {
    std::u16string_view caption;
    std::u16string_view input;
    std::u16string_view output;
};

// Expected results were worked out apart from this code, with the formulas
// applied in double precision and the results written to 15 digits.
TEST(Conversions, EveryEntryGivesItsResultAsText)
{
    const std::vector<ConversionCase> cases{
        {u"Centimeters to Inches", u"1", u"0.393700787401575"},
        {u"Centimeters to Inches", u"123.456", u"48.6047244094488"},
        {u"Inches to Centimeters", u"1", u"2.54"},
        {u"Inches to Centimeters", u"-7.5", u"-19.05"},
        {u"Feet to Meters", u"1", u"0.3048"},
        {u"Feet to Meters", u"1000", u"304.8"},
        {u"Meters to Feet", u"1", u"3.28083989501312"},
        {u"Meters to Feet", u"0.3048", u"1"},
        {u"Miles to Kilometers", u"1", u"1.6093"},
        {u"Miles to Kilometers", u"26.2", u"42.16366"},
        {u"Kilometers to Miles", u"1", u"0.621388181196794"},
        {u"Kilometers to Miles", u"42.195", u"26.2194743055987"},
        {u"Cubic Centimeters to Cubic Inches", u"1", u"0.0610237440947323"},
        {u"Cubic Centimeters to Cubic Inches", u"1000", u"61.0237440947323"},
        {u"Cubic Inches to Cubic Centimeters", u"1", u"16.387064"},
        {u"Cubic Inches to Cubic Centimeters", u"0.001", u"0.016387064"},
        {u"Litres to Pints", u"1", u"1.7597539863927"},
        {u"Litres to Pints", u"3.5", u"6.15913895237446"},
        {u"Pints to Litres", u"1", u"0.56826125"},
        {u"Pints to Litres", u"8", u"4.54609"},
        {u"Centigrade (Celsius) to Fahrenheit", u"100", u"212"},
        {u"Centigrade (Celsius) to Fahrenheit", u"-40", u"-40"},
        {u"Centigrade (Celsius) to Fahrenheit", u"37.5", u"99.5"},
        {u"Fahrenheit to Centigrade (Celsius)", u"212", u"100"},
        {u"Fahrenheit to Centigrade (Celsius)", u"-40", u"-40"},
        {u"Fahrenheit to Centigrade (Celsius)", u"98.6", u"37"},
        {u"Centigrade (Celsius) to Kelvin", u"0", u"273.15"},
        {u"Centigrade (Celsius) to Kelvin", u"-273.15", u"0"},
        {u"Kelvin to Centigrade (Celsius)", u"0", u"-273.15"},
        {u"Kelvin to Centigrade (Celsius)", u"300", u"26.85"},
        {u"Kelvin to Fahrenheit", u"300", u"80.33"},
        {u"Kelvin to Fahrenheit", u"0", u"-459.67"},
        {u"Kelvin to Fahrenheit", u"0.001", u"-459.6682"},
        // the factor 0.5555 is used as it stands
        {u"Fahrenheit to Kelvin", u"212", u"373.14"},
        {u"Fahrenheit to Kelvin", u"32", u"273.15"},
        {u"Fahrenheit to Kelvin", u"-459.67", u"0.027315"},
        {u"Square Centimeters to Square Inches", u"1", u"0.15500031"},
        {u"Square Centimeters to Square Inches", u"1000000", u"155000.31"},
        {u"Square Inches to Square Centimeters", u"1", u"6.45160000002581"},
        {u"Square Inches to Square Centimeters", u"1E-06", u"6.45160000002581E-06"},
        {u"Acres to Square Meters", u"1", u"4046.873"},
        {u"Acres to Square Meters", u"640", u"2589998.72"},
        {u"Square Metres to Acres", u"1", u"0.000247104369225325"},
        {u"Square Metres to Acres", u"10000", u"2.47104369225325"},
        {u"Pounds to Kilograms", u"1", u"0.452488687782805"},
        {u"Pounds to Kilograms", u"150", u"67.8733031674208"},
        {u"Kilograms to Pounds", u"1", u"2.21"},
        {u"Kilograms to Pounds", u"0.5", u"1.105"},
        {u"Ounces to Grams", u"1", u"28.349"},
        {u"Ounces to Grams", u"16", u"453.584"},
        {u"Grams to Ounces", u"1", u"0.0352746128611238"},
        {u"Grams to Ounces", u"453.59237", u"16.0002952485096"},
        // grouped input reads as one number in every entry
        {u"Inches to Centimeters", u"1,000", u"2540"},
        {u"Centigrade (Celsius) to Fahrenheit", u"1,000", u"1832"},
        {u"Acres to Square Meters", u"1,000,000", u"4046873000"},
        // an empty input reads as 0, in the two-stage entries too
        {u"Miles to Kilometers", u"", u"0"},
        {u"Centigrade (Celsius) to Kelvin", u"", u"273.15"},
        {u"Centigrade (Celsius) to Fahrenheit", u"", u"32"},
        {u"Fahrenheit to Centigrade (Celsius)", u"", u"-17.7777777777778"},
        {u"Kelvin to Fahrenheit", u"", u"-459.67"},
        {u"Fahrenheit to Kelvin", u"", u"255.374"},
        // a sum is rounded at the 15th digit of its larger operand, so the
        // operands' binary noise never shows
        {u"Fahrenheit to Centigrade (Celsius)", u"33.8", u"1"},
        {u"Centigrade (Celsius) to Kelvin", u"-273", u"0.15"},
        {u"Kelvin to Centigrade (Celsius)", u"273.16", u"0.01"},
        {u"Centigrade (Celsius) to Fahrenheit", u"-17.7", u"0.14"},
        {u"Kelvin to Fahrenheit", u"255.37", u"-0.004"},
        {u"Kelvin to Centigrade (Celsius)", u"273.1499999999999", u"0"},
        {u"Kelvin to Centigrade (Celsius)", u"273.14999999999", u"-1E-11"},
        // at every magnitude: the place of a huge operand is far left of the point
        {u"Kelvin to Centigrade (Celsius)", u"1.5E+300", u"1.5E+300"},
        {u"Centigrade (Celsius) to Kelvin", u"-1.79E+308", u"-1.79E+308"},
        {u"Centigrade (Celsius) to Kelvin", u"1E-300", u"273.15"},
        // exponent form on the way in and out
        {u"Inches to Centimeters", u"1E+15", u"2.54E+15"},
        {u"Centimeters to Inches", u"1e-5", u"3.93700787401575E-06"},
    };
    std::set<std::u16string_view> covered;
    for (const auto& c : cases) {
        const Outcome<std::u16string> r = convertText(byCaption(c.caption), c.input, us);
        EXPECT_TRUE(r.ok()) << show(c.caption) << " / " << show(c.input);
        EXPECT_EQ(r.value, c.output) << show(c.caption) << " / " << show(c.input);
        covered.insert(c.caption);
    }
    EXPECT_EQ(covered.size(), 24U) << "every conversion is covered";
}

struct SumCase {
    double a, b, sum;
};

// The rounding on its own, also where no entry reaches: ties, and
// cancellations between huge operands, whose place lies left of the point.
TEST(Conversions, SumsAreRoundedAtTheLargerOperandsLastDigit)
{
    const std::vector<SumCase> cases{
        {0.1, 0.2, 0.3},
        {1, -0.9, 0.1},  // a larger operand of exactly 1: place 10^-14
        {1e15 + 15, -1e15, 20},       // place 10^1: 15 is a tie, to even
        {1e15 + 25.125, -1e15, 30},   // one rounding of the exact 25.125, not 25 then a tie
        {1e15 + 5, -1e15, 0},         // half of 10^1, to even
        {1e15 + 5.125, -1e15, 10},
        {-1e15 - 5.125, 1e15, -10},
        {1e20 + 983040, -1e20, 1e6},  // below the place 10^6: the nearer of 0 and 10^6
        {-1e20 - 409600, 1e20, -0.0},
        {1.7976931348623157e308, -1e300, 1.79769312486232e308},  // place 10^294
        {99999999999999.9, 0.02, 99999999999999.9},  // place 10^-1, just below 10^14
        {9.999999999999996, -4e-15, 10},  // the larger written with 15 digits is 10: place 10^-13
        {1e15, 0.3, 1e15},  // place 10^1
        {68.68094810614035, -32, 36.6809481061403},  // scaled to its 15th digit it rounds to a half: the digits decide
    };
    for (const auto& c : cases) {
        const double sum = addWithoutNoise(c.a, c.b);
        EXPECT_EQ(sum, c.sum) << c.a << " + " << c.b;
        EXPECT_EQ(std::signbit(sum), std::signbit(c.sum)) << c.a << " + " << c.b;
    }
}

// The sum rounded at the larger operand's 15th digit by printf's exact
// decimal conversions, for operands below 10^15.
double referenceSum(double a, double b)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.14e", std::fmax(std::fabs(a), std::fabs(b)));
    const int decimals = 14 - std::atoi(std::strchr(buf, 'e') + 1);
    std::snprintf(buf, sizeof buf, "%.*f", decimals, a + b);
    return std::strtod(buf, nullptr);
}

TEST(Conversions, SumsAreRoundedLikeTheirDecimalDigits)
{
    // operands of every size a formula meets, with the constants among them
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 14);
    const double constants[] = {32, -32, 273.15, -273.15};
    for (int i = 0; i < 200'000; ++i) {
        const double a = mantissa(rng) * std::pow(10.0, exponent(rng));
        const double b = i % 2 ? constants[i / 2 % 4] : mantissa(rng) * std::pow(10.0, exponent(rng));
        if (std::fmax(std::fabs(a), std::fabs(b)) >= 1e15) continue;
        const double sum = addWithoutNoise(a, b);
        const double expected = referenceSum(a, b);
        ASSERT_EQ(sum, expected) << std::hexfloat << a << " + " << b;
        ASSERT_EQ(std::signbit(sum), std::signbit(expected)) << std::hexfloat << a << " + " << b;
    }
}

struct DigitsCase {
    double value;
    bool negative;
    std::string_view digits;
    int exponent;
};

// The 15 digits the writer and the sums' rounding take: never none, not even
// for zero, and rounded up into the next power where the 16th says so.
TEST(Conversions, Digits15KeepsAtLeastOneDigit)
{
    const std::vector<DigitsCase> cases{
        {0.0, false, "0", 0},
        {-1234.5, true, "12345", 3},
        {9.999999999999998, false, "1", 1},
        {5e-324, false, "494065645841247", -324},
    };
    for (const auto& c : cases) {
        const Digits15 d = digits15(c.value);
        EXPECT_EQ(std::tuple(d.negative, d.digits, d.exponent), std::tuple(c.negative, c.digits, c.exponent)) << c.value;
    }
}

struct LocaleCase {
    NumberSettings settings;
    std::u16string_view caption;
    std::u16string_view input;
    std::u16string_view output;
};

TEST(Conversions, FollowTheUserNumberSettings)
{
    const std::vector<LocaleCase> cases{
        {german, u"Inches to Centimeters", u"12,5", u"31,75"},
        {german, u"Inches to Centimeters", u"1.000", u"2540"},
        {german, u"Kelvin to Fahrenheit", u"300", u"80,33"},
        {german, u"Fahrenheit to Centigrade (Celsius)", u"98,6", u"37"},
        {german, u"Centimeters to Inches", u"1", u"0,393700787401575"},
        {french, u"Kelvin to Fahrenheit", u"300", u"80,33"},
        {french, u"Feet to Meters", u"1\u202F000", u"304,8"},
        {french, u"Feet to Meters", u"1 000,5", u"304,9524"},
        {swiss, u"Feet to Meters", u"1\u2019000.5", u"304.9524"},
        {swiss, u"Kelvin to Fahrenheit", u"300", u"80.33"},
        {arabic, u"Inches to Centimeters", u"\u0661\u0662\u066B\u0665", u"\u0663\u0661\u066B\u0667\u0665"},
        {persian, u"Kelvin to Fahrenheit", u"\u06F3\u06F0\u06F0", u"\u06F8\u06F0\u066B\u06F3\u06F3"},
        {indian, u"Acres to Square Meters", u"1,00,000", u"404687300"},
    };
    for (const auto& c : cases) {
        const Outcome<std::u16string> r = convertText(byCaption(c.caption), c.input, c.settings);
        EXPECT_TRUE(r.ok()) << show(c.caption) << " / " << show(c.input);
        EXPECT_EQ(r.value, c.output) << show(c.caption) << " / " << show(c.input);
    }
}

struct ErrorCase {
    std::u16string_view caption;
    std::u16string_view input;
    RunError error;
};

TEST(Conversions, ReportOverflowInsteadOfWritingInfinity)
{
    const std::vector<ErrorCase> cases{
        {u"Inches to Centimeters", u"1E+308", RunError::Overflow},
        {u"Centimeters to Inches", u"1E+308", RunError::None},
        {u"Meters to Feet", u"1.7E+308", RunError::Overflow},
        {u"Centigrade (Celsius) to Fahrenheit", u"1E+308", RunError::Overflow},
        {u"Centigrade (Celsius) to Fahrenheit", u"-1E+308", RunError::Overflow},
        {u"Fahrenheit to Centigrade (Celsius)", u"1E+308", RunError::Overflow},
        {u"Kelvin to Fahrenheit", u"1E+308", RunError::Overflow},
        {u"Kelvin to Fahrenheit", u"1E+307", RunError::None},
        {u"Fahrenheit to Kelvin", u"1.79E+308", RunError::None},
        // the sum rounded to 15 digits goes past the largest double
        {u"Centigrade (Celsius) to Kelvin", u"1.7976931348623157E+308", RunError::Overflow},
        {u"Kelvin to Centigrade (Celsius)", u"-1.7976931348623157E+308", RunError::Overflow},
        {u"Miles to Kilometers", u"1E+400", RunError::Overflow},
        {u"Pounds to Kilograms", u"1E-400", RunError::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertText(byCaption(c.caption), c.input, us).error, c.error)
            << show(c.caption) << " / " << show(c.input);
    }
}

}  // namespace
}  // namespace mensora
