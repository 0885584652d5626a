#pragma once

namespace nv::editing {

// The code a paired symbol takes for a stem direction (> 0 down, else up):
// accidentals cycle, arrows, hats, glissandos, falls, hooked lines, fermatas
// and the paired items swap. Any other code is returned unchanged.
int StemPartner(int code, int direction);

// The code a cyclic symbol takes when reshaped by delta: tremolos, the
// dynamics 160..168 and the items 184..187. Any other code is returned
// unchanged.
int CycledCode(int code, int delta);

}  // namespace nv::editing
