#pragma once

#include <string>

#include "dialogs/logic/face_look.h"

namespace nv::dialogs {

// The clefs by "Key" value: 0 "Violin" .. 14 "Percussion 2".
inline constexpr int kClefCount = 15;

// The clef's name (the hint of the clef button), empty outside 0..14.
std::string ClefName(int clef);

// A clef on five lines 5 px apart from top + 17: the clef buttons, the clef
// choosers and the new-staff dialog draw it. `grey` draws it all in grey.
// A value outside 0..14 draws the staff alone.
void PaintClefGlyph(nv::platform::Canvas& canvas, const nv::platform::Rect& box, int clef, FaceLook look = {},
                    bool grey = false);

}  // namespace nv::dialogs
