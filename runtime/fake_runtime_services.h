// A form held in plain memory, for running the handlers headless in tests.
// It records the messages, errors and focus moves it is asked for, and
// raises an option's Click through `onOptionClick` when an option is selected
// by program.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "runtime/runtime_services.h"

namespace mensora {

class FakeRuntimeServices : public RuntimeServices {
public:
    // Controls' state, open to the test.
    std::u16string txtInput, txtOutput, lblInput, lblOutput;
    std::array<bool, 5> options{};
    std::vector<std::u16string> listItems;
    int listSelected = -1;
    NumberSettings settings = usSettings;

    // What the handlers asked for.
    std::vector<std::u16string> messages;
    std::vector<RunError> errors;
    std::vector<Control> focusMoves;
    bool ended = false;

    // Called when an option is selected by program, as its Click.
    std::function<void(Category)> onOptionClick;

    std::u16string text(Control box) const override { return box == Control::txtInput ? txtInput : txtOutput; }
    void setText(Control box, std::u16string_view t) override { (box == Control::txtInput ? txtInput : txtOutput) = t; }

    std::u16string caption(Control label) const override { return label == Control::lblInput ? lblInput : lblOutput; }
    void setCaption(Control label, std::u16string_view c) override
    {
        (label == Control::lblInput ? lblInput : lblOutput) = c;
    }

    bool optionValue(Category category) const override { return options[static_cast<std::size_t>(category)]; }
    void selectOption(Category category) override
    {
        options = {};
        options[static_cast<std::size_t>(category)] = true;
        if (onOptionClick) onOptionClick(category);
    }

    std::int16_t listIndex() const override { return static_cast<std::int16_t>(listSelected); }
    std::int16_t listCount() const override { return static_cast<std::int16_t>(listItems.size()); }
    std::u16string listText() const override
    {
        return listSelected >= 0 && static_cast<std::size_t>(listSelected) < listItems.size()
                   ? listItems[static_cast<std::size_t>(listSelected)]
                   : std::u16string();
    }
    void listClear() override
    {
        listItems.clear();
        listSelected = -1;
    }
    void listAddItem(std::u16string_view c) override { listItems.emplace_back(c); }

    void setFocus(Control control) override { focusMoves.push_back(control); }
    void showMessage(std::u16string_view t) override { messages.emplace_back(t); }
    void showRunError(RunError error) override { errors.push_back(error); }
    void endProgram() override { ended = true; }
    NumberSettings numberSettings() const override { return settings; }

    // Test helper: selects a category without raising its Click.
    void setOption(Category category)
    {
        options = {};
        options[static_cast<std::size_t>(category)] = true;
    }
};

}  // namespace mensora
