#include "platform/picture.h"

namespace nv::platform {

namespace {

PictureDecoder installedDecoder = nullptr;

}  // namespace

std::string toString(const Picture& p) {
  if (p.isEmpty()) return "no picture";
  return "picture " + std::to_string(p.width()) + "x" + std::to_string(p.height());
}

void installPictureDecoder(PictureDecoder decoder) { installedDecoder = decoder; }

Picture decodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || installedDecoder == nullptr) return {};
  return installedDecoder(bytes);
}

}  // namespace nv::platform
