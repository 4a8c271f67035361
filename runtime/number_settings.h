// The user's regional number settings, as the runtime supplies them: a plain
// value that the number rules take as it is.
#pragma once

#include <cstdint>

namespace mensora {

struct NumberSettings {
    char16_t decimal = u'.';       // the decimal mark
    char16_t group = u',';         // the group mark; u'\0' where numbers are not grouped
    std::uint8_t groupSize = 3;    // digits in the group next to the decimal mark
    std::uint8_t groupRepeat = 3;  // digits in each group before it (2 in Indian grouping: 12,34,567)
    char32_t zero = U'0';          // the zero digit; the other digits follow it
    char32_t minus = U'-';         // the minus sign, without direction marks
    // Whether the Arabic decimal and group marks, U+066B and U+066C, are read
    // beside the marks above: where the user's own digits are Arabic-Indic,
    // whichever digits numbers are written with.
    bool arabicMarks = false;

    friend constexpr bool operator==(NumberSettings, NumberSettings) = default;
};

// US English: the program's own language, and the settings of every example.
inline constexpr NumberSettings usSettings{};

// Invisible marks that set the direction of the text around a number. Numbers
// copied from right-to-left text carry them, and a locale's minus sign may
// too; they mean nothing to the value.
constexpr bool isDirectionMark(char32_t c) noexcept { return c == 0x200E || c == 0x200F || c == 0x061C; }

// What may stand around a number: white space of any kind, line breaks and
// the invisible zero-width space and byte order mark.
constexpr bool isSpaceAround(char32_t c) noexcept
{
    switch (c) {
    case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x20: case 0x85: case 0xA0: case 0x1680:
    case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000: case 0x200B: case 0xFEFF:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}

// The line breaks among them: no number holds one.
constexpr bool isLineBreak(char32_t c) noexcept
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

}  // namespace mensora
