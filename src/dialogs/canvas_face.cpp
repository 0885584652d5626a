#include "dialogs/canvas_face.h"

#include <QImage>
#include <QPainter>

#include "platform/device_caps.h"
#include "platform/qt/qt_canvas.h"

namespace nv::dialogs {
namespace {

constexpr int kMargin = 2;
constexpr int kFormResolution = 96;

}  // namespace

void PaintCanvasFace(QPainter& painter, const QRect& area, const CanvasFacePainter& paint) {
  QImage image(area.width() + 2 * kMargin, area.height() + 2 * kMargin, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    nv::platform::QtCanvas canvas(
        image, nv::platform::screenDeviceCaps(image.width(), image.height(), kFormResolution, kFormResolution));
    canvas.setFontPixelsPerInch(kFormResolution);
    canvas.setViewportOrigin({kMargin, kMargin});
    paint(canvas, {0, 0, area.width(), area.height()});
  }
  painter.drawImage(area.topLeft() - QPoint(kMargin, kMargin), image);
}

}  // namespace nv::dialogs
