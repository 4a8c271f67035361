// The services the program takes from its host: the named controls of the one
// form, their events, the message box, the display of run-time errors,
// the user's number settings and program end. The Convert command and the
// window's handlers reach the window only through this interface, so they run
// headless against a fake.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "number_settings.h"
#include "run_error.h"

namespace mensora {

// The controls of Form1, by kind and by their names on the form. Each kind
// has only the operations that fit it.
enum class OptionButton : std::uint8_t { optDistance, optVolume, optTemp, optArea, optWeight };
enum class ListBox : std::uint8_t { list1 };
enum class Label : std::uint8_t { lblInput, lblOutput };
enum class TextBox : std::uint8_t { txtInput, txtOutput };
enum class CommandButton : std::uint8_t { cmdConvert, cmdExit, cmdReset };

// Their names on the form, in the order of the enums: every host finds the
// controls by these names.
inline constexpr std::array<std::u16string_view, 5> optionButtonNames{u"optDistance", u"optVolume", u"optTemp",
                                                                      u"optArea", u"optWeight"};
inline constexpr std::u16string_view listBoxName = u"list1";
inline constexpr std::array<std::u16string_view, 2> labelNames{u"lblInput", u"lblOutput"};
inline constexpr std::array<std::u16string_view, 2> textBoxNames{u"txtInput", u"txtOutput"};
inline constexpr std::array<std::u16string_view, 3> commandButtonNames{u"cmdConvert", u"cmdExit", u"cmdReset"};

// The title of every message box.
inline constexpr std::u16string_view applicationTitle = u"Mensora";

// The most characters a text box holds: far more than any number a person
// types (every double written out in full, digit for digit, takes fewer than
// 1,100), and few enough that the box answers each key at once.
inline constexpr int maxBoxLength = 4096;

class RuntimeServices;

// An event handler: called with the form, once per event.
using Handler = void (*)(RuntimeServices& form);

class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;

    // Text of a text box. A box written by the program shows its text from
    // the first character, as after Home.
    [[nodiscard]] virtual std::u16string text(TextBox box) const = 0;
    virtual void setText(TextBox box, std::u16string_view text) = 0;

    // Caption of a label.
    virtual void setCaption(Label label, std::u16string_view caption) = 0;

    // Whether an option is the selected one.
    [[nodiscard]] virtual bool optionValue(OptionButton option) const = 0;
    // Selects an option, clearing the others, and raises its Click, also
    // when it was selected already.
    virtual void selectOption(OptionButton option) = 0;

    // list1: the selected index (-1 for none), the number of entries, the
    // caption of the selected entry, emptying and appending.
    [[nodiscard]] virtual std::int16_t listIndex() const = 0;
    [[nodiscard]] virtual std::int16_t listCount() const = 0;
    [[nodiscard]] virtual std::u16string listText() const = 0;
    virtual void listClear() = 0;
    virtual void listAddItem(std::u16string_view caption) = 0;

    virtual void setFocus(TextBox box) = 0;
    virtual void setFocus(OptionButton option) = 0;

    // Click events: from now on the handler is called once per Click of the
    // control (for the list, each time the user chooses an entry).
    void onClick(OptionButton option, Handler handler) noexcept { optionClick_[at(option)] = handler; }
    void onClick(ListBox, Handler handler) noexcept { listClick_ = handler; }
    void onClick(CommandButton button, Handler handler) noexcept { buttonClick_[at(button)] = handler; }

    // EditRefused events: an edit by the user (typing, a paste, a drop, an
    // input method's text) that would make the box's text longer than
    // maxBoxLength is refused whole, never cut short, and the box keeps its
    // text. From now on the handler is called once per refused edit, after
    // the box has its old text back.
    void onEditRefused(TextBox box, Handler handler) noexcept { editRefused_[at(box)] = handler; }

    // A modal box titled with the application title, one OK button, no icon;
    // returns when it is dismissed.
    virtual void showMessage(std::u16string_view text) = 0;

    // Shows a run-time error in plain words; the program goes on.
    virtual void showRunError(RunError error) = 0;

    // Ends the program at once: no question, no further events.
    virtual void endProgram() = 0;

    // The user's number settings, read when a number is read or written.
    [[nodiscard]] virtual NumberSettings numberSettings() const = 0;

protected:
    // The host raises its controls' events through these: the handler put on
    // the event, if any, runs with this form.
    void raiseClick(OptionButton option) noexcept { raise(optionClick_[at(option)]); }
    void raiseClick(ListBox) noexcept { raise(listClick_); }
    void raiseClick(CommandButton button) noexcept { raise(buttonClick_[at(button)]); }
    void raiseEditRefused(TextBox box) noexcept { raise(editRefused_[at(box)]); }

    // Shows what the code running now has thrown as a run-time error: a failed
    // allocation as OutOfMemory, anything else as Internal. Called from a
    // catch block, by raise and by a host's own handling of the user's edits.
    void showCurrentException() noexcept;

    // A control's place in the tables of its kind.
    template <class Control> static constexpr std::size_t at(Control c) noexcept { return static_cast<std::size_t>(c); }

private:
    // Nothing a handler throws goes further than this: it is shown, and the
    // window goes on.
    void raise(Handler handler) noexcept;

    std::array<Handler, optionButtonNames.size()> optionClick_{};
    Handler listClick_ = nullptr;
    std::array<Handler, commandButtonNames.size()> buttonClick_{};
    std::array<Handler, textBoxNames.size()> editRefused_{};
};

// The list's index and count as the program reads them, signed 16-bit
// numbers: an index beyond them reads as no entry selected, a count beyond
// them as the largest.
constexpr std::int16_t listIndexOf(long long index) noexcept
{
    return index < 0 || index > INT16_MAX ? std::int16_t{-1} : static_cast<std::int16_t>(index);
}
constexpr std::int16_t listCountOf(long long count) noexcept
{
    return count <= 0 ? std::int16_t{0} : count > INT16_MAX ? INT16_MAX : static_cast<std::int16_t>(count);
}

}  // namespace mensora
