#pragma once

#include "editor/export_options.h"

class QWidget;

namespace nv::platform {
class IniFile;
}
namespace nv::dialogs {
class TFExportSetting;
}

namespace nv::editor {

// Sets the export-options dialog up for a filter: the quality and pixel
// format it uses, the page checks, the page count.
void PrepareExportSetting(dialogs::TFExportSetting& dialog, const ExportOptionsRequest& request);
// The dialog's choices as the export takes them; a hidden check or pixel
// format does not count.
ExportOptions ExportOptionsOf(const dialogs::TFExportSetting& dialog, const ExportOptionsRequest& request);

// Asks through the export-options dialog, modal over `parent`, its choices
// kept in `settings`.
class ExportSettingOpener : public ExportOptionsDialog {
 public:
  ExportSettingOpener(QWidget* parent, platform::IniFile* settings) : parent_(parent), settings_(settings) {}
  std::optional<ExportOptions> Ask(const ExportOptionsRequest& request) override;

 private:
  QWidget* parent_;
  platform::IniFile* settings_;
};

}  // namespace nv::editor
