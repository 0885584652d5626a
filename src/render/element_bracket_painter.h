#pragma once

namespace nv::render {

struct PainterContext;

// Bracket kind 1 "(" ")", 2 "[" "]", 3 "{" "}" around a head or an
// accidental: the opening character at (leftX, leftY), the closing one at
// (rightX, rightY), in Arial 6. The music face comes back at its previous
// size afterwards, also for other kinds, which draw nothing.
void DrawElementBrackets(PainterContext& ctx, int kind, int leftX, int leftY, int rightY, int rightX);

}  // namespace nv::render
