#pragma once

#include <vector>

#include "dialogs/dialog_frame.h"

class QTreeWidget;
class QPushButton;

namespace nv::library {
class LibraryStore;
}

namespace nv::render {
class LibraryItemPainter;
}

namespace nv::widgets {
class TECCharButton;
}

namespace nv::editor {

// A library's list dialog: a multi-selection list in library order with
// "Add" (import), "Edit" (the template editor, file name hidden), "Remove"
// and "Close". What it removes leaves the list file too.
class TemplateListDialog : public nv::dialogs::DialogFrame {
  Q_OBJECT
 public:
  // Whether the library changed while the dialog was open.
  bool Changed() const { return changed_; }
  QTreeWidget& List() const { return *list_; }
  // Fills the list from the library, keeping the selected row (the last
  // when the list became shorter, the first when none was selected).
  void Refill();
  void Add();
  void Edit();
  void Remove();

 protected:
  TemplateListDialog(nv::dialogs::DialogSpec spec, nv::library::LibraryStore& store, nv::platform::IniFile* settings,
                     QWidget* parent);
  // Builds the rows and buttons; the derived dialog calls it once it can
  // answer the hooks below.
  void Build(const QStringList& headers);

  virtual std::size_t Count() const = 0;
  virtual QStringList Row(std::size_t index) const = 0;
  virtual bool Import() = 0;
  virtual bool EditAt(std::size_t index) = 0;
  virtual bool RemoveAt(const std::vector<std::size_t>& indices, bool deleteFiles) = 0;
  virtual void SelectionChanged() {}
  std::vector<std::size_t> SelectedRows() const;
  QString Text(int n) const;

  nv::library::LibraryStore& store_;
  QTreeWidget* list_ = nullptr;
  bool changed_ = false;
};

// "Chords list": Name and Description.
class TFChordList : public TemplateListDialog {
  Q_OBJECT
 public:
  TFChordList(nv::library::LibraryStore& store, nv::platform::IniFile* settings, QWidget* parent = nullptr);

 private:
  std::size_t Count() const override;
  QStringList Row(std::size_t index) const override;
  bool Import() override;
  bool EditAt(std::size_t index) override;
  bool RemoveAt(const std::vector<std::size_t>& indices, bool deleteFiles) override;
  nv::platform::IniFile* settings_;
};

// "Symbols list": Group and Description, with the selected symbol drawn
// beside the list.
class TFSymbolList : public TemplateListDialog {
  Q_OBJECT
 public:
  TFSymbolList(nv::library::LibraryStore& store, nv::render::LibraryItemPainter& painter,
               nv::platform::IniFile* settings, QWidget* parent = nullptr);
  nv::widgets::TECCharButton& Preview() const { return *preview_; }

 private:
  std::size_t Count() const override;
  QStringList Row(std::size_t index) const override;
  bool Import() override;
  bool EditAt(std::size_t index) override;
  bool RemoveAt(const std::vector<std::size_t>& indices, bool deleteFiles) override;
  void SelectionChanged() override;
  nv::render::LibraryItemPainter& painter_;
  nv::platform::IniFile* settings_;
  nv::widgets::TECCharButton* preview_ = nullptr;
};

}  // namespace nv::editor
