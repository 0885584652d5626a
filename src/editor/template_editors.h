#pragma once

#include <vector>

#include "dialogs/dialog_frame.h"
#include "library/template_save.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nv::library {
class LibraryStore;
class TECAccordDescription;
class TECSymbolDescription;
}  // namespace nv::library

namespace nv::editor {

class TECChordEditor;

// What both template editors share: the mode, "Save" through the library's
// save rules, and the messages of those rules in the editor's texts.
class TemplateEditorDialog : public nv::dialogs::DialogFrame, protected nv::library::TemplateSaveUi {
  Q_OBJECT
 public:
  // File name shown for a new template, hidden for a library entry.
  void SetFileNameVisible(bool visible);
  // The browse button: save to a file the user picks instead.
  void SetBrowseVisible(bool visible);
  // Browse mode with the file chosen (what the browse button sets).
  void SetBrowsePath(const std::string& path);
  // How the last Save ended.
  nv::library::TemplateSaveResult Result() const { return result_; }

  QLineEdit& Description() const { return *description_; }
  QComboBox& Group() const { return *group_; }
  QLineEdit& FileName() const { return *fileName_; }

 protected:
  TemplateEditorDialog(nv::dialogs::DialogSpec spec, nv::library::LibraryStore& store, const QString& filter,
                       nv::platform::IniFile* settings, QWidget* parent);
  // Adds the common fields under `top` and the buttons; `groups` fill the
  // group list.
  void BuildFields(QWidget* top, const std::vector<std::string>& groups);
  virtual nv::library::TemplateSaveResult SaveTemplate() = 0;
  bool validate() override;

  // The editors' numbered texts: caption, overwrite question, missing fields.
  struct Texts {
    int caption, overwrite, missing;
  };
  virtual Texts MessageTexts() const = 0;
  void ReportMissingFields(const std::vector<std::string>& labels) override;
  bool AskOverwrite(const std::string& path) override;
  void ReportError(const std::string& message) override;

  nv::library::LibraryStore& store_;
  nv::library::TemplateEditorMode mode_;
  QLineEdit* description_ = nullptr;
  QComboBox* group_ = nullptr;
  QLabel* fileNameLabel_ = nullptr;
  QLineEdit* fileName_ = nullptr;
  QPushButton* browse_ = nullptr;
  QString filter_;
  nv::library::TemplateSaveResult result_ = nv::library::TemplateSaveResult::StayOpen;
};

// "Chord": the chord's name as pieces after the fixed root "X", its
// description, group, file name and whether its octave is fixed.
class TFAccordProperties : public TemplateEditorDialog {
  Q_OBJECT
 public:
  TFAccordProperties(nv::library::LibraryStore& store, nv::library::TECAccordDescription& chord,
                     nv::platform::IniFile* settings, QWidget* parent = nullptr);
  TECChordEditor& NameEditor() const { return *name_; }
  QCheckBox& FixedOctave() const { return *fixedOctave_; }

 private:
  nv::library::TemplateSaveResult SaveTemplate() override;
  Texts MessageTexts() const override { return {0, 1, 2}; }

  nv::library::TECAccordDescription& chord_;
  TECChordEditor* name_ = nullptr;
  QCheckBox* fixedOctave_ = nullptr;
};

// "Symbol": description, group and file name.
class TFSymbolProperties : public TemplateEditorDialog {
  Q_OBJECT
 public:
  TFSymbolProperties(nv::library::LibraryStore& store, nv::library::TECSymbolDescription& symbol,
                     nv::platform::IniFile* settings, QWidget* parent = nullptr);

 private:
  nv::library::TemplateSaveResult SaveTemplate() override;
  Texts MessageTexts() const override { return {2, 0, 1}; }

  nv::library::TECSymbolDescription& symbol_;
};

}  // namespace nv::editor
