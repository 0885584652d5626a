#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "document/score_edits.h"
#include "document_fixture.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/model_dump.h"
#include "model/row.h"
#include "model/score_page.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

// Each operation the windows use of the score runs once on the three-note
// score through its document, and its effect on the score is checked; an
// operation that records an undo step is undone, which must give the music
// back as it was.
namespace {

using document_fixture::LoadedDocument;
using document_fixture::NoteAt;
using nv::document::NoteModifiers;
using nv::document::ScoreEditCalls;

constexpr int kAnyKind = -1;
constexpr int kNoStep = -2;

struct ServiceCase {
  const char *name;
  std::function<void(TECMusicScore &, ScoreEditCalls &)> run;
  std::function<bool(TECMusicScore &)> effect;
  // The kind of the step the operation records, which then must change the
  // music; kAnyKind for a step of any kind (or none), kNoStep where it must
  // record none.
  int undoKind = kAnyKind;
};

// The music of every staff as laid out: a staff that an undo brought back
// while another is active is laid out first, as showing it would.
std::string Music(TECMusicScore &score) {
  std::string text;
  for (int i = 0; i < score.InstrumentCount(); ++i)
    score.LayoutInactiveInstrument(i);
  for (int i = 0; i < score.InstrumentCount(); ++i)
    text += DumpInstrument(*score.GetInstrumentAt(i));
  return text;
}

TECRow &Row(TECMusicScore &score, int r = 0) {
  return *score.CurrentInstrument()->GetRow(r);
}
TECMeasure &Measure(TECMusicScore &score, int m, int r = 0) {
  return *Row(score, r).GetMeasure(m);
}
int NotesIn(TECMusicScore &score, int m) {
  return static_cast<int>(Measure(score, m).Notes.size());
}

bool HasAttribute(const TECNote &note, int kind) {
  for (const auto &attribute : note.Attributes)
    if (attribute->Kind == kind)
      return true;
  return false;
}

bool HasKind(TECMusicScore &score, int m, int kind) {
  for (const auto &item : Measure(score, m).Items)
    if (item->Kind == kind)
      return true;
  for (const auto &note : Measure(score, m).Notes)
    if (note->Kind == kind)
      return true;
  return false;
}

bool Always(TECMusicScore &) { return true; }

void SelectE(TECMusicScore &score) {
  score.ClearSelection();
  score.SelectElement(NoteAt(score, 32), 0);
}

void SelectG(TECMusicScore &score) {
  score.ClearSelection();
  score.SelectElement(NoteAt(score, 64), 0);
}

void ToMeasure(TECMusicScore &score, int m) {
  score.GoToMeasure(m);
  score.SetCursorPosition(0);
}

// Each case starts on a fresh document: the case's own first calls place
// the cursor or the selection it needs, and the undo check begins after
// them.
struct Prepared {
  std::function<void(TECMusicScore &)> prepare;
  ServiceCase service;
};

const std::vector<Prepared> &Cases() {
  static const std::vector<Prepared> cases =
      {
          // --- score settings and model access
          // ---------------------------------------
          {nullptr,
           {"SetTimeSignature whole score",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetTimeSignature(3, 4, 0, true);
            },
            [](TECMusicScore &s) {
              return s.GetNumerator() == 3 && s.GetDenominator() == 4 &&
                     s.GetMeasureLength(1) == 96;
            },
            35}},
          {nullptr,
           {"SetTimeSignature refuses denominator 6",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetTimeSignature(3, 6, 0, true);
            },
            [](TECMusicScore &s) { return s.GetMeasureLength(1) == 128; },
            kNoStep}},
          {nullptr,
           {"SetTimeSignature refuses more than three wholes",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetTimeSignature(8, 2, 0, true);
            },
            [](TECMusicScore &s) { return s.GetMeasureLength(1) == 128; },
            kNoStep}},
          {nullptr,
           {"SetAufTakt",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetAufTakt(1, 4); },
            [](TECMusicScore &s) {
              return s.GetAufTaktNotes() == 1 && s.GetAufTaktSize() == 4;
            }}},
          {nullptr,
           {"GoToMeasure",
            [](TECMusicScore &s, ScoreEditCalls &) { s.GoToMeasure(2); },
            [](TECMusicScore &s) { return s.CursorMeasure() == 2; }, kNoStep}},
          {nullptr,
           {"SetCursorPosition past the measure wraps",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetCursorPosition(160);
            },
            [](TECMusicScore &s) {
              return s.CursorMeasure() == 1 && s.CursorTick() == 0;
            },
            kNoStep}},
          {nullptr,
           {"SetAbsolutePosition",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetAbsolutePosition(300);
            },
            [](TECMusicScore &s) {
              return s.CursorMeasure() == 2 && s.CursorTick() == 44 &&
                     s.GetAbsolutePosition() == 300;
            },
            kNoStep}},
          {nullptr,
           {"SetCursorType and SetCursorColor",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetCursorType(TECCursorType::ctInstrument);
              s.SetCursorColor(0xFF71FF);
            },
            [](TECMusicScore &s) {
              return s.GetCursorType() == TECCursorType::ctInstrument &&
                     s.GetCursorColor() == 0xFF71FF;
            },
            kNoStep}},
          {nullptr,
           {"Cursor",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetCursor(3); },
            [](TECMusicScore &s) { return s.GetCursor() == 3; }, kNoStep}},
          {nullptr,
           {"SetVelocityMode",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetVelocityMode(1); },
            [](TECMusicScore &s) { return s.VelocityMode() == 1; }, kNoStep}},
          {nullptr,
           {"SetDescription",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetDescription({"Air", "for two"});
            },
            [](TECMusicScore &s) {
              return s.Description() ==
                     std::vector<std::string>{"Air", "for two"};
            },
            kNoStep}},
          {nullptr,
           {"score setters",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetUnionCount(2);
              s.SetVertAlign(false);
              s.SetHorzAlign(false);
              s.SetStartBarNumber(5);
              s.SetDensity(true);
              s.SetNoteInterval(1);
              s.SetMeasureCount(4);
            },
            [](TECMusicScore &s) {
              return s.GetUnionCount() == 2 && !s.GetVertAlign() &&
                     !s.GetHorzAlign() && s.GetStartBarNumber() == 5 &&
                     s.GetDensity() && s.NoteInterval() == 1 &&
                     s.MeasureCount() == 4;
            }}},
          {nullptr,
           {"LockUndo keeps an edit out of the history",
            [](TECMusicScore &s, ScoreEditCalls &) {
              ScopedUndoLock lock(s);
              document_fixture::RaiseE(s);
            },
            [](TECMusicScore &s) {
              return NoteAt(s, 32)->Kind == 24 && !s.CanUndo();
            },
            kNoStep}},
          {nullptr,
           {"Undo and Redo",
            [](TECMusicScore &s, ScoreEditCalls &) {
              document_fixture::RaiseE(s);
              s.Undo(1);
            },
            [](TECMusicScore &s) {
              const bool undone = NoteAt(s, 32)->Kind == 23 && s.CanRedo() &&
                                  s.RedoCount() == 1;
              s.Redo(1);
              return undone && NoteAt(s, 32)->Kind == 24 &&
                     s.UndoCount() == 1 && !s.CanRedo();
            }}},
          // --- staves and rows
          // --------------------------------------------------------
          {[](TECMusicScore &s) { Row(s).SetKeySignature(0, 32); },
           {"AddRow copies the first row's records",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.CurrentInstrument()->AddRow(true);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->GetRowCount() == 3 &&
                     Row(s, 2).GetKeySignature(0) == 32;
            }}},
          {nullptr,
           {"DuplicateRow",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.CurrentInstrument()->DuplicateRow(-1);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->GetRowCount() == 3 &&
                     NotesIn(s, 0) == 3;
            },
            50}},
          {nullptr,
           {"DeleteRow",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.CurrentInstrument()->DeleteRow(1);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->GetRowCount() == 1;
            },
            51}},
          {[](TECMusicScore &s) { s.CurrentInstrument()->DeleteRow(1); },
           {"DeleteRow keeps the last row",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.CurrentInstrument()->DeleteRow(0);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->GetRowCount() == 1;
            },
            kNoStep}},
          {nullptr,
           {"MoveActiveRow",
            [](TECMusicScore &s, ScoreEditCalls &) {
              Row(s).SetName("upper");
              s.CurrentInstrument()->MoveActiveRow(5);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->GetActiveRowIndex() == 1 &&
                     Row(s, 1).Name() == "upper";
            }}},
          {nullptr,
           {"staff setters",
            [](TECMusicScore &s, ScoreEditCalls &) {
              TECInstrument &staff = *s.CurrentInstrument();
              staff.SetName("Flute");
              staff.SetChannel(3);
              staff.SetVolume(100);
              staff.SetPan(10);
              staff.SetMute(true);
              staff.SetAsMusicScore(true);
              staff.SetAccolade(1);
            },
            [](TECMusicScore &s) {
              const TECInstrument &staff = *s.CurrentInstrument();
              return staff.Name() == "Flute" && staff.Channel() == 3 &&
                     staff.Volume() == 100 && staff.Pan() == 10 &&
                     staff.Mute() && staff.AsMusicScore() &&
                     staff.Accolade() == 1;
            }}},
          {nullptr,
           {"staff SetMidiInstrument clears the name",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.CurrentInstrument()->SetName("Flute");
              s.CurrentInstrument()->SetMidiInstrument(40);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->MidiInstrument() == 40 &&
                     s.CurrentInstrument()->Name().empty();
            }}},
          {nullptr,
           {"staff measure lengths",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetTimeSignature(3, 4, 0, true);
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->MeasureLength(2) == 96 &&
                     s.CurrentInstrument()->MeasureNumerator(2) == 3;
            }}},
          {nullptr,
           {"row setters",
            [](TECMusicScore &s, ScoreEditCalls &) {
              TECRow &row = Row(s, 1);
              row.SetName("left hand");
              row.SetMidiInstrument(33);
              row.SetChannel(4);
              row.SetVolume(90);
              row.SetPan(20);
              row.SetMute(true);
              row.SetVoiceMode(1);
              row.SetFiveLineStaff(false);
            },
            [](TECMusicScore &s) {
              const TECRow &row = Row(s, 1);
              return row.Name() == "left hand" && row.MidiInstrument() == 33 &&
                     row.Channel() == 4 && row.Volume() == 90 &&
                     row.Pan() == 20 && row.Mute() && row.VoiceMode() == 1 &&
                     !row.FiveLineStaff();
            }}},
          {nullptr,
           {"row clef and key records",
            [](TECMusicScore &s, ScoreEditCalls &) {
              Row(s).SetClef(2, 3);
              Row(s).SetKeySignature(2, 43);
            },
            [](TECMusicScore &s) {
              return Row(s).GetClef(2) == 3 &&
                     Row(s).GetKeySignature(2) == 43 && Row(s).GetIndex() == 0;
            }}},
          {nullptr,
           {"page setup values and orientation",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.Page().SetValue(2, 25);
              s.Page().SetValue(0, 150);
              s.Page().SetValue(1, 200);
              s.Page().SetOrientation(TPrinterOrientation::poLandscape);
            },
            [](TECMusicScore &s) {
              return s.Page().GetValue(2) == 25 &&
                     s.Page().GetValue(0) == 200 && s.Page().GetValue(1) == 150;
            }}},
          // --- selection and view
          // -----------------------------------------------------
          {nullptr,
           {"SelectElement and SelectionHasKind",
            [](TECMusicScore &s, ScoreEditCalls &) { SelectE(s); },
            [](TECMusicScore &s) {
              return s.Selection.size() == 1 && s.SelectionHasKind(21, 27) &&
                     !s.SelectionHasKind(61, 0) && !s.SelectionIsChord() &&
                     !s.SelectionHasPageObject();
            },
            kNoStep}},
          {nullptr,
           {"ClearSelection",
            [](TECMusicScore &s, ScoreEditCalls &) {
              SelectE(s);
              s.ClearSelection();
            },
            [](TECMusicScore &s) { return s.Selection.empty(); }, kNoStep}},
          {nullptr,
           {"SelectActiveRow",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SelectActiveRow(); },
            [](TECMusicScore &s) {
              return s.SelectionHasKind(21, 0) && s.SelectionHasKind(23, 0);
            },
            kNoStep}},
          {nullptr,
           {"Zoom ignores 9 and below",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetZoom(150);
              s.SetZoom(9);
              s.SetScale(5);
            },
            [](TECMusicScore &s) {
              return s.GetZoom() == 150 && s.GetScale() == 100;
            },
            kNoStep}},
          {nullptr,
           {"SetNoteCursor",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetNoteCursor(true); },
            [](TECMusicScore &s) {
              return s.NoteCursor && s.NoteCursorRequested;
            },
            kNoStep}},
          {nullptr,
           {"GoToEnd and GoToBegin",
            [](TECMusicScore &s, ScoreEditCalls &) { s.GoToEnd(); },
            [](TECMusicScore &s) {
              const bool atEnd = s.CursorMeasure() == 3 && s.CursorTick() == 0;
              s.GoToBegin();
              return atEnd && s.CursorMeasure() == 0 && s.CursorTick() == 0;
            },
            kNoStep}},
          {nullptr,
           {"GetMeasureLength and SumMeasureLengths",
            [](TECMusicScore &, ScoreEditCalls &) {},
            [](TECMusicScore &s) {
              return s.GetMeasureLength(0) == 128 &&
                     s.SumMeasureLengths(0, 1) == 256 &&
                     s.SumMeasureLengths(2, 1) == 0;
            },
            kNoStep}},
          {nullptr,
           {"KeyAccidentalForStep",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.SetKeySignatureAtCursor(31);
            },
            [](TECMusicScore &s) {
              return s.KeyAccidentalForStep(4) == 1 &&
                     s.KeyAccidentalForStep(1) == 0;
            }}},
          // --- cursor edits
          // -----------------------------------------------------------
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"InsertNote",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.InsertNote(5, 5, 32, NoteModifiers{}, 0, 0, 0, 0);
            },
            [](TECMusicScore &s) {
              return NotesIn(s, 1) == 1 && Measure(s, 1).Notes[0]->Kind == 25;
            }}},
          {[](TECMusicScore &s) {
             ToMeasure(s, 1);
             s.SetCursorPitch(7 * 5 + 2);
           },
           {"InsertNoteAtCursorPitch",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.InsertNoteAtCursorPitch(32);
            },
            [](TECMusicScore &s) {
              return NotesIn(s, 1) == 1 && Measure(s, 1).Notes[0]->Kind == 23 &&
                     Measure(s, 1).Notes[0]->Octave == 5;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"InsertRest",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.InsertRest(32, NoteModifiers{});
            },
            [](TECMusicScore &s) { return !Measure(s, 1).Rests.empty(); }}},
          {[](TECMusicScore &s) { ToMeasure(s, 0); },
           {"ReplaceWithChordNotes",
            [](TECMusicScore &s, ScoreEditCalls &) {
              // From the chord keys: step, octave and accidental of each note.
              s.ReplaceWithChordNotes(
                  {{0, 2, 5, 0}, {0, 4, 5, 0}, {0, 6, 5, 0}}, true, 32);
            },
            [](TECMusicScore &s) {
              int atStart = 0;
              for (const auto &note : Measure(s, 0).Notes)
                atStart += note->Start == 0 ? 1 : 0;
              return atStart == 3;
            }}},
          {nullptr,
           {"ReflowNote",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.ReflowNote(NoteAt(s, 32), 16, 0, 100);
            },
            [](TECMusicScore &s) {
              const TECNote *e = NoteAt(s, 32);
              return e != nullptr && e->Length == 16 && e->Velocity == 100;
            }}},
          {nullptr,
           {"LinkNotes",
            [](TECMusicScore &s, ScoreEditCalls &e) {
              e.LinkNotes(NoteAt(s, 0), NoteAt(s, 32), 1);
            },
            [](TECMusicScore &s) {
              return HasAttribute(*NoteAt(s, 0), 151) ||
                     HasAttribute(*NoteAt(s, 32), 151);
            },
            4}},
          {nullptr,
           {"AddNoteEffect adds 100 to the kind",
            [](TECMusicScore &s, ScoreEditCalls &e) {
              e.AddNoteEffect(NoteAt(s, 32), 5, 0, 0);
            },
            [](TECMusicScore &s) {
              return HasAttribute(*NoteAt(s, 32), 105);
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"AddTempoMark",
            [](TECMusicScore &, ScoreEditCalls &e) { e.AddTempoMark(32, 120); },
            [](TECMusicScore &s) {
              return !s.CurrentInstrument()->IsSymbolMeasureEmpty(1);
            }}},
          {nullptr,
           {"AddPageText",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"});
            },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->TextsRow().Count() == 1;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 2); },
           {"SetClefAtCursor",
            [](TECMusicScore &, ScoreEditCalls &e) { e.SetClefAtCursor(3); },
            [](TECMusicScore &s) { return Row(s).GetClef(2) == 3; }}},
          {nullptr,
           {"EraseElement",
            [](TECMusicScore &s, ScoreEditCalls &e) {
              e.EraseElement(NoteAt(s, 32));
            },
            [](TECMusicScore &s) {
              return NotesIn(s, 0) == 2 && NoteAt(s, 32) == nullptr;
            },
            17}},
          {[](TECMusicScore &s) { ToMeasure(s, 0); },
           {"DeleteAtCursor",
            [](TECMusicScore &s, ScoreEditCalls &) { s.DeleteAtCursor(false); },
            [](TECMusicScore &s) {
              return NotesIn(s, 0) == 2 && NoteAt(s, 0) == nullptr;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"AddMeasures",
            [](TECMusicScore &s, ScoreEditCalls &) { s.AddMeasures(2); },
            [](TECMusicScore &s) {
              return Row(s).MeasureCount() == 6 &&
                     Row(s, 1).MeasureCount() == 6;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"DeleteMeasures",
            [](TECMusicScore &s, ScoreEditCalls &) { s.DeleteMeasures(1); },
            [](TECMusicScore &s) {
              return Row(s).MeasureCount() == 3 && NotesIn(s, 0) == 3;
            }}},
          {nullptr,
           {"AddInstrument",
            [](TECMusicScore &s, ScoreEditCalls &) { s.AddInstrument(); },
            [](TECMusicScore &s) { return s.InstrumentCount() == 2; }}},
          {[](TECMusicScore &s) { s.AddInstrument(); },
           {"DeleteInstrument",
            [](TECMusicScore &s, ScoreEditCalls &) { s.DeleteInstrument(0); },
            [](TECMusicScore &s) { return s.InstrumentCount() == 1; }, 41}},
          {nullptr,
           {"DeleteInstrument keeps the last staff",
            [](TECMusicScore &s, ScoreEditCalls &) { s.DeleteInstrument(0); },
            [](TECMusicScore &s) {
              return s.InstrumentCount() == 1 && NotesIn(s, 0) == 3;
            },
            kNoStep}},
          {nullptr,
           {"SetAllMuted",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetAllMuted(true); },
            [](TECMusicScore &s) {
              return s.CurrentInstrument()->Mute() && Row(s, 0).Mute() &&
                     Row(s, 1).Mute();
            }}},
          // --- commands on the selection
          // ----------------------------------------------
          {SelectE,
           {"MoveSelectionVert",
            [](TECMusicScore &s, ScoreEditCalls &) { s.MoveSelectionVert(1); },
            [](TECMusicScore &s) { return NoteAt(s, 32)->Kind == 24; }, 21}},
          {SelectE,
           {"MoveSelectionByPitch",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.MoveSelectionByPitch(-2);
            },
            [](TECMusicScore &s) { return NoteAt(s, 32)->Kind == 22; }, 21}},
          {SelectE,
           {"SetStemDirection",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetStemDirection(1); },
            [](TECMusicScore &s) {
              return (NoteAt(s, 32)->Flags & TECNote::StemDown) != 0;
            },
            19}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"InsertRepeatSign",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.InsertRepeatSign(29, 0);
            },
            [](TECMusicScore &s) { return HasKind(s, 1, 29); }, 1}},
          {[](TECMusicScore &s) {
             ToMeasure(s, 0);
             s.SetCursorPosition(32);
           },
           {"SetClefAtCursor inside a measure adds a clef change",
            [](TECMusicScore &, ScoreEditCalls &e) { e.SetClefAtCursor(3); },
            [](TECMusicScore &s) { return HasKind(s, 0, 20); }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"AddTextItems",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.AddTextItems({"dolce"}, "Arial", 10, 0, 0, false, 1, 5);
            },
            [](TECMusicScore &s) { return HasKind(s, 1, 240); }, 7}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"AddInstrumentSymbol",
            [](TECMusicScore &, ScoreEditCalls &e) {
              e.AddInstrumentSymbol(71, 1, 0);
            },
            [](TECMusicScore &s) {
              return !s.CurrentInstrument()->IsSymbolMeasureEmpty(1);
            }}},
          {[](TECMusicScore &s) {
             s.AddInstrument();
             s.SetActiveInstrument(1);
           },
           {"MoveInstrument",
            [](TECMusicScore &s, ScoreEditCalls &) { s.MoveInstrument(-1); },
            [](TECMusicScore &s) {
              const TECRow *moved = s.GetInstrumentAt(1)->GetRow(0);
              return s.GetActiveInstrument() == 0 && moved != nullptr &&
                     moved->GetMeasure(0)->Notes.size() == 3;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"SetPageBreak",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetPageBreak(true); },
            [](TECMusicScore &s) {
              return Music(s).find("layout 1 length=128 time=4/4 start=128 "
                                   "spaceAfter=0 pageBreak=1") !=
                     std::string::npos;
            }}},
          {[](TECMusicScore &s) { ToMeasure(s, 1); },
           {"ChangeSpaceAfterBar keeps 0 and above",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.ChangeSpaceAfterBar(-5);
            },
            [](TECMusicScore &s) {
              return Music(s).find("spaceAfter=-") == std::string::npos;
            }}},
          {nullptr,
           {"ClientToDocument adds the scroll positions",
            [](TECMusicScore &, ScoreEditCalls &) {},
            [](TECMusicScore &s) {
              int x = 10;
              int y = 20;
              s.ClientToDocument(x, y);
              return x == 10 + s.HorzScrollBar.Position &&
                     y == 20 + s.VertScrollBar.Position;
            },
            kNoStep}},
          {[](TECMusicScore &s) {
             s.AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"});
           },
           {"SelectAllTexts and the selected text",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SelectAllTexts();
              s.SetSelectedFontSize(30);
            },
            [](TECMusicScore &s) {
              TECMusicScore::TextProperties text;
              return s.SelectionHasPageObject() &&
                     s.GetSelectedText(61, text) && text.Size == 30 &&
                     text.Lines == std::vector<std::string>{"Trio"};
            }}},
          {SelectE,
           {"MoveSelectionHorz refuses an overlap",
            [](TECMusicScore &s, ScoreEditCalls &) { s.MoveSelectionHorz(1); },
            [](TECMusicScore &s) { return NoteAt(s, 32) != nullptr; },
            kNoStep}},
          {SelectG,
           {"MoveSelectionHorz",
            [](TECMusicScore &s, ScoreEditCalls &) { s.MoveSelectionHorz(1); },
            [](TECMusicScore &s) { return NoteAt(s, 65) != nullptr; }, 20}},
          {SelectE,
           {"ResizeSelection refuses an overlap",
            [](TECMusicScore &s, ScoreEditCalls &) { s.ResizeSelection(1); },
            [](TECMusicScore &s) { return NoteAt(s, 32)->Length == 32; },
            kNoStep}},
          {SelectG,
           {"ResizeSelection",
            [](TECMusicScore &s, ScoreEditCalls &) { s.ResizeSelection(1); },
            [](TECMusicScore &s) { return NoteAt(s, 64)->Length == 64; }, 22}},
          {SelectE,
           {"AlignSelection",
            [](TECMusicScore &s, ScoreEditCalls &) { s.AlignSelection(); },
            Always}},
          {SelectE,
           {"OffsetNote",
            [](TECMusicScore &s, ScoreEditCalls &) { s.OffsetNote(); },
            [](TECMusicScore &s) {
              return Music(s).find("extra=6,") != std::string::npos;
            },
            20}},
          {SelectE,
           {"SetBeamDirection",
            [](TECMusicScore &s, ScoreEditCalls &) { s.SetBeamDirection(1); },
            Always}},
          {nullptr,
           {"JoinNotes",
            [](TECMusicScore &s, ScoreEditCalls &) { s.JoinNotes(true); },
            Always}},
          {nullptr,
           {"UnionSplitRow",
            [](TECMusicScore &s, ScoreEditCalls &) { s.UnionSplitRow(true); },
            [](TECMusicScore &s) { return Row(s).United(); }}},
          {nullptr,
           {"SetMeasureUnionStyle",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.SetMeasureUnionStyle(1, 2);
            },
            [](TECMusicScore &s) {
              return Measure(s, 0).BeamOverride == 1 &&
                     Measure(s, 0).BeamGroupCount == 2;
            }}},
          {nullptr,
           {"SetSystemAlignment",
            [](TECMusicScore &s,
               ScoreEditCalls
                   &) { s.SetSystemAlignment(true, 1, false, 2, true); },
            Always}},
          {nullptr,
           {"spacing of column and system",
            [](TECMusicScore &s, ScoreEditCalls &) {
              s.ChangeColumnSpace(true, 1);
              s.MoveRowInSystem(1);
              s.ShiftSystemLeftIndent(1);
              s.ShiftSystemRightIndent(1);
            },
            Always}},
      };
  return cases;
}

void PrintTo(const Prepared &c, std::ostream *out) { *out << c.service.name; }

class ScoreServices : public testing::TestWithParam<Prepared> {};

TEST_P(ScoreServices, RunsThroughTheDocumentAndUndoes) {
  const Prepared &c = GetParam();
  auto document = LoadedDocument();
  TECMusicScore &score = document->Score();
  ScoreEditCalls edits(score);
  if (c.prepare)
    c.prepare(score);
  const std::string before = Music(score);
  const int steps = score.UndoCount();

  c.service.run(score, edits);
  EXPECT_TRUE(c.service.effect(score)) << c.service.name;

  const int kind = c.service.undoKind;
  if (kind == kNoStep) {
    EXPECT_EQ(score.UndoCount(), steps);
    return;
  }
  if (kind != kAnyKind) {
    ASSERT_EQ(score.UndoCount(), steps + 1) << c.service.name;
    EXPECT_EQ(score.GetUndoStep(steps)->Kind, kind);
    EXPECT_NE(Music(score), before);
  }
  if (score.UndoCount() > steps) {
    score.Undo(score.UndoCount() - steps);
    EXPECT_EQ(Music(score), before) << c.service.name;
  }
}

INSTANTIATE_TEST_SUITE_P(EachOperation, ScoreServices,
                         testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Prepared> &info) {
                           std::string name;
                           for (const char ch :
                                std::string(info.param.service.name))
                             if (std::isalnum(static_cast<unsigned char>(ch)))
                               name += ch;
                           return name;
                         });

} // namespace
