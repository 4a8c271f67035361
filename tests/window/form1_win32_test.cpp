// The Win32 window, built and run as the program runs it, driven through the
// messages that clicks, keys and pastes send; its message boxes are shown
// for real and answered as a user would.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "conversion_catalogue.h"
#include "form1_events.h"
#include "form1_layout_win32.h"
#include "form1_table.h"
#include "win32_runtime_services.h"

#include <commctrl.h>  // after windows.h
#include <oleacc.h>

using namespace mensora;
namespace table = mensora::testing;

// Once set, the next allocation of at least this many bytes fails, as when
// memory runs out; what the test itself allocates meanwhile is smaller.
std::size_t failAllocationFrom = 0;

void* operator new(std::size_t size)
{
    if (failAllocationFrom != 0 && size >= std::exchange(failAllocationFrom, 0)) throw std::bad_alloc();
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}

namespace {

// The message boxes shown while a step runs: their title and text, each
// answered with OK from inside its own modal loop.
std::vector<std::wstring> shownBoxes;

void CALLBACK answerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM) -> BOOL {
            std::wstring className(16, L'\0');
            className.resize(static_cast<std::size_t>(GetClassNameW(box, className.data(), 16)));
            if (className != L"#32770" || !IsWindowVisible(box)) return TRUE;
            std::wstring seen(256, L'\0');
            seen.resize(static_cast<std::size_t>(GetWindowTextW(box, seen.data(), 256)));
            EnumChildWindows(
                box,
                [](HWND child, LPARAM into) -> BOOL {
                    std::wstring text(256, L'\0');
                    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), 256)));
                    if (!text.empty() && text != L"OK") *reinterpret_cast<std::wstring*>(into) += L": " + text;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&seen));
            shownBoxes.push_back(seen);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

class ShownForm {
public:
    ShownForm() : runtime(form1Description, GetModuleHandleW(nullptr))
    {
        connectForm1(runtime);
        firstFocus(runtime);
        runtime.show(SW_SHOWNORMAL);
        shownBoxes.clear();
        timer_ = SetTimer(nullptr, 0, 20, answerBoxes);
        runtime.processMessages();
    }
    ~ShownForm() { KillTimer(nullptr, timer_); }

    HWND operator[](std::u16string_view name) const { return runtime.control(name); }

    std::wstring text(std::u16string_view name) const
    {
        HWND c = (*this)[name];
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(c)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(c, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    bool click(std::u16string_view name)
    {
        SendMessageW((*this)[name], BM_CLICK, 0, 0);
        return runtime.processMessages();
    }

    // A click on a row of the list, where the user sees it.
    void clickRow(int row)
    {
        RECT item{};
        SendMessageW((*this)[u"list1"], LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
        SendMessageW((*this)[u"list1"], WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW((*this)[u"list1"], WM_LBUTTONUP, 0, at);
        runtime.processMessages();
    }

    // A key pressed where the focus is, with the keys held that are given,
    // through the program's message loop.
    void key(WPARAM virtualKey, std::initializer_list<int> held = {})
    {
        std::array<BYTE, 256> keys{};
        for (const int k : held) keys[static_cast<std::size_t>(k)] = 0x80;
        SetKeyboardState(keys.data());
        PostMessageW(GetFocus(), WM_KEYDOWN, virtualKey, 1);
        PostMessageW(GetFocus(), WM_KEYUP, virtualKey, 0xC0000001);
        runtime.processMessages();
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    }

    // The left button pressed on a control and let go at an offset from
    // where it went down, through the program's message loop.
    void mouse(std::u16string_view name, int awayX = 0)
    {
        RECT r{};
        GetClientRect((*this)[name], &r);
        PostMessageW((*this)[name], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        PostMessageW((*this)[name], WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right / 2 + awayX, r.bottom / 2));
        PostMessageW((*this)[name], WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2 + awayX, r.bottom / 2));
        runtime.processMessages();
    }

    void type(std::u16string_view name, std::wstring_view text)
    {
        for (const wchar_t c : text) SendMessageW((*this)[name], WM_CHAR, c, 1);
        runtime.processMessages();
    }

    void clip(const std::wstring& text)
    {
        ASSERT_TRUE(OpenClipboard(runtime.window()));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    }

    void paste(std::u16string_view name, const std::wstring& text)
    {
        clip(text);
        SendMessageW((*this)[name], WM_PASTE, 0, 0);
        runtime.processMessages();
    }

    std::wstring focusName() const
    {
        for (const ControlDescription& c : form1Description.controls) {
            if ((*this)[c.name] == GetFocus()) return {c.name.begin(), c.name.end()};
        }
        return L"(none)";
    }

    std::vector<std::wstring> listed() const
    {
        std::vector<std::wstring> items;
        HWND list = (*this)[u"list1"];
        for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            const LRESULT length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            item.resize(static_cast<std::size_t>(length));
            items.push_back(item);
        }
        return items;
    }

    Win32RuntimeServices runtime;

private:
    UINT_PTR timer_ = 0;
};

std::vector<std::wstring> captionsOf(Category category)
{
    std::vector<std::wstring> captions;
    for (const Entry& e : entriesOf(category)) captions.emplace_back(e.caption.begin(), e.caption.end());
    return captions;
}

const std::wstring numericEntryBox = L"Mensora: Valid Numeric Entry Only Please";

TEST(Form1Win32, walksTheTypicalRoad)
{
    ShownForm f;
    EXPECT_EQ(f.focusName(), L"optDistance");
    EXPECT_EQ(f.listed(), captionsOf(Category::Distance));

    f.click(u"optTemp");
    EXPECT_EQ(f.listed(), captionsOf(Category::Temperature));
    f.clickRow(4);
    EXPECT_EQ(f.text(u"lblInput"), L"Kelvin");
    EXPECT_EQ(f.text(u"lblOutput"), L"Fahrenheit");
    EXPECT_EQ(f.focusName(), L"txtInput");
    f.type(u"txtInput", L"300");
    f.clickRow(4);  // the entry already chosen, clicked again, is no new choice
    EXPECT_EQ(f.text(u"txtInput"), L"300");
    f.click(u"cmdConvert");
    EXPECT_EQ(f.text(u"txtOutput"), L"80.33");
    EXPECT_TRUE(shownBoxes.empty());

    // not a number: the message, the input emptied and focused, the result kept
    f.type(u"txtInput", L"abc");
    f.click(u"cmdConvert");
    EXPECT_EQ(shownBoxes, std::vector<std::wstring>{numericEntryBox});
    EXPECT_EQ(f.text(u"txtInput"), L"");
    EXPECT_EQ(f.focusName(), L"txtInput");
    EXPECT_EQ(f.text(u"txtOutput"), L"80.33");

    // 64 KiB pasted: refused whole, with the message; the box keeps its text
    shownBoxes.clear();
    f.type(u"txtInput", L"12");
    SetFocus(f[u"txtInput"]);
    f.paste(u"txtInput", std::wstring(32768, L'7'));
    EXPECT_EQ(f.text(u"txtInput"), L"12");
    EXPECT_EQ(shownBoxes, std::vector<std::wstring>{numericEntryBox});
    EXPECT_EQ(f.focusName(), L"txtInput");  // back where it was once the message is gone

    f.click(u"cmdReset");
    EXPECT_EQ(SendMessageW(f[u"optDistance"], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(f[u"optTemp"], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(f.listed(), captionsOf(Category::Distance));
    EXPECT_EQ(SendMessageW(f[u"list1"], LB_GETCURSEL, 0, 0), LB_ERR);
    for (const auto name : {u"lblInput", u"lblOutput", u"txtInput", u"txtOutput"}) EXPECT_EQ(f.text(name), L"");

    // Exit ends the program at once
    EXPECT_FALSE(f.click(u"cmdExit"));
    EXPECT_FALSE(IsWindow(f.runtime.window()));
}

// The window's client area at a dpi, as the table gives it.
RECT clientAt(UINT dpi)
{
    return {0, 0, MulDiv(6390 / 15, static_cast<int>(dpi), 96), MulDiv(4455 / 15, static_cast<int>(dpi), 96)};
}

// The longest results, as the program writes them in the result box: the
// first character and the end of the last inside the box's client area, in a
// font no smaller than the floor, in the bold of the box's face; emptied, the
// box has the window's font back.
void expectResultsShownWhole(ShownForm& f, HWND box, UINT dpi)
{
    for (const std::u16string_view result : {std::u16string_view(u"-3.28083989501312E-308"),
                                             std::u16string_view(u"-1.00000000000001E+300"),  // zeros, the widest
                                             std::u16string_view(u"-3,28083989501312E-308"),
                                             std::u16string_view(u"-\u0663\u066B\u0662\u0668\u0660\u0668\u0663\u0669"
                                                                 u"\u0668\u0669\u0665\u0660\u0661\u0663\u0661\u0662E-"
                                                                 u"\u0663\u0660\u0668")}) {
        f.runtime.setText(TextBox::txtOutput, result);
        f.runtime.processMessages();
        const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
        LOGFONTW sized{};
        GetObjectW(font, sizeof sized, &sized);
        EXPECT_GE(-sized.lfHeight, static_cast<LONG>(form1FittedFont.floorPointSize * dpi / 72));
        EXPECT_EQ(sized.lfWeight, FW_BOLD);
        EXPECT_TRUE(std::wstring_view(sized.lfFaceName) == L"Arial" ||
                    std::wstring_view(sized.lfFaceName) == L"Liberation Sans")
            << sized.lfFaceName;
        HDC dc = GetDC(box);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE last{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(&result.back()), 1, &last);
        SelectObject(dc, previous);
        ReleaseDC(box, dc);
        const auto first = static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, 0, 0)));
        const LONG end = static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, result.size() - 1, 0))) + last.cx;
        RECT client{};
        GetClientRect(box, &client);
        EXPECT_GE(first, 0);
        EXPECT_LE(end, client.right);
    }
    f.runtime.setText(TextBox::txtOutput, u"");
    f.runtime.processMessages();
    EXPECT_EQ(SendMessageW(box, WM_GETFONT, 0, 0), SendMessageW(f[u"txtInput"], WM_GETFONT, 0, 0));
}

// Each control where the form's table puts it at a dpi, with its caption, its
// tooltip, and the window's font.
void expectAsTheTableSays(ShownForm& f, UINT dpi)
{
    std::vector<HWND> allTips;  // one window of them, however often the start-up message comes
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) -> BOOL {
            wchar_t name[32]{};
            GetClassNameW(w, name, 32);
            if (std::wstring_view(name) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&allTips));
    ASSERT_EQ(allTips.size(), 1U);
    HWND tips = allTips.front();

    for (const table::ControlRow& row : table::form1Controls) {
        SCOPED_TRACE(row.name);
        const std::u16string name(row.name, row.name + std::char_traits<char>::length(row.name));
        HWND c = f[name];
        ASSERT_NE(c, nullptr);
        int left = row.left;
        int top = row.top;
        for (const table::ControlRow& frame : table::form1Controls) {
            if (std::string_view(frame.name) == row.parent) {
                left += frame.left;
                top += frame.top;
            }
        }
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, f.runtime.window(), reinterpret_cast<POINT*>(&r), 2);
        const auto px = [dpi](int twips) { return MulDiv(twips / 15, static_cast<int>(dpi), 96); };
        EXPECT_EQ(r.left, px(left));
        EXPECT_EQ(r.top, px(top));
        EXPECT_EQ(r.right - r.left, px(row.width));
        EXPECT_EQ(r.bottom - r.top, px(row.height));
        if (row.kind != table::Kind::List && row.kind != table::Kind::TextBox) {
            EXPECT_EQ(f.text(name), std::wstring(row.caption.begin(), row.caption.end()));
        }
        if (name == form1FittedBox) expectResultsShownWhole(f, c, dpi);
        // nothing clipped: each caption fits beside an option's circle or
        // inside its button or frame, and the list shows every entry whole
        RECT inside{};
        GetClientRect(c, &inside);
        HDC dc = GetDC(c);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
        const auto width = [dc](std::u16string_view text) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                                  &extent);
            return extent.cx;
        };
        const int beside = row.kind == table::Kind::Option ? MulDiv(16, static_cast<int>(dpi), 96) : 4;
        EXPECT_LE(width(row.caption) + beside, inside.right);
        if (row.kind == table::Kind::Label) {  // every unit on one line
            for (const Entry& e : allEntries()) {
                EXPECT_LE(width(splitCaption(e.caption).source) + beside, inside.right);
                EXPECT_LE(width(splitCaption(e.caption).target) + beside, inside.right);
            }
        }
        SelectObject(dc, previous);
        ReleaseDC(c, dc);
        if (row.kind == table::Kind::List) {
            EXPECT_LE(SendMessageW(c, LB_GETCOUNT, 0, 0) * SendMessageW(c, LB_GETITEMHEIGHT, 0, 0), inside.bottom);
        }

        std::wstring tip(128, L'\0');
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = f.runtime.window();
        tool.uId = reinterpret_cast<UINT_PTR>(c);
        tool.lpszText = tip.data();
        SendMessageW(tips, TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
        tip.resize(std::wcslen(tip.c_str()));
        EXPECT_EQ(tip, std::wstring(row.tooltip.begin(), row.tooltip.end()));

        // 8.25 pt in an installed face of the window's, never larger than its
        // share of the scaled window
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -static_cast<LONG>(825 * dpi / 7200));
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
        EXPECT_TRUE(std::wstring_view(font.lfFaceName) == L"Comic Sans MS" ||
                    std::wstring_view(font.lfFaceName) == L"Comic Neue")
            << font.lfFaceName;
    }
}

TEST(Form1Win32, placesEveryControlAsTheTableSays)
{
    ShownForm f;
    for (int i = 0; i < 3; ++i) PostMessageW(f.runtime.window(), WM_APP, 0, 0);  // no start-up work again
    f.runtime.processMessages();
    const UINT dpi = GetDpiForWindow(f.runtime.window());
    std::array<wchar_t, 8> expected{};  // the dpi the run set, which the window must have
    ASSERT_GT(GetEnvironmentVariableW(L"MENSORA_EXPECTED_DPI", expected.data(), expected.size()), 0U);
    EXPECT_EQ(dpi, std::wcstoul(expected.data(), nullptr, 10));
    RECT client{};
    GetClientRect(f.runtime.window(), &client);
    EXPECT_EQ(client.right, clientAt(dpi).right);
    EXPECT_EQ(client.bottom, clientAt(dpi).bottom);
    expectAsTheTableSays(f, dpi);
}

// A move to a monitor of another dpi, with the messages Windows sends then
// (wine never sends them): the size asked first is the one whose client area
// at the new dpi is the table's; then the window is laid out for it and moved
// once, to where Windows suggests, at that size; the old font is gone.
TEST(Form1Win32, laysItselfOutAgainWhenTheDpiChanges)
{
    ShownForm f;
    HWND window = f.runtime.window();
    for (const UINT dpi : {144U, 192U}) {
        SCOPED_TRACE(dpi);
        SIZE size{};
        ASSERT_TRUE(SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
        RECT frame = clientAt(dpi);  // wine keeps the frame at the window's own dpi: the size tells
        AdjustWindowRectExForDpi(&frame, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE),
                                 dpi);
        EXPECT_EQ(size.cx, frame.right - frame.left);
        EXPECT_EQ(size.cy, frame.bottom - frame.top);
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendMessageW(f[u"cmdConvert"], WM_GETFONT, 0, 0));
        RECT suggested{40, 30, 40 + size.cx + 3, 30 + size.cy - 2};  // a straight scale, a few pixels off
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT placed{};
        GetWindowRect(window, &placed);
        EXPECT_EQ(placed.left, 40);
        EXPECT_EQ(placed.top, 30);
        EXPECT_EQ(placed.right - placed.left, size.cx);
        EXPECT_EQ(placed.bottom - placed.top, size.cy);
        EXPECT_EQ(GetObjectType(old), 0U);
        expectAsTheTableSays(f, dpi);
    }
}

TEST(Form1Win32, answersTheKeyboard)
{
    ShownForm f;
    // the arrow keys choose in the option group
    f.key(VK_DOWN);
    f.key(VK_DOWN);
    EXPECT_EQ(f.focusName(), L"optTemp");
    EXPECT_EQ(f.listed(), captionsOf(Category::Temperature));
    // Tab goes in tab order, the labels skipped; tabbing into the list chooses nothing
    const std::vector<std::wstring> order{L"list1", L"txtInput", L"txtOutput", L"cmdConvert", L"cmdExit", L"cmdReset",
                                          L"optTemp"};
    for (const std::wstring& next : order) {
        f.key(VK_TAB);
        EXPECT_EQ(f.focusName(), next);
    }
    EXPECT_EQ(SendMessageW(f[u"list1"], LB_GETCURSEL, 0, 0), LB_ERR);
    f.key(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(f.focusName(), L"cmdReset");

    // a key in the list chooses at once and moves on to the input box (the
    // first key in a list with nothing chosen chooses the entry it stands on,
    // as every list on Windows does)
    SetFocus(f[u"list1"]);
    f.key(VK_DOWN);
    EXPECT_EQ(SendMessageW(f[u"list1"], LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(f.focusName(), L"txtInput");
    SetFocus(f[u"list1"]);
    f.key(VK_END);
    EXPECT_EQ(SendMessageW(f[u"list1"], LB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(f.text(u"lblInput"), L"Fahrenheit");
    EXPECT_EQ(f.focusName(), L"txtInput");

    // Enter and Esc in the input box press nothing; Ctrl+A selects all
    f.type(u"txtInput", L"212");
    f.key(VK_RETURN);
    f.key(VK_ESCAPE);
    EXPECT_EQ(f.text(u"txtOutput"), L"");
    EXPECT_TRUE(IsWindow(f.runtime.window()));
    BYTE keys[256]{};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(f[u"txtInput"], WM_KEYDOWN, 'A', 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    DWORD from = 9;
    DWORD to = 9;
    SendMessageW(f[u"txtInput"], EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0U);
    EXPECT_EQ(to, 3U);
    f.click(u"cmdConvert");
    EXPECT_EQ(f.text(u"txtOutput"), L"373.14");
    EXPECT_TRUE(shownBoxes.empty());

    // closing the window ends the program
    SendMessageW(f.runtime.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.runtime.processMessages());
}

// Enter presses a push button that has the focus, however the focus came to
// it, and nothing while the focus is elsewhere, where no button looks the
// default either; Space presses the focused button too.
TEST(Form1Win32, entersAsEveryWindowsDialogDoes)
{
    ShownForm f;
    f.clickRow(1);  // Inches to Centimeters
    f.key('1');
    const auto enterPresses = [&f](WPARAM key = VK_RETURN) {
        SetWindowTextW(f[u"txtOutput"], L"");
        f.key(key);
        return f.text(u"txtOutput") == L"2.54";
    };
    const auto looksDefault = [&f] {
        return (GetWindowLongW(f[u"cmdConvert"], GWL_STYLE) & BS_TYPEMASK) != BS_PUSHBUTTON;
    };
    EXPECT_FALSE(enterPresses());
    EXPECT_FALSE(enterPresses(VK_ESCAPE));
    EXPECT_FALSE(looksDefault());
    f.key(VK_TAB);
    f.key(VK_TAB);
    EXPECT_EQ(f.focusName(), L"cmdConvert");
    EXPECT_TRUE(looksDefault());
    EXPECT_TRUE(enterPresses());
    EXPECT_TRUE(enterPresses(VK_SPACE));
    f.key(VK_TAB, {VK_SHIFT});
    EXPECT_FALSE(looksDefault());
    EXPECT_FALSE(enterPresses());

    f.mouse(u"cmdConvert");  // a click, then Enter
    EXPECT_EQ(f.text(u"txtOutput"), L"2.54");
    EXPECT_TRUE(enterPresses());
    f.mouse(u"txtOutput");  // the output box clicked, emptied, then Tab onto Convert
    EXPECT_FALSE(looksDefault());
    f.key('A', {VK_CONTROL});
    f.key(VK_DELETE);
    f.key(VK_TAB);
    EXPECT_EQ(f.focusName(), L"cmdConvert");
    EXPECT_TRUE(enterPresses());
    f.mouse(u"txtInput");
    EXPECT_FALSE(looksDefault());
    SetWindowTextW(f[u"txtOutput"], L"");
    f.mouse(u"cmdConvert", 400);  // pressed, and let go off the button: no click
    EXPECT_EQ(f.text(u"txtOutput"), L"");
    EXPECT_EQ(f.focusName(), L"cmdConvert");
    EXPECT_TRUE(enterPresses());
    EXPECT_TRUE(shownBoxes.empty());
}

// Every way text reaches a box, by real keys where keys bring it: an edit
// that would make the text longer than 4,096 characters is refused whole,
// with one message, and the box keeps its text and its undo; a paste is the
// clipboard's whole text, past the white space around it, and a line break
// left inside it is refused.
TEST(Form1Win32, refusesEveryEditThatDoesNotFitWhole)
{
    ShownForm f;
    HWND box = f[u"txtInput"];
    enum class Way { Key, Astral, CtrlV, ShiftInsert, WmPaste, WmSetText, Keys, Chars, UniChar };
    const std::wstring full(4096, L'7');
    const std::wstring astral = L"\U0001F600";
    // Keys: each a virtual key pressed, 0x100 with Shift held
    const std::wstring left{VK_LEFT}, shiftLeft{VK_LEFT | 0x100}, home{VK_HOME}, back{VK_BACK}, del{VK_DELETE};
    const struct {
        std::wstring before;  // the caret at its end
        Way way;
        std::wstring text;    // put on the clipboard, or set
        std::wstring after;   // empty: refused, `before` kept
    } rows[] = {
        {full.substr(1), Way::Key, L"", full},
        {full, Way::Key, L"", L""},
        {full.substr(2), Way::Astral, L"", full.substr(2) + astral},
        {full.substr(1), Way::Astral, L"", L""},
        {L"12", Way::ShiftInsert, std::wstring(5000, L'7'), L""},
        {L"12", Way::ShiftInsert, std::wstring(5 << 20, L'7'), L""},  // 10 MiB
        {full.substr(6), Way::CtrlV, L"123456", full.substr(6) + L"123456"},
        {full.substr(5), Way::CtrlV, L"123456", L""},
        {L"-", Way::CtrlV, L"\r\n 42\t\r\n", L"-42"},
        {L"-", Way::ShiftInsert, L"\n42\n", L"-42"},
        {L"1", Way::WmPaste, L"\u2028 2.5\u00a0", L"12.5"},
        {L"-", Way::CtrlV, L"42\n7777", L""},
        {L"-", Way::ShiftInsert, L"42\r\n7777", L""},
        {L"-", Way::WmPaste, L"\n42\u20297777\n", L""},
        {L"12", Way::WmSetText, full, full},
        {L"12", Way::WmSetText, full + L"7", L""},
        // no box holds half a character: a lone half refused, keys next to a pair take it whole
        {L"-", Way::CtrlV, L"4\xD83D" L"2", L""},
        {L"-", Way::WmPaste, L"42\xDE00", L""},
        {L"12", Way::WmSetText, L"4\xD83D", L""},
        {astral + L"1", Way::Keys, left + back, L"1"},
        {astral + L"1", Way::Keys, home + del, L"1"},
        {L"1" + astral + L"2", Way::Keys, left + shiftLeft + L"5", L"152"},
        {astral + L"2", Way::Keys, left + left + L"5", L"5" + astral + L"2"},
        {full.substr(2), Way::UniChar, astral, full.substr(2) + astral},
        {full.substr(1), Way::UniChar, astral, L""},
        {L"1", Way::UniChar, L"\xD83D", L"1"},  // half of one: nothing goes in
        {full, Way::Chars, L"\x1E", L""},  // a control character goes in too
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(&row - rows));
        SetWindowTextW(box, row.before.c_str());
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, row.before.size() - 1, row.before.size());
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(row.before.c_str() + row.before.size() - 1));
        shownBoxes.clear();
        if (row.way == Way::Key) f.key('7');
        if (row.way == Way::Astral) {
            std::array<INPUT, 4> keys{};
            for (std::size_t i = 0; i < keys.size(); ++i) {
                keys[i].type = INPUT_KEYBOARD;
                keys[i].ki.wScan = static_cast<WORD>(astral[i / 2]);
                keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 != 0 ? KEYEVENTF_KEYUP : 0);
            }
            ASSERT_EQ(SendInput(keys.size(), keys.data(), sizeof(INPUT)), keys.size());
            for (int i = 0; i < 20 && GetWindowTextLengthW(box) == static_cast<int>(row.before.size()); ++i) {
                Sleep(10);
                f.runtime.processMessages();
            }
        }
        if (row.way != Way::WmSetText) f.clip(row.text);
        if (row.way == Way::CtrlV) f.key('V', {VK_CONTROL});
        if (row.way == Way::ShiftInsert) f.key(VK_INSERT, {VK_SHIFT});
        if (row.way == Way::WmPaste) SendMessageW(box, WM_PASTE, 0, 0);
        if (row.way == Way::WmSetText) SetWindowTextW(box, row.text.c_str());
        for (const wchar_t k : row.way == Way::Keys ? row.text : L"") {
            if (k > 0xFF) f.key(k & 0xFF, {VK_SHIFT});
            else f.key(k);
        }
        if (row.way == Way::Chars) f.type(u"txtInput", row.text);
        const std::wstring& t = row.text;
        const WPARAM codePoint = t.size() == 2 ? 0x10000 + ((t[0] - 0xD800) << 10) + (t[1] - 0xDC00) : t[0];
        if (row.way == Way::UniChar) SendMessageW(box, WM_UNICHAR, codePoint, 0);
        f.runtime.processMessages();
        EXPECT_EQ(f.text(u"txtInput"), row.after.empty() ? row.before : row.after);
        EXPECT_EQ(shownBoxes, std::vector<std::wstring>(row.after.empty() ? 1 : 0, numericEntryBox));
        EXPECT_EQ(SendMessageW(box, EM_CANUNDO, 0, 0) != 0, row.way != Way::WmSetText || row.after.empty());
    }

    // Ctrl+Backspace deletes the word before the caret, which Undo brings
    // back; Ctrl+A selects all and types nothing
    SetWindowTextW(box, L"12 345");
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 6, 6);
    f.key(VK_BACK, {VK_CONTROL});
    EXPECT_EQ(f.text(u"txtInput"), L"12 ");
    f.key('Z', {VK_CONTROL});
    EXPECT_EQ(f.text(u"txtInput"), L"12 345");
    f.key('A', {VK_CONTROL});
    EXPECT_EQ(f.text(u"txtInput"), L"12 345");
    EXPECT_EQ(SendMessageW(box, EM_GETSEL, 0, 0), MAKELRESULT(0, 6));
}

// What a screen reader hears of each control, read back through Windows'
// accessibility: each by its caption, and once an entry is chosen each box,
// which it reads as text, by the unit above it. (The names set for what no
// caption names, the list's, the empty frames' and the empty labels', go
// through a service that wine lacks.)
TEST(Form1Win32, namesEachControlAsAScreenReaderHearsIt)
{
    ShownForm f;
    f.clickRow(1);  // Inches to Centimeters
    for (const table::ControlRow& row : table::form1Controls) {
        const bool unit = row.kind == table::Kind::Label || row.kind == table::Kind::TextBox;
        if (row.caption.empty() && !unit) continue;
        SCOPED_TRACE(row.name);
        const std::u16string name(row.name, row.name + std::char_traits<char>::length(row.name));
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(f[name], static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR heard = nullptr;
        accessible->get_accName(self, &heard);
        std::wstring expected(row.caption.begin(), row.caption.end());
        if (unit) expected = name.find(u"Input") != std::u16string::npos ? L"Inches" : L"Centimeters";
        EXPECT_EQ(heard != nullptr ? std::wstring(heard) : L"", expected);
        VARIANT role{};
        accessible->get_accRole(self, &role);
        if (row.kind == table::Kind::TextBox) {
            EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
        }
        SysFreeString(heard);
        accessible->Release();
    }
}

// A handler that throws leaves the window as it was and working: a failed
// allocation is told as such, anything else as a run-time error. So is what
// the host's own work throws: a paste, Ctrl+Backspace.
TEST(Form1Win32, tellsWhatAHandlerThrew)
{
    ShownForm f;
    f.runtime.onClick(CommandButton::cmdReset, [](RuntimeServices&) { throw std::bad_alloc(); });
    f.runtime.onClick(CommandButton::cmdExit, [](RuntimeServices&) { throw std::runtime_error("a fault"); });
    f.click(u"cmdReset");
    EXPECT_TRUE(f.click(u"cmdExit"));
    const std::wstring text = L"12 " + std::wstring(3000, L'3');
    for (const WPARAM key : {WPARAM{'V'}, WPARAM{VK_BACK}}) {
        SetWindowTextW(f[u"txtInput"], text.c_str());
        SetFocus(f[u"txtInput"]);
        f.clip(L"7");
        failAllocationFrom = 4096;
        f.key(key, {VK_CONTROL});
        EXPECT_EQ(f.text(u"txtInput"), text);
    }
    const std::wstring memory = L"Mensora: There was not enough memory to finish that.";
    EXPECT_EQ(shownBoxes, (std::vector<std::wstring>{memory,
                                                     L"Mensora: Mensora could not finish that: something went wrong "
                                                     L"inside it.",
                                                     memory, memory}));
}

// What Windows' Region settings say, as Mensora takes it.
TEST(Form1Win32, takesTheNumberSettingsOfRegion)
{
    constexpr NumberSettings none{u'.', u'\0'};
    const struct {
        WindowsNumberTexts texts;
        NumberSettings expected;
    } rows[] = {
        {{u".", u",", u"3;0", u"-", u"0123456789", false}, usSettings},
        {{u",", u".", u"3;0", u"-", u"0123456789", false}, {u',', u'.'}},
        {{u",", u"\u00a0", u"3;0", u"-", u"0123456789", false}, {u',', u'\u00a0'}},
        {{u".", u",", u"3;2;0", u"-", u"\u0966\u0967\u0968\u0969\u096a\u096b\u096c\u096d\u096e\u096f", false},
         {u'.', u',', 3, 2}},
        {{u"\u066b", u"\u066c", u"3;0", u"\u061c-", u"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669",
          true},
         {u'\u066b', u'\u066c', 3, 3, U'\u0660', U'-', true}},
        // Arabic-Indic digits shown only in context: the Arabic marks read beside "." and ","
        {{u".", u",", u"3;0", u"-", u"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", false},
         {u'.', u',', 3, 3, U'0', U'-', true}},
        {{u".", u",", u"0", u"-", u"0123456789", false}, none},           // no grouping
        {{u".", u"", u"3;0", u"-", u"0123456789", false}, none},          // no group mark
        {{u".", u".", u"3;0", u"-", u"0123456789", false}, none},         // a group mark that is the decimal mark
        {{u".", u",", u"3;0", u"\u2212", u"0123456789", false}, {u'.', u',', 3, 3, U'0', U'\u2212'}},
    };
    for (const auto& row : rows) EXPECT_EQ(numberSettingsFrom(row.texts), row.expected);
}

// The settings of the session's locale, which wine takes from LANG
// (registered once per locale below).
TEST(Form1Win32, followsTheRegionOfTheSession)
{
    const struct {
        const wchar_t* lang;
        NumberSettings expected;
    } rows[] = {
        {L"en_US.UTF-8", usSettings},
        {L"de_DE.UTF-8", {u',', u'.'}},
        {L"fr_FR.UTF-8", {u',', u'\u00a0'}},
        {L"hi_IN.UTF-8", {u'.', u',', 3, 2}},
        {L"ar_EG.UTF-8", {u'.', u',', 3, 3, U'0', U'-', true}},
    };
    wchar_t lang[64]{};
    GetEnvironmentVariableW(L"LANG", lang, 64);
    for (const auto& row : rows) {
        if (std::wstring_view(lang) == row.lang) {
            EXPECT_EQ(userNumberSettings(), row.expected);
            return;
        }
    }
    GTEST_SKIP() << "no row for this locale";
}

}  // namespace
