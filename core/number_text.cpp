#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <type_traits>

#include "decimal_rounding.h"

namespace mensora {

namespace {

// The zero of every script's decimal digits (Unicode 14, general category
// Nd); each script's other nine digits follow its zero.
constexpr std::array<char32_t, 66> digitZeros{
    0x30,    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,   0xC66,
    0xCE6,   0xD66,   0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,
    0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,
    0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0,
    0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60,
    0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0};

constexpr char32_t endOfText = 0xFFFFFFFF;

// A decimal digit: its value, and the zero of its script.
struct Digit {
    int value = -1;
    char32_t zero = 0;
};

constexpr Digit digitOf(char32_t c) noexcept
{
    if (c - U'0' < 10) return {static_cast<int>(c - U'0'), U'0'};
    if (c < digitZeros[1]) return {};
    const auto* z = std::upper_bound(digitZeros.begin(), digitZeros.end(), c) - 1;
    if (c - *z < 10) return {static_cast<int>(c - *z), *z};
    return {};
}

// Group marks that look alike: where the settings group with one, any of
// its look-alikes typed in its place is taken for it.
constexpr bool isSpaceLike(char32_t c) noexcept { return c == 0x20 || c == 0xA0 || c == 0x202F || c == 0x2009; }
constexpr bool isApostrophe(char32_t c) noexcept { return c == 0x2019 || c == 0x27; }

// The code point that starts at `at`, past any direction marks where
// skipMarks says so, and where it ends. A lone surrogate stands for itself.
struct CodePoint {
    char32_t c;
    std::size_t end;
};

constexpr CodePoint codePointAt(std::u16string_view text, std::size_t at, bool skipMarks = true) noexcept
{
    for (;;) {
        if (at >= text.size()) return {endOfText, at};
        const char16_t unit = text[at];
        if (unit < 0x80) return {unit, at + 1};
        char32_t c = unit;
        std::size_t end = at + 1;
        if (unit >= 0xD800 && unit <= 0xDBFF && end < text.size() && text[end] >= 0xDC00 && text[end] <= 0xDFFF) {
            c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[end] - 0xDC00);
            ++end;
        }
        if (!skipMarks || !isDirectionMark(c)) return {c, end};
        at = end;
    }
}

// The marks of a number in the settings' notation, look-alikes included.
class Notation {
public:
    explicit constexpr Notation(NumberSettings s) noexcept
        : decimal_(s.decimal),
          // the Arabic decimal mark has the point as its stand-in; it means
          // nothing else there
          pointIsDecimal_(s.decimal == u'\u066B' && s.group != u'.'),
          arabicMarks_(s.arabicMarks),
          group_(s.group == s.decimal ? u'\0' : s.group),
          minus_(s.minus)
    {
    }

    [[nodiscard]] constexpr bool isDecimal(char32_t c) const noexcept
    {
        return (c == decimal_ && decimal_ != u'\0') || (pointIsDecimal_ && c == U'.') ||
               (arabicMarks_ && c == U'\u066B');
    }

    [[nodiscard]] constexpr bool isGroup(char32_t c) const noexcept
    {
        if (group_ == u'\0' || isDecimal(c)) return false;
        if (arabicMarks_ && c == U'\u066C') return true;
        if (isSpaceLike(group_)) return isSpaceLike(c);
        if (isApostrophe(group_)) return isApostrophe(c);
        return c == group_;
    }

    // 0 for no sign, 1 for plus, -1 for minus
    [[nodiscard]] constexpr int sign(char32_t c) const noexcept
    {
        if (c == U'+') return 1;
        if (c == U'-' || c == 0x2212 || c == minus_) return -1;
        return 0;
    }

private:
    char16_t decimal_;
    bool pointIsDecimal_;
    bool arabicMarks_;
    char16_t group_;
    char32_t minus_;
};

// Adds to a count that only has to tell "small" from "very large".
constexpr long long saturatingAdd(long long a, long long b) noexcept
{
    constexpr long long cap = 1'000'000'000'000LL;
    const long long sum = a + b;
    return sum > cap ? cap : (sum < -cap ? -cap : sum);
}

// A number as the readers found it: whether it is one, its sign, and where
// its first significant digit stands, which tells an overflow from an
// underflow when std::from_chars finds it out of range.
struct Scanned {
    bool ok = false;
    bool negative = false;
    bool anyNonZero = false;
    long long magnitude = 0;  // decimal position of the first significant digit, plus the exponent
};

// Collects a number as its pieces are read, for both readers: the plain ASCII
// form that std::from_chars reads ("-12345.5e7", no grouping) goes to `emit`
// character by character, and the digits are counted on the way.
template <class Emit>
class NumberParts {
public:
    explicit NumberParts(Emit& emit) : emit_(emit) {}

    void sign(bool negative)
    {
        negative_ = negative;
        if (negative_) emit_('-');
    }

    void integerDigit(int d)
    {
        if (d != 0 || anyNonZero_) {
            anyNonZero_ = true;
            intSignificant_ = saturatingAdd(intSignificant_, 1);
        }
        emit_(static_cast<char>('0' + d));
        ++intDigits_;
    }

    void fractionDigit(int d)
    {
        if (fractionDigits_ == 0) emit_('.');  // std::from_chars reads ".5" too
        if (!anyNonZero_) {
            if (d == 0) {
                leadingFractionZeros_ = saturatingAdd(leadingFractionZeros_, 1);
            } else {
                anyNonZero_ = true;
            }
        }
        emit_(static_cast<char>('0' + d));
        ++fractionDigits_;
    }

    [[nodiscard]] bool hasDigits() const noexcept { return intDigits_ + fractionDigits_ > 0; }

    void exponentSign(bool negative)
    {
        emit_('e');
        exponentNegative_ = negative;
        if (exponentNegative_) emit_('-');
    }

    void exponentDigit(int d)
    {
        // never above the cap, so ten times the count still fits
        exponent_ = saturatingAdd(exponent_ * 10, d);
        emit_(static_cast<char>('0' + d));
    }

    [[nodiscard]] Scanned finish() const noexcept
    {
        const long long exponent = exponentNegative_ ? -exponent_ : exponent_;
        Scanned s;
        s.ok = true;
        s.negative = negative_;
        s.anyNonZero = anyNonZero_;
        s.magnitude = intSignificant_ > 0 ? saturatingAdd(intSignificant_, exponent)
                                          : saturatingAdd(-leadingFractionZeros_, exponent);
        return s;
    }

private:
    Emit& emit_;
    bool negative_ = false;
    bool anyNonZero_ = false;
    bool exponentNegative_ = false;
    std::size_t intDigits_ = 0;
    std::size_t fractionDigits_ = 0;
    long long intSignificant_ = 0;
    long long leadingFractionZeros_ = 0;
    long long exponent_ = 0;
};

constexpr bool isExponentMark(char32_t c) noexcept { return c == U'E' || c == U'e'; }

// The strict number grammar, in one pass over the text. The plain check
// passes a sink that keeps nothing.
template <class Emit>
Scanned scanNumber(std::u16string_view text, NumberSettings settings, Emit&& emit)
{
    NumberParts<std::remove_reference_t<Emit>> parts(emit);
    const Notation notation(settings);
    // Direction marks may stand around the number and beside its sign, never
    // between its digits and marks, where a box shows the digits around them
    // in another order: "1<U+200F>2<U+200F>3" shows as "132".
    bool skipMarks = true;
    CodePoint cp = codePointAt(text, 0);
    const auto advance = [&] { cp = codePointAt(text, cp.end, skipMarks); };

    // Every digit of one number comes from one script: a digit's value, -1
    // for no digit, -2 for a digit of another script.
    char32_t script = 0;
    const auto digit = [&script](char32_t c) {
        if (script != 0 && c - script < 10) return static_cast<int>(c - script);  // the script found so far
        const Digit d = digitOf(c);
        if (d.value < 0) return -1;
        if (script == 0) script = d.zero;
        return d.zero == script ? d.value : -2;
    };

    while (isSpaceAround(cp.c)) advance();
    if (const int sign = notation.sign(cp.c)) {
        parts.sign(sign < 0);
        advance();
    }

    skipMarks = false;

    // The integer part. With group marks it is groups c0, c1, ..., ck: the
    // last of groupSize digits, the others of groupRepeat, and c0 of one
    // digit up to the largest group, not starting with a zero. No one who
    // groups digits writes "1234,567" or "0,125", which are decimals where
    // the comma is the decimal mark: such a text is never read.
    const std::size_t largestGroup = std::max(settings.groupSize, settings.groupRepeat);
    std::size_t groupMarks = 0;
    std::size_t groupDigits = 0;
    bool startsWithZero = false;
    for (;;) {
        const int d = digit(cp.c);
        if (d == -2) return {};
        if (d >= 0) {
            if (groupMarks == 0 && groupDigits == 0) startsWithZero = d == 0;
            parts.integerDigit(d);
            ++groupDigits;
            advance();
            continue;
        }
        if (groupDigits == 0 || !notation.isGroup(cp.c)) break;
        // a group mark stands between digits; a space that no digit follows
        // is white space after the number
        const CodePoint next = codePointAt(text, cp.end, false);
        if (digitOf(next.c).value < 0) break;
        if (groupMarks == 0 ? startsWithZero || groupDigits > largestGroup : groupDigits != settings.groupRepeat) {
            return {};
        }
        ++groupMarks;
        groupDigits = 0;
        cp = next;
    }
    if (groupMarks > 0 && groupDigits != settings.groupSize) return {};

    if (notation.isDecimal(cp.c)) {
        advance();
        for (int d = digit(cp.c); d != -1; d = digit(cp.c)) {
            if (d == -2) return {};
            parts.fractionDigit(d);
            advance();
        }
    }
    if (!parts.hasDigits()) return {};

    if (isExponentMark(cp.c)) {
        // no one groups a number in exponent form, and "1,234E5" is 1.234E5
        // where the comma is the decimal mark
        if (groupMarks > 0) return {};
        advance();
        const int sign = notation.sign(cp.c);
        parts.exponentSign(sign < 0);
        if (sign != 0) advance();
        int d = digit(cp.c);
        if (d < 0) return {};
        for (; d != -1; d = digit(cp.c)) {
            if (d == -2) return {};
            parts.exponentDigit(d);
            advance();
        }
    }

    while (isSpaceAround(cp.c) || isDirectionMark(cp.c)) advance();
    if (cp.c != endOfText) return {};
    return parts.finish();
}

// Turns the ASCII form, which the readers always build whole, into a double;
// a form beyond the range of a double is an overflow when it is large and
// reads as a signed zero when it is tiny.
Outcome<double> fromAscii(const std::string& ascii, const Scanned& scanned)
{
    double value = 0.0;
    const auto ec = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value).ec;
    if (ec == std::errc::result_out_of_range) {
        if (scanned.anyNonZero && scanned.magnitude > 0) return {0.0, RunError::Overflow};
        return {scanned.negative ? -0.0 : 0.0, RunError::None};
    }
    return {value, RunError::None};
}

// Appends a code point as UTF-16.
void appendCodePoint(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

}  // namespace

bool isNumeric(std::u16string_view text, NumberSettings settings) noexcept
{
    return scanNumber(text, settings, [](char) {}).ok;
}

bool isRejectedInput(std::u16string_view text, NumberSettings settings) noexcept
{
    return !text.empty() && !isNumeric(text, settings);
}

Outcome<double> readStrict(std::u16string_view text, NumberSettings settings)
{
    std::string ascii;
    ascii.reserve(std::max<std::size_t>(64, text.size()));
    const Scanned scanned = scanNumber(text, settings, [&ascii](char c) { ascii.push_back(c); });
    if (!scanned.ok) return {0.0, RunError::TypeMismatch};
    return fromAscii(ascii, scanned);
}

Outcome<double> readLenient(std::u16string_view text) noexcept
{
    // Only the characters read so far count; blanks, tabs, line feeds and
    // carriage returns are passed over wherever they stand.
    const auto unitAt = [text](std::size_t at) { return at < text.size() ? text[at] : u'\0'; };
    const auto skipBlanks = [text](std::size_t at) {
        return std::min(text.find_first_not_of(u" \t\n\r", at), text.size());
    };
    const auto digitAt = [&](std::size_t at) { return unitAt(at) >= u'0' && unitAt(at) <= u'9'; };
    const auto signAt = [&](std::size_t at) { return unitAt(at) == u'+' || unitAt(at) == u'-'; };

    std::string ascii;
    const auto append = [&ascii](char c) { ascii.push_back(c); };
    NumberParts<decltype(append)> parts(append);

    std::size_t i = skipBlanks(0);
    if (signAt(i)) parts.sign(text[i++] == u'-');
    while (digitAt(i = skipBlanks(i))) parts.integerDigit(text[i++] - u'0');
    if (unitAt(i) == u'.') {
        ++i;
        while (digitAt(i = skipBlanks(i))) parts.fractionDigit(text[i++] - u'0');
    }
    if (!parts.hasDigits()) return {0.0, RunError::None};

    // An "E" counts only when digits follow it, after an optional sign.
    i = skipBlanks(i);
    if (isExponentMark(unitAt(i))) {
        std::size_t at = skipBlanks(i + 1);
        const bool negative = unitAt(at) == u'-';
        if (signAt(at)) ++at;
        at = skipBlanks(at);
        if (digitAt(at)) {
            parts.exponentSign(negative);
            while (digitAt(at = skipBlanks(at))) parts.exponentDigit(text[at++] - u'0');
        }
    }
    return fromAscii(ascii, parts.finish());
}

std::u16string numberToText(double value, NumberSettings settings)
{
    if (std::isnan(value)) return u"NaN";
    if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";

    // the settings' own digits, where their zero is one
    const char32_t zero = digitOf(settings.zero).value == 0 ? settings.zero : U'0';
    std::u16string out;
    out.reserve(24);
    const auto put = [&out, zero](char ascii) { appendCodePoint(out, zero + static_cast<char32_t>(ascii - '0')); };
    if (value == 0.0) {  // negative zero included
        put('0');
        return out;
    }

    const auto [negative, digits, exponent] = digits15(value);
    if (negative) out.push_back(u'-');
    if (exponent < -4 || exponent > 14) {
        put(digits[0]);
        if (digits.size() > 1) {
            out.push_back(settings.decimal);
            for (std::size_t k = 1; k < digits.size(); ++k) put(digits[k]);
        }
        out.push_back(u'E');
        out.push_back(exponent < 0 ? u'-' : u'+');
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) put('0');
        for (char c : std::to_string(magnitude)) put(c);
    } else if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        for (std::size_t k = 0; k < intDigits; ++k) put(k < digits.size() ? digits[k] : '0');
        if (digits.size() > intDigits) {
            out.push_back(settings.decimal);
            for (std::size_t k = intDigits; k < digits.size(); ++k) put(digits[k]);
        }
    } else {
        put('0');
        out.push_back(settings.decimal);
        for (int k = -1; k > exponent; --k) put('0');
        for (char c : digits) put(c);
    }
    return out;
}

Outcome<double> roundThroughText(double value)
{
    // Written in the lenient reader's own notation, so that the fraction
    // survives whatever the user's decimal separator is.
    return readLenient(numberToText(value, usSettings));
}

RunError checkFloatStatus(double stageResult) noexcept
{
    if (std::isnan(stageResult)) return RunError::InvalidOperation;
    if (std::isinf(stageResult)) return RunError::Overflow;
    return RunError::None;
}

}  // namespace mensora
