#include "document/score_edits.h"

#include <algorithm>

#include "model/element_kinds.h"
#include "model/music_score.h"
#include "model/note_records.h"

namespace nv::document {
namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

// The row takes seven option bytes: the articulation, hi-hat and hand
// bytes share its first attribute slot (at most one of them is set).
std::array<std::uint8_t, 7> RowOptions(const NoteModifiers& m) {
  return {m[0], m[1], static_cast<std::uint8_t>(m[2] | m[7] | m[8]), m[3], m[4], m[5], m[6]};
}

}  // namespace

int ScoreEditCalls::ClefOffsetAtCursor() const { return score_.ClefOffsetAtCursor(); }
int ScoreEditCalls::KeyAccidentalForStep(int step) const { return score_.KeyAccidentalForStep(step); }
int ScoreEditCalls::CursorMeasure() const { return score_.CursorMeasure(); }
int ScoreEditCalls::CursorPitchLine() const { return score_.CursorPitch(); }
int ScoreEditCalls::MeasureLength() const { return score_.GetMeasureLength(score_.CursorMeasure()); }

GraceNotesValues ScoreEditCalls::GraceNotesOf(TECNote* note) const {
  GraceNotesValues values;
  if (note == nullptr) return values;
  values.Main = {ek::NoteStep(note->Kind), note->Octave, note->Value, score_.ClefOffsetAtCursor()};
  for (const auto& attribute : note->Attributes) {
    if (attribute->Kind != ek::GraceNotes) continue;
    const auto& group = static_cast<const TECGraceGroup&>(*attribute);
    // The group keeps its grace value first and the option flags second, as
    // the painters read it.
    values.Options = group.Flags();
    values.Duration = group.GraceValue();
    values.Count = std::min<int>(GraceNotesValues::kSlots, static_cast<int>(group.Notes.size()));
    for (int i = 0; i < values.Count; ++i) {
      const TECGraceNote& grace = *group.Notes[static_cast<std::size_t>(i)];
      GraceSlot& slot = values.Slots[static_cast<std::size_t>(i)];
      slot.Step = grace.Step;
      slot.Octave = grace.Octave;
      slot.Accidental = grace.Attributes.empty() ? 0 : grace.Attributes.front()->Kind;
    }
    break;
  }
  return values;
}

// Head style, drum kind and bracket are the three bytes the row keeps for
// its caller; the piano's flag asks for the accidental in force.
void ScoreEditCalls::InsertNote(int step, int octave, int duration, const NoteModifiers& modifiers, int headStyle,
                                int drumKind, int bracket, int flag) {
  score_.InsertNote(step, octave, flag != 0, Byte(bracket), Byte(drumKind), Byte(headStyle), RowOptions(modifiers),
                    duration);
}

void ScoreEditCalls::InsertNoteAtCursorPitch(int duration) {
  score_.InsertNoteAtCursorPitch(false, 0, 0, 0, {}, duration);
}

void ScoreEditCalls::InsertRest(int duration, const NoteModifiers& modifiers) {
  score_.InsertRest(duration, modifiers[1]);
}

void ScoreEditCalls::ReplaceWithChordNotes(const std::vector<int>& keys, int duration) {
  std::vector<TECChordEntry> entries;
  for (const int key : keys) entries.push_back({.Pitch = static_cast<std::uint16_t>(std::clamp(key, 0, 127))});
  score_.ReplaceWithChordNotes(entries, true, duration);
}

void ScoreEditCalls::InsertRepeatSign(int kind, int count) { score_.InsertRepeatSign(kind, count); }

// The item keeps its step where a voice goes, then octave and sub-code.
void ScoreEditCalls::AddMeasureSymbol(int code, int subCode, int step, int octave, int value) {
  // A bend keeps its type (1..6) in the parameter byte where other symbols
  // keep the step; the tools give the type as the value.
  if (code == ek::Bend) {
    score_.AddMeasureSymbol(code, Byte(value), 0, Byte(octave), Byte(subCode));
    return;
  }
  score_.AddMeasureSymbol(code, Byte(step), static_cast<std::uint16_t>(value), Byte(octave), Byte(subCode));
}

void ScoreEditCalls::AddInstrumentSymbol(int code, int value1, int value2) {
  score_.AddInstrumentSymbol(Byte(code), value1, value2);
}

void ScoreEditCalls::SetClefAtCursor(int clef) { score_.SetClefAtCursor(clef); }
void ScoreEditCalls::SetKeySignatureAtCursor(int key) { score_.SetKeySignatureAtCursor(key); }

void ScoreEditCalls::SetTimeSignature(int numerator, int denominator, int style, bool wholeScore) {
  score_.SetTimeSignature(numerator, denominator, Byte(style), wholeScore);
}

void ScoreEditCalls::AddTempoMark(int beatNote, int tempo) { score_.AddTempoMark(beatNote, tempo); }
void ScoreEditCalls::EraseElement(TECElement* element) { score_.EraseElement(element); }

void ScoreEditCalls::AddNoteEffect(TECElement* element, int kind, int bracket, int value) {
  score_.AddNoteEffect(element, kind, bracket, value);
}

void ScoreEditCalls::LinkNotes(TECNote* first, TECNote* second, int direction) {
  score_.LinkNotes(first, second, direction);
}

void ScoreEditCalls::SetGraceNotes(TECNote* note, const GraceNotesValues& values) {
  std::vector<TECMusicScore::GraceEntry> entries;
  for (const GraceSlot& slot : values.Slots) entries.push_back({slot.Step, slot.Octave, slot.Accidental});
  // The first byte is the group's grace value, the second its flags.
  score_.SetGraceNotes(note, Byte(values.Duration), values.Count, entries, Byte(values.Options));
}

// The barre item: step where a voice goes, octave, style, and the fret last.
void ScoreEditCalls::AddBarre(int style, int step, int octave, int length, int fret) {
  score_.AddBarre({Byte(octave), Byte(style), 0, Byte(fret)}, static_cast<std::uint16_t>(length), Byte(step));
}

void ScoreEditCalls::AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, int step, int octave) {
  score_.AddMeasureDrawing(objects, Byte(step), Byte(octave));
}

void ScoreEditCalls::AddTextItems(const std::vector<std::string>& lines, const std::string& fontName, int size,
                                  int style, std::int32_t colour, bool alignToNotes, int step, int octave) {
  score_.AddTextItems(lines, fontName, {Byte(size), Byte(style), Byte(step), Byte(octave), 0}, colour,
                      alignToNotes ? 1 : 0);
}

}  // namespace nv::document
