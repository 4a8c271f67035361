#include "win32_runtime_services.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <utility>

#include "accessible_names.h"
#include "win32_fitted_font.h"
#include "win32_text_box.h"

namespace mensora {

namespace {

constexpr UINT afterShowMessage = WM_APP;

// A literal of the program's, as Windows takes it; no copy that could fail.
const wchar_t* literal(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

}  // namespace

Win32RuntimeServices::Win32RuntimeServices(const FormDescription& form, HINSTANCE instance)
    : Win32FormWindow(form, instance)
{
    const auto find = [this](std::u16string_view name) {
        HWND found = control(name);
        if (found == nullptr) FatalAppExitW(0, (L"The form has no control " + wide(name)).c_str());
        return found;
    };
    for (std::size_t i = 0; i < options_.size(); ++i) options_[i] = find(optionButtonNames[i]);
    list1_ = find(listBoxName);
    for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i] = find(labelNames[i]);
    for (std::size_t i = 0; i < boxes_.size(); ++i) makeFormTextBox(boxes_[i] = find(textBoxNames[i]), *this);
    if (!form.fittedBox.empty()) fitFontToText(find(form.fittedBox), *this, form.fontPointSize, form.fittedFont);
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i] = find(commandButtonNames[i]);
    // What is needed only once the user reaches for the window comes once it
    // is shown: the tooltips and the names for screen readers.
    PostMessageW(window(), afterShowMessage, 0, 0);
}

ComThread::~ComThread()
{
    if (started_) procedure<decltype(&CoUninitialize)>(L"ole32", "CoUninitialize")();
}

bool ComThread::start()
{
    const auto initialize = procedure<decltype(&CoInitializeEx)>(L"ole32", "CoInitializeEx");
    started_ = started_ || (initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED)));
    return started_;
}

Win32RuntimeServices::~Win32RuntimeServices()
{
    destroy();  // the window first, then what it used: the names' service, then COM
}

void Win32RuntimeServices::afterShow()
{
    // The tooltips of the description, and the names a screen reader gives
    // the controls that no caption names, the unit labels and their boxes by
    // the units they show.
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    for (const ControlDescription& c : form_.controls) {
        if (c.toolTip.empty()) continue;
        std::wstring tip = wide(c.toolTip);
        TOOLINFOW tool{static_cast<UINT>(sizeof(TOOLINFOW)), TTF_IDISHWND | TTF_SUBCLASS, window(),
                       reinterpret_cast<UINT_PTR>(control(c.name)), {}, nullptr, tip.data(), 0, nullptr};
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // COM is loaded here, not at start: the window opens without it.
    const auto create = procedure<decltype(&CoCreateInstance)>(L"ole32", "CoCreateInstance");
    IAccPropServices* services = nullptr;
    if (com_.start() && create != nullptr &&
        SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void**>(&services)))) {
        accessibility_.reset(services);
    }
    for (const ControlDescription& c : form_.controls) {
        if (!c.accessibleName.empty()) setAccessibleName(control(c.name), c.accessibleName);
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) setCaption(static_cast<Label>(i), windowText(labels_[i]));
}

bool Win32RuntimeServices::onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    // Enter and Esc come as IDOK and IDCANCEL from no control: they press nothing.
    if (message == WM_COMMAND) command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    // The start-up work once: the same message posted again by anyone does nothing.
    if (message == afterShowMessage && !std::exchange(shown_, true)) afterShow();
    return message == WM_COMMAND || message == afterShowMessage;
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
    const bool clicked = notification == BN_CLICKED || notification == BN_DOUBLECLICKED;  // a double click is two
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (control == buttons_[i] && clicked) raiseClick(static_cast<CommandButton>(i));
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (control == boxes_[i] && notification == EN_MAXTEXT) raiseEditRefused(static_cast<TextBox>(i));
    }
    if (control == list1_ && notification == LBN_SELCHANGE) {
        const int entry = static_cast<int>(SendMessageW(list1_, LB_GETCURSEL, 0, 0));
        if (entry == chosenEntry_) return;  // the entry already chosen, clicked again
        chosenEntry_ = entry;
        raiseClick(ListBox::list1);
    }
}

void Win32RuntimeServices::setAccessibleName(HWND control, std::u16string_view name) const
{
    if (!accessibility_) return;
    accessibility_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                   wide(name).c_str());
}

void Win32RuntimeServices::setText(TextBox b, std::u16string_view text)
{
    // Shown from its first character, as after Home.
    HWND box = boxes_[at(b)];
    SetWindowTextW(box, wide(text).c_str());
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void Win32RuntimeServices::setCaption(Label label, std::u16string_view caption)
{
    const auto i = at(label);
    SetWindowTextW(labels_[i], wide(caption).c_str());
    setAccessibleName(labels_[i], unitAccessibleName(caption, form_.controls[indexOf(labelNames[i])].accessibleName));
    setAccessibleName(boxes_[i], unitAccessibleName(caption, form_.controls[indexOf(textBoxNames[i])].accessibleName));
}

void Win32RuntimeServices::selectOption(OptionButton o)
{
    // Checked from here, an option raises no Click of its own, so this raises
    // it; Tab then stops at this option in the group.
    const auto chosen = at(o);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        SendMessageW(options_[i], BM_SETCHECK, i == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        const LONG_PTR style = GetWindowLongPtrW(options_[i], GWL_STYLE);
        SetWindowLongPtrW(options_[i], GWL_STYLE, i == chosen ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
    chosenOption_ = static_cast<int>(chosen);
    raiseClick(o);
}

std::int16_t Win32RuntimeServices::listIndex() const
{
    return listIndexOf(SendMessageW(list1_, LB_GETCURSEL, 0, 0));
}

std::int16_t Win32RuntimeServices::listCount() const
{
    return listCountOf(SendMessageW(list1_, LB_GETCOUNT, 0, 0));
}

std::u16string Win32RuntimeServices::listText() const
{
    const LRESULT index = SendMessageW(list1_, LB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    std::wstring text(static_cast<std::size_t>(SendMessageW(list1_, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    const LRESULT length = SendMessageW(list1_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    return {text.begin(), text.end()};
}

void Win32RuntimeServices::showMessage(std::u16string_view text)
{
    MessageBoxW(window(), wide(text).c_str(), literal(applicationTitle), MB_OK);
}

void Win32RuntimeServices::showRunError(RunError error)
{
    MessageBoxW(window(), literal(describe(error)), literal(applicationTitle), MB_OK | MB_ICONWARNING);
}

}  // namespace mensora
