// The services the program takes from its host: the named controls of the one
// form, the message box, the display of run-time errors and program end. The
// convert command and the window's handlers reach the window only through
// this interface, so they run headless against a fake.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/conversion_catalogue.h"
#include "core/number_text.h"

namespace mensora {

// The controls of Form1 that the handlers reach, by their names on the form.
enum class Control : std::uint8_t {
    optDistance,
    optVolume,
    optTemp,
    optArea,
    optWeight,
    list1,
    lblInput,
    lblOutput,
    txtInput,
    txtOutput,
    cmdConvert,
    cmdExit,
    cmdReset,
};

// The option button that shows a category.
[[nodiscard]] constexpr Control optionFor(Category category) noexcept
{
    return static_cast<Control>(static_cast<std::uint8_t>(Control::optDistance) + static_cast<std::uint8_t>(category));
}

// The one message of the program's own.
inline constexpr std::u16string_view numericEntryMessage = u"Valid Numeric Entry Only Please";

// The title of every message box.
inline constexpr std::u16string_view applicationTitle = u"Mensora";

class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;

    // Text of txtInput or txtOutput.
    [[nodiscard]] virtual std::u16string text(Control box) const = 0;
    virtual void setText(Control box, std::u16string_view text) = 0;

    // Caption of lblInput or lblOutput.
    [[nodiscard]] virtual std::u16string caption(Control label) const = 0;
    virtual void setCaption(Control label, std::u16string_view caption) = 0;

    // Whether a category's option is the selected one.
    [[nodiscard]] virtual bool optionValue(Category category) const = 0;
    // Selects a category's option, clearing the others, and raises its Click,
    // also when it was selected already.
    virtual void selectOption(Category category) = 0;

    // list1: the selected index (-1 for none), the number of entries, the
    // caption of the selected entry, emptying and appending.
    [[nodiscard]] virtual std::int16_t listIndex() const = 0;
    [[nodiscard]] virtual std::int16_t listCount() const = 0;
    [[nodiscard]] virtual std::u16string listText() const = 0;
    virtual void listClear() = 0;
    virtual void listAddItem(std::u16string_view caption) = 0;

    virtual void setFocus(Control control) = 0;

    // A modal box titled with the application title, one OK button, no icon;
    // returns when it is dismissed.
    virtual void showMessage(std::u16string_view text) = 0;

    // Shows a run-time error in plain words; the program goes on.
    virtual void showRunError(RunError error) = 0;

    // Ends the program at once: no question, no further events.
    virtual void endProgram() = 0;

    // The user's number settings, read when a number is read or written.
    [[nodiscard]] virtual NumberSettings numberSettings() const = 0;
};

}  // namespace mensora
