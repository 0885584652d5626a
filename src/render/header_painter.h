#pragma once

#include <cstdint>

class TECElement;

// The staff header: clef, key signature and time signature.

namespace nv::render {

struct PainterContext;

// Draws the clef of `code` with its left edge at x on the current staff, red
// when `record` is selected, and stores its box in `record` when given.
// Returns the clef's advance.
int DrawClef(PainterContext& ctx, int code, int x, TECElement* record);

// Draws the key `keyInForce` (0 none, 1..7 sharps, 11..17 flats) for the
// clef `clef` from x; returns the advance.
int DrawKeySignature(PainterContext& ctx, int keyInForce, int clef, int x, TECElement* record);

// Draws a time signature of numerator/denominator in the size style at x;
// returns the advance.
int DrawTimeSignature(PainterContext& ctx, int numerator, int denominator, int sizeStyle, int x,
                      TECElement* record);

// Draws the header of the current measure from its start: the clef when the
// system starts or the measure changes it, the key and the time.
void DrawMeasureHeader(PainterContext& ctx);

}  // namespace nv::render
