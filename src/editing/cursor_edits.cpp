// Edits at the cursor of the active row: thin wrappers over the row and
// instrument code, which record their own undo steps.
#include <algorithm>

#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace {

// The row that shares the staff with row i: the next one when i is united
// with it, else the previous one when that is united with i.
TECRow* StaffPartner(const TECInstrument& instrument, int i) {
  const TECRow* row = instrument.GetRow(i);
  if (row != nullptr && row->United() && i + 1 < instrument.GetRowCount()) return instrument.GetRow(i + 1);
  if (const TECRow* previous = instrument.GetRow(i - 1); previous != nullptr && previous->United())
    return instrument.GetRow(i - 1);
  return nullptr;
}

}  // namespace

TECNote* TECMusicScore::InsertNote(int step, int octave, bool accidentalRule, std::uint8_t lastSpare,
                                   std::uint8_t thirdSpare, std::uint8_t optionBits,
                                   const std::array<std::uint8_t, 7>& options, int duration) {
  TECRow* row = CurrentRow();
  if (row == nullptr) return nullptr;
  ClearSelection();
  TECNote* note = row->InsertNote(step, octave, accidentalRule, lastSpare, thirdSpare, optionBits, options, duration);
  InvalidateScore();
  return note;
}

TECNote* TECMusicScore::InsertNoteAtCursorPitch(bool accidentalRule, std::uint8_t lastSpare, std::uint8_t thirdSpare,
                                                std::uint8_t optionBits, const std::array<std::uint8_t, 7>& options,
                                                int duration) {
  const int line = CursorPitch();
  return InsertNote(line % 7 + 1, line / 7, accidentalRule, lastSpare, thirdSpare, optionBits, options, duration);
}

TECNote* TECMusicScore::InsertRepeatSign(int kind, int variant) {
  TECRow* row = CurrentRow();
  if (row == nullptr) return nullptr;
  ClearSelection();
  TECNote* sign = row->InsertRepeatSign(kind, variant);
  if (sign != nullptr) InvalidateScore();
  return sign;
}

void TECMusicScore::InsertRest(int value, std::uint8_t dots) {
  if (TECRow* row = CurrentRow()) {
    row->InsertRest(value, dots);
    InvalidateScore();
  }
}

void TECMusicScore::ReplaceWithChordNotes(const std::vector<TECChordEntry>& entries, bool spell, int duration) {
  if (!nv::editing::EditsAllowed(*this)) return;
  TECRow* row = CurrentRow();
  if (row == nullptr) return;
  // The row lays out from the active page itself.
  row->ReplaceWithChordNotes(entries, spell, duration);
  InvalidateScore();
}

void TECMusicScore::ReflowNote(TECNote* note, int duration, std::uint8_t startOffset, std::uint8_t velocity) {
  if (note == nullptr || note->Owner == nullptr || note->Owner->Owner == nullptr) return;
  // The note is freed and replaced: it leaves the selection first.
  ReleaseSelection();
  note->Owner->Owner->ReflowNote(note, duration, startOffset, velocity);
  InvalidateScore();
}

void TECMusicScore::AddMeasureSymbol(int kind, std::uint8_t param, std::uint16_t value, std::uint8_t param2,
                                     std::uint8_t param3) {
  if (TECRow* row = CurrentRow()) {
    row->AddMeasureSymbol(kind, param, value, param2, param3);
    InvalidateScore();
  }
}

void TECMusicScore::AddInstrumentSymbol(std::uint8_t kind, int value1, int value2) {
  if (TECInstrument* instrument = CurrentInstrument()) {
    instrument->AddSymbol(kind, value1, value2);
    InvalidateScore();
  }
}

void TECMusicScore::AddTempoMark(int value, int tempo) {
  if (TECInstrument* instrument = CurrentInstrument()) {
    instrument->AddTempoMark(value, tempo);
    InvalidateScore();
  }
}

void TECMusicScore::LinkNotes(TECNote* first, TECNote* second, int kind) {
  if (first == nullptr || second == nullptr || first->Owner == nullptr || second->Owner == nullptr) return;
  TECRow* row = first->Owner->Owner;
  if (row == nullptr) return;
  const int page = std::min(first->Owner->Page, second->Owner->Page);
  if (row->LinkNotes(first, second, kind) == nullptr) return;
  LayoutScore(page, false);
  InvalidateScore();
  DoChanged();
}

void TECMusicScore::DeleteAtCursor(bool backward) {
  if (!nv::editing::EditsAllowed(*this)) return;
  if (!DeleteSelection())
    if (TECRow* row = CurrentRow()) row->DeleteAtCursor(backward);
  InvalidateScore();
}

namespace {

// Sets the clef or key of the cursor measure in the active row and in the
// row sharing its staff, as one step.
void SetStaffRecord(TECMusicScore& score, std::uint8_t kind, void (TECRow::*set)(int, int), int code) {
  TECInstrument* instrument = score.CurrentInstrument();
  TECRow* row = score.CurrentRow();
  if (row == nullptr) return;
  nv::editing::EditTransaction edit(score, kind);
  if (!edit.Allowed()) return;
  const int m = score.CursorMeasure();
  const int wanted = kind == undo_kind::Key && code >= 0 && code < 30 ? code + 30 : code;
  for (TECRow* target : {row, StaffPartner(*instrument, instrument->GetActiveRowIndex())}) {
    if (target == nullptr) continue;
    const int before = kind == undo_kind::Clef ? target->GetClef(m) : target->GetKeySignature(m);
    if (before == wanted || m >= target->MeasureCount()) continue;
    edit.SaveMeasure(*target->GetMeasure(m));
    {
      ScopedUndoLock lock(score);
      (target->*set)(m, code);
    }
    edit.Touch();
  }
}

}  // namespace

void TECMusicScore::SetClefAtCursor(int clef) {
  if (CurrentRow() == nullptr) return;
  if (CursorTick() != 0) {
    AddMeasureSymbol(ek::ClefChange, 0, static_cast<std::uint16_t>(clef), 7, 2);
    return;
  }
  SetStaffRecord(*this, undo_kind::Clef, &TECRow::SetClef, clef);
}

void TECMusicScore::SetKeySignatureAtCursor(int key) { SetStaffRecord(*this, undo_kind::Key, &TECRow::SetKeySignature, key); }

void TECMusicScore::SetChordSymbol(const std::vector<std::uint8_t>* code, const std::vector<TECChordPiece>* pieces,
                                   bool flag) {
  if (TECRow* row = CurrentRow()) {
    row->SetChordSymbol(code, pieces, flag);
    InvalidateScore();
  }
}

void TECMusicScore::RemoveChordSymbol(int n) {
  if (TECRow* row = CurrentRow()) {
    row->RemoveChordSymbol(n);
    InvalidateScore();
  }
}

const std::vector<std::uint8_t>* TECMusicScore::ChordSymbolAtCursor() const {
  const TECRow* row = CurrentRow();
  return row != nullptr ? row->ChordSymbolAtCursor() : nullptr;
}

void TECMusicScore::AddBarre(const std::array<std::uint8_t, 4>& params, std::uint16_t value, std::uint8_t voice) {
  if (TECRow* row = CurrentRow()) {
    row->AddBarre(params, value, voice);
    InvalidateScore();
  }
}

void TECMusicScore::AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, std::uint8_t param,
                                      std::uint8_t param2) {
  if (TECRow* row = CurrentRow()) {
    row->AddMeasureDrawing(objects, param, param2);
    InvalidateScore();
  }
}

void TECMusicScore::AddTextItems(const std::vector<std::string>& lines, const std::string& fontName,
                                 const std::array<std::uint8_t, 5>& style, std::int32_t value, std::uint8_t options) {
  if (TECRow* row = CurrentRow()) {
    row->AddTextItems(lines, fontName, style, value, options);
    InvalidateScore();
  }
}

void TECMusicScore::CopyTimeSignatures(TECRow* row) {
  if (row == nullptr || row->Owner() == nullptr) return;
  const TECRow* source = row->Owner()->GetRow(0);
  if (row->Owner()->GetRowCount() < 2) {
    if (InstrumentCount() < 2) return;
    source = GetInstrumentAt(0)->GetRow(0);
  }
  if (source == nullptr || source == row) return;
  for (int m = 0; m < source->MeasureCount(); ++m)
    if (const TECTimeSignature* time = source->GetMeasure(m)->TimeSignature.get())
      row->SetTimeSignature(m, time->Numerator(), time->Denominator(), time->Style);
}
