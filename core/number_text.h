// How texts and numbers meet: the input check, two readers, the writer and the
// round trip through text. Everything here is locale-free: the user's number
// settings arrive as a value, and digits are turned into doubles and back by
// std::from_chars / std::to_chars after the project's own grammar check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mensora {

// The user's regional number settings. A group separator of u'\0' means the
// settings use no digit grouping.
struct NumberSettings {
    char16_t decimal = u'.';
    char16_t group = u',';

    friend constexpr bool operator==(NumberSettings, NumberSettings) = default;
};

// US English: the program's own language, and the settings of every example.
inline constexpr NumberSettings usSettings{u'.', u','};

// What can go wrong while reading or computing. Each is shown to the user as a
// message; none ends the program.
enum class RunError : std::uint8_t {
    None,
    TypeMismatch,      // a text that had to be a number is not one
    Overflow,          // a number or a result beyond the range of a double
    InvalidOperation,  // a result that is not a number
    DivisionByZero,
};

// A value or the reason there is none.
template <class T>
struct Outcome {
    T value{};
    RunError error = RunError::None;

    [[nodiscard]] constexpr bool ok() const noexcept { return error == RunError::None; }
};

// The plain-words message for a run-time error, as the message box shows it.
[[nodiscard]] std::u16string_view describe(RunError error) noexcept;

// True when the whole text, apart from blanks around it, is a number in the
// settings' notation. The empty text is not numeric.
[[nodiscard]] bool isNumeric(std::u16string_view text, NumberSettings settings) noexcept;

// True when the text must not be converted: not empty and not numeric.
[[nodiscard]] bool isRejectedInput(std::u16string_view text, NumberSettings settings) noexcept;

// Reads as much of a number as the text begins with, knowing only "." as the
// decimal separator; blanks, tabs, line feeds and carriage returns are skipped wherever they
// stand. A text with no digit reads as 0. Fails only on a number beyond the
// range of a double.
[[nodiscard]] Outcome<double> readLenient(std::u16string_view text) noexcept;

// Reads the whole text as a number in the settings' notation, digit grouping
// accepted. Fails with TypeMismatch on anything isNumeric refuses (the empty
// text included), and with Overflow on a number beyond the range of a double.
[[nodiscard]] Outcome<double> readStrict(std::u16string_view text, NumberSettings settings);

// Writes a finite double with at most 15 significant digits, rounded, no
// trailing zeros and no grouping; exponent form ("1E+15", "1.5E-05") where the
// decimal exponent is below -4 or above 14. Negative zero is written "0".
[[nodiscard]] std::u16string numberToText(double value, NumberSettings settings);

// Writes the value and reads it back: rounds it to 15 significant digits,
// whatever the user's settings.
[[nodiscard]] Outcome<double> roundThroughText(double value);

// The check that follows every stage of arithmetic: an invalid operation or an
// overflow leaves a value that is not finite (the inputs always are).
[[nodiscard]] RunError checkFloatStatus(double stageResult) noexcept;

}  // namespace mensora
