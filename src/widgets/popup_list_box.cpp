#include "widgets/popup_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace nv::widgets {

PopupListBox::PopupListBox(QWidget* owner, const TickClock& clock)
    : TEcPopupWindow(owner), search_(clock) {
  setMouseTracking(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
}

void PopupListBox::SetItems(const QStringList& items) {
  items_ = items;
  plainItems_.clear();
  for (const QString& item : items) plainItems_.push_back(item.toStdString());
  index_ = -1;
  search_.Clear();
  resize(width(), static_cast<int>(items.size()) * kItemHeight + 4);
  update();
}

void PopupListBox::SetItemIndex(int index) {
  index_ = index >= 0 && index < items_.size() ? index : -1;
  update();
}

QString PopupListBox::SelectedText() const { return index_ >= 0 ? items_[index_] : QString(); }

int PopupListBox::NeededWidth() const {
  int widest = 0;
  for (const QString& item : items_) widest = std::max(widest, fontMetrics().horizontalAdvance(item));
  return widest + 8;
}

int PopupListBox::IndexAt(int y) const {
  const int index = (y - 2) / kItemHeight;
  return y >= 2 && index < items_.size() ? index : -1;
}

void PopupListBox::ForwardKey(QKeyEvent& event) {
  const int last = static_cast<int>(items_.size()) - 1;
  switch (event.key()) {
    case Qt::Key_Up: SetItemIndex(std::max(0, index_ - 1)); return;
    case Qt::Key_Down: SetItemIndex(std::min(last, index_ + 1)); return;
    case Qt::Key_Home: SetItemIndex(0); return;
    case Qt::Key_End: SetItemIndex(last); return;
    case Qt::Key_PageUp: SetItemIndex(std::max(0, index_ - 8)); return;
    case Qt::Key_PageDown: SetItemIndex(std::min(last, index_ + 8)); return;
    case Qt::Key_Backspace: search_.Clear(); return;
    default: break;
  }
  const QString text = event.text();
  if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127) {
    const int found = search_.Type(static_cast<char>(text[0].unicode()), plainItems_);
    if (found >= 0) SetItemIndex(found);
    return;
  }
  event.ignore();
}

void PopupListBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  for (int i = 0; i < items_.size(); ++i) {
    const QRect row(2, 2 + i * kItemHeight, width() - 4, kItemHeight);
    if (i == index_) painter.fillRect(row, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(i == index_ ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(row.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, items_[i]);
  }
}

void PopupListBox::mousePressEvent(QMouseEvent* event) {
  const int index = IndexAt(event->position().toPoint().y());
  if (index >= 0) SetItemIndex(index);
}

void PopupListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const int index = IndexAt(event->position().toPoint().y());
  if (index >= 0) SetItemIndex(index);
}

}  // namespace nv::widgets
