#include "editor/music_velocity.h"

#include <QKeyEvent>
#include <QPainter>

#include "document/score_document.h"
#include "editor/pane_edits.h"
#include "model/music_score.h"

namespace nv::editor {
namespace {

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

}  // namespace

TECMusicVelocity::TECMusicVelocity(nv::document::ScoreDocument& document, QWidget* parent, int noteWidth,
                                   int panelWidth)
    : RowPane(document, ItemOrder::Performed, parent), layout_(noteWidth, panelWidth) {
  Refill();
}

int TECMusicVelocity::Lay() {
  layout_.SetHeight(height() - HorizontalBar().height());
  return layout_.Lay(MutableItems());
}

void TECMusicVelocity::PaintPanel(QPainter& painter) {
  const int top = VerticalBar().value();
  const int pw = layout_.PanelWidth();
  const int h = layout_.Height();
  painter.fillRect(QRect(0, -top, pw, h + top + height()), palette().button());
  painter.fillRect(QRect(4, h - 143 - top, pw - 10, 138), Qt::white);
  QFont font("Arial");
  font.setPointSize(6);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (int v = 0; v <= 128; v += 8) {
    const int y = layout_.YOf(v) - top;
    if (v == 0 || v == 64 || v == 128)
      painter.drawText(QRect(0, y - 6, pw, 12), Qt::AlignCenter, QString::number(v));
    else if (v % 16 == 0)
      painter.drawLine(8, y, pw - 10, y);
    else
      painter.drawLine(10, y, pw - 12, y);
  }
}

void TECMusicVelocity::PaintArea(QPainter& painter, const QRect& area) {
  const int pw = layout_.PanelWidth();
  const int dx = HorizontalBar().value();
  const int top = VerticalBar().value();
  if (area.left() < pw) PaintPanel(painter);
  if (area.right() < pw) return;
  painter.save();
  painter.setClipRect(area.intersected(QRect(pw, area.top(), area.right() + 1 - pw, area.height())));
  painter.fillRect(area, Qt::white);
  painter.setPen(kSilver);
  for (int v = 0; v <= 128; v += 16) painter.drawLine(pw, layout_.YOf(v) - top, area.right(), layout_.YOf(v) - top);
  const auto [first, end] = Items().MeasuresIn(area.left() + dx, area.right() + dx + 1);
  const auto& measures = Items().Measures();
  const auto& all = Items().Items();
  const QColor marked = hasFocus() ? QColor(Qt::red) : kGrey;
  for (int m = first; m < end; ++m) {
    const MeasureEntry& measure = measures[static_cast<std::size_t>(m)];
    painter.setPen(kGrey);
    painter.drawLine(measure.Right - dx, layout_.YOf(128) - top, measure.Right - dx, layout_.Baseline() - top);
    for (int i = Items().FirstItemOf(m); i < Items().EndItemOf(m); ++i) {
      const RowItem& item = all[static_cast<std::size_t>(i)];
      const bool chosen = item.Selected || i == Items().Active();
      painter.fillRect(ToClient(item.Whole), chosen ? marked : QColor(Qt::blue));
      if (i == Items().Active()) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(ToClient(item.Whole).adjusted(0, 0, -1, -1));
      }
    }
  }
  painter.restore();
}

void TECMusicVelocity::ItemClicked(int item, const QPoint& content, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & Qt::AltModifier) == 0) {
    ChooseItem(item, modifiers);
    return;
  }
  Activate(item, true);
  pane_edits::SetVelocity(Document().Score(), Items().Items()[static_cast<std::size_t>(item)],
                          layout_.VelocityAt(content.y()));
  setFocus(Qt::OtherFocusReason);
}

void TECMusicVelocity::IncVelocity() {
  pane_edits::StepVelocities(Document().Score(), Items(), 1);
  setFocus(Qt::OtherFocusReason);
}

void TECMusicVelocity::DecVelocity() {
  pane_edits::StepVelocities(Document().Score(), Items(), -1);
  setFocus(Qt::OtherFocusReason);
}

void TECMusicVelocity::AlignVelocity() {
  pane_edits::AlignVelocities(Document().Score(), Items());
  setFocus(Qt::OtherFocusReason);
}

bool TECMusicVelocity::PaneKey(QKeyEvent& event) {
  const bool alt = (event.modifiers() & Qt::AltModifier) != 0;
  const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
  if ((event.key() == Qt::Key_Up && alt) || (event.key() == Qt::Key_Plus && keypad)) {
    IncVelocity();
    return true;
  }
  if ((event.key() == Qt::Key_Down && alt) || (event.key() == Qt::Key_Minus && keypad)) {
    DecVelocity();
    return true;
  }
  return false;
}

}  // namespace nv::editor
