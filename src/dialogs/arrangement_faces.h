#pragma once

class QPainter;
class QRect;

namespace nv::dialogs {

// The faces of the row-alignment styles (0 evenly, 1 proportional, 2
// positional): notes on a line, spaced as the style spaces them.
void PaintRowAlignmentFace(QPainter& painter, const QRect& area, int kind);

// The faces of the joining styles (0 none, 1 full bar, -1 by time
// signature, any other count that many notes a beam): eight eighths,
// beamed as the style joins them.
void PaintJoinFace(QPainter& painter, const QRect& area, int count);

}  // namespace nv::dialogs
