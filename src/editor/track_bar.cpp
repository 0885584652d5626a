#include "editor/track_bar.h"

#include <QMouseEvent>

namespace nv::editor {

TECTrackBar::TECTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::TicksBelow);
  setFocusPolicy(Qt::NoFocus);
}

void TECTrackBar::mousePressEvent(QMouseEvent* event) {
  QSlider::mousePressEvent(event);
  const QPoint p = event->position().toPoint();
  Q_EMIT MouseDown(p.x(), p.y());
}

void TECTrackBar::mouseMoveEvent(QMouseEvent* event) {
  QSlider::mouseMoveEvent(event);
  const QPoint p = event->position().toPoint();
  Q_EMIT MouseMove(p.x(), p.y());
}

void TECTrackBar::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  const QPoint p = event->position().toPoint();
  Q_EMIT MouseUp(p.x(), p.y());
}

}  // namespace nv::editor
