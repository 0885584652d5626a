#include "platform/qt_picture_reader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace nv::platform {

QImage readImageWithQt(std::span<const std::uint8_t> data, const char* format) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  const QSize declared = reader.size();
  if (!declared.isValid() || std::int64_t{declared.width()} * declared.height() > kMaxPicturePixels) return {};
  return reader.read();
}

}  // namespace nv::platform
