// The Convert command: checks the input, finds the selected conversion from
// the category option and the list index, computes and writes the result.
#pragma once

#include <string>
#include <string_view>

#include "conversion_catalogue.h"
#include "number_text.h"
#include "runtime_services.h"

namespace mensora {

// The one message of the program's own.
inline constexpr std::u16string_view numericEntryMessage = u"Valid Numeric Entry Only Please";

// The option button that shows a category: the five stand in category order.
[[nodiscard]] constexpr OptionButton optionOf(Category category) noexcept
{
    return static_cast<OptionButton>(static_cast<std::uint8_t>(category));
}

// The whole text-to-text conversion of one entry: reads the input (an empty
// input is 0), applies the formula and writes the result in the same settings.
[[nodiscard]] Outcome<std::u16string> convertText(const Entry& entry, std::u16string_view input,
                                                  NumberSettings settings);

// The handler of cmdConvert's Click.
void cmdConvert_Click(RuntimeServices& form);

}  // namespace mensora
