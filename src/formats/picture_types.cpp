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
