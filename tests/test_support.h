// The number settings the tests run under, and a readable form of texts for
// failure messages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "number_settings.h"

namespace mensora::testing {

inline constexpr NumberSettings us{u'.', u','};
inline constexpr NumberSettings german{u',', u'.'};
inline constexpr NumberSettings french{u',', u'\u202F'};
inline constexpr NumberSettings swiss{u'.', u'\u2019'};
inline constexpr NumberSettings ungrouped{u'.', u'\0'};

inline std::string show(std::u16string_view text) { return ::testing::PrintToString(std::u16string(text)); }

}  // namespace mensora::testing
