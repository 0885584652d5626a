#pragma once

class TECInstrument;

namespace nv::render {

struct PainterContext;

// What the painters need to follow a tie, slur or spanner from one system
// to the next. Systems are indexes into the instrument's system records;
// a system without a record has no indents and no row offsets.

// The system's indents from the page's content edges, base pixels. The
// first system's left indent is at least the room of the row names.
int SystemLeftIndent(const TECInstrument& instrument, int system);
// The room the row names take left of the first system's staves (names,
// and the gap to the staff or bracket), base pixels; 0 without names.
int RowNameRoom(const TECInstrument& instrument);
// Whether row `row` opens a staff of its own (the rows united with the row
// above share its staff).
bool OpensStaff(const TECInstrument& instrument, int row);
int SystemRightIndent(const TECInstrument& instrument, int system);
// The row offsets between row `row` of `system` and the same row of the
// next system: those of the rows below it in `system` and those of rows 0 ..
// `row` in the next one (pixels at the screen resolution). Rows that share
// the staff of the row above add nothing, as on the page.
int SystemRowDistance(const TECInstrument& instrument, int system, int row);

// Device pixels from the staff top of row `row` in `system` to its staff
// top in the next system: the staves and intervals of every visible row
// and the row offsets, at the painter's vertical factor.
int SystemDistance(const PainterContext& ctx, int system, int row);
// The x where the music of a system of the page starts (its first
// measure's content origin) and where its staves end.
int SystemStartX(const PainterContext& ctx, int system);
// Base x of a system's left content edge: the page margin, the indent and
// the room kept for the bracket of several rows.
int SystemLeftBase(const PainterContext& ctx, int system);
int SystemEndX(const PainterContext& ctx, int system);

}  // namespace nv::render
