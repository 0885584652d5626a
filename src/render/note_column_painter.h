#pragma once

class TECMeasure;
class TECNote;

namespace nv::render {

struct PainterContext;

// Draws one element of a voice: a note with its head, ledger lines, stem,
// flag, tremolo strokes and attributes, or a repeat sign; writes the drawn
// boxes back. Chords share the stem their last note draws.
void DrawChordColumn(PainterContext& ctx, TECNote& note);

// True when the measure's beam painter draws the note's stem: the beam list
// holds it (or another note of its chord) and at least one other note, and
// it is not the last note of a list whose note before it is a quarter or
// longer.
bool InBeamList(const TECMeasure& measure, const TECNote& note);

}  // namespace nv::render
