#pragma once

#include <cstdint>
#include <stdexcept>

#include "model/stream.h"
#include "platform/raster_surface.h"

class TECMusicScore;

// Export of a range of pages of the active instrument as one picture, one
// page under the other or two side by side, drawn as on screen at the
// score's Zoom.

struct PictureExportOptions {
  enum ExportFormat { Bitmap = 0, Gif = 1, Jpeg = 2, Metafile = 3 };
  int Type = Bitmap;  // any value but 1, 2 and 3 is a bitmap
  bool TwoUp = false;  // odd pages left, even pages right
  int Quality = 75;    // JPEG
  // 0: an 8-bit bitmap with the fixed palette (8-bit grey for JPEG);
  // 1: a 32-bit bitmap; other: the default (32-bit, colour JPEG).
  int ColourDepth = 2;
  int FirstPage = 1;  // page numbers from 1, inclusive
  int LastPage = 1;
};

// The file extension for an export type: ".gif", ".jpg", ".emf" (an
// enhanced metafile) or ".bmp".
const char* ExportPictureExtension(int type);

// The export cannot be made as asked; the message says what to change.
class EPictureExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The widest or tallest picture a format can hold, and the most pixels we
// draw at once.
inline constexpr int kMaxGifSide = 65535;
inline constexpr int kMaxJpegExportSide = 65500;
inline constexpr std::int64_t kMaxExportPixels = std::int64_t{1} << 27;

// Writes the picture to the stream. The range is clamped to the pages there
// are; an empty range, or a picture past the format's size or the memory
// limit, is refused before anything is drawn. The last page exported stays
// active.
void ExportPicture(TECMusicScore& score, ByteStream& stream, const PictureExportOptions& options,
                   const nv::platform::RasterSurfaceFactory& surfaces);

// PDF is not written; this says so instead of leaving an empty file.
[[noreturn]] void ExportPdf(TECMusicScore& score, ByteStream& stream);
