#include "dialogs/score_object_openers.h"

#include "dialogs/file_option_dialogs.h"
#include "dialogs/grace_notes_dialog.h"
#include "dialogs/image_input_dialog.h"
#include "dialogs/score_object_dialogs.h"
#include "dialogs/text_input_dialog.h"

namespace nv::dialogs {

bool ScoreObjectDialogs::PauseCount(int& count) {
  TFDCPauseCount dialog(services_.Settings, services_.Parent);
  dialog.SetCount(count);
  const bool ok = dialog.exec() == QDialog::Accepted;
  count = dialog.Count();
  return ok;
}

bool ScoreObjectDialogs::TempoInput(nv::document::TempoValues& values) {
  TFDCTempoInput dialog(services_.Settings, services_.Parent);
  dialog.SetBeatNote(values.BeatNote);
  dialog.SetTempo(values.Tempo);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.BeatNote = dialog.GetBeatNote();
  values.Tempo = dialog.GetTempo();
  return true;
}

bool ScoreObjectDialogs::GraceNotes(nv::document::GraceNotesValues& values) {
  TFDCVorschlagInput dialog(services_.Settings, services_.Parent);
  dialog.SetNote(values);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.Values();
  return true;
}

bool ScoreObjectDialogs::BarNumber(int& position) {
  TFBarNumber dialog(services_.Settings, services_.Parent);
  dialog.SetStart(position);
  if (dialog.exec() != QDialog::Accepted) return false;
  position = dialog.Start();
  return true;
}

bool ScoreObjectDialogs::PartNumber(nv::document::PartNumberValues& values) {
  TFDCPartNumber dialog(services_.Settings, services_.Parent);
  dialog.SetNumber(values.Number);
  dialog.SetCount(values.Count);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Number = dialog.Number();
  values.Count = dialog.Count();
  return true;
}

bool ScoreObjectDialogs::RehearsalMarkCount(int& number, int kind) {
  TFRehearsalMarkCount dialog(kind == 1 ? RehearsalMarkKind::Digits : RehearsalMarkKind::Letters, services_.Settings, services_.Parent);
  dialog.SetValue(number);
  if (dialog.exec() != QDialog::Accepted) return false;
  number = dialog.GetValue();
  return true;
}

// The dialog starts from its own last fret and style.
bool ScoreObjectDialogs::BarreProperties(nv::document::BarreValues& values) {
  TFBarreProperties dialog(services_.Settings, services_.Parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Style = dialog.GetBarreStyle();
  values.Fret = dialog.GetFret();
  return true;
}

bool ScoreObjectDialogs::TextInput(nv::document::TextInputValues& values) {
  return AskTextInput(values, false, services_.Settings, services_.Parent);
}

bool ScoreObjectDialogs::ImageInput(nv::document::ImageValues& values) {
  TFDCImageInput dialog(services_.Settings, {}, services_.Parent);
  dialog.SetValues(values);
  if (dialog.exec() != QDialog::Accepted) return false;
  values = dialog.GetValues();
  return true;
}

// -1 is the row's program.
bool ScoreObjectDialogs::NoteProperties(nv::document::NotePropertiesValues& values) {
  TFNoteProperties dialog(services_);
  dialog.SetInstrument(values.Instrument);
  if (dialog.exec() != QDialog::Accepted) return false;
  values.Instrument = dialog.Program();
  return true;
}

}  // namespace nv::dialogs
