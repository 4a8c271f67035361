// A form held in plain memory, for running the handlers headless in tests.
// It records the messages, errors and focus moves it is asked for, keeps the
// handlers put on its controls' events, and raises an option's Click when the
// option is selected by program, as the real runtime does.
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

    // The handlers put on the Click events.
    std::array<Handler, 5> optionClick{};
    Handler listClick = nullptr;
    std::array<Handler, 3> buttonClick{};
    std::array<Handler, 2> editRefused{};

    std::u16string& box(TextBox b) { return boxes[static_cast<std::size_t>(b)]; }
    std::u16string& label(Label l) { return labels[static_cast<std::size_t>(l)]; }
    bool& option(OptionButton o) { return options[static_cast<std::size_t>(o)]; }

    std::u16string text(TextBox b) const override { return boxes[static_cast<std::size_t>(b)]; }
    void setText(TextBox b, std::u16string_view t) override { box(b) = t; }
    void setCaption(Label l, std::u16string_view c) override { label(l) = c; }

    bool optionValue(OptionButton o) const override { return options[static_cast<std::size_t>(o)]; }
    void selectOption(OptionButton o) override
    {
        setOption(o);
        if (const Handler handler = optionClick[static_cast<std::size_t>(o)]) handler(*this);
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

    void setFocus(TextBox b) override { focusMoves.emplace_back(b); }
    void setFocus(OptionButton o) override { focusMoves.emplace_back(o); }

    void onClick(OptionButton o, Handler h) override { optionClick[static_cast<std::size_t>(o)] = h; }
    void onClick(ListBox, Handler h) override { listClick = h; }
    void onClick(CommandButton b, Handler h) override { buttonClick[static_cast<std::size_t>(b)] = h; }
    void onEditRefused(TextBox b, Handler h) override { editRefused[static_cast<std::size_t>(b)] = h; }

    void showMessage(std::u16string_view t) override { messages.emplace_back(t); }
    void showRunError(RunError error) override { errors.push_back(error); }
    void endProgram() override { ended = true; }
    NumberSettings numberSettings() const override { return settings; }

    // Test helpers: a click on a button, as the user makes it; an edit of a
    // box refused as too long; selecting an option without raising its Click.
    void click(CommandButton b) { buttonClick[static_cast<std::size_t>(b)](*this); }
    void refuseEdit(TextBox b) { editRefused[static_cast<std::size_t>(b)](*this); }
    void setOption(OptionButton o)
    {
        options = {};
        option(o) = true;
    }
};

}  // namespace mensora
