#include "win32_number_settings.h"

#include <windows.h>

#include <array>
#include <cstdio>

#include "locale_number_marks.h"

namespace mensora {

NumberSettings numberSettingsFrom(const WindowsNumberTexts& texts)
{
    // "3;0": groups of three; "3;2;0": three next to the decimal mark, then
    // twos; "0": no groups.
    int size = 0;
    int repeat = 0;
    swscanf(reinterpret_cast<const wchar_t*>(texts.grouping.c_str()), L"%d;%d", &size, &repeat);
    const std::u16string_view digits = texts.nationalDigits ? texts.nativeDigits : std::u16string_view();
    return numberSettingsOfMarks({texts.decimal, size > 0 ? std::u16string_view(texts.group) : u"", texts.negativeSign,
                                  digits, size, repeat > 0 ? repeat : size, texts.nativeDigits});
}

NumberSettings userNumberSettings()
{
    const auto text = [](LCTYPE type) {
        std::array<wchar_t, 80> buffer{};
        const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer.data(), 80);
        return length > 0 ? std::u16string(buffer.data(), buffer.data() + length - 1) : std::u16string();
    };
    return numberSettingsFrom({text(LOCALE_SDECIMAL), text(LOCALE_STHOUSAND), text(LOCALE_SGROUPING),
                               text(LOCALE_SNEGATIVESIGN), text(LOCALE_SNATIVEDIGITS),
                               text(LOCALE_IDIGITSUBSTITUTION) == u"2"});
}

}  // namespace mensora
