#pragma once

class TECGraceGroup;
class TECLinkAttribute;
class TECNote;

namespace nv::render {

struct PainterContext;

// Ties and slurs, grace-note groups and the brackets around heads and
// accidentals. Ties, slurs and grace notes follow in a later step; their
// painters already stand where they are called.
void DrawSlur(PainterContext& ctx, TECLinkAttribute& link);
void DrawGraceNotes(PainterContext& ctx, TECGraceGroup& group, TECNote& mainNote);
// The ties and slurs that continue beyond the page, after its last system.
void DrawCarriedSlurs(PainterContext& ctx);

// Bracket kind 1 "(" ")", 2 "[" "]", 3 "{" "}": the opening character at
// (leftX, leftY), the closing one at (rightX, rightY), in Arial 6; the music
// face at its previous size is selected again afterwards (also for other
// kinds, which draw nothing).
void DrawElementBrackets(PainterContext& ctx, int kind, int leftX, int leftY, int rightY, int rightX);

}  // namespace nv::render
