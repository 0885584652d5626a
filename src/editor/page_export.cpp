#include "editor/page_export.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <span>

#include "formats/page_picture_export.h"
#include "model/atomic_file_writer.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/print_settings.h"
#include "platform/qt/qt_paged_target.h"
#include "platform/qt/qt_raster_surface.h"

namespace nv::editor {

namespace {

// The resolution PDF pages are drawn at.
constexpr int kPdfDpi = 300;

void WritePicture(TECMusicScore& score, const std::string& name, int filterIndex, const ExportOptions& options,
                  int first, int last, bool twoUp) {
  PictureExportOptions picture;
  picture.Type = filterIndex - 1;
  picture.TwoUp = twoUp;
  picture.Quality = options.Quality;
  picture.ColourDepth = options.PixelFormat;
  picture.FirstPage = first;
  picture.LastPage = last;
  MemoryStream bytes;
  ExportPicture(score, bytes, picture, platform::qtRasterSurfaces());
  WriteFileAtomically(name, bytes.Data());
}

// Printed into a scratch folder first, then written onto the target as every user file is.
void WritePdf(TECMusicScore& score, const std::string& name, int first, int last) {
  const QTemporaryDir scratch;
  if (!scratch.isValid()) throw EPrintError("Cannot make a scratch folder for \"" + name + "\"");
  const QString printed = scratch.filePath("pages.pdf");
  TECPrintSettings settings;
  settings.PageRange = true;
  settings.FromPage = first;
  settings.ToPage = last;
  {
    auto pdf = platform::QtPagedTarget::pdfFile(printed, kPdfDpi);
    score.Print(*pdf, settings);
    // The file is complete once its printer is gone.
  }
  QFile file(printed);
  if (!file.open(QIODevice::ReadOnly)) throw EPrintError("Cannot read the printed pages of \"" + name + "\"");
  const QByteArray bytes = file.readAll();
  WriteFileAtomically(name, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
}

}  // namespace

void ExportPages(const TECMusicScore& score, const std::string& name, int filterIndex, const ExportOptions& options) {
  TECMusicScore pages;
  pages.SetPage(score.Page());
  pages.SetZoom(options.Scale);
  pages.Assign(score);
  const int count = std::max(1, pages.PageCount());
  const int first = options.AllPages ? 1 : std::clamp(options.FromPage, 1, count);
  const int last = options.AllPages ? count : std::clamp(options.ToPage, first, count);
  if (filterIndex == export_filter::kPdf) {
    WritePdf(pages, name, first, last);
  } else if (options.EveryPageInFile) {
    for (int page = first; page <= last; ++page)
      WritePicture(pages, NumberedPageName(name, page), filterIndex, options, page, page, false);
  } else {
    WritePicture(pages, name, filterIndex, options, first, last, options.DoublePage);
  }
}

}  // namespace nv::editor
