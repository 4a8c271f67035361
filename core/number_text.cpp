#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <type_traits>

namespace mensora {

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

    void sign(char16_t c)
    {
        negative_ = c == u'-';
        if (negative_) emit_('-');
    }

    void integerDigit(char16_t c)
    {
        if (c != u'0' || anyNonZero_) {
            anyNonZero_ = true;
            intSignificant_ = saturatingAdd(intSignificant_, 1);
        }
        emit_(static_cast<char>(c));
        ++intDigits_;
    }

    void fractionDigit(char16_t c)
    {
        if (fractionDigits_ == 0) {
            if (intDigits_ == 0) emit_('0');
            emit_('.');
        }
        if (!anyNonZero_) {
            if (c == u'0') {
                leadingFractionZeros_ = saturatingAdd(leadingFractionZeros_, 1);
            } else {
                anyNonZero_ = true;
            }
        }
        emit_(static_cast<char>(c));
        ++fractionDigits_;
    }

    [[nodiscard]] bool hasDigits() const noexcept { return intDigits_ + fractionDigits_ > 0; }

    void exponentSign(char16_t c)
    {
        emit_('e');
        exponentNegative_ = c == u'-';
        if (exponentNegative_) emit_('-');
    }

    void exponentDigit(char16_t c)
    {
        // past a hundred billion the exponent only has to stay very large
        exponent_ = saturatingAdd(exponent_ * (exponent_ < 100'000'000'000LL ? 10 : 1), c - u'0');
        emit_(static_cast<char>(c));
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

constexpr bool isSign(char16_t c) noexcept { return c == u'+' || c == u'-'; }
constexpr bool isExponentMark(char16_t c) noexcept { return c == u'E' || c == u'e'; }

// The strict number grammar, in one pass: optional blanks, an optional sign,
// digits with optional grouping, at most one decimal separator, an optional
// exponent, optional blanks. The plain check passes a sink that keeps nothing.
template <class Emit>
Scanned scanNumber(std::u16string_view text, NumberSettings settings, Emit&& emit)
{
    NumberParts<std::remove_reference_t<Emit>> parts(emit);
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
    if (i < n && isSign(text[i])) parts.sign(text[i++]);

    // the integer part, with grouping between its digits
    bool anyIntegerDigit = false;
    for (;;) {
        if (i < n && isDigit(text[i])) {
            parts.integerDigit(text[i++]);
            anyIntegerDigit = true;
        } else if (anyIntegerDigit && isGroupAt(i)) {
            ++i;  // the three digits that follow are read as digits
        } else {
            break;
        }
    }
    if (i < n && dec != u'\0' && text[i] == dec) {
        ++i;
        while (i < n && isDigit(text[i])) parts.fractionDigit(text[i++]);
    }
    if (!parts.hasDigits()) return {};

    if (i < n && isExponentMark(text[i])) {
        ++i;
        parts.exponentSign(i < n && isSign(text[i]) ? text[i++] : u'+');
        if (i >= n || !isDigit(text[i])) return {};
        while (i < n && isDigit(text[i])) parts.exponentDigit(text[i++]);
    }

    while (i < n && isBlank(text[i])) ++i;
    if (i != n) return {};
    return parts.finish();
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
    ascii.reserve(std::max<std::size_t>(64, text.size()));
    const Scanned scanned = scanNumber(text, settings, [&ascii](char c) { ascii.push_back(c); });
    if (!scanned.ok) return {0.0, RunError::TypeMismatch};
    return fromAscii(ascii, scanned);
}

Outcome<double> readLenient(std::u16string_view text) noexcept
{
    // Only the characters read so far count; blanks, tabs, line feeds and
    // carriage returns are passed over wherever they stand.
    const std::size_t n = text.size();
    const auto skipBlanks = [&](std::size_t at) {
        while (at < n && (text[at] == u' ' || text[at] == u'\t' || text[at] == u'\n' || text[at] == u'\r')) ++at;
        return at;
    };
    const auto digitAt = [&](std::size_t at) { return at < n && isDigit(text[at]); };

    std::string ascii;
    const auto append = [&ascii](char c) { ascii.push_back(c); };
    NumberParts<decltype(append)> parts(append);

    std::size_t i = skipBlanks(0);
    if (i < n && isSign(text[i])) parts.sign(text[i++]);
    while (digitAt(i = skipBlanks(i))) parts.integerDigit(text[i++]);
    if (i < n && text[i] == u'.') {
        ++i;
        while (digitAt(i = skipBlanks(i))) parts.fractionDigit(text[i++]);
    }
    if (!parts.hasDigits()) return {0.0, RunError::None};

    // An "E" counts only when digits follow it, after an optional sign.
    i = skipBlanks(i);
    if (i < n && isExponentMark(text[i])) {
        std::size_t at = skipBlanks(i + 1);
        const char16_t sign = at < n && isSign(text[at]) ? text[at++] : u'+';
        at = skipBlanks(at);
        if (digitAt(at)) {
            parts.exponentSign(sign);
            while (digitAt(at = skipBlanks(at))) parts.exponentDigit(text[at++]);
        }
    }
    return fromAscii(ascii, parts.finish());
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
