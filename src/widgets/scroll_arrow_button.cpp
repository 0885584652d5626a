#include "widgets/scroll_arrow_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace nv::widgets {

TECButtonScroll::TECButtonScroll(ArrowDirection direction, QWidget* parent)
    : QWidget(parent), direction_(direction) {
  resize(14, 14);
  hide();
  timer_.setInterval(20);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (press_.Tick()) Q_EMIT Clicked();
  });
}

void TECButtonScroll::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawScrollArrow(painter, rect(), direction_, press_.Pressed(), this);
}

void TECButtonScroll::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  press_.Press();
  timer_.start();
  update();
}

void TECButtonScroll::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !press_.Pressed()) return;
  timer_.stop();
  const bool step = press_.Release();
  update();
  if (step) Q_EMIT Clicked();
}

void TECButtonScroll::hideEvent(QHideEvent*) {
  timer_.stop();
  press_.Cancel();
}

void PlaceArrow(TECButtonScroll& arrow, bool visible, const QRect& box) {
  if (!visible) {
    arrow.hide();
    return;
  }
  arrow.setGeometry(box);
  arrow.raise();
  arrow.show();
}

}  // namespace nv::widgets
