#include "formats/picture_types.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "formats/gif_image.h"

namespace {

constexpr std::array<PictureClass, 7> kClasses{{
    {ptBitmap, "bmp", "Bitmaps"},
    {ptGif, TGIFsImage::FileExtension, TGIFsImage::Description},
    {ptJpeg, "jpg", "JPEG Image File"},
    {ptJpeg, "jpeg", "JPEG Image File"},
    {ptIcon, "ico", "Icons"},
    {ptMetafile, "emf", "Enhanced Metafiles"},
    {ptMetafile, "wmf", "Metafiles"},
}};

}  // namespace

std::optional<PictureType> PictureTypeOfBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ptBitmap;
  if (bytes.size() >= 3 && std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' &&
      std::toupper(bytes[2]) == 'F')
    return ptGif;
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return ptJpeg;
  return std::nullopt;
}

std::optional<PictureClass> PictureClassForExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const PictureClass& c : kClasses) {
    if (c.Extension == lower) return c;
  }
  return std::nullopt;
}
