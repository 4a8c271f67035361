// The user's regional number settings, as the runtime supplies them: a plain
// value that the number rules take as it is.
#pragma once

namespace mensora {

// A group separator of u'\0' means the settings use no digit grouping.
struct NumberSettings {
    char16_t decimal = u'.';
    char16_t group = u',';

    friend constexpr bool operator==(NumberSettings, NumberSettings) = default;
};

// US English: the program's own language, and the settings of every example.
inline constexpr NumberSettings usSettings{u'.', u','};

}  // namespace mensora
