#pragma once

namespace nv::render {

struct PainterContext;

// The names of an instrument's rows, left of their staves in the score's
// first system, in the room the layout keeps for them in that system's
// indent (so they never cover the music).

// The room the layout keeps, base pixels: an estimate of the name's width
// (its characters at a width no Arial letter of the names' size passes on
// average), at most kRowNameMaxWidth, and a gap before the staff.
constexpr int kRowNamePoints = 8;
constexpr int kRowNameCharWidth = 5;
constexpr int kRowNameMaxWidth = 120;
constexpr int kRowNameGap = 6;

// Draws the current row's name (when it has one) right-aligned to end the
// gap before `staffLeftX` (device pixels), centred on the staff, within the
// room from the page's left content edge: a name wider than the room is
// drawn smaller until it fits.
void DrawRowName(PainterContext& ctx, int staffLeftX);

}  // namespace nv::render
