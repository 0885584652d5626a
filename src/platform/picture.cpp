#include "platform/picture.h"

namespace nv::platform {

namespace {

PictureDecoder installedDecoder = nullptr;
PictureCodec installedCodec = nullptr;
PictureMaker installedMaker = nullptr;

}  // namespace

std::string toString(const Picture& p) {
  if (p.isEmpty()) return "no picture";
  return "picture " + std::to_string(p.width()) + "x" + std::to_string(p.height());
}

void installPictureDecoder(PictureDecoder decoder) { installedDecoder = decoder; }
void installPictureCodec(PictureCodec codec) { installedCodec = codec; }
void installPictureMaker(PictureMaker maker) { installedMaker = maker; }

Picture decodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return {};
  if (installedCodec != nullptr) {
    if (std::optional<Picture> picture = installedCodec(bytes)) return *picture;
  }
  if (installedDecoder == nullptr) return {};
  return installedDecoder(bytes);
}

Picture pictureFromPixels(const RasterImage& pixels, std::optional<Color> transparent) {
  if (installedMaker == nullptr || pixels.width <= 0 || pixels.height <= 0) return {};
  return installedMaker(pixels, transparent);
}

}  // namespace nv::platform
