#include "win32_text_box.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>

#include "number_settings.h"
#include "runtime_services.h"
#include "win32_form_window.h"

namespace mensora {

namespace {

constexpr UINT_PTR subclassId = 1;
constexpr auto limit = static_cast<std::size_t>(maxBoxLength);

bool isHighSurrogate(WPARAM c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(WPARAM c) { return c >= 0xDC00 && c < 0xE000; }

// Whether a text holds whole characters only: no half of a character beyond
// the BMP without its other half.
bool whole(std::wstring_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) ++i;
        else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) return false;
    }
    return true;
}

// Whether a place in a text falls between the two halves of a character.
bool splits(std::u16string_view text, std::size_t at)
{
    return at > 0 && at < text.size() && isHighSurrogate(text[at - 1]) && isLowSurrogate(text[at]);
}

// The selection's ends, in a word each: no box holds enough text to overflow one.
DWORD selection(HWND box) { return static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0)); }

// Before an edit, the selection made whole where it splits a character beyond
// the BMP, as the edit control under wine leaves it, moving by halves: a
// selection takes in the characters its ends split, a caret goes after the
// character. Deleting (-1 before the caret, +1 after it) with no selection,
// the character beside the caret is selected, so that the edit control takes
// it whole.
void wholeSelection(HWND box, int deleting = 0)
{
    const std::u16string text = windowText(box);
    const std::size_t start = LOWORD(selection(box));
    const std::size_t end = HIWORD(selection(box));
    std::size_t to = splits(text, end) ? end + 1 : end;
    std::size_t from = start == end ? to : splits(text, start) ? start - 1 : start;
    if (from == to && deleting < 0 && from > 1 && splits(text, from - 1)) from -= 2;
    if (from == to && deleting > 0 && splits(text, to + 1)) to += 2;
    if (from != start || to != end) SendMessageW(box, EM_SETSEL, from, to);
}

// After a key that moves the caret, a caret that the edit control left
// between two halves steps on over the character, the way the key went.
void stepOverHalf(HWND box, bool back)
{
    const std::u16string text = windowText(box);
    const std::size_t from = LOWORD(selection(box));
    const std::size_t to = HIWORD(selection(box));
    const auto over = [&text, back](std::size_t at) { return splits(text, at) ? (back ? at - 1 : at + 1) : at; };
    if (splits(text, from)) SendMessageW(box, EM_SETSEL, from == to ? over(from) : to, over(from));
    else if (splits(text, to)) SendMessageW(box, EM_SETSEL, from, over(to));
}

// What the edit control takes as a command rather than as text: Backspace,
// and what Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z type.
bool isCommand(WPARAM c) { return c == VK_BACK || c == 0x03 || c == 0x16 || c == 0x18 || c == 0x1A; }

// Whether the text fits once `inserted` characters take the selection's place.
bool fits(HWND box, std::size_t inserted)
{
    const DWORD ends = selection(box);
    const std::size_t selected = HIWORD(ends) - LOWORD(ends);
    const std::size_t kept = static_cast<std::size_t>(GetWindowTextLengthW(box)) - selected;
    return kept <= limit && inserted <= limit - kept;
}

LRESULT refuse(HWND box)
{
    PostMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), EN_MAXTEXT), reinterpret_cast<LPARAM>(box));
    return 0;
}

// The clipboard's whole text in the selection's place, passed over the white
// space and line breaks around it, as one edit that Undo takes back.
LRESULT paste(HWND box)
{
    std::wstring text;
    text.reserve(limit + 1);  // before the clipboard is opened: nothing below throws
    if (!OpenClipboard(box)) return 0;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* all = static_cast<const wchar_t*>(GlobalLock(data))) {
            const auto around = [](wchar_t c) { return isSpaceAround(c); };
            const wchar_t* end = all + wcsnlen(all, GlobalSize(data) / sizeof(wchar_t));
            const wchar_t* begin = std::find_if_not(all, end, around);
            while (end != begin && around(end[-1])) --end;
            text.assign(begin, begin + std::min<std::ptrdiff_t>(end - begin, maxBoxLength + 1));  // too long: by one
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    wholeSelection(box);
    if (!fits(box, text.size()) || !whole(text) || std::any_of(text.begin(), text.end(), isLineBreak)) {
        return refuse(box);
    }
    if (!text.empty()) DefSubclassProc(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

// Ctrl+Backspace: the word before the caret goes, with the white space after
// it, as one edit that Undo takes back; a selection goes as with Backspace.
LRESULT deleteWordBefore(HWND box)
{
    wholeSelection(box);
    const WORD to = HIWORD(selection(box));
    if (LOWORD(selection(box)) == to) {
        const std::u16string text = windowText(box);
        std::size_t from = std::min<std::size_t>(to, text.size());
        while (from > 0 && isSpaceAround(text[from - 1])) --from;
        while (from > 0 && !isSpaceAround(text[from - 1])) --from;
        SendMessageW(box, EM_SETSEL, from, to);
    }
    return DefSubclassProc(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

LONG lineHeight(HWND box)
{
    const WindowDC dc(box);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    return metrics.tmHeight;
}

void marginChanged(HWND box)
{
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT handle(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        // The line of text in the middle of the box, as in a box on Linux:
        // the room above and below it is the box's margin.
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        RECT& r = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        const LONG spare = r.bottom - r.top - lineHeight(box);
        if (spare > 1) {
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
        const UINT dpi = GetDpiForWindow(box);
        InflateRect(&outer, -GetSystemMetricsForDpi(SM_CXEDGE, dpi), -GetSystemMetricsForDpi(SM_CYEDGE, dpi));
        HDC dc = GetWindowDC(box);
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        FillRect(dc, &outer, GetSysColorBrush(COLOR_WINDOW));
        ReleaseDC(box, dc);
        return 0;
    }
    case WM_NCHITTEST: {  // a click in the margin is a click in the box
        const LRESULT hit = DefSubclassProc(box, message, wParam, lParam);
        return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    case WM_SETFONT: {
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        marginChanged(box);
        return result;
    }
    case WM_KEYDOWN:
        if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            if (wParam == 'A') return SendMessageW(box, EM_SETSEL, 0, -1);  // Ctrl+A selects all
            if (wParam == VK_BACK) return deleteWordBefore(box);
        } else if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
            return paste(box);  // Shift+Insert, which the edit control would paste without WM_PASTE
        }
        if (wParam == VK_DELETE) {  // Shift+Delete deletes before the caret, Ctrl+Delete to the end
            wholeSelection(box, GetKeyState(VK_SHIFT) < 0 ? -1 : GetKeyState(VK_CONTROL) < 0 ? 0 : 1);
        }
        if (wParam >= VK_LEFT && wParam <= VK_DOWN) {
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            stepOverHalf(box, wParam == VK_LEFT || wParam == VK_UP);
            return result;
        }
        break;
    case WM_CHAR:
    case WM_IME_CHAR: {
        if (wParam == 0x01 || wParam == 0x7F) return 0;  // what Ctrl+A and Ctrl+Backspace type is no text
        // A character beyond the BMP comes in two halves: the first waits
        // for the second and goes in with it, the two judged as one.
        const auto first = static_cast<WPARAM>(SetWindowLongPtrW(box, GWLP_USERDATA, 0));
        if (isCommand(wParam)) {
            if (wParam == VK_BACK) wholeSelection(box, -1);
            break;
        }
        if (isLowSurrogate(wParam)) {
            if (first == 0) return 0;  // its first half was refused, or never came
            DefSubclassProc(box, message, first, lParam);
            break;
        }
        // every other character goes in, control characters too
        wholeSelection(box);
        if (!fits(box, isHighSurrogate(wParam) ? 2 : 1)) return refuse(box);
        if (isHighSurrogate(wParam)) {
            SetWindowLongPtrW(box, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
            return 0;
        }
        break;
    }
    case WM_UNICHAR:  // a character as the halves WM_CHAR brings, judged as typed
        if (wParam == UNICODE_NOCHAR) return TRUE;
        if (wParam > 0xFFFF && wParam <= 0x10FFFF) {
            SendMessageW(box, WM_CHAR, 0xD800 + ((wParam - 0x10000) >> 10), lParam);
            SendMessageW(box, WM_CHAR, 0xDC00 + (wParam & 0x3FF), lParam);
        } else if (wParam <= 0xFFFF) {
            SendMessageW(box, WM_CHAR, wParam, lParam);
        }
        return 0;
    case WM_PASTE:
        return paste(box);
    case WM_CUT:
    case WM_COPY:
    case WM_CLEAR:
        wholeSelection(box);
        break;
    case WM_IME_COMPOSITION:  // an input method's result is judged whole
        if (lParam & GCS_RESULTSTR) {
            wholeSelection(box);
            HIMC context = ImmGetContext(box);
            const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
            ImmReleaseContext(box, context);
            if (bytes > 0 && !fits(box, static_cast<std::size_t>(bytes) / sizeof(wchar_t))) return refuse(box);
        }
        break;
    case EM_REPLACESEL:
        if (lParam != 0) {
            const std::wstring_view text(reinterpret_cast<const wchar_t*>(lParam));
            wholeSelection(box);
            if (!fits(box, text.size()) || !whole(text)) return refuse(box);
        }
        break;
    case WM_SETTEXT:
        if (lParam != 0) {
            const std::wstring_view text(reinterpret_cast<const wchar_t*>(lParam));
            if (text.size() > limit || !whole(text)) return refuse(box);
        }
        break;
    default:  // Undo brings back the text from before the last edit, which this rule let in: it fits
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR form)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, boxProc, subclassId);
    try {
        return handle(box, message, wParam, lParam);
    } catch (...) {  // told as the form tells it; the message goes no further, and never twice
        reinterpret_cast<Win32FormWindow*>(form)->reportFailure();
        return 0;
    }
}

}  // namespace

void makeFormTextBox(HWND box, Win32FormWindow& form)
{
    SetWindowSubclass(box, boxProc, subclassId, reinterpret_cast<DWORD_PTR>(&form));
    // The edit control's own limit: what comes in by a way not seen here (the
    // menu's Unicode control characters on Windows) it refuses where it does
    // not fit, and tells with EN_MAXTEXT.
    SendMessageW(box, EM_SETLIMITTEXT, maxBoxLength, 0);
    marginChanged(box);
}

}  // namespace mensora
