#include "platform/qt/qt_picture.h"

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

Picture decodeWithQt(std::span<const std::uint8_t> bytes) {
  QImage image;
  image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
  return pictureFromImage(std::move(image));
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

void installQtPictureDecoder() { installPictureDecoder(decodeWithQt); }

}  // namespace nv::platform
