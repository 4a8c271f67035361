#include "win32_form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <utility>

namespace mensora {

namespace {

constexpr UINT firstControlId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// WM_NEXTDLGCTL's lParam for a control's handle (its low word TRUE), marked as
// meant only while that control still has the focus.
constexpr LPARAM whileFocused = MAKELPARAM(TRUE, 1);

// Each kind of control as the platform makes it, in the order of ControlKind.
// Every control starts a group of its own but the option buttons, which are
// one group that the first of them starts; the Tab key stops at each control
// that takes the focus, and in the option group at the chosen option only.
struct NativeKind { const wchar_t* className; DWORD style; DWORD extendedStyle; };
constexpr NativeKind nativeKinds[] = {
    {WC_BUTTONW, WS_GROUP | WS_CLIPSIBLINGS | BS_GROUPBOX, 0},  // clipped by the frames above, where they overlap
    {WC_BUTTONW, BS_AUTORADIOBUTTON, 0},
    {WC_LISTBOXW, WS_GROUP | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
     WS_EX_CLIENTEDGE},
    {WC_STATICW, WS_GROUP | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX, 0},  // one line, centred both ways
    {WC_EDITW, WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {WC_BUTTONW, WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0},  // which tells when it takes the focus
};

int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

std::wstring installedFace(std::span<const std::u16string_view> faces)
{
    const WindowDC screen(nullptr);
    LOGFONTW wanted{};
    bool found = false;
    for (std::size_t i = 0; i < faces.size() && !found; ++i) {
        wanted = LOGFONTW{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        wcsncpy(wanted.lfFaceName, wide(faces[i]).c_str(), LF_FACESIZE - 1);
        EnumFontFamiliesExW(screen, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    }
    return wanted.lfFaceName;
}

std::u16string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

Win32FormWindow::Win32FormWindow(const FormDescription& form, HINSTANCE instance) : form_(form)
{
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    // A class of the dialog kind, so that the dialog manager runs the window;
    // its icons are shared, loaded once however often it is registered.
    const std::wstring className = L"Mensora." + wide(form.name);
    const auto icon = [instance](int size) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
    };
    const WNDCLASSEXW windowClass{sizeof(WNDCLASSEXW), 0, windowProc, 0, DLGWINDOWEXTRA, instance, icon(32),
                                  LoadCursorW(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE), nullptr,
                                  className.c_str(), icon(16)};
    RegisterClassExW(&windowClass);  // refused harmlessly when a second form registers it again

    // Built at the size it has on the screen that opens it, each control with
    // its font from the start.
    fontFace_ = installedFace(form.fontFaces);
    const UINT dpi = GetDpiForSystem();
    layout(dpi);
    const SIZE size = windowSize(dpi);
    window_ = CreateWindowExW(0, className.c_str(), wide(form.caption).c_str(), windowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (window_ == nullptr) FatalAppExitW(0, L"Mensora could not open its window.");
    // The layout here alone decides at every dpi: the dialog manager's own
    // scaling is off, where Windows has it (version 1703 on).
    const auto off = procedure<decltype(&SetDialogDpiChangeBehavior)>(L"user32", "SetDialogDpiChangeBehavior");
    const auto controlOff =
        procedure<decltype(&SetDialogControlDpiChangeBehavior)>(L"user32", "SetDialogControlDpiChangeBehavior");
    if (off != nullptr) off(window_, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
    constexpr auto fixed =
        static_cast<DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS>(DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT);
    // Created in the description's order, which is their z-order and the
    // order the Tab key follows.
    bool afterOption = false;
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlDescription& c = form.controls[i];
        const NativeKind& kind = nativeKinds[static_cast<std::size_t>(c.kind)];
        const bool option = c.kind == ControlKind::OptionButton;
        const RECT r = controlRect(i, dpi);
        const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (option && !afterOption ? WS_GROUP | WS_TABSTOP : 0);
        controls_.push_back(CreateWindowExW(kind.extendedStyle, kind.className, wide(c.caption).c_str(), style, r.left,
                                            r.top, r.right - r.left, r.bottom - r.top, window_,
                                            reinterpret_cast<HMENU>(firstControlId + i), instance, nullptr));
        SendMessageW(controls_.back(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (controlOff != nullptr) controlOff(controls_.back(), fixed, fixed);
        afterOption = option;
    }
    // a window on another monitor than the system's has that monitor's dpi
    if (const UINT actual = GetDpiForWindow(window_); actual != dpi) {
        layout(actual);
        const SIZE at = windowSize(actual);
        SetWindowPos(window_, nullptr, 0, 0, at.cx, at.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32FormWindow::destroy()
{
    // closed by its owner, not by the user: no end of the program to post
    if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (IsWindow(window_)) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(std::exchange(font_, nullptr));
}

std::size_t Win32FormWindow::indexOf(std::u16string_view name) const
{
    return static_cast<std::size_t>(std::find_if(form_.controls.begin(), form_.controls.end(),
                                                 [name](const ControlDescription& c) { return c.name == name; }) -
                                    form_.controls.begin());
}

RECT Win32FormWindow::controlRect(std::size_t i, UINT dpi) const
{
    const Rect96 r = form_.controls[i].rect;
    return {scaled(r.left, dpi), scaled(r.top, dpi), scaled(r.left + r.width, dpi), scaled(r.top + r.height, dpi)};
}

SIZE Win32FormWindow::windowSize(UINT dpi) const
{
    RECT frame{0, 0, scaled(form_.width, dpi), scaled(form_.height, dpi)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32FormWindow::layout(UINT dpi)
{
    // The font at the dpi's point size, rounded down, so that the text is
    // never larger than its share of the scaled window: what fits at 96 dpi
    // fits at every dpi. Each control takes it, then the old font goes.
    dpi_ = dpi;
    HFONT old = std::exchange(font_, CreateFontW(-static_cast<int>(form_.fontPointSize * dpi / 72), 0, 0, 0, FW_NORMAL,
                                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                                 fontFace_.c_str()));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const RECT r = controlRect(i, dpi);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    if (old != nullptr) DeleteObject(old);
}

void Win32FormWindow::show(int showCommand)
{
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void Win32FormWindow::dispatch(MSG& message)
{
    // The dialog manager takes the keys that move the focus or press a button.
    if (IsWindow(window_) && IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32FormWindow::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

bool Win32FormWindow::processMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        dispatch(message);
    }
    return IsWindow(window_) != FALSE;
}

LRESULT CALLBACK Win32FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32FormWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        // The title bar scaled with each monitor's dpi too: asked for here on
        // Windows 10 1607 (per-monitor v1), done anyway from 1703 on.
        EnableNonClientDpiScaling(window);
    }
    auto* self = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefDlgProcW(window, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {  // told; the message goes no further, and never twice
        self->reportFailure();
        return 0;
    }
}

LRESULT Win32FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_GETDPISCALEDSIZE:
        *reinterpret_cast<SIZE*>(lParam) = windowSize(static_cast<UINT>(wParam));
        return TRUE;
    case WM_DPICHANGED: {
        // Laid out for the new dpi, then moved once: to where Windows
        // suggests, at the size worked out for that dpi.
        layout(HIWORD(wParam));
        const SIZE size = windowSize(HIWORD(wParam));
        const RECT& at = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_NEXTDLGCTL:  // as posted below: stale once the focus has moved on since
        if (lParam != whileFocused) break;
        if (GetFocus() != reinterpret_cast<HWND>(wParam)) return 0;
        lParam = TRUE;
        break;
    case WM_COMMAND:
        // A push button with the focus is the default one, however the focus
        // came to it, and none once the focus has gone. On Windows a clicked
        // button does this itself; wine needs the dialog manager told, posted
        // so that it comes after the focus change it is told from.
        if (HIWORD(wParam) == BN_SETFOCUS) {
            PostMessageW(window_, WM_NEXTDLGCTL, static_cast<WPARAM>(lParam), whileFocused);
        }
        if (HIWORD(wParam) == BN_KILLFOCUS) {
            SendMessageW(reinterpret_cast<HWND>(lParam), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
        break;
    case WM_CLOSE:  // which the dialog manager would only turn into IDCANCEL
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return onMessage(message, wParam, lParam, result) ? result : DefDlgProcW(window_, message, wParam, lParam);
}

}  // namespace mensora
