#pragma once

class TECGraceGroup;
class TECNote;

namespace nv::render {

struct PainterContext;

// A grace-note group before or after its main note: one small note as a
// single glyph with head, stem and flag, or several as small heads on
// stems under their beams; accidentals, ledger lines, the slash and the
// slur to the main note. Writes every small note's box and the group's
// extent (left - 1, topmost top, lowest bottom, right).
void DrawGraceNotes(PainterContext& ctx, TECGraceGroup& group, TECNote& mainNote);

}  // namespace nv::render
