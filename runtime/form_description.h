// A form as plain data, for a host that builds the window itself out of the
// platform's own controls (the Win32 host): the window and its controls in the
// order they are created, which is their z-order and the order Tab follows.
// Written from the window's Designer form at build time.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "fitted_font.h"

namespace mensora {

enum class ControlKind : std::uint8_t { Frame, OptionButton, ListBox, Label, TextBox, CommandButton };

// A rectangle in pixels at 96 dpi; the host scales it to the monitor's dpi.
struct Rect96 { int left, top, width, height; };

struct ControlDescription {
    std::u16string_view name;  // the control's name on the form
    ControlKind kind;
    Rect96 rect;               // from the window's client area
    std::u16string_view caption;
    std::u16string_view toolTip;         // empty for none
    std::u16string_view accessibleName;  // empty where the caption names it
};

struct FormDescription {
    std::u16string_view name;
    std::u16string_view caption;
    int width;   // the client area, in pixels at 96 dpi
    int height;
    std::span<const ControlDescription> controls;
    std::span<const std::u16string_view> fontFaces;  // the first installed one is used
    double fontPointSize;
    std::u16string_view fittedBox;  // the box that shows its text whole; empty for none
    FontSteps fittedFont;           // how its font steps down from the window's
};

}  // namespace mensora
