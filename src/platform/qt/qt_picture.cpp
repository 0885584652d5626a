#include "platform/qt/qt_picture.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/qt/qt_raster_conversion.h"

namespace nv::platform {

namespace {

class QtPictureData final : public PictureData {
 public:
  explicit QtPictureData(QImage image) : image(std::move(image)) {}
  int width() const override { return image.width(); }
  int height() const override { return image.height(); }
  bool samePixels(const PictureData& other) const override {
    return image == static_cast<const QtPictureData&>(other).image;
  }
  const QImage image;
};

// Bitmaps and icons only: GIF and JPEG are our own codecs' business.
QImage readBitmapOrIcon(std::span<const std::uint8_t> bytes, const char* format) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  const QSize declared = reader.size();
  if (!declared.isValid() || std::int64_t{declared.width()} * declared.height() > kMaxPicturePixels) return {};
  return reader.read();
}

Picture decodeWithQt(std::span<const std::uint8_t> bytes) {
  const bool bitmap = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  return pictureFromImage(readBitmapOrIcon(bytes, bitmap ? "bmp" : "ico"));
}

Picture makeFromPixels(const RasterImage& pixels, std::optional<Color> transparent) {
  return pictureFromImage(qImageFromRaster(pixels, transparent));
}

}  // namespace

Picture pictureFromImage(QImage image) {
  if (image.isNull()) return {};
  return Picture(std::make_shared<const QtPictureData>(std::move(image)));
}

const QImage& imageOf(const Picture& picture) {
  static const QImage none;
  const auto* data = dynamic_cast<const QtPictureData*>(picture.data());
  return data != nullptr ? data->image : none;
}

void installQtPictureDecoder() {
  installPictureDecoder(decodeWithQt);
  installPictureMaker(makeFromPixels);
}

}  // namespace nv::platform
