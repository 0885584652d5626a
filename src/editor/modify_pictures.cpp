#include "editor/face_drawing.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "editor/face_drawing.h"
#include "render/music_font_codes.h"

namespace nv::editor {
namespace {

using namespace face_drawing;
namespace glyph = nv::render::glyph;

void Head(QPainter& p, double x, double y, int pixels = 18) { Glyph(p, {x, y}, glyph::BlackHead, pixels); }

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to - (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y())) * 2);
  ArrowHead(p, to, from);
}

// A note and an arrow beside it the way it moves; `octave` puts an 8 on the arrow.
void MoveNote(QPainter& p, int dx, int dy, bool octave) {
  if (dy != 0) {
    Head(p, 7, dy < 0 ? 15 : 7);
    Arrow(p, {16, dy < 0 ? 15.0 : 5.0}, {16, dy < 0 ? 3.0 : 18.0});
    if (octave) {
      QFont font("Arial");
      font.setPixelSize(8);
      font.setBold(true);
      p.setFont(font);
      p.drawText(QRectF(0, dy < 0 ? 0 : 12, 13, 10), Qt::AlignCenter, "8");
    }
    return;
  }
  Head(p, 11, 6);
  Arrow(p, {dx < 0 ? 16.0 : 5.0, 16}, {dx < 0 ? 3.0 : 19.0, 16});
}

void Size(QPainter& p, bool larger) {
  Head(p, 9, 11, larger ? 24 : 14);
  p.drawLine(QPointF(16, 4), QPointF(20, 4));
  if (larger) p.drawLine(QPointF(18, 2), QPointF(18, 6));
}

// Two notes side by side on one stem, or one note with a column beside it.
void OffsetNote(QPainter& p) {
  Head(p, 7, 13, 14);
  Head(p, 13, 9, 14);
  p.drawLine(QPointF(10.5, 3), QPointF(10.5, 13));
}

void VertAlign(QPainter& p) {
  Head(p, 8, 6, 14);
  Head(p, 8, 16, 14);
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  p.drawLine(QPointF(14.5, 1), QPointF(14.5, 21));
  p.setPen(QPen(Qt::black, 1));
}

// Space before (left of the note) or after it, growing or shrinking.
void ColumnSpace(QPainter& p, bool before, bool grow) {
  Head(p, 11, 8, 14);
  const double bar = before ? 3.5 : 18.5;
  p.drawLine(QPointF(bar, 2), QPointF(bar, 20));
  const double inner = before ? 8 : 14;
  const double outer = before ? 5 : 17;
  Arrow(p, {grow ? outer : inner, 16}, {grow ? inner : outer, 16});
  if (grow) Arrow(p, {inner, 16}, {inner + (before ? 6 : -6), 16});
}

// Two notes with their stems, with a beam over them or not.
void Beam(QPainter& p, bool joined) {
  Head(p, 5, 16, 14);
  Head(p, 15, 16, 14);
  p.drawLine(QPointF(7.5, 4), QPointF(7.5, 15));
  p.drawLine(QPointF(17.5, 4), QPointF(17.5, 15));
  if (joined) {
    Bar(p, 7.5, 3, 18, 5.5);
  } else {
    p.drawLine(QPointF(7.5, 4), QPointF(10.5, 8));
    p.drawLine(QPointF(17.5, 4), QPointF(20.5, 8));
  }
}

// One long note and the pair of shorter ones it splits into (or joins from).
void SplitPair(QPainter& p, bool split) {
  Head(p, 4, 15, 12);
  p.drawLine(QPointF(6, 5), QPointF(6, 14));
  Arrow(p, {split ? 8.0 : 19.0, 9}, {split ? 12.0 : 9.0, 9});
  Head(p, 14, 17, 10);
  Head(p, 19, 17, 10);
  p.drawLine(QPointF(16, 9), QPointF(16, 16));
  p.drawLine(QPointF(21, 9), QPointF(21, 16));
}

void Staff(QPainter& p, double left, double right, double top) {
  for (int line = 0; line < 3; ++line) p.drawLine(QPointF(left, top + line * 3), QPointF(right, top + line * 3));
}

void RowMove(QPainter& p, bool up) {
  Staff(p, 2, 13, up ? 12 : 4);
  Arrow(p, {17, up ? 16.0 : 5.0}, {17, up ? 3.0 : 18.0});
}

// The staff's indent at the left or the right end, with the way it moves.
void RowIndent(QPainter& p, bool left, bool grow) {
  Staff(p, left ? 8 : 2, left ? 20 : 14, 4);
  const double edge = left ? 8 : 14;
  const double away = left ? 2 : 20;
  Arrow(p, {grow ? away : edge, 16}, {grow ? edge : away, 16});
}

void SpaceAfterBar(QPainter& p, bool grow) {
  Staff(p, 2, 20, 3);
  p.drawLine(QPointF(8.5, 3), QPointF(8.5, 9));
  Arrow(p, {grow ? 10.0 : 19.0, 15}, {grow ? 19.0 : 10.0, 15});
}

// Two staff rows joined into one system or split apart.
void UnionRow(QPainter& p, bool unite) {
  Staff(p, 4, 20, 3);
  Staff(p, 4, 20, 14);
  if (unite) {
    p.drawLine(QPointF(3.5, 3), QPointF(3.5, 20));
  } else {
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawLine(QPointF(1, 11.5), QPointF(21, 11.5));
    p.setPen(QPen(Qt::black, 1));
  }
}

// The piano roll: note bars on a grid.
void PianoRoll(QPainter& p) {
  p.drawRect(QRectF(2.5, 2.5, 17, 17));
  Bar(p, 4, 5, 10, 7);
  Bar(p, 9, 10, 17, 12);
  Bar(p, 6, 15, 13, 17);
}

// The velocities as bars from the ground.
void Velocities(QPainter& p, bool calculate) {
  const double heights[] = {6, 11, 15, 9};
  for (int i = 0; i < 4; ++i) Bar(p, 3 + i * 4, 20 - heights[i], 5 + i * 4, 20);
  if (calculate) Glyph(p, {17, 6}, glyph::Forte, 14);
}

void CalcSequence(QPainter& p) {
  Glyph(p, {7, 7}, glyph::Trill, 16);
  Arrow(p, {4, 16}, {13, 16});
  Head(p, 17, 16, 10);
}

void BeamDirection(QPainter& p, bool up) {
  Head(p, 6, up ? 17 : 5, 14);
  Head(p, 15, up ? 17 : 5, 14);
  const double tip = up ? 4 : 18;
  p.drawLine(QPointF(up ? 8.5 : 3.5, up ? 16 : 6), QPointF(up ? 8.5 : 3.5, tip));
  p.drawLine(QPointF(up ? 17.5 : 12.5, up ? 16 : 6), QPointF(up ? 17.5 : 12.5, tip));
  Bar(p, up ? 8.5 : 3.5, tip - 1, up ? 18 : 13, tip + 1.5);
  Arrow(p, {20, up ? 14.0 : 8.0}, {20, up ? 6.0 : 16.0});
}

// A page with a break line, added or taken away.
void PageBreak(QPainter& p, bool add) {
  p.drawRect(QRectF(4.5, 2.5, 11, 17));
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawLine(QPointF(2, 11.5), QPointF(18, 11.5));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawLine(QPointF(16, 18), QPointF(21, 18));
  if (add) p.drawLine(QPointF(18.5, 15.5), QPointF(18.5, 20.5));
}

}  // namespace

const std::map<std::string_view, Drawing, std::less<>>& ModifyDrawings() {
  static const std::map<std::string_view, Drawing, std::less<>> drawings = {
      {"CBMoveUp", [](QPainter& p) { MoveNote(p, 0, -1, false); }},
      {"CBMoveDown", [](QPainter& p) { MoveNote(p, 0, 1, false); }},
      {"CBOctaveUp", [](QPainter& p) { MoveNote(p, 0, -1, true); }},
      {"CBOctaveDown", [](QPainter& p) { MoveNote(p, 0, 1, true); }},
      {"CBMoveLeft", [](QPainter& p) { MoveNote(p, -1, 0, false); }},
      {"CBMoveRight", [](QPainter& p) { MoveNote(p, 1, 0, false); }},
      {"CBSizeIncrease", [](QPainter& p) { Size(p, true); }},
      {"CBSizeDecrease", [](QPainter& p) { Size(p, false); }},
      {"CBLineUp", [](QPainter& p) { StemDirection(p, true); }},
      {"CBLineDown", [](QPainter& p) { StemDirection(p, false); }},
      {"CBNoteOffset", OffsetNote},
      {"CBVertAlign", VertAlign},
      {"CBDecOffBefore", [](QPainter& p) { ColumnSpace(p, true, true); }},
      {"CBIncOffBefore", [](QPainter& p) { ColumnSpace(p, true, false); }},
      {"CBIncOffAfter", [](QPainter& p) { ColumnSpace(p, false, true); }},
      {"CBDecOffAfter", [](QPainter& p) { ColumnSpace(p, false, false); }},
      {"CBUnionNotes", [](QPainter& p) { Beam(p, true); }},
      {"CBSplitNotes", [](QPainter& p) { Beam(p, false); }},
      {"CBSplitNote", [](QPainter& p) { SplitPair(p, true); }},
      {"CBUnionNote", [](QPainter& p) { SplitPair(p, false); }},
      {"CBRowUp", [](QPainter& p) { RowMove(p, true); }},
      {"CBRowDown", [](QPainter& p) { RowMove(p, false); }},
      {"CBIncLeftRow", [](QPainter& p) { RowIndent(p, true, true); }},
      {"CBDecLeftRow", [](QPainter& p) { RowIndent(p, true, false); }},
      {"CBIncRightRow", [](QPainter& p) { RowIndent(p, false, true); }},
      {"CBDecRightRow", [](QPainter& p) { RowIndent(p, false, false); }},
      {"CBIncRowOff", [](QPainter& p) { SpaceAfterBar(p, true); }},
      {"CBDecRowOff", [](QPainter& p) { SpaceAfterBar(p, false); }},
      {"CBUnionRow", [](QPainter& p) { UnionRow(p, true); }},
      {"CBSplitRow", [](QPainter& p) { UnionRow(p, false); }},
      {"CBSequence", PianoRoll},
      {"CBCalcSequence", CalcSequence},
      {"CBBeamUp", [](QPainter& p) { BeamDirection(p, true); }},
      {"CBBeamDown", [](QPainter& p) { BeamDirection(p, false); }},
      {"CBAddPageBreak", [](QPainter& p) { PageBreak(p, true); }},
      {"CBDeletePageBreak", [](QPainter& p) { PageBreak(p, false); }},
      {"CBVoice", [](QPainter& p) { Velocities(p, false); }},
      {"CBCalcVelocity", [](QPainter& p) { Velocities(p, true); }},
  };
  return drawings;
}

}  // namespace nv::editor
