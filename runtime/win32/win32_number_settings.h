// The number settings of Windows' Region settings; no window is needed to
// read them.
#pragma once

#include <string>

#include "number_settings.h"

namespace mensora {

// What Windows' Region settings say of numbers, as GetLocaleInfoEx gives it.
struct WindowsNumberTexts {
    std::u16string decimal;       // the decimal mark
    std::u16string group;         // the group mark
    std::u16string grouping;      // the group sizes from the decimal mark on: "3;0", "3;2;0"
    std::u16string negativeSign;  // the minus sign
    std::u16string nativeDigits;  // the ten digits of the user's script
    bool nationalDigits = false;  // whether numbers are shown in those digits
};

NumberSettings numberSettingsFrom(const WindowsNumberTexts& texts);

// The number settings of the user's Region settings.
NumberSettings userNumberSettings();

}  // namespace mensora
