// The host on Windows: the program's services over a form's window of the
// platform's own controls (win32_form_window): the controls' Click events,
// an edit refused as too long, the tooltips and the names a screen reader
// gives, the message box, the display of run-time errors, the number settings
// of the user's Region settings and program end.
#pragma once

#include <array>
#include <memory>

#include "runtime_services.h"
#include "win32_form_window.h"
#include "win32_number_settings.h"

struct IAccPropServices;

namespace mensora {

// COM on this thread from start() until this goes, where ole32 starts it;
// ole32 is loaded only then.
class ComThread {
public:
    ComThread() = default;
    ~ComThread();
    ComThread(const ComThread&) = delete;
    ComThread& operator=(const ComThread&) = delete;
    bool start();

private:
    bool started_ = false;
};

// A COM object's reference, let go with the pointer that holds it.
struct ComRelease {
    template <class Object> void operator()(Object* object) const { object->Release(); }
};

class Win32RuntimeServices final : public RuntimeServices, public Win32FormWindow {
public:
    // Builds the window and its controls, hidden; the description outlives this.
    Win32RuntimeServices(const FormDescription& form, HINSTANCE instance);
    ~Win32RuntimeServices() override;

    std::u16string text(TextBox box) const override { return windowText(boxes_[at(box)]); }
    void setText(TextBox box, std::u16string_view text) override;
    void setCaption(Label label, std::u16string_view caption) override;
    bool optionValue(OptionButton o) const override
    {
        return SendMessageW(options_[at(o)], BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void selectOption(OptionButton option) override;
    std::int16_t listIndex() const override;
    std::int16_t listCount() const override;
    std::u16string listText() const override;
    void listClear() override
    {
        SendMessageW(list1_, LB_RESETCONTENT, 0, 0);
        chosenEntry_ = -1;
    }
    void listAddItem(std::u16string_view caption) override
    {
        SendMessageW(list1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(caption).c_str()));
    }
    void setFocus(TextBox box) override { focus(boxes_[at(box)]); }
    void setFocus(OptionButton option) override { focus(options_[at(option)]); }
    void showMessage(std::u16string_view text) override;
    void showRunError(RunError error) override;
    void endProgram() override { DestroyWindow(window()); }
    NumberSettings numberSettings() const override { return userNumberSettings(); }
    // As a handler's failure: a failed allocation as memory, anything else as a run-time error.
    void reportFailure() noexcept override { showCurrentException(); }

private:
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void command(HWND control, UINT notification);
    void afterShow();
    void setAccessibleName(HWND control, std::u16string_view name) const;
    // Through the dialog manager, so that the default push button follows; on a window not shown
    // yet, once it is: set at once, it would activate the window and start the input method unseen.
    void focus(HWND control)
    {
        if (IsWindowVisible(window())) SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        else PostMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }

    std::array<HWND, 5> options_{};
    HWND list1_ = nullptr;
    std::array<HWND, 2> labels_{};
    std::array<HWND, 2> boxes_{};
    std::array<HWND, 3> buttons_{};
    ComThread com_;  // before what it serves, which goes first
    std::unique_ptr<IAccPropServices, ComRelease> accessibility_;
    bool shown_ = false;  // the work of afterShow done

    // What the user last chose: a click on the option or entry already
    // chosen is no new choice.
    int chosenOption_ = -1;
    int chosenEntry_ = -1;
};

}  // namespace mensora
