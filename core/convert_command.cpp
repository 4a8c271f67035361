#include "convert_command.h"

#include <optional>

namespace mensora {

Outcome<std::u16string> convertText(const Entry& entry, std::u16string_view input, NumberSettings settings)
{
    const Outcome<double> x = input.empty() ? Outcome<double>{} : readStrict(input, settings);
    if (!x.ok()) return {{}, x.error};
    const Outcome<double> result = applyFormula(entry, x.value);
    if (!result.ok()) return {{}, result.error};
    return {numberToText(result.value, settings), RunError::None};
}

namespace {

// The first selected option, tested top to bottom.
std::optional<Category> selectedCategory(const RuntimeServices& form)
{
    for (const Category category : allCategories) {
        if (form.optionValue(optionOf(category))) return category;
    }
    return std::nullopt;
}

}  // namespace

void cmdConvert_Click(RuntimeServices& form)
{
    const NumberSettings settings = form.numberSettings();

    if (isRejectedInput(form.text(TextBox::txtInput), settings)) {
        form.showMessage(numericEntryMessage);
        form.setText(TextBox::txtInput, u"");
        form.setFocus(TextBox::txtInput);
        return;
    }

    // With no category or no entry selected, Convert does nothing.
    const std::optional<Category> category = selectedCategory(form);
    if (!category) return;
    const Entry* entry = findEntry(*category, form.listIndex());
    if (entry == nullptr) return;

    // The output box is written only with a result: an error leaves it as it was.
    const Outcome<std::u16string> result = convertText(*entry, form.text(TextBox::txtInput), settings);
    if (!result.ok()) {
        form.showRunError(result.error);
        return;
    }
    form.setText(TextBox::txtOutput, result.value);
}

}  // namespace mensora
