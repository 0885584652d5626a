#include "document/new_staff_setup.h"

#include <algorithm>
#include <string>

#include "document/score_properties.h"
#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/undo_step.h"
#include "platform/ini_file.h"

namespace nv::document {
namespace {

constexpr const char* kSection = kNewStaffSection;

int InRange(int value, int min, int max, int fallback) { return value >= min && value <= max ? value : fallback; }

int UpbeatSizeOr(int value, int fallback) {
  return value == 2 || value == 4 || value == 8 || value == 16 ? value : fallback;
}

std::string RowKey(const char* name, int row) { return name + std::to_string(row); }

}  // namespace

bool IsStaffToneCode(int code) { return code == 0 || (code >= 31 && code <= 37) || (code >= 41 && code <= 47); }

NewStaffSetup ReadNewStaffSetup(const nv::platform::IniFile& settings) {
  const NewStaffSetup defaults;
  NewStaffSetup setup;
  auto read = [&settings](const char* key, int fallback) { return settings.ReadInteger(kSection, key, fallback); };
  setup.Timbre = InRange(read("Timbre", defaults.Timbre), 0, 127, defaults.Timbre);
  setup.Partiture = settings.ReadBool(kSection, "Partiture", defaults.Partiture);
  setup.Tempo = InRange(read("Tempo", defaults.Tempo), 1, 512, defaults.Tempo);
  setup.Numerator = read("Numerator", 1);
  setup.Denominator = read("Denomerator", 1);
  setup.SizeStyle = InRange(read("SizeStyle", defaults.SizeStyle), 0, 2, defaults.SizeStyle);
  setup.AufTaktNotes = InRange(read("AufTaktNotes", defaults.AufTaktNotes), 0, 12, defaults.AufTaktNotes);
  setup.AufTaktSize = UpbeatSizeOr(read("AufTaktSize", defaults.AufTaktSize), defaults.AufTaktSize);
  const int rows = InRange(read("RowCount", 1), 1, NewStaffSetup::kMaxRows, 1);
  setup.Rows.assign(static_cast<std::size_t>(rows), NewStaffRow{});
  for (int i = 0; i < rows; ++i) {
    NewStaffRow& row = setup.Rows[static_cast<std::size_t>(i)];
    row.Voices = InRange(settings.ReadInteger(kSection, RowKey("Voices", i), 0), 0, 2, 0);
    row.Clef = InRange(settings.ReadInteger(kSection, RowKey("Clef", i), 0), 0, 15, 0);
    const int tone = settings.ReadInteger(kSection, RowKey("Tone", i), 0);
    row.Tone = IsStaffToneCode(tone) ? tone : 0;
  }
  return setup;
}

void WriteNewStaffSetup(nv::platform::IniFile& settings, const NewStaffSetup& setup) {
  settings.WriteInteger(kSection, "Timbre", setup.Timbre);
  settings.WriteBool(kSection, "Partiture", setup.Partiture);
  settings.WriteInteger(kSection, "Numerator", setup.Numerator);
  settings.WriteInteger(kSection, "Denomerator", setup.Denominator);
  settings.WriteInteger(kSection, "Tempo", setup.Tempo);
  settings.WriteInteger(kSection, "SizeStyle", setup.SizeStyle);
  settings.WriteInteger(kSection, "AufTaktNotes", setup.AufTaktNotes);
  settings.WriteInteger(kSection, "AufTaktSize", setup.AufTaktSize);
  settings.WriteInteger(kSection, "RowCount", static_cast<int>(setup.Rows.size()));
  for (std::size_t i = 0; i < setup.Rows.size(); ++i) {
    const int row = static_cast<int>(i);
    settings.WriteInteger(kSection, RowKey("Voices", row), setup.Rows[i].Voices);
    settings.WriteInteger(kSection, RowKey("Clef", row), setup.Rows[i].Clef);
    settings.WriteInteger(kSection, RowKey("Tone", row), setup.Rows[i].Tone);
  }
}

void ApplyNewStaff(const NewStaffSetup& setup, TECInstrument& staff) {
  const int wanted = std::clamp(static_cast<int>(setup.Rows.size()), 1, NewStaffSetup::kMaxRows);
  while (staff.GetRowCount() < wanted) staff.AddRow(true);
  while (staff.GetRowCount() > wanted) staff.DeleteRow(staff.GetRowCount() - 1);
  for (int i = 0; i < wanted; ++i) {
    const NewStaffRow& wantedRow = setup.Rows[static_cast<std::size_t>(i)];
    TECRow& row = *staff.GetRow(i);
    row.SetVoiceMode(wantedRow.Voices);
    if (row.GetClef(0) != wantedRow.Clef) row.SetClef(0, wantedRow.Clef);
    // No key is code 30 to the row; asked for as 0 it reads back as either.
    const int tone = IsStaffToneCode(wantedRow.Tone) ? wantedRow.Tone : 0;
    const int current = row.GetKeySignature(0);
    if (current != tone && !(tone == 0 && current == 30)) row.SetKeySignature(0, tone);
  }
  staff.SetActiveRow(std::clamp(setup.ActiveRow, 0, wanted - 1));
  // The program first: setting it clears the name.
  staff.SetMidiInstrument(setup.Timbre);
  staff.SetName(setup.Name);
  staff.SetAsMusicScore(setup.Partiture);
}

void BuildNewStaffScore(const NewStaffSetup& setup, TECMusicScore& score) {
  const ScopedUndoLock quiet(score);
  if (score.InstrumentCount() == 0) score.AppendInstrument();
  TECInstrument& staff = *score.GetInstrumentAt(0);
  if (staff.GetRowCount() == 0) staff.AppendRow();
  score.SetTimeSignature(setup.Numerator, setup.Denominator, static_cast<std::uint8_t>(setup.SizeStyle), true);
  score.SetAufTakt(setup.AufTaktNotes, setup.AufTaktSize);
  score.SetTempo(setup.Tempo);
  ApplyNewStaff(setup, staff);
  score.SetActiveInstrument(0);
  score.LayoutScore(0, false);
}

void PrepareNewStaffPreview(TECMusicScore& score) {
  score.SetLockUndo(true);
  ApplyPage(score, CompositionPage{static_cast<int>(TECPaperSize::Custom), false, 46, 80, 5, 0, 5, 10, 8});
}

TECInstrument* AppendNewStaff(const NewStaffSetup& setup, TECMusicScore& score) {
  if (!nv::editing::EditsAllowed(score)) return nullptr;
  TECInstrument* staff = score.AppendInstrument();
  {
    const ScopedUndoLock quiet(score);
    staff->AppendRow();
    ApplyNewStaff(setup, *staff);
  }
  // The step holds the staff as built, so that redo brings it back whole.
  if (TECUndoStep* step = score.BeginUndoStep(undo_kind::AddInstrument)) score.SaveUndoInstrument(step, staff);
  score.SetActiveInstrument(score.InstrumentCount() - 1);
  score.LayoutScore(0, false);
  score.FireStaveChanged(&score, TECStaveOperation::soAdded, staff);
  score.DoChanged();
  return staff;
}

}  // namespace nv::document
