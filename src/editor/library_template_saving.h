#pragma once

#include "editor/template_saving.h"

class QWidget;

namespace nv::library {
class LibraryStore;
}

namespace nv::platform {
class IniFile;
}

namespace nv::editor {

// Chords and symbols saved from a document reach the program's library: the
// chord or symbol editor opens on the new template with its file name shown
// (and, for save-as, its browse button). A template saved into "Templates"
// goes to the front of its library: its strip shows it and its list file
// names it. Cancel, or a save to a file of the user's choice, leaves the
// library as it was.
class LibraryTemplateSaving : public TemplateSaving {
 public:
  // `settings` keeps the editors' bounds (may be null); `dialogParent` owns the editors while they run.
  LibraryTemplateSaving(library::LibraryStore& store, platform::IniFile* settings, QWidget* dialogParent)
      : store_(store), settings_(settings), dialogParent_(dialogParent) {}

  void SaveChord(std::unique_ptr<library::TECAccordDescription> chord, bool saveAs) override;
  void SaveSymbol(std::unique_ptr<library::TECSymbolDescription> symbol, bool saveAs) override;

 private:
  library::LibraryStore& store_;
  platform::IniFile* settings_;
  QWidget* dialogParent_;
};

}  // namespace nv::editor
