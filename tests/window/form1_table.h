// The form's sixteen controls as its description gives them, for the tests of
// every window: plain C++, so that a test of any host can read it.
#pragma once

#include <array>
#include <string_view>

namespace mensora::testing {

enum class Kind { Frame, Option, List, Label, TextBox, Command };

struct ControlRow {
    const char* name;
    Kind kind;
    const char* parent;
    int left, top, width, height;  // in twips, from the parent's top-left corner
    std::u16string_view caption, tooltip;
    std::u16string_view accessibleName;  // where no caption names the control
};

inline constexpr std::array<ControlRow, 16> form1Controls{{
    {"Frame1", Kind::Frame, "Form1", 120, 120, 3375, 3615, u"Convertion Type:", u"", u""},
    {"optDistance", Kind::Option, "Frame1", 120, 240, 975, 255, u"Distance", u"Select for Distance options", u""},
    {"optVolume", Kind::Option, "Frame1", 120, 600, 1095, 255, u"Volume", u"Select for Volume options", u""},
    {"optTemp", Kind::Option, "Frame1", 120, 960, 1335, 255, u"Temperature", u"Select for Temperature options", u""},
    {"optArea", Kind::Option, "Frame1", 120, 1320, 1095, 255, u"Area", u"Select for Area options", u""},
    {"optWeight", Kind::Option, "Frame1", 120, 1680, 975, 255, u"Weight", u"Select for Weight options", u""},
    {"list1", Kind::List, "Frame1", 120, 2040, 3135, 1410, u"", u"Please select one conversion from the list",
     u"Conversions"},
    {"Frame2", Kind::Frame, "Form1", 3720, 120, 2415, 3615, u"", u"", u"Conversion"},
    {"lblInput", Kind::Label, "Frame2", 360, 240, 1695, 375, u"", u"", u"Input unit"},
    {"txtInput", Kind::TextBox, "Frame2", 360, 840, 1695, 495, u"", u"Please enter your input value here",
     u"Input value"},
    {"cmdConvert", Kind::Command, "Frame2", 360, 1560, 1695, 495, u"Convert", u"Press to see result", u""},
    {"lblOutput", Kind::Label, "Frame2", 360, 2280, 1695, 375, u"", u"", u"Output unit"},
    {"txtOutput", Kind::TextBox, "Frame2", 360, 2880, 1695, 495, u"", u"", u"Result"},
    {"Frame3", Kind::Frame, "Form1", 120, 3720, 6015, 615, u"", u"", u"Commands"},
    {"cmdExit", Kind::Command, "Frame3", 120, 240, 1815, 255, u"Exit", u"Press to Exit the program", u""},
    {"cmdReset", Kind::Command, "Frame3", 4200, 240, 1695, 255, u"Reset", u"Press to Reset all Fields", u""},
}};

}  // namespace mensora::testing
