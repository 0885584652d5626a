#pragma once

#include <QDialog>
#include <optional>

#include "editor/export_options.h"
#include "editor/music_editor.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace nv::editor {

// A plain form with the fields of the export-options dialog, for a host to
// hand the document window until the program's own dialog takes its place,
// and the new-staff dialog.

class ExportOptionsForm : public QDialog {
  Q_OBJECT
 public:
  ExportOptionsForm(const ExportOptionsRequest& request, QWidget* parent = nullptr);
  ExportOptions Options() const;

 private:
  bool pageChecks_;
  QCheckBox* allPages_;
  QSpinBox* fromPage_;
  QSpinBox* toPage_;
  QSpinBox* scale_;
  QSpinBox* quality_;
  QComboBox* pixelFormat_;
  QCheckBox* doublePage_;
  QCheckBox* everyPage_;
};

// The forms run modally over `parent`.
class ExportOptionsFormDialog : public ExportOptionsDialog {
 public:
  explicit ExportOptionsFormDialog(QWidget* parent) : parent_(parent) {}
  std::optional<ExportOptions> Ask(const ExportOptionsRequest& request) override;

 private:
  QWidget* parent_;
};

// The new-staff dialog without its time signature, tempo and upbeat, which
// a staff added to a score takes from the score; its choices kept in `settings`.
class NewStaffFormDialog : public NewStaffDialog {
 public:
  NewStaffFormDialog(QWidget* parent, platform::IniFile* settings) : parent_(parent), settings_(settings) {}
  std::optional<document::NewStaffSetup> Ask() override;

 private:
  QWidget* parent_;
  platform::IniFile* settings_;
};

}  // namespace nv::editor
