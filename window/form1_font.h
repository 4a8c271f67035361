// The window's font, for every host: "Comic Sans MS" 8.25 pt where it is
// installed, else the first installed of its stand-ins.
#pragma once

#include <array>
#include <string_view>

namespace mensora {

// Comic Neue is drawn to stand in for it where it is missing, as on most
// Linux systems; Liberation Sans is a plain sans-serif in which every caption
// still fits its control (fontconfig would pick a calligraphic face for a
// missing "Comic Sans MS").
inline constexpr std::array<std::u16string_view, 3> form1FontFaces{u"Comic Sans MS", u"Comic Neue", u"Liberation Sans"};
inline constexpr double form1FontPointSize = 8.25;

}  // namespace mensora
