#include "widgets/widget_paint.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

#include <cmath>

#include "platform/qt/qt_font_faces.h"
#include "widgets/logic/caption_fit.h"

namespace nv::widgets {

void DrawScrollArrow(QPainter& painter, const QRect& box, ArrowDirection direction, bool pressed,
                     const QWidget* widget) {
  const QPalette& palette = widget->palette();
  if (pressed) {
    painter.fillRect(box, palette.button());
    qDrawShadePanel(&painter, box, palette, true, 1, nullptr);
  } else {
    qDrawWinButton(&painter, box, palette, false, &palette.button());
  }
  QStyleOption option;
  option.initFrom(widget);
  option.rect = box.adjusted(3, 3, -3, -3).translated(pressed ? QPoint(1, 1) : QPoint());
  option.palette.setColor(QPalette::ButtonText, palette.color(QPalette::ButtonText));
  QStyle::PrimitiveElement element = QStyle::PE_IndicatorArrowDown;
  switch (direction) {
    case ArrowDirection::Left: element = QStyle::PE_IndicatorArrowLeft; break;
    case ArrowDirection::Up: element = QStyle::PE_IndicatorArrowUp; break;
    case ArrowDirection::Right: element = QStyle::PE_IndicatorArrowRight; break;
    case ArrowDirection::Down: element = QStyle::PE_IndicatorArrowDown; break;
  }
  widget->style()->drawPrimitive(element, &option, &painter, widget);
}

QString ShortenCaption(const QString& caption, int room, const QFontMetrics& metrics) {
  const QString dots = QStringLiteral("..");
  const int keep = CaptionKeep(static_cast<int>(caption.size()), room, metrics.horizontalAdvance(dots),
                               [&](int n) { return metrics.horizontalAdvance(caption.left(n)); });
  return keep == caption.size() ? caption : caption.left(keep) + dots;
}

QPixmap TransparentPiece(const QImage& image) {
  if (image.isNull()) return {};
  QImage piece = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = piece.pixel(0, piece.height() - 1);
  for (int y = 0; y < piece.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
    for (int x = 0; x < piece.width(); ++x) {
      if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return QPixmap::fromImage(piece);
}

void TilePiece(QPainter& painter, const QPixmap& piece, const QRect& area) {
  if (piece.isNull() || area.isEmpty()) return;
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  for (int y = area.top(); y <= area.bottom(); y += piece.height()) {
    for (int x = area.left(); x <= area.right(); x += piece.width()) painter.drawPixmap(x, y, piece);
  }
  painter.restore();
}

void FillExclusiveFace(QPainter& painter, const QRect& area, const QWidget* widget) {
  const QPalette& palette = widget->palette();
  painter.fillRect(area, palette.color(QPalette::Light));
  painter.fillRect(area, QBrush(palette.color(QPalette::Button), Qt::Dense4Pattern));
}

QFont FontFromDescription(const QString& face, int points, int logicalDpi, bool bold) {
  QFont font(nv::platform::fontFamilyFor(face.toStdString()));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * logicalDpi / 72.0))));
  font.setBold(bold);
  return font;
}

}  // namespace nv::widgets
