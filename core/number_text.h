// How texts and numbers meet: the input check, two readers, the writer and the
// round trip through text. Everything here is locale-free: the user's number
// settings arrive as a value, and digits are turned into doubles and back by
// std::from_chars / std::to_chars after the project's own grammar check.
#pragma once

#include <string>
#include <string_view>

#include "number_settings.h"
#include "run_error.h"

namespace mensora {

// A value or the reason there is none.
template <class T>
struct Outcome {
    T value{};
    RunError error = RunError::None;

    [[nodiscard]] constexpr bool ok() const noexcept { return error == RunError::None; }
};

// True when the whole text is a number as people write it in the settings'
// notation, and no text that people of another notation would mean as
// another number:
// - white space, line breaks, U+200B and U+FEFF may stand around it, and the
//   direction marks U+200E, U+200F and U+061C around it and beside its sign,
//   never between its digits and marks (a box would show those in another
//   order);
// - a sign first: "+", "-", U+2212 or the settings' own minus;
// - digits of any one script (the settings' own, ASCII, Arabic-Indic,
//   fullwidth, ...), never a mix in one number;
// - group marks between digits of the integer part, in the settings' group
//   sizes, where any space stands for a space-like mark and either apostrophe
//   for an apostrophe; the first group has one digit up to as many as the
//   largest group (three, in US and Indian grouping alike) and does not start
//   with a zero, so neither "1234,567" nor "0,125" is read: they are decimals
//   where the comma is the decimal mark;
// - one decimal mark (where it is U+066B, "." too), then an optional exponent
//   where the integer part is not grouped: "E" or "e", a sign, digits;
// - where the settings say so (arabicMarks), the Arabic decimal and group
//   marks U+066B and U+066C beside the settings' own.
// The empty text is not numeric.
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
// decimal exponent is below -4 or above 14. The digits are the settings' own,
// the decimal mark too; a negative value starts with the ASCII "-", which
// pastes anywhere. Negative zero is written "0".
[[nodiscard]] std::u16string numberToText(double value, NumberSettings settings);

// Writes the value and reads it back: rounds it to 15 significant digits,
// whatever the user's settings.
[[nodiscard]] Outcome<double> roundThroughText(double value);

// The check that follows every stage of arithmetic: an invalid operation or an
// overflow leaves a value that is not finite (the inputs always are).
[[nodiscard]] RunError checkFloatStatus(double stageResult) noexcept;

}  // namespace mensora
