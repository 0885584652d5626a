#include "dialogs/arrangement_faces.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace nv::dialogs {
namespace {

// A note head with its stem up, the stem's top returned.
QPoint Note(QPainter& painter, int x, int baseline, int stem) {
  painter.setBrush(Qt::black);
  painter.drawEllipse(QRect(x - 3, baseline - 2, 5, 4));
  painter.drawLine(x + 1, baseline - 1, x + 1, baseline - stem);
  return {x + 1, baseline - stem};
}

}  // namespace

void PaintRowAlignmentFace(QPainter& painter, const QRect& area, int kind) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  const int left = area.left() + 4;
  const int right = area.right() - 4;
  const int top = area.top() + area.height() / 2 - 8;
  // Two rows of one bar each, the bar lines at the ends.
  for (int row = 0; row < 2; ++row) {
    const int y = top + row * 14 + 8;
    painter.drawLine(left, y, right, y);
    painter.drawLine(left, y - 6, left, y + 2);
    painter.drawLine(right, y - 6, right, y + 2);
  }
  // Where the notes of each row stand, in eighths of the bar's width: the
  // first row has a half and two quarters, the second four quarters.
  constexpr std::array<std::array<int, 4>, 3> kFirst = {{{1, 3, 5, -1}, {1, 4, 6, -1}, {1, 5, 7, -1}}};
  constexpr std::array<std::array<int, 4>, 3> kSecond = {{{1, 3, 5, 7}, {1, 3, 5, 7}, {1, 3, 5, 7}}};
  const int style = kind >= 0 && kind <= 2 ? kind : 0;
  const int width = right - left;
  for (int row = 0; row < 2; ++row) {
    const auto& places = row == 0 ? kFirst[static_cast<std::size_t>(style)] : kSecond[static_cast<std::size_t>(style)];
    for (int eighth : places)
      if (eighth >= 0) Note(painter, left + width * eighth / 8, top + row * 14 + 6, 6);
  }
  painter.restore();
}

void PaintJoinFace(QPainter& painter, const QRect& area, int count) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  constexpr int kNotes = 8;
  const int left = area.left() + 5;
  const int step = (area.width() - 10) / kNotes;
  const int baseline = area.bottom() - 6;
  std::array<QPoint, kNotes> tops{};
  for (int i = 0; i < kNotes; ++i) tops[static_cast<std::size_t>(i)] = Note(painter, left + i * step + 2, baseline, 14);
  // Notes a beam: none alone (each gets a flag), the bar at once, the
  // beats of 4/4 (two eighths), or the count.
  const int group = count == 0 ? 1 : count == 1 ? kNotes : count == -1 ? 2 : std::max(count, 2);
  for (int first = 0; first < kNotes; first += group) {
    const int last = std::min(first + group, kNotes) - 1;
    const QPoint a = tops[static_cast<std::size_t>(first)];
    if (last == first) {
      painter.drawLine(a, a + QPoint(3, 4));
      continue;
    }
    const QPoint b = tops[static_cast<std::size_t>(last)];
    painter.fillRect(QRect(a, QPoint(b.x(), a.y() + 1)), Qt::black);
  }
  painter.restore();
}

}  // namespace nv::dialogs
