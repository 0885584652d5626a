#pragma once

#include <QDialog>
#include <optional>

#include "editor/export_options.h"
#include "editor/music_editor.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace nv::editor {

// Plain forms with the fields of the export-options and new-staff dialogs,
// for a host to hand the document window until the program's own dialogs
// take their place.

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

class NewStaffForm : public QDialog {
  Q_OBJECT
 public:
  explicit NewStaffForm(QWidget* parent = nullptr);
  NewStaffChoice Choice() const;

 private:
  QLineEdit* name_;
  QSpinBox* program_;
  QPlainTextEdit* title_;
  QPlainTextEdit* author_;
};

// The forms run modally over `parent`.
class ExportOptionsFormDialog : public ExportOptionsDialog {
 public:
  explicit ExportOptionsFormDialog(QWidget* parent) : parent_(parent) {}
  std::optional<ExportOptions> Ask(const ExportOptionsRequest& request) override;

 private:
  QWidget* parent_;
};

class NewStaffFormDialog : public NewStaffDialog {
 public:
  explicit NewStaffFormDialog(QWidget* parent) : parent_(parent) {}
  std::optional<NewStaffChoice> Ask() override;

 private:
  QWidget* parent_;
};

}  // namespace nv::editor
