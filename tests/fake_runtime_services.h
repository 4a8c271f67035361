// A form held in plain memory, for running the handlers headless in tests.
// It records the messages, errors and focus moves it is asked for, and raises
// its controls' events as the hosts do: an option's Click also when the option
// is selected by program.
#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "runtime_services.h"

namespace mensora {

class FakeRuntimeServices : public RuntimeServices {
public:
    // Controls' state, open to the test.
    std::array<std::u16string, 2> boxes, labels;
    std::array<bool, 5> options{};
    std::vector<std::u16string> listItems;
    int listSelected = -1;
    NumberSettings settings = usSettings;

    // What the handlers asked for.
    std::vector<std::u16string> messages;
    std::vector<RunError> errors;
    std::vector<std::variant<TextBox, OptionButton>> focusMoves;
    bool ended = false;

    std::u16string& box(TextBox b) { return boxes[at(b)]; }
    std::u16string& label(Label l) { return labels[at(l)]; }
    bool& option(OptionButton o) { return options[at(o)]; }

    std::u16string text(TextBox b) const override { return boxes[at(b)]; }
    void setText(TextBox b, std::u16string_view t) override { box(b) = t; }
    void setCaption(Label l, std::u16string_view c) override { label(l) = c; }

    bool optionValue(OptionButton o) const override { return options[at(o)]; }
    void selectOption(OptionButton o) override
    {
        setOption(o);
        raiseClick(o);
    }

    std::int16_t listIndex() const override { return listIndexOf(listSelected); }
    std::int16_t listCount() const override { return listCountOf(static_cast<long long>(listItems.size())); }
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

    void setFocus(TextBox b) override { focusMoves.emplace_back(b); }
    void setFocus(OptionButton o) override { focusMoves.emplace_back(o); }

    void showMessage(std::u16string_view t) override { messages.emplace_back(t); }
    void showRunError(RunError error) override { errors.push_back(error); }
    void endProgram() override { ended = true; }
    NumberSettings numberSettings() const override { return settings; }

    // Test helpers: a click on a button or the list, as the user makes it; an
    // edit of a box refused as too long; selecting an option without raising
    // its Click.
    void click(CommandButton b) { raiseClick(b); }
    void clickList() { raiseClick(ListBox::list1); }
    void refuseEdit(TextBox b) { raiseEditRefused(b); }
    void setOption(OptionButton o)
    {
        options = {};
        option(o) = true;
    }
};

}  // namespace mensora
