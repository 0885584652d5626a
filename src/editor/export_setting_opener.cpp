#include "editor/export_setting_opener.h"

#include "dialogs/file_option_dialogs.h"

namespace nv::editor {

void PrepareExportSetting(dialogs::TFExportSetting& dialog, const ExportOptionsRequest& request) {
  dialog.SetFormatOptions((request.ShowQuality ? dialogs::TFExportSetting::kQualityBit : 0) |
                          (request.ShowPixelFormat ? dialogs::TFExportSetting::kPixelFormatBit : 0));
  dialog.SetPageChecksVisible(request.ShowPageChecks);
  dialog.SetPageCount(request.PageCount);
}

ExportOptions ExportOptionsOf(const dialogs::TFExportSetting& dialog, const ExportOptionsRequest& request) {
  ExportOptions options;
  options.AllPages = dialog.GetPageRange() == 0;
  options.FromPage = dialog.GetFromPage();
  options.ToPage = dialog.GetToPage();
  options.Scale = dialog.GetScale();
  options.Quality = dialog.GetQuality();
  options.PixelFormat = request.ShowPixelFormat ? dialog.GetPixelFormat() : ExportOptions{}.PixelFormat;
  options.DoublePage = request.ShowPageChecks && dialog.GetDoublePage();
  options.EveryPageInFile = request.ShowPageChecks && dialog.GetEveryPageInFile();
  return options;
}

std::optional<ExportOptions> ExportSettingOpener::Ask(const ExportOptionsRequest& request) {
  dialogs::TFExportSetting dialog(settings_, parent_);
  PrepareExportSetting(dialog, request);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ExportOptionsOf(dialog, request);
}

}  // namespace nv::editor
