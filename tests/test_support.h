// The number settings the tests run under, and a readable form of texts for
// failure messages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "number_settings.h"

namespace mensora::testing {

inline constexpr NumberSettings us{};
inline constexpr NumberSettings german{u',', u'.'};
inline constexpr NumberSettings french{u',', u'\u202F'};
inline constexpr NumberSettings swiss{u'.', u'\u2019'};
inline constexpr NumberSettings ungrouped{u'.', u'\0'};
inline constexpr NumberSettings swedish{u',', u'\u00A0', 3, 3, U'0', U'\u2212'};
inline constexpr NumberSettings indian{u'.', u',', 3, 2};                                 // en_IN
inline constexpr NumberSettings bengali{u'.', u',', 3, 2, U'\u09E6'};                    // bn_BD
inline constexpr NumberSettings arabic{u'\u066B', u'\u066C', 3, 3, U'\u0660', U'-', true};     // ar_EG
inline constexpr NumberSettings persian{u'\u066B', u'\u066C', 3, 3, U'\u06F0', U'\u2212', true};  // fa_IR
// Egypt's Region on Windows: "." and ",", with Arabic-Indic digits as its own
inline constexpr NumberSettings egyptOnWindows{u'.', u',', 3, 3, U'0', U'-', true};
inline constexpr NumberSettings adlam{u'.', u'\u2E41', 3, 3, U'\U0001E950'};             // ff_GN, Adlam

inline std::string show(std::u16string_view text) { return ::testing::PrintToString(std::u16string(text)); }

}  // namespace mensora::testing
