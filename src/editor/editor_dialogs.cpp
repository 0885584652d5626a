#include "editor/editor_dialogs.h"

#include "editor/accord_editor_dialog.h"

namespace nv::editor {

bool EditorDialogs::ChordEditor(document::ChordValues& values) {
  TFAccordEditor dialog(Services().Settings, Services().Parent);
  dialog.SetChordItems(values.Pieces);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Pieces = dialog.GetChordItems();
  return true;
}

}  // namespace nv::editor
