#include "win32_runtime_services.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <cwchar>

namespace mensora {

namespace {

constexpr UINT firstControlId = 100;         // clear of IDOK and IDCANCEL
constexpr UINT editRefusedMessage = WM_APP;  // wParam: the box's index
constexpr UINT afterShowMessage = WM_APP + 1;

std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::u16string narrowToU16(const wchar_t* text, std::size_t length) { return {text, text + length}; }

std::u16string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return narrowToU16(text.data(), text.size());
}

int scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

const wchar_t* classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ListBox: return WC_LISTBOXW;
    case ControlKind::Label: return WC_STATICW;
    case ControlKind::TextBox: return WC_EDITW;
    case ControlKind::Frame:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton: break;
    }
    return WC_BUTTONW;
}

// Every control starts a group of its own but the option buttons, which are
// one group; the Tab key stops at each control that takes the focus, and in
// the option group at the chosen option only.
DWORD styleOf(ControlKind kind, bool firstOption)
{
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case ControlKind::Frame:  // clipped by the frames above it, where they overlap
        return child | WS_GROUP | WS_CLIPSIBLINGS | BS_GROUPBOX;
    case ControlKind::OptionButton: return child | BS_AUTORADIOBUTTON | (firstOption ? WS_GROUP | WS_TABSTOP : 0);
    case ControlKind::ListBox:
        return child | WS_GROUP | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    case ControlKind::Label: return child | WS_GROUP | SS_OWNERDRAW;
    case ControlKind::TextBox: return child | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
    case ControlKind::CommandButton: return child | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    }
    return child;
}

DWORD extendedStyleOf(ControlKind kind)
{
    return kind == ControlKind::ListBox || kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
}

constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The first of the faces that is installed, else the last, for which
// Windows finds the font most like it.
std::wstring installedFace(std::span<const std::u16string_view> faces)
{
    HDC screen = GetDC(nullptr);
    std::wstring chosen = wide(faces.back());
    for (const std::u16string_view face : faces) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        const std::wstring name = wide(face);
        wcsncpy(wanted.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
                *reinterpret_cast<bool*>(flag) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = name;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

// A box works out its margin around the line of text again.
void marginChanged(HWND box)
{
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// The length of the text on the clipboard; 0 when there is none or it
// cannot be read.
std::size_t clipboardLength(HWND owner)
{
    if (!OpenClipboard(owner)) return 0;
    std::size_t length = 0;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            length = wcsnlen(text, GlobalSize(data) / sizeof(wchar_t));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return length;
}

// A function of a DLL loaded at run time; nullptr when it is not there.
template <class Function>
Function procedure(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::u16string localeText(LCTYPE type)
{
    std::array<wchar_t, 80> text{};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text.data(), static_cast<int>(text.size()));
    return length > 0 ? narrowToU16(text.data(), static_cast<std::size_t>(length - 1)) : std::u16string();
}

}  // namespace

NumberSettings numberSettingsFrom(const WindowsNumberTexts& texts)
{
    NumberSettings s;
    if (texts.decimal.size() == 1) s.decimal = texts.decimal.front();
    if (texts.nationalDigits && texts.nativeDigits.size() == 10) s.zero = texts.nativeDigits.front();
    std::u16string minus = texts.negativeSign;
    std::erase_if(minus, [](char16_t c) { return isDirectionMark(c); });
    if (minus.size() == 1) s.minus = minus.front();

    // "3;0": groups of three; "3;2;0": three next to the decimal mark, then
    // twos; a locale that writes no group mark groups no digits.
    std::array<int, 2> sizes{};
    std::size_t found = 0;
    int size = 0;
    for (const char16_t c : texts.grouping + u';') {
        if (c >= u'0' && c <= u'9') {
            size = size * 10 + (c - u'0');
        } else if (c == u';') {
            if (found < sizes.size()) sizes[found++] = size;
            size = 0;
        }
    }
    const int repeat = sizes[1] > 0 ? sizes[1] : sizes[0];
    if (texts.group.size() != 1 || texts.group == texts.decimal || sizes[0] <= 0 || sizes[0] > 9 || repeat > 9) {
        s.group = u'\0';
        return s;
    }
    s.group = texts.group.front();
    s.groupSize = static_cast<std::uint8_t>(sizes[0]);
    s.groupRepeat = static_cast<std::uint8_t>(repeat);
    return s;
}

NumberSettings userNumberSettings()
{
    return numberSettingsFrom({localeText(LOCALE_SDECIMAL), localeText(LOCALE_STHOUSAND),
                               localeText(LOCALE_SGROUPING), localeText(LOCALE_SNEGATIVESIGN),
                               localeText(LOCALE_SNATIVEDIGITS), localeText(LOCALE_IDIGITSUBSTITUTION) == u"2"});
}

Win32RuntimeServices::Win32RuntimeServices(const FormDescription& form, HINSTANCE instance) : form_(form)
{
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);

    const std::wstring className = L"Mensora." + wide(form.name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);  // fails harmlessly when a second form registers it again

    // Built at the size it has on the screen that opens it, each control with
    // its font from the start.
    const UINT dpi = GetDpiForSystem();
    fontFace_ = installedFace(form.fontFaces);
    makeFont(dpi);
    const SIZE size = windowSize(dpi);
    window_ = CreateWindowExW(0, className.c_str(), wide(form.caption).c_str(), windowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (window_ == nullptr) FatalAppExitW(0, L"Mensora could not open its window.");

    // Created in the description's order, which is their z-order and the
    // order the Tab key follows.
    controls_.reserve(form.controls.size());
    bool afterOption = false;
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlDescription& c = form.controls[i];
        const bool option = c.kind == ControlKind::OptionButton;
        const RECT r = controlRect(i, dpi);
        controls_.push_back(CreateWindowExW(extendedStyleOf(c.kind), classOf(c.kind), wide(c.caption).c_str(),
                                            styleOf(c.kind, option && !afterOption), r.left, r.top,
                                            r.right - r.left, r.bottom - r.top, window_,
                                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(firstControlId + i)),
                                            instance, nullptr));
        SendMessageW(controls_.back(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        afterOption = option;
    }
    const auto find = [this](std::u16string_view name) {
        HWND found = control(name);
        if (found == nullptr) FatalAppExitW(0, (L"The form has no control " + wide(name)).c_str());
        return found;
    };
    for (std::size_t i = 0; i < options_.size(); ++i) options_[i] = find(optionButtonNames[i]);
    list1_ = find(listBoxName);
    for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i] = find(labelNames[i]);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = find(textBoxNames[i]);
        SetWindowSubclass(boxes_[i], boxProc, i, reinterpret_cast<DWORD_PTR>(this));
        marginChanged(boxes_[i]);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i] = find(commandButtonNames[i]);
    // a window on another monitor than the system's has that monitor's dpi
    if (const UINT actual = GetDpiForWindow(window_); actual != dpi) layout(actual);

    // What is needed only once the user reaches for the window comes once it
    // is shown: the tooltips and the names for screen readers.
    PostMessageW(window_, afterShowMessage, 0, 0);
}

Win32RuntimeServices::~Win32RuntimeServices()
{
    if (IsWindow(window_)) {
        // closed by its owner, not by the user: no end of the program to post
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_ != nullptr) DeleteObject(font_);
    if (accessibility_ != nullptr) accessibility_->Release();
    if (comStarted_) procedure<decltype(&CoUninitialize)>(ole32_, "CoUninitialize")();
    if (ole32_ != nullptr) FreeLibrary(ole32_);
}

void Win32RuntimeServices::afterShow()
{
    // The tooltips of the description, and the names a screen reader gives
    // the controls that no caption names, the unit labels and their boxes by
    // the units they show.
    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    std::vector<std::wstring> tips(form_.controls.size());
    for (std::size_t i = 0; i < form_.controls.size(); ++i) {
        if (form_.controls[i].toolTip.empty()) continue;
        tips[i] = wide(form_.controls[i].toolTip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[i]);
        tool.lpszText = tips[i].data();
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // COM is loaded here, not at start: the window opens without it.
    ole32_ = LoadLibraryW(L"ole32.dll");
    const auto initialize = procedure<decltype(&CoInitializeEx)>(ole32_, "CoInitializeEx");
    const auto create = procedure<decltype(&CoCreateInstance)>(ole32_, "CoCreateInstance");
    comStarted_ = initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    if (comStarted_ && create != nullptr &&
        FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void**>(&accessibility_)))) {
        accessibility_ = nullptr;
    }
    for (std::size_t i = 0; i < form_.controls.size(); ++i) {
        const std::u16string_view name = form_.controls[i].accessibleName;
        if (!name.empty()) setAccessibleName(controls_[i], name);
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) setCaption(static_cast<Label>(i), windowText(labels_[i]));
}

HWND Win32RuntimeServices::control(std::u16string_view name) const
{
    const std::size_t i = indexOf(name);
    return i < controls_.size() ? controls_[i] : nullptr;
}

std::size_t Win32RuntimeServices::indexOf(std::u16string_view name) const
{
    const auto found = std::find_if(form_.controls.begin(), form_.controls.end(),
                                    [name](const ControlDescription& c) { return c.name == name; });
    return static_cast<std::size_t>(found - form_.controls.begin());
}

void Win32RuntimeServices::makeFont(UINT dpi)
{
    // The point size at the monitor's dpi, rounded down, so that the text is
    // never larger than its share of the scaled window: what fits at 96 dpi
    // fits at every dpi.
    LOGFONTW face{};
    face.lfHeight = -static_cast<LONG>(form_.fontPointSize * dpi / 72);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(face.lfFaceName, fontFace_.c_str(), LF_FACESIZE - 1);
    font_ = CreateFontIndirectW(&face);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    lineHeight_ = metrics.tmHeight;
}

RECT Win32RuntimeServices::controlRect(std::size_t i, UINT dpi) const
{
    const Rect96 r = form_.controls[i].rect;
    return {scaled(r.left, dpi), scaled(r.top, dpi), scaled(r.left + r.width, dpi), scaled(r.top + r.height, dpi)};
}

SIZE Win32RuntimeServices::windowSize(UINT dpi) const
{
    RECT frame{0, 0, scaled(form_.width, dpi), scaled(form_.height, dpi)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32RuntimeServices::layout(UINT dpi)
{
    // A new font for the new dpi, then the old one goes.
    HFONT old = font_;
    makeFont(dpi);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const RECT r = controlRect(i, dpi);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    for (HWND box : boxes_) marginChanged(box);
    const SIZE size = windowSize(dpi);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (old != nullptr) DeleteObject(old);
}

void Win32RuntimeServices::show(int showCommand)
{
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void Win32RuntimeServices::dispatch(MSG& message)
{
    // The dialog manager moves the focus with Tab and the arrow keys; Enter
    // and Esc reach the window as IDOK and IDCANCEL, which press nothing.
    if (IsWindow(window_) && IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Win32RuntimeServices::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

bool Win32RuntimeServices::processMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        dispatch(message);
    }
    return IsWindow(window_) != FALSE;
}

LRESULT CALLBACK Win32RuntimeServices::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32RuntimeServices*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {  // only a failed allocation: it goes no further than here
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32RuntimeServices::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;  // IDOK and IDCANCEL, from Enter and Esc, press nothing
    case editRefusedMessage:
        if (wParam < editRefused_.size()) raise(editRefused_[wParam]);
        return 0;
    case afterShowMessage:
        afterShow();
        return 0;
    case WM_DRAWITEM:
        drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DPICHANGED: {
        layout(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window is
        // active again: after a message box, or after switching windows.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            lastFocus_ = IsChild(window_, focus) ? focus : nullptr;
        } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32RuntimeServices::command(HWND control, UINT notification)
{
    for (std::size_t i = 0; i < options_.size(); ++i) {
        // a click on the option already chosen is no new choice
        if (control != options_[i] || notification != BN_CLICKED) continue;
        if (SendMessageW(control, BM_GETCHECK, 0, 0) != BST_CHECKED || chosenOption_ == static_cast<int>(i)) return;
        selectOption(static_cast<OptionButton>(i));
        return;
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (control == buttons_[i] && notification == BN_CLICKED) raise(buttonClick_[i]);
    }
    if (control == list1_ && notification == LBN_SELCHANGE) {
        const int entry = static_cast<int>(SendMessageW(list1_, LB_GETCURSEL, 0, 0));
        if (entry == chosenEntry_) return;  // the entry already chosen, clicked again
        chosenEntry_ = entry;
        raise(listClick_);
    }
}

void Win32RuntimeServices::drawLabel(const DRAWITEMSTRUCT& item) const
{
    // A sunken border, the text centred both ways and wrapped at words.
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    const std::wstring text = wide(windowText(item.hwndItem));
    HGDIOBJ previous = SelectObject(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    constexpr UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = r;
    DrawTextW(item.hDC, text.c_str(), -1, &measured, format | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    if (height < r.bottom - r.top) r.top += (r.bottom - r.top - height) / 2;
    DrawTextW(item.hDC, text.c_str(), -1, &r, format);
    SelectObject(item.hDC, previous);
}

void Win32RuntimeServices::setAccessibleName(HWND control, std::u16string_view name) const
{
    if (accessibility_ == nullptr) return;
    accessibility_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                   wide(name).c_str());
}

LRESULT CALLBACK Win32RuntimeServices::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                               DWORD_PTR self)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, boxProc, index);
    try {
        return reinterpret_cast<Win32RuntimeServices*>(self)->editBox(index, message, wParam, lParam);
    } catch (...) {  // only a failed allocation: the box takes the message as it is
        return DefSubclassProc(box, message, wParam, lParam);
    }
}

LRESULT Win32RuntimeServices::editBox(std::size_t index, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND box = boxes_[index];
    const auto refuse = [&] { PostMessageW(window_, editRefusedMessage, index, 0); };
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            SendMessageW(box, EM_SETSEL, 0, -1);  // Ctrl+A selects all
            return 0;
        }
        break;
    case WM_NCCALCSIZE: {
        // The line of text in the middle of the box, as in a box on Linux:
        // the room above and below it is the box's margin.
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        RECT& r = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        const LONG spare = r.bottom - r.top - lineHeight_;
        if (lineHeight_ > 0 && spare > 1) {
            r.top += spare / 2;
            r.bottom -= spare - spare / 2;
        }
        return result;
    }
    case WM_NCPAINT: {
        DefSubclassProc(box, message, wParam, lParam);
        RECT outer{};
        RECT inner{};
        GetWindowRect(box, &outer);
        GetClientRect(box, &inner);
        MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&inner), 2);
        OffsetRect(&inner, -outer.left, -outer.top);
        OffsetRect(&outer, -outer.left, -outer.top);
        InflateRect(&outer, -GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(box)),
                    -GetSystemMetricsForDpi(SM_CYEDGE, GetDpiForWindow(box)));
        HDC dc = GetWindowDC(box);
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        FillRect(dc, &outer, GetSysColorBrush(COLOR_WINDOW));
        ReleaseDC(box, dc);
        return 0;
    }
    case WM_NCHITTEST: {
        // a click in the margin is a click in the box
        const LRESULT hit = DefSubclassProc(box, message, wParam, lParam);
        return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    case WM_CHAR:
        // the characters Ctrl+A and Ctrl+Backspace type are no text
        if (wParam == 0x01 || wParam == 0x7F) return 0;
        [[fallthrough]];
    case WM_PASTE:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_UNDO:
    case EM_UNDO: {
        // An edit that would make the text longer than a box holds is refused
        // whole, never cut short: a long paste is refused before the box
        // takes it in, anything else is undone once it is found too long.
        if (message == WM_PASTE && clipboardLength(box) > static_cast<std::size_t>(maxBoxLength)) {
            refuse();
            return 0;
        }
        if (message == EM_REPLACESEL && lParam != 0 &&
            std::wcslen(reinterpret_cast<const wchar_t*>(lParam)) > static_cast<std::size_t>(maxBoxLength)) {
            refuse();
            return 0;
        }
        const std::u16string before = windowText(box);
        DWORD from = 0;
        DWORD to = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        if (GetWindowTextLengthW(box) > maxBoxLength) {
            SetWindowTextW(box, wide(before).c_str());
            SendMessageW(box, EM_SETSEL, from, to);
            refuse();
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

void Win32RuntimeServices::raise(Handler handler) noexcept
{
    // Nothing a handler throws goes past the window procedure: the only
    // thing it can throw is a failed allocation.
    try {
        if (handler != nullptr) handler(*this);
    } catch (...) {
        MessageBoxW(window_, L"There was not enough memory to finish that.", wide(applicationTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

std::u16string Win32RuntimeServices::text(TextBox b) const { return windowText(boxes_[static_cast<std::size_t>(b)]); }

void Win32RuntimeServices::setText(TextBox b, std::u16string_view text)
{
    // Shown from its first character, as after Home.
    HWND box = boxes_[static_cast<std::size_t>(b)];
    SetWindowTextW(box, wide(text).c_str());
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void Win32RuntimeServices::setCaption(Label label, std::u16string_view caption)
{
    // A screen reader names the label and its box by the unit it shows, and
    // by the names the form gave them while no unit is shown.
    const auto i = static_cast<std::size_t>(label);
    SetWindowTextW(labels_[i], wide(caption).c_str());
    const auto named = [&](std::u16string_view name) {
        return caption.empty() ? form_.controls[indexOf(name)].accessibleName : caption;
    };
    setAccessibleName(labels_[i], named(labelNames[i]));
    setAccessibleName(boxes_[i], named(textBoxNames[i]));
}

bool Win32RuntimeServices::optionValue(OptionButton o) const
{
    return SendMessageW(options_[static_cast<std::size_t>(o)], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32RuntimeServices::selectOption(OptionButton o)
{
    // Checked from here, an option raises no Click of its own, so this raises
    // it; Tab then stops at this option in the group.
    const auto chosen = static_cast<std::size_t>(o);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        SendMessageW(options_[i], BM_SETCHECK, i == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        const LONG_PTR style = GetWindowLongPtrW(options_[i], GWL_STYLE);
        SetWindowLongPtrW(options_[i], GWL_STYLE, i == chosen ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
    chosenOption_ = static_cast<int>(chosen);
    raise(optionClick_[chosen]);
}

std::int16_t Win32RuntimeServices::listIndex() const
{
    const LRESULT index = SendMessageW(list1_, LB_GETCURSEL, 0, 0);
    return index < 0 || index > INT16_MAX ? std::int16_t{-1} : static_cast<std::int16_t>(index);
}

std::int16_t Win32RuntimeServices::listCount() const
{
    const LRESULT count = SendMessageW(list1_, LB_GETCOUNT, 0, 0);
    return count > INT16_MAX ? INT16_MAX : static_cast<std::int16_t>(std::max<LRESULT>(count, 0));
}

std::u16string Win32RuntimeServices::listText() const
{
    const LRESULT index = SendMessageW(list1_, LB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    std::wstring text(static_cast<std::size_t>(SendMessageW(list1_, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    const LRESULT length = SendMessageW(list1_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return narrowToU16(text.data(), static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
}

void Win32RuntimeServices::listClear()
{
    SendMessageW(list1_, LB_RESETCONTENT, 0, 0);
    chosenEntry_ = -1;
}

void Win32RuntimeServices::listAddItem(std::u16string_view caption)
{
    SendMessageW(list1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(caption).c_str()));
}

void Win32RuntimeServices::setFocus(TextBox b) { SetFocus(boxes_[static_cast<std::size_t>(b)]); }

void Win32RuntimeServices::setFocus(OptionButton o) { SetFocus(options_[static_cast<std::size_t>(o)]); }

void Win32RuntimeServices::onClick(OptionButton o, Handler handler)
{
    optionClick_[static_cast<std::size_t>(o)] = handler;
}

void Win32RuntimeServices::onClick(ListBox, Handler handler) { listClick_ = handler; }

void Win32RuntimeServices::onClick(CommandButton b, Handler handler)
{
    buttonClick_[static_cast<std::size_t>(b)] = handler;
}

void Win32RuntimeServices::onEditRefused(TextBox b, Handler handler)
{
    editRefused_[static_cast<std::size_t>(b)] = handler;
}

void Win32RuntimeServices::showMessage(std::u16string_view text)
{
    MessageBoxW(window_, wide(text).c_str(), wide(applicationTitle).c_str(), MB_OK);
}

void Win32RuntimeServices::showRunError(RunError error)
{
    MessageBoxW(window_, wide(describe(error)).c_str(), wide(applicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void Win32RuntimeServices::endProgram() { DestroyWindow(window_); }

NumberSettings Win32RuntimeServices::numberSettings() const { return userNumberSettings(); }

}  // namespace mensora
