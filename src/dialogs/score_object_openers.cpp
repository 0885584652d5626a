#include "dialogs/score_object_openers.h"

#include "dialogs/file_option_dialogs.h"
#include "dialogs/grace_notes_dialog.h"
#include "dialogs/score_object_dialogs.h"
#include "dialogs/text_input_dialog.h"

namespace nv::dialogs {

bool ScoreObjectDialogs::PauseCount(int& count) {
  TFDCPauseCount dialog(settings_, parent_);
  dialog.SetCount(count);
  const bool ok = dialog.exec() == QDialog::Accepted;
  count = dialog.Count();
  return ok;
}

bool ScoreObjectDialogs::TempoInput(nv::document::TempoValues& values) {
  TFDCTempoInput dialog(settings_, parent_);
  dialog.SetBeatNote(values.BeatNote);
  dialog.SetTempo(values.Tempo);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.BeatNote = dialog.GetBeatNote();
  values.Tempo = dialog.GetTempo();
  return true;
}

bool ScoreObjectDialogs::GraceNotes(nv::document::GraceNotesValues& values) {
  TFDCVorschlagInput dialog(settings_, parent_);
  dialog.SetNote(values);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.Values();
  return true;
}

bool ScoreObjectDialogs::BarNumber(int& position) {
  TFBarNumber dialog(settings_, parent_);
  dialog.SetStart(position);
  if (dialog.exec() != QDialog::Accepted) return false;
  position = dialog.Start();
  return true;
}

bool ScoreObjectDialogs::PartNumber(nv::document::PartNumberValues& values) {
  TFDCPartNumber dialog(settings_, parent_);
  dialog.SetNumber(values.Number);
  dialog.SetCount(values.Count);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Number = dialog.Number();
  values.Count = dialog.Count();
  return true;
}

bool ScoreObjectDialogs::RehearsalMarkCount(int& number, int kind) {
  TFRehearsalMarkCount dialog(kind == 1 ? RehearsalMarkKind::Digits : RehearsalMarkKind::Letters, settings_, parent_);
  dialog.SetValue(number);
  if (dialog.exec() != QDialog::Accepted) return false;
  number = dialog.GetValue();
  return true;
}

// The dialog starts from its own last fret and style.
bool ScoreObjectDialogs::BarreProperties(nv::document::BarreValues& values) {
  TFBarreProperties dialog(settings_, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Style = dialog.GetBarreStyle();
  values.Fret = dialog.GetFret();
  return true;
}

bool ScoreObjectDialogs::TextInput(nv::document::TextInputValues& values) {
  return AskTextInput(values, false, settings_, parent_);
}

}  // namespace nv::dialogs
