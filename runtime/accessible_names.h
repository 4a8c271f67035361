// The names a screen reader hears where no fixed caption names a control.
#pragma once

#include <string_view>

namespace mensora {

// A unit label and its box are named by the unit the label shows, and while
// it shows none by the names the form gave them.
constexpr std::u16string_view unitAccessibleName(std::u16string_view caption, std::u16string_view formName) noexcept
{
    return caption.empty() ? formName : caption;
}

}  // namespace mensora
