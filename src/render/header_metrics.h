#pragma once

// Room of the staff header shared by its layout and its painter, in base
// pixels (scaled by the drawing factor).
namespace nv::render {

// From the barline to a clef change that opens a measure: more than half a
// staff space clear of the barline's pen (the C clef's own heavy bar would
// read as a double bar with it at half a space). A clef at a system's
// start keeps the usual two units.
constexpr int kClefChangeGap = 6;
constexpr int kSystemClefGap = 2;

}  // namespace nv::render
