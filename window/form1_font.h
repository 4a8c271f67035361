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
// ("-1.23456789012345E-308"): 125 to 140 pixels at 8.25 pt at 96 dpi, where
// the box has room for 103 to 106 (and as much more at every scale as the box
// grows). So its font steps down, a pixel of a 96 dpi screen at a time
// (0.75 pt), until the text fits: 8.25, 7.5, 6.75 and at the least 6 pt. Most
// of the longest results fit at 6.75 pt; at 6 pt (8 px at 96 dpi, 16 px at
// 192) every one does, of the widest digits, in each face the window draws
// in: Comic Neue's zeros end about 10 px short of the edge, Liberation Sans's
// digits 14 and the Arabic-Indic ones (drawn in DejaVu Sans) 2, and in Comic
// Sans MS, whose digits are 0.61 em wide, the widest takes 102 px. One step
// below, at 7 px, a digit would be 3 to 4 px wide and 5 high, too few pixels
// to tell a 3 from an 8. The input box keeps the window's font and scrolls as
// the user types, as every box does: a font that changed under the caret at
// each key would move the text being edited.
inline constexpr std::u16string_view form1FittedBox = u"txtOutput";
inline constexpr FontSteps form1FittedFont{6.0, 0.75};

}  // namespace mensora
