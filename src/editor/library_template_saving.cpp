#include "editor/library_template_saving.h"

#include "editor/template_editors.h"
#include "library/library_store.h"

namespace nv::editor {

namespace {

// Runs the editor on a new template; true when it was written into "Templates".
bool SavedIntoLibrary(TemplateEditorDialog& editor, bool saveAs) {
  editor.SetFileNameVisible(true);
  editor.SetBrowseVisible(saveAs);
  return editor.exec() == QDialog::Accepted && editor.Result() == library::TemplateSaveResult::SavedTemplate;
}

}  // namespace

void LibraryTemplateSaving::SaveChord(std::unique_ptr<library::TECAccordDescription> chord, bool saveAs) {
  TFAccordProperties editor(store_, *chord, settings_, dialogParent_);
  if (SavedIntoLibrary(editor, saveAs)) store_.AddChordToPalette(std::move(chord));
}

void LibraryTemplateSaving::SaveSymbol(std::unique_ptr<library::TECSymbolDescription> symbol, bool saveAs) {
  TFSymbolProperties editor(store_, *symbol, settings_, dialogParent_);
  if (SavedIntoLibrary(editor, saveAs)) store_.AddSymbolToPalette(std::move(symbol));
}

}  // namespace nv::editor
