#pragma once

#include <optional>
#include <string>

namespace nv::editor {

// The export dialog's choices: pick an export picture's filter (1 BMP,
// 2 GIF, 3 JPEG, 4 metafile, 5 PDF), then how its pages are drawn.
namespace export_filter {
inline constexpr int kBitmap = 1;
inline constexpr int kGif = 2;
inline constexpr int kJpeg = 3;
inline constexpr int kMetafile = 4;
inline constexpr int kPdf = 5;
}  // namespace export_filter

// `name` with the extension of the export filter when it has none: 2 ".gif",
// 3 ".jpg", 4 ".wmf", 5 ".pdf", any other ".bmp".
std::string NameForExportFilter(const std::string& name, int filterIndex);

// What the export-options dialog shows for a filter.
struct ExportOptionsRequest {
  int PageCount = 1;
  bool ShowQuality = false;      // JPEG and PDF
  bool ShowPixelFormat = false;  // all but GIF and the metafile
  bool ShowPageChecks = true;    // "Double page" and "Every page in file"; not for PDF
};
ExportOptionsRequest ExportRequestFor(int filterIndex, int pageCount);

// The export-options dialog's answer.
struct ExportOptions {
  bool AllPages = true;  // else FromPage..ToPage
  int FromPage = 1;
  int ToPage = 1;
  int Scale = 100;  // the zoom the pages are drawn at, percent
  int Quality = 75;
  int PixelFormat = 2;  // see PictureExportOptions::ColourDepth
  bool DoublePage = false;
  bool EveryPageInFile = false;
};

class ExportOptionsDialog {
 public:
  virtual ~ExportOptionsDialog() = default;
  // Nothing when cancelled.
  virtual std::optional<ExportOptions> Ask(const ExportOptionsRequest& request) = 0;
};

// For page `page` of a file per page: p.gif gives p3.gif.
std::string NumberedPageName(const std::string& name, int page);

}  // namespace nv::editor
