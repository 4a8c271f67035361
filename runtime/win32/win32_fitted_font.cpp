#include "win32_fitted_font.h"

#include <commctrl.h>

#include <utility>

namespace mensora {

namespace {

struct BoxFont {
    double fullPointSize;
    FontSteps steps;
    std::wstring face;           // the first of the steps' faces that is installed
    HWND parent;                 // which hears of each change of the box's text
    Win32FormWindow& form;       // which tells a failure
    HFONT windowFont = nullptr;  // as the window's layout gave it, at the box's dpi
    LONG margins = 0;            // the room the edit control leaves beside the text in it, the widest
    HFONT own = nullptr;         // the font of its own the box has now, if any
    double points = 0;           // its size; 0 for the window's font, -1 for none yet at this dpi
    bool fitting = false;        // while this gives the box its font
};

LRESULT CALLBACK parentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR box, DWORD_PTR data);

// The box's face at a size, rounded down to whole pixels as the window's font
// is, and drawn as the window's font is drawn.
HFONT sizedFont(const BoxFont& fitted, double points, UINT dpi)
{
    LOGFONTW font{};
    GetObjectW(fitted.windowFont, sizeof font, &font);
    font.lfHeight = -static_cast<LONG>(points * dpi / 72);
    font.lfWidth = 0;
    font.lfWeight = fitted.steps.bold ? FW_BOLD : FW_NORMAL;
    wcsncpy(font.lfFaceName, fitted.face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

// The width of the box's text in a font, as the box lays it out in one line.
LONG textWidth(HWND box, HFONT font)
{
    const std::wstring text = wide(windowText(box));
    const WindowDC dc(box);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    return extent.cx;
}

// Gives the box a font, the window's or one of its own of a size.
void use(HWND box, BoxFont& fitted, HFONT font, double points)
{
    fitted.fitting = true;
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    fitted.fitting = false;
    if (fitted.own != nullptr) DeleteObject(fitted.own);
    fitted.own = font == fitted.windowFont ? nullptr : font;
    fitted.points = points;
}

void fit(HWND box, BoxFont& fitted)
{
    if (fitted.windowFont == nullptr) return;
    if (GetWindowTextLengthW(box) == 0) {  // no text to draw: the window's font, and no face of its own
        if (fitted.points != 0) use(box, fitted, fitted.windowFont, 0);
        return;
    }
    RECT client{};
    GetClientRect(box, &client);
    const LONG room = client.right - fitted.margins;
    const UINT dpi = fitted.form.layoutDpi();
    const double points = fittedPointSize(fitted.fullPointSize, fitted.steps, [&](double size) {
        HFONT font = sizedFont(fitted, size, dpi);
        const bool fits = textWidth(box, font) <= room;
        DeleteObject(font);
        return fits;
    });
    if (points != fitted.points) use(box, fitted, sizedFont(fitted, points, dpi), points);
}

// Fits the box's font, telling a failure as the form tells it.
void fitOrTell(HWND box, BoxFont& fitted) noexcept
{
    try {
        fit(box, fitted);
    } catch (...) {
        fitted.form.reportFailure();
    }
}

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    auto& fitted = *reinterpret_cast<BoxFont*>(data);
    switch (message) {
    case WM_SETFONT: {  // the window's font, laid out for a dpi: the text is fitted anew in the box's face
        if (fitted.fitting) break;
        DefSubclassProc(box, message, wParam, FALSE);  // for the margins the edit control leaves beside it
        fitted.windowFont = reinterpret_cast<HFONT>(wParam);
        fitted.points = -1;
        const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
        fitted.margins = LOWORD(margins) + HIWORD(margins);
        fitOrTell(box, fitted);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(fitted.parent, parentProc, reinterpret_cast<UINT_PTR>(box));
        RemoveWindowSubclass(box, boxProc, id);
        if (fitted.own != nullptr) DeleteObject(fitted.own);
        delete &fitted;
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// Each change of the box's text, told to its parent.
LRESULT CALLBACK parentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR box, DWORD_PTR data)
{
    if (message == WM_NCDESTROY) RemoveWindowSubclass(parent, parentProc, box);
    const LRESULT result = DefSubclassProc(parent, message, wParam, lParam);
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && static_cast<UINT_PTR>(lParam) == box) {
        fitOrTell(reinterpret_cast<HWND>(box), *reinterpret_cast<BoxFont*>(data));
    }
    return result;
}

}  // namespace

void fitFontToText(HWND box, Win32FormWindow& form, double fullPointSize, FontSteps steps)
{
    auto* fitted = new BoxFont{fullPointSize, steps, installedFace(steps.faces), GetParent(box), form};
    SetWindowSubclass(box, boxProc, 0, reinterpret_cast<DWORD_PTR>(fitted));
    SetWindowSubclass(fitted->parent, parentProc, reinterpret_cast<UINT_PTR>(box), reinterpret_cast<DWORD_PTR>(fitted));
    SendMessageW(box, WM_SETFONT, SendMessageW(box, WM_GETFONT, 0, 0), FALSE);
}

}  // namespace mensora
