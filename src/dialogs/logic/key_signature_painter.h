#pragma once

#include "dialogs/logic/face_look.h"

namespace nv::dialogs {

// A key signature ("Tone" value: 0 none, 1..7 sharps, 11..17 flats) on five
// lines 6 px apart, centred in the box, with the key's name under the staff.
// Any other value, as an edited settings file may hold, draws the staff
// alone: no accidentals and no name.
void PaintKeySignature(nv::platform::Canvas& canvas, const nv::platform::Rect& box, int tone, FaceLook look = {});

}  // namespace nv::dialogs
