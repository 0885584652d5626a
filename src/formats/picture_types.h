#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Stored picture types.
enum PictureType : std::uint16_t {
  ptBitmap = 256,
  ptGif = 257,
  ptJpeg = 258,
  ptIcon = 259,
  ptMetafile = 260,
};

// The picture classes by stored type (as page objects keep them) and by file
// extension, for the readers that open picture files.
struct PictureClass {
  std::uint16_t Type;          // 256 bitmap, 257 GIF, 258 JPEG, 259 icon, 260 metafile
  std::string_view Extension;  // without the dot, lower case
  std::string_view Description;
};

// The class that reads files of this extension (with or without the dot,
// any case); nothing for an extension no class reads.
std::optional<PictureClass> PictureClassForExtension(std::string_view extension);

// The stored type of picture file bytes by their signature: a bitmap ("BM"),
// GIF ("GIF", any case) or JPEG (FF D8 FF); nothing for other bytes.
std::optional<PictureType> PictureTypeOfBytes(std::span<const std::uint8_t> bytes);
