// The window's font, for every host: "Comic Sans MS" 8.25 pt where it is
// installed, else the first installed of its stand-ins; and the result box's
// font, which steps down from it to show every result whole.
#pragma once

#include <array>
#include <string_view>

#include "fitted_font.h"

namespace mensora {

// Comic Neue is drawn to stand in for it where it is missing, as on most
// Linux systems; Liberation Sans is a plain sans-serif in which every caption
// still fits its control (fontconfig would pick a calligraphic face for a
// missing "Comic Sans MS").
inline constexpr std::array<std::u16string_view, 3> form1FontFaces{u"Comic Sans MS", u"Comic Neue", u"Liberation Sans"};
inline constexpr double form1FontPointSize = 8.25;

// The result box shows its text whole. A result has up to 22 characters
// ("-1.23456789012345E-308"): about 130 pixels at 8.25 pt at 96 dpi, where the
// box has room for 103 to 107 (and as much more at every scale as the box
// grows). So its font steps down, a pixel of a 96 dpi screen at a time
// (0.75 pt), until the text fits: 8.25, 7.5, 6.75 and at the least 6 pt. At
// 6 pt (8 px at 96 dpi, 16 px at 192) every result fits: the widest, of
// zeros, takes 95 px, and one of Arabic-Indic digits 102. One step below, at
// 7 px, a digit would be 3 to 4 px wide and 5 high, too few pixels to tell a
// 3 from an 8.
// It is drawn in Arial, or Liberation Sans, which has Arial's widths to the
// letter, so that what is measured here holds on every system, and in bold:
// at 8 and 9 px the decimal point of a regular weight is a pale dot, easily
// overlooked, which would make 3.28 read as 328. Empty, the box keeps the
// window's font, so the window opens no second face before the first result.
// The input box keeps the window's font and scrolls as the user types, as
// every box does: a font that changed under the caret at each key would move
// the text being edited.
inline constexpr std::u16string_view form1FittedBox = u"txtOutput";
inline constexpr std::array<std::u16string_view, 2> form1FittedFaces{u"Arial", u"Liberation Sans"};
inline constexpr FontSteps form1FittedFont{form1FittedFaces, true, 6.0, 0.75};

}  // namespace mensora
