#include "formats/picture_codecs.h"

#include <vector>

#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "formats/picture_types.h"
#include "model/memory_stream.h"

using nv::platform::Picture;

namespace {

Picture DecodeGif(std::vector<std::uint8_t> bytes) {
  TGIFsImage gif;
  MemoryStream in(std::move(bytes));
  gif.LoadFromStream(in, false);
  if (gif.GetEmpty()) return {};
  TGIFsFrame& frame = *gif.Frames[static_cast<std::size_t>(gif.CurrentFrame)];
  if (std::int64_t{frame.Width} * frame.Height > nv::platform::kMaxPicturePixels) return {};
  return nv::platform::pictureFromPixels(frame.ToRaster(), frame.TransparentColor);
}

}  // namespace

std::optional<Picture> DecodeWithOwnCodecs(std::span<const std::uint8_t> bytes) {
  const std::optional<PictureType> type = PictureTypeOfBytes(bytes);
  if (type != ptGif && type != ptJpeg) return std::nullopt;
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  try {
    if (type == ptGif) return DecodeGif(std::move(copy));
    return nv::platform::pictureFromPixels(DecodeJpeg(copy));
  } catch (const EInvalidGraphicOperation&) {
    return Picture();
  } catch (const EStreamError&) {
    return Picture();
  }
}

void InstallPictureCodecs() { nv::platform::installPictureCodec(DecodeWithOwnCodecs); }
