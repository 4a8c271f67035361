// A form's window built from its description out of the platform's own
// controls, and its message loop. The window is of the dialog class, so that
// Windows' dialog manager runs it: Tab and the arrow keys move the focus, a
// focused push button is the default one and Enter presses it, and the focus
// comes back to its control when the window is active again. The controls
// stand at their places for the monitor's dpi, in the form's font, laid out
// again when the dpi changes. It needs nothing else; a program that only shows
// a form:
//     Win32FormWindow form(description, instance);
//     form.show(showCommand);
//     return form.run();
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "form_description.h"

namespace mensora {

class Win32FormWindow {
public:
    // Builds the window and its controls, hidden; the description outlives this.
    Win32FormWindow(const FormDescription& form, HINSTANCE instance);
    virtual ~Win32FormWindow() { destroy(); }
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    [[nodiscard]] HWND window() const { return window_; }
    // A control by its name on the form; nullptr for none.
    [[nodiscard]] HWND control(std::u16string_view name) const
    {
        const std::size_t i = indexOf(name);
        return i < controls_.size() ? controls_[i] : nullptr;
    }
    // Where the description lists a control; past its end for none.
    [[nodiscard]] std::size_t indexOf(std::u16string_view name) const;
    // The dpi the window and its controls are laid out for now.
    [[nodiscard]] UINT layoutDpi() const { return dpi_; }

    void show(int showCommand);
    // Runs the message loop until the window is closed; returns the exit code.
    int run();
    // Handles the messages waiting, as the loop does; false once the window is closed.
    bool processMessages();
    // Closes the window as its owner does, without ending the program.
    void destroy();
    // Tells the user what the window's own code, or a control's that it took
    // over, has thrown: called inside the catch block, after which the
    // message goes no further. A window shown on its own tells nothing.
    virtual void reportFailure() noexcept {}

protected:
    // What the window does not handle itself comes here first: true for a message handled.
    virtual bool onMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

    const FormDescription& form_;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    RECT controlRect(std::size_t index, UINT dpi) const;
    SIZE windowSize(UINT dpi) const;
    void layout(UINT dpi);
    void dispatch(MSG& message);

    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // as the description lists them
    HFONT font_ = nullptr;
    UINT dpi_ = 0;
    std::wstring fontFace_;
};

// The first of the faces that is installed, else the last, for which
// Windows finds the font most like it.
std::wstring installedFace(std::span<const std::u16string_view> faces);

// A window's device context (the screen's for none) for as long as this lives.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

inline std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }
std::u16string windowText(HWND window);

// A function of a system DLL, looked up when it is first needed; nullptr
// where this Windows lacks it.
template <class Function>
Function procedure(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(library), name)));
}

}  // namespace mensora
