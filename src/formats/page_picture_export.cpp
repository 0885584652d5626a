#include "formats/page_picture_export.h"

#include <algorithm>
#include <string>

#include "formats/dib_writer.h"
#include "formats/emf_writer.h"
#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "platform/canvas.h"

using nv::platform::RasterImage;

namespace {

struct PictureSize {
  std::int64_t width;
  std::int64_t height;
};

void CheckSize(const PictureSize& size, const PictureExportOptions& options) {
  int limit = 0;
  const char* format = "";
  if (options.Type == PictureExportOptions::Gif) {
    limit = kMaxGifSide;
    format = "GIF";
  } else if (options.Type == PictureExportOptions::Jpeg) {
    limit = kMaxJpegExportSide;
    format = "JPEG";
  }
  if (limit > 0 && (size.width > limit || size.height > limit)) {
    throw EPictureExportError("The picture would be " + std::to_string(size.width) + " x " +
                              std::to_string(size.height) + " pixels, more than " + format + " allows (" +
                              std::to_string(limit) + "). Export fewer pages.");
  }
  if (size.width * size.height > kMaxExportPixels) {
    throw EPictureExportError("The picture would be " + std::to_string(size.width) + " x " +
                              std::to_string(size.height) + " pixels, too large to draw. Export fewer pages.");
  }
}

void Encode(ByteStream& stream, const RasterImage& pixels, const PictureExportOptions& options, int dpi) {
  const bool eightBit = options.ColourDepth == 0;
  switch (options.Type) {
    case PictureExportOptions::Gif: {
      TGIFsImage gif;
      if (eightBit) {
        const auto& palette = DibPalette8();
        gif.AddFrame(GifBitmap{pixels.width, pixels.height, 8, DibPalette8Indices(pixels)},
                     std::vector<nv::platform::Color>(palette.begin(), palette.end()));
      } else {
        gif.AddFrame(pixels);
      }
      gif.SaveToStream(stream);
      break;
    }
    case PictureExportOptions::Jpeg: {
      const std::vector<std::uint8_t> jpeg = EncodeJpeg(pixels, options.Quality, eightBit);
      stream.WriteBuffer(jpeg.data(), jpeg.size());
      break;
    }
    case PictureExportOptions::Metafile:
      WriteEmf(stream, pixels, dpi);
      break;
    default:
      WriteBmp(stream, pixels, eightBit ? DibDepth::Palette8 : DibDepth::True32);
      break;
  }
}

}  // namespace

void ExportPicture(TECMusicScore& score, ByteStream& stream, const PictureExportOptions& options,
                   const nv::platform::RasterSurfaceFactory& surfaces) {
  TECInstrument* instrument = score.CurrentInstrument();
  const int pageCount = instrument != nullptr ? instrument->PageCount() : 0;
  const int first = std::clamp(options.FirstPage, 1, std::max(pageCount, 1));
  const int last = std::clamp(options.LastPage, 1, std::max(pageCount, 1));
  if (pageCount < 1 || last < first) throw EPictureExportError("There are no pages to export in that range.");

  const int pageWidth = score.Page().PixelWidth();
  const int pageHeight = score.Page().PixelHeight();
  const int n = last - first + 1;
  const PictureSize size{options.TwoUp && n > 1 ? 2 * std::int64_t{pageWidth} : pageWidth,
                         std::int64_t{pageHeight} * (options.TwoUp ? (n + 1) / 2 : n)};
  CheckSize(size, options);

  if (score.GetActivePage() != 0) {
    score.SetActivePage(0);
  } else {
    score.LayoutScore(0, false);
  }
  const int dpi = score.GetResolution();
  std::unique_ptr<nv::platform::RasterSurface> surface =
      surfaces(static_cast<int>(size.width), static_cast<int>(size.height), dpi);
  nv::platform::Canvas& canvas = surface->canvas();
  const nv::platform::Rect page = score.Page().PageRect();
  int y = 0;
  for (int p = first; p <= last; ++p) {
    const int i = p - first;
    score.SetActivePage(p - 1);
    canvas.setViewportOrigin({options.TwoUp && i % 2 == 1 ? pageWidth : 0, y});
    const int level = canvas.saveDC();
    canvas.intersectClipRect(page);
    // The page's brush only: the screen's background also fills the view
    // beside the page, draws its shadow and clips to the view, which a
    // picture has not got.
    canvas.setBrush(score.Page().Brush());
    canvas.fillRect(page);
    score.DrawPage(canvas, score.GetZoom(), score.GetZoom());
    canvas.restoreDC(level);
    if (p < last && !(options.TwoUp && i % 2 == 0)) y += pageHeight;
  }
  Encode(stream, surface->pixels(), options, dpi);
}

const char* ExportPictureExtension(int type) {
  switch (type) {
    case PictureExportOptions::Gif:
      return ".gif";
    case PictureExportOptions::Jpeg:
      return ".jpg";
    case PictureExportOptions::Metafile:
      return ".emf";
    default:
      return ".bmp";
  }
}

void ExportPdf(TECMusicScore&, ByteStream&) { throw EPictureExportError("PDF export is not supported"); }
