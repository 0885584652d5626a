#include "platform/qt/qt_raster_conversion.h"

namespace nv::platform {

RasterImage rasterFromQImage(const QImage& image) {
  const QImage rgb32 = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  RasterImage raster(rgb32.width(), rgb32.height());
  for (int y = 0; y < rgb32.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
    for (int x = 0; x < rgb32.width(); ++x) raster.at(x, y) = rgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
  }
  return raster;
}

QImage qImageFromRaster(const RasterImage& raster, std::optional<Color> transparentKey) {
  QImage image(raster.width, raster.height, transparentKey ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < raster.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < raster.width; ++x) {
      const Color c = raster.at(x, y);
      line[x] = transparentKey && c == *transparentKey ? qRgba(0, 0, 0, 0) : qRgb(redOf(c), greenOf(c), blueOf(c));
    }
  }
  return image;
}

}  // namespace nv::platform
