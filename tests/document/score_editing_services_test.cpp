#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "document/score_edits.h"
#include "document_fixture.h"
#include "editing/key_commands.h"
#include "model/input_state.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/model_dump.h"
#include "model/row.h"
#include "model/score_page.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

// Each operation the windows use of the score runs once on the three-note
// score (C, E and G quarters in measure 0 of row 0) through its document,
// and its effect on the score is checked; an operation that records an undo
// step is undone, which must give the music back as it was.
namespace {

using document_fixture::LoadedDocument;
using document_fixture::NoteAt;
using nv::document::GraceNotesValues;
using nv::document::NoteModifiers;
using nv::document::ScoreEditCalls;

using Score = TECMusicScore;
using Edits = ScoreEditCalls;

// The kind of the step an operation records, which then must change the
// music; kAnyKind for a step of any kind or none, kNoStep for none.
constexpr int kAnyKind = -1;
constexpr int kNoStep = -2;

struct ServiceCase {
  const char* name;
  // Places the cursor or the selection the operation needs; the undo check
  // begins after it.
  std::function<void(Score&)> prepare;
  std::function<void(Score&, Edits&)> run;
  std::function<bool(Score&)> effect;
  int undoKind = kAnyKind;
};

void PrintTo(const ServiceCase& c, std::ostream* out) { *out << c.name; }

// The music of every staff as laid out: a staff that an undo brought back
// while another is active is laid out first, as showing it would.
std::string Music(Score& score) {
  std::string text;
  for (int i = 0; i < score.InstrumentCount(); ++i) score.LayoutInactiveInstrument(i);
  for (int i = 0; i < score.InstrumentCount(); ++i) text += DumpInstrument(*score.GetInstrumentAt(i));
  return text;
}

TECRow& Row(Score& score, int r = 0) { return *score.CurrentInstrument()->GetRow(r); }
TECMeasure& Measure(Score& score, int m, int r = 0) { return *Row(score, r).GetMeasure(m); }
int NotesIn(Score& score, int m) { return static_cast<int>(Measure(score, m).Notes.size()); }

bool HasAttribute(const TECNote& note, int kind) {
  for (const auto& attribute : note.Attributes)
    if (attribute->Kind == kind) return true;
  return false;
}

// An item or note of `kind` in measure m of row 0.
bool HasKind(Score& score, int m, int kind) {
  for (const auto& item : Measure(score, m).Items)
    if (item->Kind == kind) return true;
  for (const auto& note : Measure(score, m).Notes)
    if (note->Kind == kind) return true;
  return false;
}

bool Always(Score&) { return true; }

void Select(Score& score, int start) {
  score.ClearSelection();
  score.SelectElement(NoteAt(score, start), 0);
}
void SelectE(Score& score) { Select(score, 32); }
void SelectG(Score& score) { Select(score, 64); }

void ToMeasure(Score& score, int m) {
  score.GoToMeasure(m);
  score.SetCursorPosition(0);
}
void ToMeasure1(Score& score) { ToMeasure(score, 1); }

// A chord symbol C, spelt by its one piece, at the cursor.
void PutChordSymbol(Score& score) {
  // One chord byte and no bass byte: the root C.
  const std::vector<std::uint8_t> code = {1, 0, 1};
  const std::vector<TECChordPiece> pieces = {{{}, "C", 0}};
  score.SetChordSymbol(&code, &pieces, true);
}

const std::vector<ServiceCase>& Cases() {
  static const std::vector<ServiceCase> cases = {
      // --- the score, its staves, rows and page ------------------------------------
      {"SetTimeSignature whole score", nullptr, [](Score& s, Edits&) { s.SetTimeSignature(3, 4, 0, true); },
       [](Score& s) { return s.GetNumerator() == 3 && s.GetDenominator() == 4 && s.GetMeasureLength(1) == 96; }, 35},
      {"SetTimeSignature refuses denominator 6", nullptr, [](Score& s, Edits&) { s.SetTimeSignature(3, 6, 0, true); },
       [](Score& s) { return s.GetMeasureLength(1) == 128; }, kNoStep},
      {"SetTimeSignature refuses more than three wholes", nullptr,
       [](Score& s, Edits&) { s.SetTimeSignature(8, 2, 0, true); },
       [](Score& s) { return s.GetMeasureLength(1) == 128; }, kNoStep},
      {"SetAufTakt", nullptr, [](Score& s, Edits&) { s.SetAufTakt(1, 4); },
       [](Score& s) { return s.GetAufTaktNotes() == 1 && s.GetAufTaktSize() == 4; }},
      {"Assign copies the whole score", nullptr, [](Score& s, Edits&) { s.SetTimeSignature(3, 4, 0, true); },
       [](Score& s) {
         Score copy;
         copy.Assign(s);
         return copy.InstrumentCount() == 1 && copy.GetNumerator() == 3 && Music(copy) == Music(s);
       }},
      {"GoToMeasure", nullptr, [](Score& s, Edits&) { s.GoToMeasure(2); },
       [](Score& s) { return s.CursorMeasure() == 2; }, kNoStep},
      // Past the measure's end: tick 0 of the next measure.
      {"SetCursorPosition past the measure wraps", nullptr, [](Score& s, Edits&) { s.SetCursorPosition(160); },
       [](Score& s) { return s.CursorMeasure() == 1 && s.CursorTick() == 0; }, kNoStep},
      {"SetAbsolutePosition", nullptr, [](Score& s, Edits&) { s.SetAbsolutePosition(300); },
       [](Score& s) { return s.CursorMeasure() == 2 && s.CursorTick() == 44 && s.GetAbsolutePosition() == 300; },
       kNoStep},
      {"SetCursorType and SetCursorColor", nullptr,
       [](Score& s, Edits&) {
         s.SetCursorType(TECCursorType::ctInstrument);
         s.SetCursorColor(0xFF71FF);
       },
       [](Score& s) { return s.GetCursorType() == TECCursorType::ctInstrument && s.GetCursorColor() == 0xFF71FF; },
       kNoStep},
      {"Cursor", nullptr, [](Score& s, Edits&) { s.SetCursor(3); }, [](Score& s) { return s.GetCursor() == 3; },
       kNoStep},
      {"SetVelocityMode", nullptr, [](Score& s, Edits&) { s.SetVelocityMode(1); },
       [](Score& s) { return s.VelocityMode() == 1; }, kNoStep},
      {"SetDescription", nullptr, [](Score& s, Edits&) { s.SetDescription({"Air", "for two"}); },
       [](Score& s) { return s.Description() == std::vector<std::string>{"Air", "for two"}; }, kNoStep},
      {"score setters", nullptr,
       [](Score& s, Edits&) {
         s.SetUnionCount(2);
         s.SetVertAlign(false);
         s.SetHorzAlign(false);
         s.SetStartBarNumber(5);
         s.SetDensity(true);
         s.SetNoteInterval(1);
         s.SetMeasureCount(4);
       },
       [](Score& s) {
         return s.GetUnionCount() == 2 && !s.GetVertAlign() && !s.GetHorzAlign() && s.GetStartBarNumber() == 5 &&
                s.GetDensity() && s.NoteInterval() == 1 && s.MeasureCount() == 4;
       }},
      {"LockUndo keeps an edit out of the history", nullptr,
       [](Score& s, Edits&) {
         ScopedUndoLock lock(s);
         document_fixture::RaiseE(s);
       },
       [](Score& s) { return NoteAt(s, 32)->Kind == 24 && !s.CanUndo(); }, kNoStep},
      {"Undo and Redo", nullptr,
       [](Score& s, Edits&) {
         document_fixture::RaiseE(s);
         s.Undo(1);
       },
       [](Score& s) {
         const bool undone = NoteAt(s, 32)->Kind == 23 && s.CanRedo() && s.RedoCount() == 1;
         s.Redo(1);
         return undone && NoteAt(s, 32)->Kind == 24 && s.UndoCount() == 1 && !s.CanRedo();
       }},
      {"AddRow copies the first row's records", [](Score& s) { Row(s).SetKeySignature(0, 32); },
       [](Score& s, Edits&) { s.CurrentInstrument()->AddRow(true); },
       [](Score& s) { return s.CurrentInstrument()->GetRowCount() == 3 && Row(s, 2).GetKeySignature(0) == 32; }},
      {"DuplicateRow", nullptr, [](Score& s, Edits&) { s.CurrentInstrument()->DuplicateRow(-1); },
       [](Score& s) { return s.CurrentInstrument()->GetRowCount() == 3 && NotesIn(s, 0) == 3; }, 50},
      {"DeleteRow", nullptr, [](Score& s, Edits&) { s.CurrentInstrument()->DeleteRow(1); },
       [](Score& s) { return s.CurrentInstrument()->GetRowCount() == 1; }, 51},
      {"DeleteRow keeps the last row", [](Score& s) { s.CurrentInstrument()->DeleteRow(1); },
       [](Score& s, Edits&) { s.CurrentInstrument()->DeleteRow(0); },
       [](Score& s) { return s.CurrentInstrument()->GetRowCount() == 1; }, kNoStep},
      {"MoveActiveRow", nullptr,
       [](Score& s, Edits&) {
         Row(s).SetName("upper");
         s.CurrentInstrument()->MoveActiveRow(5);
       },
       [](Score& s) { return s.CurrentInstrument()->GetActiveRowIndex() == 1 && Row(s, 1).Name() == "upper"; }},
      {"staff setters", nullptr,
       [](Score& s, Edits&) {
         TECInstrument& staff = *s.CurrentInstrument();
         staff.SetName("Flute");
         staff.SetChannel(3);
         staff.SetVolume(100);
         staff.SetPan(10);
         staff.SetMute(true);
         staff.SetAsMusicScore(true);
         staff.SetAccolade(1);
       },
       [](Score& s) {
         const TECInstrument& staff = *s.CurrentInstrument();
         return staff.Name() == "Flute" && staff.Channel() == 3 && staff.Volume() == 100 && staff.Pan() == 10 &&
                staff.Mute() && staff.AsMusicScore() && staff.Accolade() == 1;
       }},
      {"staff SetMidiInstrument clears the name", nullptr,
       [](Score& s, Edits&) {
         s.CurrentInstrument()->SetName("Flute");
         s.CurrentInstrument()->SetMidiInstrument(40);
       },
       [](Score& s) { return s.CurrentInstrument()->MidiInstrument() == 40 && s.CurrentInstrument()->Name().empty(); }},
      {"staff measure lengths", nullptr, [](Score& s, Edits&) { s.SetTimeSignature(3, 4, 0, true); },
       [](Score& s) {
         return s.CurrentInstrument()->MeasureLength(2) == 96 && s.CurrentInstrument()->MeasureNumerator(2) == 3;
       }},
      {"GetIndex and LaidOutBarNumber", nullptr, [](Score& s, Edits&) { s.LayoutScore(0, false); },
       [](Score& s) {
         return s.CurrentInstrument()->GetIndex() == 0 && Row(s, 1).GetIndex() == 1 &&
                s.CurrentInstrument()->LaidOutBarNumber(0) == 1 && s.CurrentInstrument()->LaidOutBarNumber(2) == 3;
       },
       kNoStep},
      {"row setters", nullptr,
       [](Score& s, Edits&) {
         TECRow& row = Row(s, 1);
         row.SetName("left hand");
         row.SetMidiInstrument(33);
         row.SetChannel(4);
         row.SetVolume(90);
         row.SetPan(20);
         row.SetMute(true);
         row.SetVoiceMode(1);
         row.SetFiveLineStaff(false);
       },
       [](Score& s) {
         const TECRow& row = Row(s, 1);
         return row.Name() == "left hand" && row.MidiInstrument() == 33 && row.Channel() == 4 && row.Volume() == 90 &&
                row.Pan() == 20 && row.Mute() && row.VoiceMode() == 1 && !row.FiveLineStaff();
       }},
      {"row clef and key records", nullptr,
       [](Score& s, Edits&) {
         Row(s).SetClef(2, 3);
         Row(s).SetKeySignature(2, 43);
       },
       [](Score& s) { return Row(s).GetClef(2) == 3 && Row(s).GetKeySignature(2) == 43; }},
      {"row InsertPitchedNote adds 20 to the step", ToMeasure1,
       [](Score& s, Edits&) { Row(s).InsertPitchedNote(3, 5, 0, 0, 0, 0, 32); },
       [](Score& s) { return NotesIn(s, 1) == 1 && Measure(s, 1).Notes[0]->Kind == 23; }},
      {"page setup values and orientation", nullptr,
       [](Score& s, Edits&) {
         s.Page().SetValue(2, 25);
         s.Page().SetValue(0, 150);
         s.Page().SetValue(1, 200);
         s.Page().SetOrientation(TPrinterOrientation::poLandscape);
       },
       [](Score& s) {
         return s.Page().GetValue(2) == 25 && s.Page().GetValue(0) == 200 && s.Page().GetValue(1) == 150;
       }},
      // --- selection and view -------------------------------------------------------
      {"SelectElement and SelectionHasKind", nullptr, [](Score& s, Edits&) { SelectE(s); },
       [](Score& s) {
         return s.Selection.size() == 1 && s.SelectionHasKind(21, 27) && !s.SelectionHasKind(61, 0) &&
                !s.SelectionIsChord() && !s.SelectionHasPageObject();
       },
       kNoStep},
      {"ClearSelection", nullptr,
       [](Score& s, Edits&) {
         SelectE(s);
         s.ClearSelection();
       },
       [](Score& s) { return s.Selection.empty(); }, kNoStep},
      {"SelectActiveRow", nullptr, [](Score& s, Edits&) { s.SelectActiveRow(); },
       [](Score& s) { return s.SelectionHasKind(21, 0) && s.SelectionHasKind(23, 0); }, kNoStep},
      {"Zoom ignores 9 and below", nullptr,
       [](Score& s, Edits&) {
         s.SetZoom(150);
         s.SetZoom(9);
         s.SetScale(5);
       },
       [](Score& s) { return s.GetZoom() == 150 && s.GetScale() == 100; }, kNoStep},
      {"SetMetrix", nullptr, [](Score& s, Edits&) { s.SetMetrix(TECMetrix::rmInches); },
       [](Score& s) { return s.GetMetrix() == TECMetrix::rmInches; }, kNoStep},
      {"SetPageCount", nullptr, [](Score& s, Edits&) { s.SetPageCount(3); },
       [](Score& s) { return s.PageCount() == 3; }, kNoStep},
      // The window sets the tool-active flag itself, with the ghost note.
      {"SetNoteCursor", nullptr, [](Score& s, Edits&) { s.SetNoteCursor(true); },
       [](Score& s) { return s.NoteCursor && s.NoteCursorRequested; }, kNoStep},
      {"ClientToDocument adds the scroll positions", nullptr, [](Score&, Edits&) {},
       [](Score& s) {
         int x = 10;
         int y = 20;
         s.ClientToDocument(x, y);
         return x == 10 + s.HorzScrollBar.Position && y == 20 + s.VertScrollBar.Position;
       },
       kNoStep},
      {"CallKeyDown runs the score's key", nullptr,
       [](Score& s, Edits&) { nv::editing::CallKeyDown(s, vk::Delete, 0); },
       [](Score& s) { return NotesIn(s, 0) == 2 && NoteAt(s, 0) == nullptr; }},
      {"GoToEnd and GoToBegin", nullptr, [](Score& s, Edits&) { s.GoToEnd(); },
       [](Score& s) {
         const bool atEnd = s.CursorMeasure() == 3 && s.CursorTick() == 0;
         s.GoToBegin();
         return atEnd && s.CursorMeasure() == 0 && s.CursorTick() == 0;
       },
       kNoStep},
      {"GetMeasureLength and SumMeasureLengths", nullptr, [](Score&, Edits&) {},
       [](Score& s) {
         return s.GetMeasureLength(0) == 128 && s.SumMeasureLengths(0, 1) == 256 && s.SumMeasureLengths(2, 1) == 0;
       },
       kNoStep},
      // One sharp: F is raised, C is not.
      {"KeyAccidentalForStep", nullptr, [](Score&, Edits& e) { e.SetKeySignatureAtCursor(31); },
       [](Score& s) { return s.KeyAccidentalForStep(4) == 1 && s.KeyAccidentalForStep(1) == 0; }},
      // --- cursor edits ---------------------------------------------------------------
      {"InsertNote", ToMeasure1, [](Score&, Edits& e) { e.InsertNote(5, 5, 32, NoteModifiers{}, 0, 0, 0, 0); },
       [](Score& s) { return NotesIn(s, 1) == 1 && Measure(s, 1).Notes[0]->Kind == 25; }},
      {"InsertNoteAtCursorPitch",
       [](Score& s) {
         ToMeasure(s, 1);
         s.SetCursorPitch(7 * 5 + 2);
       },
       [](Score&, Edits& e) { e.InsertNoteAtCursorPitch(32); },
       [](Score& s) {
         return NotesIn(s, 1) == 1 && Measure(s, 1).Notes[0]->Kind == 23 && Measure(s, 1).Notes[0]->Octave == 5;
       }},
      {"InsertRest", ToMeasure1, [](Score&, Edits& e) { e.InsertRest(32, NoteModifiers{}); },
       [](Score& s) { return !Measure(s, 1).Rests.empty(); }},
      // The chord keys' entries: step, octave and accidental of each note.
      {"ReplaceWithChordNotes", [](Score& s) { ToMeasure(s, 0); },
       [](Score& s, Edits&) { s.ReplaceWithChordNotes({{0, 2, 5, 0}, {0, 4, 5, 0}, {0, 6, 5, 0}}, true, 32); },
       [](Score& s) {
         int atStart = 0;
         for (const auto& note : Measure(s, 0).Notes) atStart += note->Start == 0 ? 1 : 0;
         return atStart == 3;
       }},
      {"InsertRepeatSign", ToMeasure1, [](Score&, Edits& e) { e.InsertRepeatSign(29, 0); },
       [](Score& s) { return HasKind(s, 1, 29); }, 1},
      {"ReflowNote", nullptr, [](Score& s, Edits&) { s.ReflowNote(NoteAt(s, 32), 16, 0, 100); },
       [](Score& s) {
         const TECNote* e = NoteAt(s, 32);
         return e != nullptr && e->Length == 16 && e->Velocity == 100;
       }},
      {"LinkNotes", nullptr, [](Score& s, Edits& e) { e.LinkNotes(NoteAt(s, 0), NoteAt(s, 32), 1); },
       [](Score& s) { return HasAttribute(*NoteAt(s, 0), 151) || HasAttribute(*NoteAt(s, 32), 151); }, 4},
      {"AddNoteEffect adds 100 to the kind", nullptr,
       [](Score& s, Edits& e) { e.AddNoteEffect(NoteAt(s, 32), 5, 0, 0); },
       [](Score& s) { return HasAttribute(*NoteAt(s, 32), 105); }, 8},
      {"AddMeasureSymbol", ToMeasure1, [](Score&, Edits& e) { e.AddMeasureSymbol(20, 2, 3, 7, 0); },
       [](Score& s) { return HasKind(s, 1, 20); }},
      {"AddInstrumentSymbol", ToMeasure1, [](Score&, Edits& e) { e.AddInstrumentSymbol(71, 1, 0); },
       [](Score& s) { return !s.CurrentInstrument()->IsSymbolMeasureEmpty(1); }},
      {"AddBarre", [](Score& s) { ToMeasure(s, 0); }, [](Score&, Edits& e) { e.AddBarre(0, 1, 5, 64, 3); },
       [](Score& s) { return HasKind(s, 0, 228); }},
      {"AddTempoMark", ToMeasure1, [](Score&, Edits& e) { e.AddTempoMark(32, 120); },
       [](Score& s) { return !s.CurrentInstrument()->IsSymbolMeasureEmpty(1); }},
      {"AddTextItems", ToMeasure1,
       [](Score&, Edits& e) { e.AddTextItems({"dolce"}, "Arial", 10, 0, 0, false, 1, 5); },
       [](Score& s) { return HasKind(s, 1, 240); }, 7},
      {"AddPageText", nullptr, [](Score& s, Edits&) { s.AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"}); },
       [](Score& s) { return s.CurrentInstrument()->TextsRow().Count() == 1; }},
      {"BeginShape", nullptr, [](Score& s, Edits&) { s.BeginShape(64, 40, 50); },
       [](Score& s) { return s.ShapeKind == 64; }, kNoStep},
      {"SetChordSymbol and ChordSymbolAtCursor", ToMeasure1, [](Score& s, Edits&) { PutChordSymbol(s); },
       [](Score& s) { return HasKind(s, 1, 51) && s.ChordSymbolAtCursor() != nullptr; },
       5},
      // The staff's symbols, the items of its symbols row.
      {"SelectAllChords",
       [](Score& s) {
         ToMeasure(s, 1);
         s.AddTempoMark(32, 120);
       },
       [](Score& s, Edits&) { s.SelectAllChords(); },
       [](Score& s) { return s.Selection.size() == 1 && s.SelectedRow == &s.CurrentInstrument()->SymbolsRow(); },
       kNoStep},
      {"RemoveChordSymbol",
       [](Score& s) {
         ToMeasure(s, 1);
         PutChordSymbol(s);
       },
       [](Score& s, Edits&) { s.RemoveChordSymbol(0); },
       [](Score& s) { return !HasKind(s, 1, 51) && s.ChordSymbolAtCursor() == nullptr; }},
      {"SetClefAtCursor", [](Score& s) { ToMeasure(s, 2); }, [](Score&, Edits& e) { e.SetClefAtCursor(3); },
       [](Score& s) { return Row(s).GetClef(2) == 3; }},
      {"SetClefAtCursor inside a measure adds a clef change",
       [](Score& s) {
         ToMeasure(s, 0);
         s.SetCursorPosition(32);
       },
       [](Score&, Edits& e) { e.SetClefAtCursor(3); }, [](Score& s) { return HasKind(s, 0, 20); }},
      {"SetGraceNotes", nullptr,
       [](Score& s, Edits& e) {
         GraceNotesValues values;
         values.Count = 2;
         values.Slots[0] = {2, 5, 0};
         values.Slots[1] = {3, 5, 0};
         values.Duration = 16;
         values.Options = 224;
         e.SetGraceNotes(NoteAt(s, 32), values);
       },
       [](Score& s) {
         const GraceNotesValues read = ScoreEditCalls(s).GraceNotesOf(NoteAt(s, 32));
         // The group keeps the grace value first and the flags second, as
         // the painters read them.
         const TECNote& note = *NoteAt(s, 32);
         const auto* group = note.Attributes.empty() ? nullptr
                                                     : dynamic_cast<const TECGraceGroup*>(note.Attributes.back().get());
         return group != nullptr && group->GraceValue() == 16 && group->Flags() == 224 && read.Count == 2 &&
                read.Slots[0].Step == 2 && read.Slots[1].Step == 3 && read.Duration == 16 && read.Options == 224 &&
                read.Main.Step == ek::NoteStep(note.Kind) && read.Main.Octave == note.Octave &&
                read.Main.Duration == note.Value;
       },
       8},
      {"EraseElement", nullptr, [](Score& s, Edits& e) { e.EraseElement(NoteAt(s, 32)); },
       [](Score& s) { return NotesIn(s, 0) == 2 && NoteAt(s, 32) == nullptr; }, 17},
      {"DeleteAtCursor", [](Score& s) { ToMeasure(s, 0); }, [](Score& s, Edits&) { s.DeleteAtCursor(false); },
       [](Score& s) { return NotesIn(s, 0) == 2 && NoteAt(s, 0) == nullptr; }},
      {"AddMeasures", ToMeasure1, [](Score& s, Edits&) { s.AddMeasures(2); },
       [](Score& s) { return Row(s).MeasureCount() == 6 && Row(s, 1).MeasureCount() == 6; }},
      {"DeleteMeasures", ToMeasure1, [](Score& s, Edits&) { s.DeleteMeasures(1); },
       [](Score& s) { return Row(s).MeasureCount() == 3 && NotesIn(s, 0) == 3; }},
      {"AddInstrument", nullptr, [](Score& s, Edits&) { s.AddInstrument(); },
       [](Score& s) { return s.InstrumentCount() == 2; }},
      {"DeleteInstrument", [](Score& s) { s.AddInstrument(); }, [](Score& s, Edits&) { s.DeleteInstrument(0); },
       [](Score& s) { return s.InstrumentCount() == 1; }, 41},
      {"DeleteInstrument keeps the last staff", nullptr, [](Score& s, Edits&) { s.DeleteInstrument(0); },
       [](Score& s) { return s.InstrumentCount() == 1 && NotesIn(s, 0) == 3; }, kNoStep},
      {"MoveInstrument",
       [](Score& s) {
         s.AddInstrument();
         s.SetActiveInstrument(1);
       },
       [](Score& s, Edits&) { s.MoveInstrument(-1); },
       [](Score& s) {
         const TECRow* moved = s.GetInstrumentAt(1)->GetRow(0);
         return s.GetActiveInstrument() == 0 && moved != nullptr && moved->GetMeasure(0)->Notes.size() == 3;
       }},
      {"SetAllMuted", nullptr, [](Score& s, Edits&) { s.SetAllMuted(true); },
       [](Score& s) { return s.CurrentInstrument()->Mute() && Row(s, 0).Mute() && Row(s, 1).Mute(); }},
      {"SetPageBreak", ToMeasure1, [](Score& s, Edits&) { s.SetPageBreak(true); },
       [](Score& s) {
         return Music(s).find("layout 1 length=128 time=4/4 start=128 spaceAfter=0 pageBreak=1") != std::string::npos;
       }},
      // --- commands on the selection ----------------------------------------------------
      {"MoveSelectionHorz refuses an overlap", SelectE, [](Score& s, Edits&) { s.MoveSelectionHorz(1); },
       [](Score& s) { return NoteAt(s, 32) != nullptr; }, kNoStep},
      {"MoveSelectionHorz", SelectG, [](Score& s, Edits&) { s.MoveSelectionHorz(1); },
       [](Score& s) { return NoteAt(s, 65) != nullptr; }, 20},
      {"MoveSelectionVert", SelectE, [](Score& s, Edits&) { s.MoveSelectionVert(1); },
       [](Score& s) { return NoteAt(s, 32)->Kind == 24; }, 21},
      {"MoveSelectionByPitch", SelectE, [](Score& s, Edits&) { s.MoveSelectionByPitch(-2); },
       [](Score& s) { return NoteAt(s, 32)->Kind == 22; }, 21},
      {"ResizeSelection refuses an overlap", SelectE, [](Score& s, Edits&) { s.ResizeSelection(1); },
       [](Score& s) { return NoteAt(s, 32)->Length == 32; }, kNoStep},
      {"ResizeSelection", SelectG, [](Score& s, Edits&) { s.ResizeSelection(1); },
       [](Score& s) { return NoteAt(s, 64)->Length == 64; }, 22},
      {"AlignSelection", SelectE, [](Score& s, Edits&) { s.AlignSelection(); }, Always},
      {"OffsetNote", SelectE, [](Score& s, Edits&) { s.OffsetNote(); },
       [](Score& s) { return Music(s).find("extra=6,") != std::string::npos; }, 20},
      {"SetStemDirection", SelectE, [](Score& s, Edits&) { s.SetStemDirection(1); },
       [](Score& s) { return (NoteAt(s, 32)->Flags & TECNote::StemDown) != 0; }, 19},
      {"SetBeamDirection", SelectE, [](Score& s, Edits&) { s.SetBeamDirection(1); }, Always},
      {"JoinNotes", nullptr, [](Score& s, Edits&) { s.JoinNotes(true); }, Always},
      {"UnionSplitRow", nullptr, [](Score& s, Edits&) { s.UnionSplitRow(true); },
       [](Score& s) { return Row(s).United(); }},
      {"SetMeasureUnionStyle", nullptr, [](Score& s, Edits&) { s.SetMeasureUnionStyle(1, 2); },
       [](Score& s) { return Measure(s, 0).BeamOverride == 1 && Measure(s, 0).BeamGroupCount == 2; }},
      {"SetSystemAlignment", nullptr, [](Score& s, Edits&) { s.SetSystemAlignment(true, 1, false, 2, true); },
       Always},
      {"ChangeSpaceAfterBar keeps 0 and above", ToMeasure1, [](Score& s, Edits&) { s.ChangeSpaceAfterBar(-5); },
       [](Score& s) { return Music(s).find("spaceAfter=-") == std::string::npos; }},
      {"spacing of column and system", nullptr,
       [](Score& s, Edits&) {
         s.ChangeColumnSpace(true, 1);
         s.MoveRowInSystem(1);
         s.ShiftSystemLeftIndent(1);
         s.ShiftSystemRightIndent(1);
       },
       Always},
      {"SelectAllTexts and the selected text", [](Score& s) { s.AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"}); },
       [](Score& s, Edits&) {
         s.SelectAllTexts();
         s.SetSelectedFontSize(30);
       },
       [](Score& s) {
         Score::TextProperties text;
         return s.SelectionHasPageObject() && s.GetSelectedText(61, text) && text.Size == 30 &&
                text.Lines == std::vector<std::string>{"Trio"};
       }},
      // Given no pieces, the row asks the score's GetAccordText to spell the code.
      {"row SetChordSymbol asks for the text of a code", ToMeasure1,
       [](Score& s, Edits&) {
         s.GetAccordText = [](TECModelObject*, const std::vector<std::uint8_t>& code,
                              std::vector<TECChordPiece>& pieces) {
           if (code.size() == 3 && pieces.empty()) pieces.push_back({{}, "C", 0});
         };
         const std::vector<std::uint8_t> code = {1, 0, 1};
         Row(s).SetChordSymbol(&code, nullptr, true);
       },
       [](Score& s) {
         for (const auto& item : Measure(s, 1).Items)
           if (item->Kind == 51) {
             const auto& chord = static_cast<const TECChordSymbol&>(*item);
             return chord.Pieces.size() == 1 && chord.Pieces[0].Text == "C";
           }
         return false;
       },
       5},
      {"SelectionIsChord",
       [](Score& s) {
         ToMeasure(s, 0);
         s.ReplaceWithChordNotes({{0, 2, 5, 0}, {0, 4, 5, 0}, {0, 6, 5, 0}}, true, 32);
       },
       [](Score& s, Edits&) {
         s.ClearSelection();
         for (const auto& note : Measure(s, 0).Notes)
           if (note->Start == 0) s.SelectElement(note.get(), 0);
       },
       [](Score& s) { return s.Selection.size() == 1 && s.SelectionIsChord(); }, kNoStep},
      {"SplitUnionNotes splits into a pair", SelectE, [](Score& s, Edits&) { s.SplitUnionNotes(true); },
       [](Score& s) {
         return NoteAt(s, 32) != nullptr && NoteAt(s, 32)->Length == 16 && NoteAt(s, 48) != nullptr &&
                NoteAt(s, 48)->Kind == 23;
       },
       27},
      {"SetSelectedNoteInstrument", SelectE, [](Score& s, Edits&) { s.SetSelectedNoteInstrument(5); },
       [](Score& s) {
         int program = 0;
         return s.GetSelectedNoteInstrument(program) && program == 5;
       }},
      {"SetSelectedTempo",
       [](Score& s) {
         ToMeasure(s, 1);
         s.AddTempoMark(32, 120);
         s.SelectAllChords();
       },
       [](Score& s, Edits&) { s.SetSelectedTempo(32, 90); },
       [](Score& s) {
         int beat = 0;
         int tempo = 0;
         return s.GetSelectedTempo(beat, tempo) && tempo == 90;
       }},
      {"SetSelectedTextAlign",
       [](Score& s) {
         s.AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"});
         s.SelectAllTexts();
       },
       [](Score& s, Edits&) { s.SetSelectedTextAlign(1); },
       [](Score& s) {
         Score::TextProperties text;
         return s.GetSelectedText(61, text) && text.Align == 1;
       }},
  };
  return cases;
}

class ScoreEditingServices : public testing::TestWithParam<ServiceCase> {};

TEST_P(ScoreEditingServices, RunsThroughTheDocumentAndUndoes) {
  const ServiceCase& c = GetParam();
  auto document = LoadedDocument();
  Score& score = document->Score();
  Edits edits(score);
  if (c.prepare) c.prepare(score);
  const std::string before = Music(score);
  const int steps = score.UndoCount();

  c.run(score, edits);
  EXPECT_TRUE(c.effect(score));

  if (c.undoKind == kNoStep) {
    EXPECT_EQ(score.UndoCount(), steps);
    return;
  }
  if (c.undoKind != kAnyKind) {
    ASSERT_EQ(score.UndoCount(), steps + 1);
    EXPECT_EQ(score.GetUndoStep(steps)->Kind, c.undoKind);
    EXPECT_NE(Music(score), before);
  }
  if (score.UndoCount() > steps) {
    score.Undo(score.UndoCount() - steps);
    EXPECT_EQ(Music(score), before);
  }
}

std::string CaseName(const testing::TestParamInfo<ServiceCase>& info) {
  std::string name;
  for (const char ch : std::string(info.param.name))
    if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
  return name;
}

INSTANTIATE_TEST_SUITE_P(EachOperation, ScoreEditingServices, testing::ValuesIn(Cases()), CaseName);

}  // namespace
