#include "widgets/image_track.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/widget_paint.h"

namespace nv::widgets {

using nv::platform::Point;
using nv::platform::Rect;

namespace {

Point ToPoint(const QPointF& p) { return {static_cast<int>(p.x()), static_cast<int>(p.y())}; }

}  // namespace

TECImageTrack::TECImageTrack(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  resize(100, 20);
}

void TECImageTrack::SetFirstTrackPicture(const QImage& picture) {
  first_ = picture;
  firstPiece_ = TransparentPiece(picture);
  update();
}

void TECImageTrack::SetCenterTrackPicture(const QImage& picture) {
  centre_ = picture;
  centrePiece_ = TransparentPiece(picture);
  update();
}

void TECImageTrack::SetLastTrackPicture(const QImage& picture) {
  last_ = picture;
  lastPiece_ = TransparentPiece(picture);
  update();
}

void TECImageTrack::SetButtonPicture(const QImage& picture) {
  button_ = picture.convertToFormat(QImage::Format_RGB32);
  buttonPiece_ = TransparentPiece(picture);
  UpdateStrip();
  update();
}

void TECImageTrack::CopyPictures(const TECImageTrack& pattern) {
  SetFirstTrackPicture(pattern.first_);
  SetCenterTrackPicture(pattern.centre_);
  SetLastTrackPicture(pattern.last_);
  SetButtonPicture(pattern.button_);
}

void TECImageTrack::UpdateStrip() {
  model_.strip = {};
  if (button_.isNull()) return;
  const QImage* strip = &button_;
  const QRgb key = button_.pixel(0, button_.height() - 1);
  model_.strip = {button_.width(), button_.height(),
                  [strip, key](int x, int y) { return strip->pixel(x, y) != key; }};
}

void TECImageTrack::SetOrientation(TrackOrientation value) {
  if (value == model_.orientation) return;
  model_.orientation = value;
  update();
}

void TECImageTrack::SetPosition(int value) {
  const Rect before = model_.ButtonRect();
  if (model_.SetPosition(value)) Changed(before);
}

void TECImageTrack::SetMin(int value) {
  if (model_.SetMin(value)) update();
}

void TECImageTrack::SetMax(int value) {
  if (model_.SetMax(value)) update();
}

void TECImageTrack::SetInt(int& field, int value) {
  if (field == value) return;
  field = value;
  update();
}

void TECImageTrack::SetButtonWidth(int value) { SetInt(model_.buttonWidth, value); }
void TECImageTrack::SetButtonHeight(int value) { SetInt(model_.buttonHeight, value); }
void TECImageTrack::SetLeftOffset(int value) { SetInt(model_.leftOffset, value); }
void TECImageTrack::SetRightOffset(int value) { SetInt(model_.rightOffset, value); }
void TECImageTrack::SetTopOffset(int value) { SetInt(model_.topOffset, value); }
void TECImageTrack::SetBottomOffset(int value) { SetInt(model_.bottomOffset, value); }

void TECImageTrack::SetDrawProgress(bool value) {
  if (model_.drawProgress == value) return;
  model_.drawProgress = value;
  update();
}

void TECImageTrack::Changed(const Rect& before) {
  const ImageTrackModel::Repaint area = model_.RepaintFor(before);
  for (const Rect& r : {area.first, area.second}) {
    if (!r.isEmpty()) update(ToQRect(r));
  }
  Q_EMIT OnChange();
}

void TECImageTrack::RepaintButtonIfHotChanged(bool wasHot) {
  if (model_.Hot() != wasHot) update(ToQRect(model_.ButtonRect()));
}

void TECImageTrack::resizeEvent(QResizeEvent* event) {
  model_.client = {width(), height()};
  QWidget::resizeEvent(event);
}

void TECImageTrack::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    model_.enabled = isEnabled();
    update();
  }
  QWidget::changeEvent(event);
}

void TECImageTrack::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect();
  QImage picture(size(), QImage::Format_RGB32);
  picture.fill(palette().color(backgroundRole()));
  {
    QPainter painter(&picture);
    const bool horizontal = model_.orientation == TrackOrientation::Horizontal;
    const int length = horizontal ? width() : height();
    const int across = horizontal ? height() : width();
    // A piece at `start` along the track, centred across it, when it meets
    // the area being repainted.
    auto draw = [&](const QPixmap& piece, int start) {
      if (piece.isNull()) return;
      const int offset = (across - (horizontal ? piece.height() : piece.width())) / 2;
      const QPoint at = horizontal ? QPoint(start, offset) : QPoint(offset, start);
      if (QRect(at, piece.size()).intersects(area)) painter.drawPixmap(at, piece);
    };
    auto along = [horizontal](const QPixmap& piece) { return horizontal ? piece.width() : piece.height(); };
    draw(firstPiece_, 0);
    const int limit = length - along(lastPiece_);
    if (const int step = along(centrePiece_); step > 0) {
      for (int at = along(firstPiece_); at < limit; at += step) draw(centrePiece_, at);
    }
    draw(lastPiece_, limit);
    if (!buttonPiece_.isNull()) {
      const Rect image = model_.ImageRect();
      const int shift = model_.ImageIndex() * (horizontal ? model_.buttonWidth : model_.buttonHeight);
      const QRect source = horizontal ? QRect(shift, 0, image.width(), image.height())
                                      : QRect(0, shift, image.width(), image.height());
      painter.drawPixmap(ToQRect(image), buttonPiece_, source);
    }
  }
  if (OnPaint) OnPaint(*this, picture);
  QPainter(this).drawImage(0, 0, picture);
}

void TECImageTrack::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const Rect before = model_.ButtonRect();
  const bool wasHot = model_.Hot();
  if (model_.Press(ToPoint(event->position()))) Changed(before);
  RepaintButtonIfHotChanged(wasHot);
}

void TECImageTrack::mouseMoveEvent(QMouseEvent* event) {
  const Rect before = model_.ButtonRect();
  const bool wasHot = model_.Hot();
  if (model_.Move(ToPoint(event->position()))) Changed(before);
  RepaintButtonIfHotChanged(wasHot);
  QWidget::mouseMoveEvent(event);
}

void TECImageTrack::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const bool wasHot = model_.Hot();
  model_.Release(ToPoint(event->position()));
  RepaintButtonIfHotChanged(wasHot);
}

void TECImageTrack::enterEvent(QEnterEvent* event) {
  const bool wasHot = model_.Hot();
  model_.Enter(ToPoint(event->position()));
  RepaintButtonIfHotChanged(wasHot);
  QWidget::enterEvent(event);
}

void TECImageTrack::leaveEvent(QEvent* event) {
  const bool wasHot = model_.Hot();
  model_.Leave();
  RepaintButtonIfHotChanged(wasHot);
  QWidget::leaveEvent(event);
}

}  // namespace nv::widgets
