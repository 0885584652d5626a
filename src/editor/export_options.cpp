#include "editor/export_options.h"

#include <filesystem>

namespace nv::editor {

namespace fs = std::filesystem;

std::string NameForExportFilter(const std::string& name, int filterIndex) {
  if (fs::path(name).has_extension()) return name;
  switch (filterIndex) {
    case export_filter::kGif:
      return name + ".gif";
    case export_filter::kJpeg:
      return name + ".jpg";
    case export_filter::kMetafile:
      return name + ".wmf";
    case export_filter::kPdf:
      return name + ".pdf";
    default:
      return name + ".bmp";
  }
}

ExportOptionsRequest ExportRequestFor(int filterIndex, int pageCount) {
  ExportOptionsRequest request;
  request.PageCount = pageCount;
  request.ShowQuality = filterIndex == export_filter::kJpeg || filterIndex == export_filter::kPdf;
  request.ShowPixelFormat = filterIndex != export_filter::kGif && filterIndex != export_filter::kMetafile;
  request.ShowPageChecks = filterIndex != export_filter::kPdf;
  return request;
}

std::string NumberedPageName(const std::string& name, int page) {
  const fs::path path(name);
  return (path.parent_path() / (path.stem().string() + std::to_string(page) + path.extension().string())).string();
}

}  // namespace nv::editor
