#include "locale_number_marks.h"

#include <string>

namespace mensora {

namespace {

// The text's characters, its direction marks left out.
std::u32string characters(std::u16string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        }
        if (!isDirectionMark(c)) out += c;
    }
    return out;
}

}  // namespace

NumberSettings numberSettingsOfMarks(const LocaleNumberMarks& marks)
{
    NumberSettings s;
    if (marks.decimal.size() == 1) s.decimal = marks.decimal.front();
    if (const std::u32string minus = characters(marks.minus); minus.size() == 1) s.minus = minus.front();
    const auto zeroOf = [](std::u16string_view text) {
        const std::u32string digits = characters(text);
        return digits.size() == 1 || digits.size() == 10 ? digits.front() : U'0';
    };
    s.zero = zeroOf(marks.digits);
    const auto arabicIndic = [](char32_t zero) { return zero == U'\u0660' || zero == U'\u06F0'; };
    s.arabicMarks = arabicIndic(s.zero) || arabicIndic(zeroOf(marks.ownDigits));
    if (marks.group.size() != 1 || marks.group.front() == s.decimal) {
        s.group = u'\0';
        return s;
    }
    s.group = marks.group.front();
    const auto fits = [](int size) { return size >= 1 && size <= 9; };
    if (fits(marks.groupSize) && fits(marks.groupRepeat)) {
        s.groupSize = static_cast<std::uint8_t>(marks.groupSize);
        s.groupRepeat = static_cast<std::uint8_t>(marks.groupRepeat);
    }
    return s;
}

}  // namespace mensora
