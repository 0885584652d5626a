#include "widgets/popup_window.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace nv::widgets {

TEcPopupWindow::TEcPopupWindow(QWidget* owner)
    : QFrame(owner ? owner->window() : nullptr,
             Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      owner_(owner) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11DoNotAcceptFocus);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  QPalette face = palette();
  face.setColor(QPalette::Window, QColor(212, 208, 200));
  setPalette(face);
}

void TEcPopupWindow::ChildAdded(QWidget& child) { child.setFocusPolicy(Qt::NoFocus); }

void TEcPopupWindow::CloseUp(bool accept) {
  if (onCloseUp) onCloseUp(accept);
}

void TEcPopupWindow::ForwardKey(QKeyEvent& event) { event.ignore(); }

void TEcPopupWindow::ShowAt(const QPoint& topLeft) {
  move(topLeft);
  show();
  raise();
}

void TEcPopupWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  CloseUp(rect().contains(event->position().toPoint()));
}

}  // namespace nv::widgets
