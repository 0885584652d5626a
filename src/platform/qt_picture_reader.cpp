#include "platform/qt_picture_reader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "platform/qt_raster_conversion.h"

namespace nv::platform {

std::optional<RasterImage> readRasterWithQt(std::span<const std::uint8_t> data, const char* format) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                   static_cast<qsizetype>(data.size()));
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  const QSize declared = reader.size();
  if (!declared.isValid() || std::int64_t{declared.width()} * declared.height() > kMaxPicturePixels) {
    return std::nullopt;
  }
  const QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return rasterFromQImage(image);
}

}  // namespace nv::platform
