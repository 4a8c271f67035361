#include "decimal_rounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace mensora {

namespace {

// Reads back `value` rounded and written by std::to_chars. The text is beyond
// the largest double only where the rounding went up past it: that is an
// overflow, which the check after the stage reports.
double readBack(const char* first, const char* last, double value) noexcept
{
    double rounded = 0.0;
    if (std::from_chars(first, last, rounded).ec == std::errc::result_out_of_range) {
        return std::copysign(std::fabs(value) >= 1.0 ? HUGE_VAL : 0.0, value);
    }
    return rounded;
}

// Rounds a finite value at the decimal place 10^place, in one rounding of its
// exact binary value, half to even as std::to_chars rounds. A value that
// rounds to zero keeps its sign. The buffer holds any double written out in
// full with four decimals, or below 10^16 with every decimal a double has.
double roundAtPlace(double value, int place) noexcept
{
    std::array<char, 400> buf{};
    char* const first = buf.data();
    char* const last = buf.data() + buf.size();

    // At or right of the decimal point: that many decimals. The values that
    // come here are below 10^16, so the text has at most 16 + 338 digits.
    if (place <= 0) {
        return readBack(first, std::to_chars(first, last, value, std::chars_format::fixed, -place).ptr, value);
    }

    // Left of it: the exact decimal text of the value tells how many of its
    // digits stand at or above 10^place, and scientific notation with that
    // many rounds it. The larger operand of such a sum is 10^15 or more, so
    // the sum is a multiple of 2^-4 and four decimals write it exactly.
    const auto exact = std::to_chars(first, last, std::fabs(value), std::chars_format::fixed, 4);
    const std::string_view digits(first, static_cast<std::size_t>(exact.ptr - first));
    const int integerDigits = digits.front() == '0' ? 0 : static_cast<int>(digits.find('.'));
    const int kept = integerDigits - place;
    if (kept > 0) {
        return readBack(first, std::to_chars(first, last, value, std::chars_format::scientific, kept - 1).ptr, value);
    }
    // Below 10^place: 0 or 10^place, whichever is nearer, 0 on a tie.
    const bool overHalf = kept == 0 && (digits.front() > '5' ||
                                        (digits.front() == '5' &&
                                         digits.find_first_not_of("0.", 1) != std::string_view::npos));
    if (!overHalf) return std::copysign(0.0, value);
    buf[0] = '1';
    buf[1] = 'e';
    const auto res = std::to_chars(first + 2, last, place);
    return std::copysign(readBack(first, res.ptr, value), value);
}

// The powers of ten that a double holds exactly, as far as the shortcut needs.
constexpr std::array<double, 15> powersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14};

// The same rounding as roundAtPlace, without writing the sum out, for the
// common case of a larger operand from 1 to below 10^15 (the constants of
// the formulas are among the operands, so that is nearly every sum). The sum
// scaled to its 15th digit is below 2^51, so it is a multiple of a unit in
// its last place of at most a quarter, as a half is, and off by at most half
// that unit: its nearest integer is the right one unless it lies on a half.
// Then that integer divided by the exact power of ten is the double that the
// decimal digits read as. Nothing where it cannot tell.
std::optional<double> roundedInBinary(double sum, double larger) noexcept
{
    if (!(larger >= 1.0 && larger < 1e15)) return std::nullopt;
    // the decimal exponent of the larger operand, from 0 to 14
    const auto e = static_cast<std::size_t>(
        std::upper_bound(powersOfTen.begin(), powersOfTen.end(), larger) - powersOfTen.begin() - 1);
    // where 15 digits round the larger operand up to the next power of ten
    if (larger >= 9.99999999999999 * powersOfTen.at(e)) return std::nullopt;
    const double scale = powersOfTen.at(14 - e);
    const double scaled = sum * scale;
    const double whole = std::nearbyint(scaled);
    if (std::fabs(scaled - whole) >= 0.5) return std::nullopt;
    return whole / scale;
}

}  // namespace

Digits15 digits15(double value)
{
    // d.dddddddddddddde±x, correctly rounded
    std::array<char, 32> buf{};
    const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14).ptr;
    Digits15 d;
    const char* c = buf.data();
    d.negative = *c == '-';
    if (d.negative) ++c;
    for (; *c != 'e'; ++c) {
        if (*c != '.') d.digits.push_back(*c);
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    const bool negativeExponent = c[1] == '-';
    for (c += 2; c != end; ++c) d.exponent = d.exponent * 10 + (*c - '0');
    if (negativeExponent) d.exponent = -d.exponent;
    return d;
}

double addWithoutNoise(double a, double b) noexcept
{
    const double sum = a + b;
    const double larger = std::fmax(std::fabs(a), std::fabs(b));
    if (!std::isfinite(sum) || larger == 0.0) return sum;
    if (const auto quick = roundedInBinary(sum, larger)) return *quick;
    return roundAtPlace(sum, digits15(larger).exponent - 14);
}

}  // namespace mensora
