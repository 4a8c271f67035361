#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace mensora {

std::u16string_view describe(RunError error) noexcept
{
    switch (error) {
    case RunError::None:
        return u"";
    case RunError::TypeMismatch:
        return u"The input could not be read as a number.";
    case RunError::Overflow:
        return u"The number is too large: the conversion overflowed, so no result was written.";
    case RunError::InvalidOperation:
        return u"The calculation did not give a number, so no result was written.";
    case RunError::DivisionByZero:
        return u"The calculation divided by zero, so no result was written.";
    }
    return u"An unknown error stopped the conversion.";
}

namespace {

constexpr bool isDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }
constexpr bool isBlank(char16_t c) noexcept { return c == u' ' || c == u'\t'; }

// Group separators that look like a space: where the settings use one, a plain
// space typed in its place is taken for it.
constexpr bool isSpaceLike(char16_t c) noexcept
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

// Adds to a count that only has to tell "small" from "very large".
constexpr long long saturatingAdd(long long a, long long b) noexcept
{
    constexpr long long cap = 1'000'000'000'000LL;
    const long long sum = a + b;
    return sum > cap ? cap : (sum < -cap ? -cap : sum);
}

// A number taken apart by the grammar check: the plain ASCII form that
// std::from_chars reads ("-12345.5e7", no grouping), and where its first
// significant digit stands, which tells an overflow from an underflow.
struct Scanned {
    bool ok = false;
    bool negative = false;
    bool anyNonZero = false;
    long long magnitude = 0;  // decimal position of the first significant digit, plus the exponent
};

// The strict number grammar, in one pass: optional blanks, an optional sign,
// digits with optional grouping, at most one decimal separator, an optional
// exponent, optional blanks. `emit` receives the ASCII form character by
// character; the plain check passes a sink that keeps nothing.
template <class Emit>
Scanned scanNumber(std::u16string_view text, NumberSettings settings, Emit&& emit)
{
    Scanned result;
    const std::size_t n = text.size();
    std::size_t i = 0;
    const char16_t dec = settings.decimal;
    const char16_t grp = settings.group == settings.decimal ? u'\0' : settings.group;
    const bool spaceGroups = grp != u'\0' && isSpaceLike(grp);

    const auto isGroupAt = [&](std::size_t at) {
        if (at >= n || grp == u'\0') return false;
        const char16_t c = text[at];
        if (!(c == grp || (spaceGroups && c == u' '))) return false;
        // exactly three digits follow, and no fourth
        if (at + 3 >= n) return false;
        for (std::size_t k = 1; k <= 3; ++k) {
            if (!isDigit(text[at + k])) return false;
        }
        return at + 4 >= n || !isDigit(text[at + 4]);
    };

    while (i < n && isBlank(text[i])) ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        result.negative = text[i] == u'-';
        if (result.negative) emit('-');
        ++i;
    }

    // the integer part, with grouping between its digits
    std::size_t digits = 0;
    long long intSignificant = 0;
    for (;;) {
        if (i < n && isDigit(text[i])) {
            const char c = static_cast<char>(text[i]);
            if (c != '0' || result.anyNonZero) {
                result.anyNonZero = true;
                intSignificant = saturatingAdd(intSignificant, 1);
            }
            emit(c);
            ++digits;
            ++i;
        } else if (digits > 0 && isGroupAt(i)) {
            ++i;  // the three digits that follow are read as digits
        } else {
            break;
        }
    }
    long long leadingFractionZeros = 0;
    std::size_t fractionDigits = 0;
    if (i < n && dec != u'\0' && text[i] == dec) {
        ++i;
        bool pointEmitted = false;
        while (i < n && isDigit(text[i])) {
            if (!pointEmitted) {
                if (digits == 0) emit('0');
                emit('.');
                pointEmitted = true;
            }
            const char c = static_cast<char>(text[i]);
            if (!result.anyNonZero) {
                if (c == '0') {
                    leadingFractionZeros = saturatingAdd(leadingFractionZeros, 1);
                } else {
                    result.anyNonZero = true;
                }
            }
            emit(c);
            ++fractionDigits;
            ++i;
        }
    }
    if (digits + fractionDigits == 0) return result;

    long long exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        emit('e');
        bool expNegative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            expNegative = text[i] == u'-';
            if (expNegative) emit('-');
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i])) {
            exponent = saturatingAdd(exponent * (exponent < 100'000'000'000LL ? 10 : 1), text[i] - u'0');
            emit(static_cast<char>(text[i]));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) return result;
        if (expNegative) exponent = -exponent;
    }

    while (i < n && isBlank(text[i])) ++i;
    if (i != n) return result;

    result.ok = true;
    result.magnitude = intSignificant > 0 ? saturatingAdd(intSignificant, exponent)
                                          : saturatingAdd(-leadingFractionZeros, exponent);
    return result;
}

struct DiscardChars {
    void operator()(char) const noexcept {}
};

// Turns the ASCII form into a double; a form beyond the range of a double is
// an overflow when it is large and reads as a signed zero when it is tiny.
Outcome<double> fromAscii(const std::string& ascii, const Scanned& scanned)
{
    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (scanned.anyNonZero && scanned.magnitude > 0) return {0.0, RunError::Overflow};
        return {scanned.negative ? -0.0 : 0.0, RunError::None};
    }
    if (ec != std::errc{} || end != ascii.data() + ascii.size()) return {0.0, RunError::TypeMismatch};
    if (!std::isfinite(value)) return {0.0, RunError::Overflow};
    return {value, RunError::None};
}

}  // namespace

bool isNumeric(std::u16string_view text, NumberSettings settings) noexcept
{
    return scanNumber(text, settings, DiscardChars{}).ok;
}

bool isRejectedInput(std::u16string_view text, NumberSettings settings) noexcept
{
    return !text.empty() && !isNumeric(text, settings);
}

Outcome<double> readStrict(std::u16string_view text, NumberSettings settings)
{
    std::string ascii;
    if (text.size() <= 64) ascii.reserve(64); else ascii.reserve(text.size());
    const Scanned scanned = scanNumber(text, settings, [&ascii](char c) { ascii.push_back(c); });
    if (!scanned.ok) return {0.0, RunError::TypeMismatch};
    return fromAscii(ascii, scanned);
}

Outcome<double> readLenient(std::u16string_view text) noexcept
{
    // Only the characters read so far count; blanks, tabs and line feeds are
    // passed over wherever they stand.
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto skipBlanks = [&] {
        while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r')) ++i;
    };
    const auto digitAt = [&] {
        skipBlanks();
        return i < n && isDigit(text[i]);
    };

    std::string ascii;
    Scanned scanned;
    long long intSignificant = 0;
    long long leadingFractionZeros = 0;
    std::size_t mantissaDigits = 0;

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        scanned.negative = text[i] == u'-';
        if (scanned.negative) ascii.push_back('-');
        ++i;
    }
    while (digitAt()) {
        const char c = static_cast<char>(text[i++]);
        if (c != '0' || scanned.anyNonZero) {
            scanned.anyNonZero = true;
            intSignificant = saturatingAdd(intSignificant, 1);
        }
        ascii.push_back(c);
        ++mantissaDigits;
    }
    skipBlanks();
    if (i < n && text[i] == u'.') {
        ++i;
        bool pointEmitted = false;
        while (digitAt()) {
            if (!pointEmitted) {
                if (mantissaDigits == 0) ascii.push_back('0');
                ascii.push_back('.');
                pointEmitted = true;
            }
            const char c = static_cast<char>(text[i++]);
            if (!scanned.anyNonZero) {
                if (c == '0') leadingFractionZeros = saturatingAdd(leadingFractionZeros, 1);
                else scanned.anyNonZero = true;
            }
            ascii.push_back(c);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return {0.0, RunError::None};

    long long exponent = 0;
    skipBlanks();
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        const std::size_t mark = i;
        const std::size_t asciiMark = ascii.size();
        ++i;
        ascii.push_back('e');
        skipBlanks();
        bool expNegative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            expNegative = text[i] == u'-';
            if (expNegative) ascii.push_back('-');
            ++i;
        }
        std::size_t expDigits = 0;
        while (digitAt()) {
            exponent = saturatingAdd(exponent * (exponent < 100'000'000'000LL ? 10 : 1), text[i] - u'0');
            ascii.push_back(static_cast<char>(text[i++]));
            ++expDigits;
        }
        if (expDigits == 0) {
            // an "E" with no digits after it is not part of the number
            i = mark;
            ascii.resize(asciiMark);
            exponent = 0;
        } else if (expNegative) {
            exponent = -exponent;
        }
    }
    scanned.ok = true;
    scanned.magnitude = intSignificant > 0 ? saturatingAdd(intSignificant, exponent)
                                           : saturatingAdd(-leadingFractionZeros, exponent);
    return fromAscii(ascii, scanned);
}

std::u16string numberToText(double value, NumberSettings settings)
{
    if (std::isnan(value)) return u"NaN";
    if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
    if (value == 0.0) return u"0";  // negative zero included

    // 15 significant digits, correctly rounded: d.dddddddddddddde±x
    std::array<char, 40> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14);
    const std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));

    const bool negative = sci.front() == '-';
    const std::size_t ePos = sci.find('e');
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < ePos; ++k) {
        if (sci[k] != '.') digits.push_back(sci[k]);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);

    std::u16string out;
    out.reserve(24);
    if (negative) out.push_back(u'-');
    const auto put = [&out](char c) { out.push_back(static_cast<char16_t>(c)); };

    if (exponent < -4 || exponent > 14) {
        put(digits[0]);
        if (digits.size() > 1) {
            out.push_back(settings.decimal);
            for (std::size_t k = 1; k < digits.size(); ++k) put(digits[k]);
        }
        out.push_back(u'E');
        out.push_back(exponent < 0 ? u'-' : u'+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out.push_back(u'0');
        for (char c : std::to_string(magnitude)) put(c);
    } else if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        for (std::size_t k = 0; k < intDigits; ++k) put(k < digits.size() ? digits[k] : '0');
        if (digits.size() > intDigits) {
            out.push_back(settings.decimal);
            for (std::size_t k = intDigits; k < digits.size(); ++k) put(digits[k]);
        }
    } else {
        out.push_back(u'0');
        out.push_back(settings.decimal);
        for (int k = -1; k > exponent; --k) out.push_back(u'0');
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
