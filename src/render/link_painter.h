#pragma once

class TECLinkAttribute;

namespace nv::render {

struct PainterContext;

// Ties and slurs (kinds 151 above the heads, 152 below), drawn as circular
// arcs from the earlier note (the partner) to the note that holds the link
// (the owner), across barlines, systems and pages.

// A slur's arc, or the flatter arc of a tie.
enum class ArcShape { Slur, Tie };

// One arc from (x1, y1) to (x2, y2), its apex above the chord or, with
// `below`, under it. The height grows with the chord's length (3 log2 c -
// 12, or 3 log2 c - 8 for short chords) plus `thickness` pen units; a chord
// too short for a positive height, or of no width, draws nothing. A tie
// rises half as high, and at least a pixel. The order of the points does
// not matter.
void DrawSlurArc(PainterContext& ctx, int x1, int y1, int x2, int y2, bool below, int thickness,
                 ArcShape shape = ArcShape::Slur);

// The link as its owner note draws it, in the current system: from the
// partner (at its head for a tie, clear of the stem; at the head, or past
// the stem's end on the stem side, for a slur), or from the page's first
// system when the partner lies on an earlier page, system by system to the
// owner. Writes both handle boxes (zeroed for an end off the page); a
// selected end is filled red.
void DrawSlur(PainterContext& ctx, TECLinkAttribute& link);

// After the page's last system: the links whose owner lies on the next
// page, from their partner (or the first system) to the last system's end.
void DrawCarriedSlurs(PainterContext& ctx);

}  // namespace nv::render
