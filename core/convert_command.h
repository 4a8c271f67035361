// The Convert command: checks the input, finds the selected conversion from
// the category option and the list index, computes and writes the result.
#pragma once

#include <string>
#include <string_view>

#include "core/conversion_catalogue.h"
#include "core/number_text.h"
#include "runtime/runtime_services.h"

namespace mensora {

// The whole text-to-text conversion of one entry: reads the input (an empty
// input is 0), applies the formula and writes the result in the same settings.
[[nodiscard]] Outcome<std::u16string> convertText(const Entry& entry, std::u16string_view input,
                                                  NumberSettings settings);

// The handler of cmdConvert's Click.
void cmdConvert_Click(RuntimeServices& form);

}  // namespace mensora
