#include "formats/picture_types.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "formats/gif_image.h"

namespace {

constexpr std::array<TPictureClass, 7> kClasses{{
    {256, "bmp", "Bitmaps"},
    {257, TGIFsImage::FileExtension, TGIFsImage::Description},
    {258, "jpg", "JPEG Image File"},
    {258, "jpeg", "JPEG Image File"},
    {259, "ico", "Icons"},
    {260, "emf", "Enhanced Metafiles"},
    {260, "wmf", "Metafiles"},
}};

}  // namespace

std::optional<TPictureClass> PictureClassForExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const TPictureClass& c : kClasses) {
    if (c.Extension == lower) return c;
  }
  return std::nullopt;
}
