// A locale's number marks as its platform gives them, and the number settings
// that every host makes of them, so that the hosts read a locale alike.
#pragma once

#include <string_view>

#include "number_settings.h"

namespace mensora {

struct LocaleNumberMarks {
    std::u16string_view decimal;  // the decimal mark
    std::u16string_view group;    // the group mark; empty where digits are not grouped
    std::u16string_view minus;    // the minus sign, direction marks and all
    std::u16string_view digits;   // the zero digit, or the ten digits from zero on; empty for 0 to 9
    int groupSize = 3;            // digits in the group next to the decimal mark
    int groupRepeat = 3;          // digits in each group before it
    // The user's own digits where numbers are written in others (0 to 9 in
    // an English window, say): the zero or the ten digits; empty for none.
    std::u16string_view ownDigits = {};
};

// The settings the number rules take from a locale's marks:
// - a decimal mark is one character, else "." stands;
// - the minus sign is one character once its direction marks are left out,
//   else "-" stands;
// - the digits are read as characters, not as UTF-16 units, so that a zero
//   beyond the BMP is one digit;
// - digits are grouped only by a group mark of one character that is not the
//   decimal mark, and in groups of 1 to 9 digits; other sizes leave groups of
//   three;
// - where the digits, or the user's own, are Arabic-Indic, the Arabic decimal
//   and group marks are read beside the locale's own.
[[nodiscard]] NumberSettings numberSettingsOfMarks(const LocaleNumberMarks& marks);

}  // namespace mensora
