#pragma once

namespace nv::render {

struct PainterContext;

// Draws the current row of the current system: staff lines, the bracket of
// its group, headers, barlines, the measures that fit, the symbols-row
// items, bar numbers and the labels of the notes the measures listed.
void DrawStaffRow(PainterContext& ctx);

// A bracket or brace from `top` to `bottom` at x for the rows first ..
// first + rows - 1; a group with a non-zero style byte shows only while one
// of its rows is highlighted.
void DrawInstrumentBracket(PainterContext& ctx, int x, int firstRow, int rows, int style, int top, int bottom);

}  // namespace nv::render
