#include "win32_fitted_font.h"

#include <commctrl.h>

#include <utility>

namespace mensora {

namespace {

struct FittedFont {
    double fullPointSize;
    FontSteps steps;
    HWND parent;                 // which hears of each change of the box's text
    HFONT windowFont = nullptr;  // as the window's layout gave it, at the box's dpi
    LONG margins = 0;            // the room the edit control leaves beside the text in it, the widest
    HFONT own = nullptr;         // a smaller one the box has now, if any
    double points = 0;           // the size of the font the box has now
    bool fitting = false;        // while this gives the box a font of its own
};

LRESULT CALLBACK parentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR box, DWORD_PTR data);

// The window's font at a size, rounded down to whole pixels as the window's
// own is.
HFONT sizedFont(const FittedFont& fitted, double points, UINT dpi)
{
    LOGFONTW face{};
    GetObjectW(fitted.windowFont, sizeof face, &face);
    face.lfHeight = -static_cast<LONG>(points * dpi / 72);
    face.lfWidth = 0;
    return CreateFontIndirectW(&face);
}

// The width of the box's text in a font, as the box lays it out in one line.
LONG textWidth(HWND box, HFONT font)
{
    const std::wstring text = wide(windowText(box));
    HDC dc = GetDC(box);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return extent.cx;
}

void fit(HWND box, FittedFont& fitted)
{
    if (fitted.windowFont == nullptr) return;
    RECT client{};
    GetClientRect(box, &client);
    const LONG room = client.right - fitted.margins;
    const UINT dpi = GetDpiForWindow(box);
    const double points = fittedPointSize(fitted.fullPointSize, fitted.steps, [&](double size) {
        if (size == fitted.fullPointSize) return textWidth(box, fitted.windowFont) <= room;
        HFONT font = sizedFont(fitted, size, dpi);
        const bool fits = textWidth(box, font) <= room;
        DeleteObject(font);
        return fits;
    });
    if (points == fitted.points) return;  // the size the box has already
    HFONT chosen = points == fitted.fullPointSize ? fitted.windowFont : sizedFont(fitted, points, dpi);
    fitted.fitting = true;
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
    fitted.fitting = false;
    if (fitted.own != nullptr) DeleteObject(fitted.own);
    fitted.own = chosen == fitted.windowFont ? nullptr : chosen;
    fitted.points = points;
}

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    auto& fitted = *reinterpret_cast<FittedFont*>(data);
    switch (message) {
    case WM_SETFONT: {  // the window's font, laid out for a dpi: the text is fitted anew in it
        if (fitted.fitting) break;
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        fitted.windowFont = reinterpret_cast<HFONT>(wParam);
        fitted.points = fitted.fullPointSize;
        const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
        fitted.margins = LOWORD(margins) + HIWORD(margins);
        if (fitted.own != nullptr) DeleteObject(std::exchange(fitted.own, nullptr));
        fit(box, fitted);
        return result;
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
        fit(reinterpret_cast<HWND>(box), *reinterpret_cast<FittedFont*>(data));
    }
    return result;
}

}  // namespace

void fitFontToText(HWND box, double fullPointSize, FontSteps steps)
{
    auto* fitted = new FittedFont{fullPointSize, steps, GetParent(box)};
    SetWindowSubclass(box, boxProc, 0, reinterpret_cast<DWORD_PTR>(fitted));
    SetWindowSubclass(fitted->parent, parentProc, reinterpret_cast<UINT_PTR>(box), reinterpret_cast<DWORD_PTR>(fitted));
    SendMessageW(box, WM_SETFONT, SendMessageW(box, WM_GETFONT, 0, 0), FALSE);
}

}  // namespace mensora
