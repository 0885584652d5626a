#pragma once

#include "dialogs/logic/face_look.h"
#include "platform/canvas.h"

namespace nv::dialogs {

// The face of the chords page's placement button: a small staff with a
// chord name over it ("Cm7+") when chords go above the staff, under it
// ("Cm5+") when they go below.
void PaintChordPlacementFace(nv::platform::Canvas& canvas, const nv::platform::Rect& box, bool above, FaceLook look);

}  // namespace nv::dialogs
