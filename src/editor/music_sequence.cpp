#include "editor/music_sequence.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "document/score_document.h"
#include "editor/octave_colours.h"
#include "editor/pane_edits.h"
#include "platform/qt/qt_color.h"

namespace nv::editor {
namespace {

constexpr char kLetters[] = "CDEFGAH";
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

bool IsBlack(int key) {
  const int s = key % 12;
  return s == 1 || s == 3 || s == 6 || s == 8 || s == 10;
}

}  // namespace

TECMusicSequence::TECMusicSequence(nv::document::ScoreDocument& document, QWidget* parent, int noteHeight,
                                   int panelWidth)
    : RowPane(document, ItemOrder::Notated, parent), layout_(noteHeight, panelWidth) {
  setMouseTracking(true);
  Refill();
  VerticalBar().setValue(100);
}

void TECMusicSequence::SetInsertLength(int ticks) {
  insertLength_ = std::max(0, ticks);
  if (insertLength_ == 0) marker_.reset();
  update();
}

void TECMusicSequence::PaintKeyboard(QPainter& painter, const QRect& area) {
  const int top = VerticalBar().value();
  const int nh = layout_.NoteHeight();
  const int pw = layout_.PanelWidth();
  const int kw = layout_.KeyboardWidth();
  QFont letters("Arial");
  letters.setPointSize(8);
  QFont numbers("Arial");
  numbers.setPointSize(6);
  painter.fillRect(QRect(0, area.top(), kw, area.height()), Qt::white);
  // White keys from the bottom up: D, G and A a third taller above octave 1.
  int bottom = layout_.ContentHeight();
  for (int key = SequenceLayout::kLowestKey; key <= SequenceLayout::kHighestKey; ++key) {
    if (IsBlack(key)) continue;
    const int octave = key / 12;
    const int s = key % 12;
    const int h = octave > 1 && (s == 2 || s == 7 || s == 9) ? nh + nh / 3 : nh;
    const QRect band(0, bottom - h - top, kw, h);
    bottom -= h;
    if (!band.intersects(area)) continue;
    painter.fillRect(band.adjusted(kw, 0, area.right(), 0), nv::platform::toQColor(OctaveColour(s == 11 ? octave + 1 : octave)));
    painter.setPen(Qt::black);
    painter.drawRoundedRect(band.adjusted(0, 0, -1, 0), 2, 2);
    painter.setPen(kGrey);
    painter.drawLine(kw - 2, band.top() + 1, kw - 2, band.bottom() - 1);
    painter.setPen(Qt::black);
    painter.setFont(letters);
    const int step = std::string_view("CDEFGAB").find("C D EF G A B"[s]);
    painter.drawText(QRect(pw + 2, band.top(), pw, band.height()), Qt::AlignVCenter, QString(QChar(kLetters[step])));
    if (s == 0 && octave < 9) {
      painter.setFont(numbers);
      // Below the C sharp key that covers the top of the band.
      painter.drawText(QRect(2, band.top(), pw, band.height()), Qt::AlignBottom, QString::number(octave));
    }
  }
  const int r = layout_.RowHeight();
  for (int key = SequenceLayout::kLowestKey; key <= SequenceLayout::kHighestKey; ++key) {
    if (!IsBlack(key)) continue;
    const QRect black(0, layout_.BandBottom(key) - r - top, pw - 1, r);
    if (!black.intersects(area)) continue;
    painter.setPen(kGrey);
    painter.drawRect(black.adjusted(0, 0, 1, 1));
    painter.fillRect(black, Qt::black);
    painter.setPen(kSilver);
    painter.drawLine(1, black.bottom() - 2, pw - 3, black.bottom() - 2);
  }
}

void TECMusicSequence::PaintGrid(QPainter& painter, const QRect& area) {
  const int top = VerticalBar().value();
  const int r = layout_.RowHeight();
  painter.setPen(kSilver);
  for (int key = SequenceLayout::kLowestKey; key <= SequenceLayout::kHighestKey + 1; ++key) {
    const int y = layout_.BandBottom(key) - top;
    if (y >= area.top() && y <= area.bottom() + r)
      painter.drawLine(std::max(area.left(), layout_.KeyboardWidth()), y, area.right(), y);
  }
}

void TECMusicSequence::PaintMeasures(QPainter& painter, const QRect& area) {
  const int dx = HorizontalBar().value();
  const int top = VerticalBar().value();
  const auto& measures = Items().Measures();
  const auto [first, end] = Items().MeasuresIn(area.left() + dx, area.right() + dx + 1);
  const int height = layout_.ContentHeight() - top;
  QPen dotted(kSilver, 1, Qt::DotLine);
  for (int m = first; m < end; ++m) {
    const MeasureEntry& measure = measures[static_cast<std::size_t>(m)];
    const int left = measure.Left - dx;
    const int width = measure.Right - measure.Left;
    const int beat = width / measure.Beats;
    painter.setPen(dotted);
    for (int b = 1; b < measure.Beats; ++b) painter.drawLine(left + b * beat, -top, left + b * beat, height);
    if (width > 16) {
      painter.setPen(kSilver);
      for (int b = 0; b < measure.Beats; ++b) {
        const int x = left + b * beat + beat / 2;
        for (int y = area.top() - (area.top() + top) % 4; y <= area.bottom(); y += 4) painter.drawPoint(x, y);
      }
    }
    painter.setPen(kGrey);
    painter.drawLine(measure.Right - 1 - dx, -top, measure.Right - 1 - dx, height);
  }
}

void TECMusicSequence::PaintItems(QPainter& painter, const QRect& area) {
  const int dx = HorizontalBar().value();
  const auto [first, end] = Items().MeasuresIn(area.left() + dx, area.right() + dx + 1);
  if (first >= end) return;
  // An item's bars may reach into the next measure: the measure before
  // the first visible one is painted too.
  const int from = Items().FirstItemOf(std::max(0, first - 1));
  const int to = Items().EndItemOf(end - 1);
  const QColor marked = hasFocus() ? QColor(Qt::red) : kGrey;
  auto bar = [&](const PaneRect& r, const QColor& colour) {
    if (r.Empty()) return;
    const QRect q = ToClient(r);
    painter.fillRect(q, colour);
    painter.setPen(Qt::black);
    painter.drawLine(q.topLeft(), q.bottomLeft());
    painter.drawLine(q.topRight(), q.bottomRight());
  };
  const auto& all = Items().Items();
  for (int i = from; i < to; ++i) {
    const RowItem& item = all[static_cast<std::size_t>(i)];
    const bool chosen = item.Selected || i == Items().Active();
    if (item.Kind == ItemKind::Note) {
      bar(item.Notated, chosen ? marked : QColor(Qt::blue));
      bar(item.Performed, chosen ? marked : QColor(0, 0x80, 0));
    } else {
      bar(item.Whole, chosen ? marked : QColor(0, 0x80, 0));
    }
  }
  if (Items().Valid(Items().Active())) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToClient(all[static_cast<std::size_t>(Items().Active())].Whole).adjusted(-1, -1, 0, 0));
  }
}

QRect TECMusicSequence::MarkerRect() const {
  if (!marker_ || insertLength_ <= 0) return {};
  const int r = layout_.RowHeight();
  const int top = VerticalBar().value();
  const int x = std::max(layout_.KeyboardWidth(), marker_->x() / 2 * 2 - 4);
  const int y = (marker_->y() + top - 4) / r * r + layout_.NoteHeight() / 3 - top;
  return QRect(x, y, 2 * insertLength_, r);
}

void TECMusicSequence::PaintArea(QPainter& painter, const QRect& area) {
  const int kw = layout_.KeyboardWidth();
  // The keyboard's white keys also give the grid its octave bands.
  PaintKeyboard(painter, area);
  if (area.right() >= kw) {
    painter.save();
    painter.setClipRect(area.intersected(QRect(kw, area.top(), area.right() + 1 - kw, area.height())));
    PaintGrid(painter, area);
    PaintMeasures(painter, area);
    PaintItems(painter, area);
    painter.restore();
    if (const QRect marker = MarkerRect(); !marker.isEmpty()) {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.setPen(QPen(Qt::white, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(marker);
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
  }
}

void TECMusicSequence::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  if (insertLength_ > 0) {
    setFocus(Qt::MouseFocusReason);
    EmptyClicked(ToContent(event->position().toPoint()));
    return;
  }
  RowPane::mousePressEvent(event);
}

void TECMusicSequence::mouseMoveEvent(QMouseEvent* event) {
  if (insertLength_ <= 0) return;
  update(MarkerRect().adjusted(-2, -2, 2, 2));
  marker_ = event->position().toPoint();
  update(MarkerRect().adjusted(-2, -2, 2, 2));
}

void TECMusicSequence::ItemClicked(int item, const QPoint&, Qt::KeyboardModifiers modifiers) {
  ChooseItem(item, modifiers);
}

void TECMusicSequence::EmptyClicked(const QPoint& content) {
  if (insertLength_ <= 0) return;
  // The insertion click reads the point as the marker shows it.
  if (const auto place = layout_.InsertionPlace(Items(), content.x(), content.y()); place && OnSequenceNote)
    OnSequenceNote(place->Measure, place->Position, place->Key);
}

void TECMusicSequence::Edit(int change) {
  pane_edits::EditPerformance(Document().Score(), Items(), static_cast<pane_edits::Performance>(change));
  setFocus(Qt::OtherFocusReason);
}

void TECMusicSequence::IncSize() { Edit(static_cast<int>(pane_edits::Performance::Longer)); }
void TECMusicSequence::DecSize() { Edit(static_cast<int>(pane_edits::Performance::Shorter)); }
void TECMusicSequence::ShiftRight() { Edit(static_cast<int>(pane_edits::Performance::Later)); }
void TECMusicSequence::ShiftLeft() { Edit(static_cast<int>(pane_edits::Performance::Earlier)); }

bool TECMusicSequence::PaneKey(QKeyEvent& event) {
  const bool alt = (event.modifiers() & Qt::AltModifier) != 0;
  const bool ctrl = (event.modifiers() & Qt::ControlModifier) != 0;
  switch (event.key()) {
    case Qt::Key_Left:
      if (alt) DecSize();
      else if (ctrl) ShiftLeft();
      else return false;
      return true;
    case Qt::Key_Right:
      if (alt) IncSize();
      else if (ctrl) ShiftRight();
      else return false;
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const auto& all = Items().Items();
      if (all.empty()) return true;
      const int active = Items().Active();
      const bool up = event.key() == Qt::Key_Up;
      if (active < 0) {
        Activate(up ? static_cast<int>(all.size()) - 1 : 0, true);
        return true;
      }
      const int top = all[static_cast<std::size_t>(active)].Whole.Top;
      const int measure = all[static_cast<std::size_t>(active)].Measure;
      int best = -1, distance = 0;
      for (int i = Items().EndItemOf(measure) - 1; i >= Items().FirstItemOf(measure); --i) {
        const int d = up ? top - all[static_cast<std::size_t>(i)].Whole.Top : all[static_cast<std::size_t>(i)].Whole.Top - top;
        if (d > 0 && (best < 0 || d < distance)) best = i, distance = d;
      }
      if (best >= 0) Activate(best, true);
      return true;
    }
    default: return false;
  }
}

}  // namespace nv::editor
