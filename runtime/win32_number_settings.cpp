#include "win32_number_settings.h"

#include <windows.h>

#include <array>

#include "locale_number_marks.h"

namespace mensora {

NumberSettings numberSettingsFrom(const WindowsNumberTexts& texts)
{
    // "3;0": groups of three; "3;2;0": three next to the decimal mark, then
    // twos; "0": no groups.
    std::array<int, 2> sizes{};
    std::size_t found = 0;
    int size = 0;
    for (const char16_t c : texts.grouping + u';') {
        if (c >= u'0' && c <= u'9') {
            size = size * 10 + (c - u'0');
        } else if (c == u';') {
            if (found < sizes.size()) sizes[found++] = size;
            size = 0;
        }
    }
    return numberSettingsOfMarks({texts.decimal, sizes[0] > 0 ? std::u16string_view(texts.group) : u"",
                                  texts.negativeSign, texts.nationalDigits ? std::u16string_view(texts.nativeDigits) : u"", sizes[0],
                                  sizes[1] > 0 ? sizes[1] : sizes[0]});
}

NumberSettings userNumberSettings()
{
    const auto text = [](LCTYPE type) {
        std::array<wchar_t, 80> buffer{};
        const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer.data(), static_cast<int>(buffer.size()));
        return length > 0 ? std::u16string(buffer.data(), buffer.data() + length - 1) : std::u16string();
    };
    return numberSettingsFrom({text(LOCALE_SDECIMAL), text(LOCALE_STHOUSAND), text(LOCALE_SGROUPING),
                               text(LOCALE_SNEGATIVESIGN), text(LOCALE_SNATIVEDIGITS),
                               text(LOCALE_IDIGITSUBSTITUTION) == u"2"});
}

}  // namespace mensora
