#pragma once

#include <vector>

#include "dialogs/dialog_frame.h"
#include "library/term_description.h"
#include "library/term_list_rows.h"

class QPushButton;

namespace nv::library {
class LibraryStore;
}
namespace nv::widgets {
class TECStringGrid;
}

namespace nv::dialogs {

class TermSettingsPage;

// The term list: one grid row per term, its name and kind. "Add" appends an
// empty inscription, "Remove" takes the current row out (the last row left
// is emptied instead). OK makes the terms of the rows, each keeping its own
// values, and refuses a name with "," or a dynamic or tempo name twice,
// naming it; the dialog then stays open.
class TFTermList : public DialogFrame {
  Q_OBJECT
 public:
  TFTermList(const std::vector<nv::library::TECTermDescription>& terms, nv::platform::IniFile* settings,
             QWidget* parent = nullptr);

  // After OK: the terms the rows make.
  const std::vector<nv::library::TECTermDescription>& Terms() const { return terms_; }

  // Row 0 holds the captions, term rows follow from row 1.
  nv::widgets::TECStringGrid& Grid() const { return *grid_; }
  QPushButton& AddButton() const { return *add_; }
  QPushButton& RemoveButton() const { return *remove_; }

 protected:
  bool validate() override;

 private:
  // The names and kinds the user typed, into the rows (values stay).
  void ReadGrid();
  void FillGrid();

  std::vector<nv::library::TermRow> rows_;
  std::vector<nv::library::TECTermDescription> terms_;
  nv::widgets::TECStringGrid* grid_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
};

// The values of the dynamic (kind 1) or tempo (kind 2) terms, applied at
// once through the page's onTermChange; Escape closes. It keeps no bounds.
class TFTermSettings : public DialogFrame {
  Q_OBJECT
 public:
  TFTermSettings(int kind, const std::vector<nv::library::TECTermDescription>& terms,
                 nv::platform::IniFile* settings, QWidget* parent = nullptr);

  TermSettingsPage& Page() const { return *page_; }

 private:
  TermSettingsPage* page_ = nullptr;
};

// The "Expression list" command: the term list over the store's terms. OK
// puts the rows' terms into the store (its name tree rebuilt) and writes
// "Terms.ini". True after OK.
bool ExecuteTermList(nv::library::LibraryStore& store, nv::platform::IniFile* settings, QWidget* parent);
// The "Dynamics" (kind 1) and "Tempo" (kind 2) commands: every change goes
// into the store at once and reaches "Terms.ini" with its next write.
void ExecuteTermSettings(nv::library::LibraryStore& store, int kind, nv::platform::IniFile* settings,
                         QWidget* parent);

}  // namespace nv::dialogs
