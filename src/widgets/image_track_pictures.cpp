#include "widgets/image_track_pictures.h"

#include <QPainter>
#include <QPolygon>
#include <QTransform>

#include "widgets/image_track.h"

namespace nv::widgets {
namespace {

// The colour no picture uses, left out when a piece is drawn.
constexpr QRgb kKey = qRgb(255, 0, 255);
constexpr int kButtonWidth = 12;
constexpr int kButtonHeight = 18;
constexpr int kGrooveHeight = 8;

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kKey);
  return image;
}

// A groove piece: rows 2..5 of an 8-pixel height, shadow above, light
// below; `cap` rounds the start (-1), the end (+1) or neither (0) with a
// column only half as high.
QImage Groove(int width, int cap) {
  QImage image = Blank(width, kGrooveHeight);
  const QRgb shadow = qRgb(128, 128, 128);
  const QRgb dark = qRgb(80, 80, 80);
  const QRgb face = qRgb(176, 176, 176);
  const QRgb light = qRgb(255, 255, 255);
  for (int x = 0; x < width; ++x) {
    if (cap < 0 && x == 0) {
      image.setPixel(x, 3, shadow);
      image.setPixel(x, 4, shadow);
    } else if (cap > 0 && x == width - 1) {
      image.setPixel(x, 3, light);
      image.setPixel(x, 4, light);
    } else {
      image.setPixel(x, 2, shadow);
      image.setPixel(x, 3, dark);
      image.setPixel(x, 4, face);
      image.setPixel(x, 5, light);
    }
  }
  return image;
}

// One pointer button: a box with a point downwards.
void DrawButton(QPainter& painter, int left, QColor face, QColor border, QColor shine) {
  const QPolygon outline({QPoint(left + 1, 1), QPoint(left + 10, 1), QPoint(left + 10, 12), QPoint(left + 6, 16),
                          QPoint(left + 5, 16), QPoint(left + 1, 12)});
  painter.setPen(border);
  painter.setBrush(face);
  painter.drawPolygon(outline);
  painter.setPen(shine);
  painter.drawLine(left + 2, 2, left + 9, 2);
  painter.drawLine(left + 2, 2, left + 2, 11);
}

QImage ButtonStrip() {
  QImage image = Blank(4 * kButtonWidth, kButtonHeight);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  DrawButton(painter, 0, QColor(232, 232, 232), QColor(60, 110, 180), QColor(255, 255, 255));
  DrawButton(painter, kButtonWidth, QColor(207, 227, 250), QColor(43, 90, 158), QColor(255, 255, 255));
  DrawButton(painter, 2 * kButtonWidth, QColor(169, 200, 238), QColor(30, 70, 130), QColor(220, 235, 252));
  DrawButton(painter, 3 * kButtonWidth, QColor(240, 240, 240), QColor(160, 160, 160), QColor(250, 250, 250));
  return image;
}

// Exchanges the axes: a picture of the horizontal track for the upright one.
QImage Transposed(const QImage& image) { return image.transformed(QTransform(0, 1, 1, 0, 0, 0)); }

TrackPictures Draw(TrackOrientation orientation) {
  TrackPictures horizontal{Groove(6, -1), Groove(4, 0), Groove(6, 1), ButtonStrip(), kButtonWidth, kButtonHeight};
  if (orientation == TrackOrientation::Horizontal) return horizontal;
  return {Transposed(horizontal.first), Transposed(horizontal.centre), Transposed(horizontal.last),
          Transposed(horizontal.button), kButtonHeight, kButtonWidth};
}

}  // namespace

const TrackPictures& StandardTrackPictures(TrackOrientation orientation) {
  static const TrackPictures horizontal = Draw(TrackOrientation::Horizontal);
  static const TrackPictures vertical = Draw(TrackOrientation::Vertical);
  return orientation == TrackOrientation::Horizontal ? horizontal : vertical;
}

void UseStandardPictures(TECImageTrack& track) {
  const TrackPictures& pictures = StandardTrackPictures(track.Orientation());
  track.SetFirstTrackPicture(pictures.first);
  track.SetCenterTrackPicture(pictures.centre);
  track.SetLastTrackPicture(pictures.last);
  track.SetButtonPicture(pictures.button);
  track.SetButtonWidth(pictures.buttonWidth);
  track.SetButtonHeight(pictures.buttonHeight);
}

}  // namespace nv::widgets
