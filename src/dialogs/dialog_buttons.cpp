#include "dialogs/dialog_buttons.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace nv::dialogs {
namespace {

// The OK tick and the Cancel cross of the bit-map buttons.
QPixmap ButtonGlyph(bool ok) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (ok) {
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  } else {
    painter.setPen(QPen(QColor(192, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
  }
  return pixmap;
}

}  // namespace

QPushButton* NewOkButton(QWidget* parent) {
  auto* button = new QPushButton(ButtonGlyph(true), QStringLiteral("&Ok"), parent);
  button->setObjectName(QStringLiteral("BOk"));
  button->setDefault(true);
  return button;
}

QPushButton* NewCancelButton(QWidget* parent) {
  auto* button = new QPushButton(ButtonGlyph(false), QStringLiteral("Ca&ncel"), parent);
  button->setObjectName(QStringLiteral("BCancel"));
  return button;
}

}  // namespace nv::dialogs
