// Doubles rounded at a decimal digit, exactly and without any locale: the 15
// significant digits that the writer shows, and sums rounded where the larger
// operand's 15 digits end.
#pragma once

#include <string>

namespace mensora {

// A finite double rounded to 15 significant digits, correctly:
// d.dddddddddddddd times ten to the exponent; zero is the one digit 0.
struct Digits15 {
    bool negative = false;
    std::string digits;  // without trailing zeros, at least one
    int exponent = 0;    // the decimal exponent of the first digit
};
[[nodiscard]] Digits15 digits15(double value);

// The sum a + b without the operands' binary noise: rounded at the decimal
// place of the 15th significant digit of the larger operand in magnitude
// (10^-12 for 273.16 - 273.15), where the digits below are that noise. Every
// addition and subtraction of a formula goes through it; a sum that is not
// finite is returned as it is, for the check that follows the stage.
[[nodiscard]] double addWithoutNoise(double a, double b) noexcept;

}  // namespace mensora
