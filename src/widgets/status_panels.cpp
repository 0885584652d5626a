#include "widgets/status_panels.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace nv::widgets {

namespace {

constexpr int kBarHeight = 20;

// The square the frames are drawn in, centred in the panel.
QRectF FrameSquare(const QRect& box) {
  const qreal side = std::min(box.width(), box.height());
  return {box.center().x() - side / 2 + 0.5, box.center().y() - side / 2 + 0.5, side, side};
}

void DrawPrinter(QPainter& p, int frame, const QRectF& sq) {
  const qreal s = sq.width();
  const qreal x = sq.left();
  const qreal y = sq.top();
  p.setPen(QPen(QColor(40, 40, 40), s / 16));
  // The sheet waiting at the back sinks into the printer as the printed one comes out.
  const qreal feed = s * 0.3 * (3 - frame) / 3;
  p.setBrush(Qt::white);
  p.drawRect(QRectF(x + s * 0.28, y + s * 0.36 - feed, s * 0.44, feed + s * 0.02));
  p.setBrush(QColor(110, 116, 132));
  p.drawRoundedRect(QRectF(x + s * 0.05, y + s * 0.36, s * 0.9, s * 0.34), s * 0.08, s * 0.08);
  p.setBrush(QColor(40, 200, 60));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(x + s * 0.8, y + s * 0.47), s * 0.05, s * 0.05);
  // The printed sheet, longer every frame, with lines of print on it.
  const qreal out = s * 0.08 * (frame + 1);
  const QRectF sheet(x + s * 0.22, y + s * 0.62, s * 0.56, out + s * 0.02);
  p.setPen(QPen(QColor(40, 40, 40), s / 16));
  p.setBrush(Qt::white);
  p.drawRect(sheet);
  p.setPen(QPen(QColor(30, 60, 160), s / 20));
  for (qreal line = sheet.top() + s * 0.08; line < sheet.bottom() - s * 0.02; line += s * 0.08)
    p.drawLine(QPointF(sheet.left() + s * 0.07, line), QPointF(sheet.right() - s * 0.07, line));
}

void DrawPlay(QPainter& p, int frame, const QRectF& sq) {
  // Small, middle, full: the triangle beats as the score plays.
  const qreal scale = 0.6 + 0.2 * frame;
  const qreal s = sq.width() * scale;
  const QPointF c = sq.center();
  QPainterPath triangle;
  triangle.moveTo(c.x() - s * 0.4, c.y() - s * 0.5);
  triangle.lineTo(c.x() + s * 0.5, c.y());
  triangle.lineTo(c.x() - s * 0.4, c.y() + s * 0.5);
  triangle.closeSubpath();
  p.setPen(QPen(QColor(0, 90, 0), sq.width() / 16));
  p.setBrush(QColor(0, 150 + 35 * frame, 0));
  p.drawPath(triangle);
}

void DrawRecord(QPainter& p, int frame, const QRectF& sq) {
  // Lit for two frames, dark for two.
  const bool lit = frame < 2;
  const qreal r = sq.width() * 0.38;
  const QPointF c = sq.center();
  p.setPen(QPen(lit ? QColor(140, 0, 0) : QColor(90, 40, 40), sq.width() / 16));
  if (lit) {
    QRadialGradient glow(c - QPointF(r * 0.35, r * 0.35), r * 1.3);
    glow.setColorAt(0, frame == 0 ? QColor(255, 150, 150) : QColor(255, 90, 90));
    glow.setColorAt(1, QColor(220, 0, 0));
    p.setBrush(glow);
  } else {
    p.setBrush(QColor(110, 50, 50));
  }
  p.drawEllipse(c, r, r);
}

}  // namespace

void DrawStatusFrame(QPainter& painter, StatusPanel panel, int frame, const QRect& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF square = FrameSquare(box);
  switch (panel) {
    case StatusPanel::Printing: DrawPrinter(painter, frame, square); break;
    case StatusPanel::Playing: DrawPlay(painter, frame, square); break;
    case StatusPanel::Recording: DrawRecord(painter, frame, square); break;
  }
  painter.restore();
}

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize StatusPanels::sizeHint() const { return {StatusPanelLeft(kStatusPanelWidths.size()), kBarHeight}; }

QRect StatusPanels::PanelRect(int index) const {
  return {StatusPanelLeft(index), 0, kStatusPanelWidths[index], height()};
}

void StatusPanels::SetStates(bool printing, bool playing, bool recording) {
  animation_.SetStates(printing, playing, recording);
  update();
}

void StatusPanels::Tick() {
  if (!animation_.Animating()) return;
  animation_.Tick();
  update();
}

void StatusPanels::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  for (int i = 0; i < static_cast<int>(kStatusPanelWidths.size()); ++i)
    qDrawShadePanel(&painter, PanelRect(i).adjusted(0, 1, -2, -1), palette(), true, 1);
  for (StatusPanel panel : {StatusPanel::Printing, StatusPanel::Playing, StatusPanel::Recording})
    if (animation_.Active(panel))
      DrawStatusFrame(painter, panel, animation_.Frame(panel),
                      PanelRect(static_cast<int>(panel)).adjusted(2, 3, -4, -3));
}

}  // namespace nv::widgets
