#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/raster_image.h"

namespace nv::platform {

// The pixels of a picture, kept by the backend that decoded or made them.
class PictureData {
 public:
  virtual ~PictureData() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // The same pixels (not merely the same size); `other` is of the same backend.
  virtual bool samePixels(const PictureData& other) const = 0;
};

// A raster picture that a canvas draws (Draw, StretchDraw) or fills with (a
// pattern brush): an opaque handle to its backend's pixels, which copies share.
class Picture {
 public:
  Picture() = default;
  explicit Picture(std::shared_ptr<const PictureData> data) : data_(std::move(data)) {}

  bool isEmpty() const { return data_ == nullptr || data_->width() <= 0 || data_->height() <= 0; }
  int width() const { return data_ != nullptr ? data_->width() : 0; }
  int height() const { return data_ != nullptr ? data_->height() : 0; }
  const PictureData* data() const { return data_.get(); }

  friend bool operator==(const Picture& a, const Picture& b) {
    if (a.isEmpty() || b.isEmpty()) return a.isEmpty() == b.isEmpty();
    return a.data_ == b.data_ || a.data_->samePixels(*b.data_);
  }

 private:
  std::shared_ptr<const PictureData> data_;
};

// "picture WxH", or "no picture".
std::string toString(const Picture& p);

// The most pixels a stored picture may declare; larger ones are refused
// before their pixels are allocated.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

// Turns stored picture bytes (bitmap, icon) into a picture; the backend
// installs one at start-up.
using PictureDecoder = Picture (*)(std::span<const std::uint8_t> bytes);
void installPictureDecoder(PictureDecoder decoder);

// The program's own codecs (GIF, JPEG), installed beside the backend's
// decoder and asked first: nothing for bytes of a format they do not read,
// else their picture (empty when the bytes are damaged).
using PictureCodec = std::optional<Picture> (*)(std::span<const std::uint8_t> bytes);
void installPictureCodec(PictureCodec codec);

// The codec's picture, or else the backend decoder's; empty without either,
// for no bytes and for bytes that do not decode.
Picture decodePicture(std::span<const std::uint8_t> bytes);

// Makes a backend picture of pixels in our own form; pixels of the
// transparent colour are left out when it is drawn. The backend installs it
// with its decoder.
using PictureMaker = Picture (*)(const RasterImage& pixels, std::optional<Color> transparent);
void installPictureMaker(PictureMaker maker);
// Empty without a maker.
Picture pictureFromPixels(const RasterImage& pixels, std::optional<Color> transparent = std::nullopt);

}  // namespace nv::platform
