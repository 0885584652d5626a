#include "formats/picture_codecs.h"

#include <cctype>
#include <vector>

#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "model/memory_stream.h"

using nv::platform::Picture;

namespace {

bool IsGif(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' &&
         std::toupper(bytes[2]) == 'F';
}

bool IsJpeg(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

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
  if (!IsGif(bytes) && !IsJpeg(bytes)) return std::nullopt;
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  try {
    if (IsGif(bytes)) return DecodeGif(std::move(copy));
    return nv::platform::pictureFromPixels(DecodeJpeg(copy));
  } catch (const EInvalidGraphicOperation&) {
    return Picture();
  } catch (const EStreamError&) {
    return Picture();
  }
}

void InstallPictureCodecs() { nv::platform::installPictureCodec(DecodeWithOwnCodecs); }
