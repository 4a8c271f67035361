// The host on Windows: builds a form from its description out of the
// platform's own controls, and gives the program their Click events, the
// message box, the display of run-time errors, the number settings of the
// user's Region settings and program end.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "runtime_services.h"
#include "win32_form.h"

struct IAccPropServices;

namespace mensora {

// What Windows' Region settings say of numbers, as GetLocaleInfoEx gives it.
struct WindowsNumberTexts {
    std::u16string decimal;       // the decimal mark
    std::u16string group;         // the group mark
    std::u16string grouping;      // the group sizes from the decimal mark on: "3;0", "3;2;0"
    std::u16string negativeSign;  // the minus sign
    std::u16string nativeDigits;  // the ten digits of the user's script
    bool nationalDigits = false;  // whether numbers are shown in those digits
};

NumberSettings numberSettingsFrom(const WindowsNumberTexts& texts);

// The number settings of the user's Region settings.
NumberSettings userNumberSettings();

class Win32RuntimeServices final : public RuntimeServices {
public:
    // Builds the window and its controls, hidden. The description outlives
    // this.
    Win32RuntimeServices(const FormDescription& form, HINSTANCE instance);
    ~Win32RuntimeServices() override;
    Win32RuntimeServices(const Win32RuntimeServices&) = delete;
    Win32RuntimeServices& operator=(const Win32RuntimeServices&) = delete;

    void show(int showCommand);

    // Runs the message loop until the program ends; returns its exit code.
    int run();
    // Handles the messages waiting, as the loop does, then returns; false
    // once the program has ended.
    bool processMessages();

    [[nodiscard]] HWND window() const { return window_; }
    // A control by its name on the form; nullptr for none.
    [[nodiscard]] HWND control(std::u16string_view name) const;

    std::u16string text(TextBox box) const override;
    void setText(TextBox box, std::u16string_view text) override;
    void setCaption(Label label, std::u16string_view caption) override;
    bool optionValue(OptionButton option) const override;
    void selectOption(OptionButton option) override;
    std::int16_t listIndex() const override;
    std::int16_t listCount() const override;
    std::u16string listText() const override;
    void listClear() override;
    void listAddItem(std::u16string_view caption) override;
    void setFocus(TextBox box) override;
    void setFocus(OptionButton option) override;
    void onClick(OptionButton option, Handler handler) override;
    void onClick(ListBox list, Handler handler) override;
    void onClick(CommandButton button, Handler handler) override;
    void onEditRefused(TextBox box, Handler handler) override;
    void showMessage(std::u16string_view text) override;
    void showRunError(RunError error) override;
    void endProgram() override;
    NumberSettings numberSettings() const override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                    DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT editBox(std::size_t index, UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, UINT notification);
    void makeFont(UINT dpi);
    RECT controlRect(std::size_t index, UINT dpi) const;
    SIZE windowSize(UINT dpi) const;
    void layout(UINT dpi);
    void afterShow();
    void drawLabel(const DRAWITEMSTRUCT& item) const;
    void setAccessibleName(HWND control, std::u16string_view name) const;
    void raise(Handler handler) noexcept;
    void dispatch(MSG& message);
    std::size_t indexOf(std::u16string_view name) const;

    const FormDescription& form_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // as the description lists them
    std::array<HWND, 5> options_{};
    HWND list1_ = nullptr;
    std::array<HWND, 2> labels_{};
    std::array<HWND, 2> boxes_{};
    std::array<HWND, 3> buttons_{};
    HWND toolTips_ = nullptr;
    HWND lastFocus_ = nullptr;  // while the window is not active
    HFONT font_ = nullptr;
    std::wstring fontFace_;
    LONG lineHeight_ = 0;  // of a line of text in the font
    IAccPropServices* accessibility_ = nullptr;
    HMODULE ole32_ = nullptr;
    bool comStarted_ = false;

    std::array<Handler, 5> optionClick_{};
    Handler listClick_ = nullptr;
    std::array<Handler, 3> buttonClick_{};
    std::array<Handler, 2> editRefused_{};

    // What the user last chose: a click on the option or entry already
    // chosen is no new choice.
    int chosenOption_ = -1;
    int chosenEntry_ = -1;
};

}  // namespace mensora
