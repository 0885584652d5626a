#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "editing/command_tables.h"
#include "model/measure_items.h"
#include "model/page_objects.h"
#include "model/symbols_row.h"
#include "model/score_builder.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

// Notes of voice 0 of a measure, by start.
std::vector<TECNote*> NotesOf(TECMeasure& measure) {
  std::vector<TECNote*> notes;
  for (const auto& note : measure.Notes) notes.push_back(note.get());
  std::sort(notes.begin(), notes.end(), [](const TECNote* a, const TECNote* b) { return a->Start < b->Start; });
  return notes;
}

bool Has(const TECNote& note, int code) {
  return std::any_of(note.Attributes.begin(), note.Attributes.end(), [code](const auto& a) { return a->Kind == code; });
}

int Links(const TECNote& note) {
  return static_cast<int>(std::count_if(note.Attributes.begin(), note.Attributes.end(),
                                        [](const auto& a) { return ek::IsLink(a->Kind); }));
}

// One row of the command table: a fresh 4/4 score with what `build` puts in
// and selects, the command, and what it must leave.
struct CommandCase {
  std::string name;
  std::function<void(EditFixture&)> build;
  std::function<void(TECMusicScore&)> command;
  StepExpect expect;
  std::function<void(EditFixture&)> check;  // right after the command; may be empty
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

void Select(TECMusicScore& score, std::initializer_list<TECElement*> elements) {
  score.ClearSelection();
  for (TECElement* element : elements) score.SelectElement(element, 0);
}

TECNote* Chord(EditFixture& f, int step, int start, int value, std::uint8_t mark) {
  TECNote* note = f.Note(0, 0, step, 5, value, start);
  note->ChordMark = mark;
  return note;
}

// Eighths of C (octave byte 5) at 0, 16, ... selected.
std::vector<TECNote*> Eighths(EditFixture& f, int count) {
  std::vector<TECNote*> notes;
  for (int i = 0; i < count; ++i) notes.push_back(f.Note(0, 0, 1, 5, 16, 16 * i));
  return notes;
}

// A symbols-row item of `kind` in measure 0 with byte `at` set, selected.
TECSymbolItem* Symbol(EditFixture& f, std::uint8_t kind, std::size_t at = 0, std::uint8_t value = 0) {
  f.score().GoToMeasure(0);
  f.instrument().GetSymbolMeasure(0, false);
  f.instrument().AddSymbol(kind, 1, 0);
  TECSymbolItem* item = f.instrument().SymbolsRow().At(0)->Items.back().get();
  if (at > 0) item->SetByte(at, value);
  f.score().ClearUndoLists();
  f.score().SelectElement(item, 0);
  return item;
}

TECSymbolItem* FirstSymbol(EditFixture& f) { return f.instrument().SymbolsRow().At(0)->Items.back().get(); }

// A page rectangle at X 100, 40 wide, selected.
void Rectangle(EditFixture& f) {
  TECPageShape* shape = f.instrument().AddPageShape(ek::PageRectangle, 100, 100, 40, 30, 1, 0, 0, 0, 0);
  shape->X = 100;
  shape->Width = 40;
  f.score().ClearUndoLists();
  f.score().SelectElement(shape, 0);
}

TECMeasureItem* Item(EditFixture& f, std::uint8_t kind, int position, int second = 0) {
  TECMeasure& m = f.measure(0);
  m.Items.push_back(MakeMeasureItem(kind, &m));
  TECMeasureItem* item = m.Items.back().get();
  item->Position = static_cast<std::uint16_t>(position);
  item->Second = static_cast<std::uint16_t>(second);
  return item;
}

TECMeasureItem* FirstItem(EditFixture& f) { return f.measure(0).Items.front().get(); }

const std::vector<CommandCase>& Cases() {
  static const std::vector<CommandCase> cases = {
      {"SizeIncreaseQuarterToHalf", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.ResizeSelection(1); }, StepExpect::Recorded(22),
       [](EditFixture& f) {
         EXPECT_EQ(NotesOf(f.measure(0))[0]->Value, 64);
         EXPECT_EQ(NotesOf(f.measure(0))[0]->Length, 64);
       }},
      {"SizeIncreaseHalfToWhole", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 64, 0), 0); },
       [](TECMusicScore& s) { s.ResizeSelection(1); }, StepExpect::Recorded(22),
       [](EditFixture& f) { EXPECT_EQ(NotesOf(f.measure(0))[0]->Value, 128); }},
      {"SizeIncreaseWholeRefused", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 128, 0), 0); },
       [](TECMusicScore& s) { s.ResizeSelection(1); }, StepExpect::Refused(), {}},
      {"SizeChangeDropsDot",
       [](EditFixture& f) {
         TECNote* n = f.Note(0, 0, 1, 5, 32, 0);
         score_builder::AddAttribute(*n, ek::Dot);
         n->Length = 48;
         f.score().SelectElement(n, 0);
       },
       [](TECMusicScore& s) { s.ResizeSelection(-1); }, StepExpect::Recorded(22),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[0];
         EXPECT_EQ(n->Value, 16);
         EXPECT_EQ(n->Length, 16);
         EXPECT_FALSE(Has(*n, ek::Dot));
       }},
      {"MoveRightAtBarLineRefused", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 96), 0); },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Refused(), {}},
      {"MoveRightOntoNoteRefused",
       [](EditFixture& f) {
         f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0);
         f.Note(0, 0, 3, 5, 32, 32);
       },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Refused(), {}},
      {"MoveRightOneTick", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(NotesOf(f.measure(0))[0]->Start, 1); }},
      {"MoveLeftRepeatBarUndoes",
       [](EditFixture& f) {
         TECNote* sign = f.Note(0, 0, 1, 5, 128, 0);
         sign->Kind = ek::RepeatBar;
         f.score().SelectElement(sign, 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionHorz(-1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(f.measure(0).Notes[0]->Options & 1, 1); }},
      {"UnionTwoEighths",
       [](EditFixture& f) {
         auto n = Eighths(f, 2);
         Select(f.score(), {n[0], n[1]});
       },
       [](TECMusicScore& s) { s.SplitUnionNotes(false); }, StepExpect::Recorded(28),
       [](EditFixture& f) {
         auto notes = NotesOf(f.measure(0));
         ASSERT_EQ(notes.size(), 1u);
         EXPECT_EQ(notes[0]->Value, 32);
         EXPECT_EQ(notes[0]->Length, 32);
       }},
      {"UnionThreeEighthsDotted",
       [](EditFixture& f) {
         auto n = Eighths(f, 3);
         Select(f.score(), {n[0], n[1], n[2]});
       },
       [](TECMusicScore& s) { s.SplitUnionNotes(false); }, StepExpect::Recorded(28),
       [](EditFixture& f) {
         auto notes = NotesOf(f.measure(0));
         ASSERT_EQ(notes.size(), 1u);
         EXPECT_EQ(notes[0]->Value, 32);
         EXPECT_EQ(notes[0]->Length, 48);
         EXPECT_TRUE(Has(*notes[0], ek::Dot));
       }},
      {"UnionOfDifferentPitchesRefused",
       [](EditFixture& f) { Select(f.score(), {f.Note(0, 0, 1, 5, 16, 0), f.Note(0, 0, 2, 5, 16, 16)}); },
       [](TECMusicScore& s) { s.SplitUnionNotes(false); }, StepExpect::Refused(), {}},
      {"SplitQuarter", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.SplitUnionNotes(true); }, StepExpect::Recorded(27),
       [](EditFixture& f) {
         auto notes = NotesOf(f.measure(0));
         ASSERT_EQ(notes.size(), 2u);
         EXPECT_EQ(notes[0]->Start, 0);
         EXPECT_EQ(notes[1]->Start, 16);
         for (TECNote* n : notes) EXPECT_EQ(n->Value, 16);
         EXPECT_TRUE(f.score().Selection.empty());
       }},
      {"PitchUpOnCGivesDFlat", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionByPitch(1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[0];
         EXPECT_EQ(n->Kind, 22);
         EXPECT_EQ(n->Octave, 5);
         EXPECT_TRUE(Has(*n, ek::Flat));
       }},
      {"PitchUpOnCInKeyFlatteningD",
       [](EditFixture& f) {
         f.row().SetKeySignature(0, 44);  // four flats: B E A D
         f.score().LayoutScore(0, false);
         f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionByPitch(1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[0];
         EXPECT_EQ(n->Kind, 22);
         EXPECT_FALSE(n->Attributes.size() > 0 && n->Attributes[0]->IsAccidental());
       }},
      {"PitchDownOnDFlatGivesC",
       [](EditFixture& f) {
         TECNote* n = f.Note(0, 0, 2, 5, 32, 0);
         score_builder::AddAttribute(*n, ek::Flat);
         f.score().SelectElement(n, 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionByPitch(-1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[0];
         EXPECT_EQ(n->Kind, 21);
         EXPECT_TRUE(n->Attributes.empty());
       }},
      {"MoveUpStep", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 7, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionVert(1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         EXPECT_EQ(NotesOf(f.measure(0))[0]->Kind, 21);
         EXPECT_EQ(NotesOf(f.measure(0))[0]->Octave, 6);
       }},
      {"OctaveUpOnA7Refused", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 6, 8, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionVert(7); }, StepExpect::Refused(), {}},
      {"OctaveUpOnC8Refused", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 9, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionVert(7); }, StepExpect::Refused(), {}},
      {"DownOnA0Refused", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 6, 1, 32, 0), 0); },
       [](TECMusicScore& s) { s.MoveSelectionVert(-1); }, StepExpect::Refused(), {}},
      {"RestAnchorKeptWithinOctaves",
       [](EditFixture& f) {
         TECRest* rest = f.Rest(0, 0, 128, 0);
         rest->Step = 7;
         rest->Octave = 9;
         f.score().SelectElement(rest, 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionVert(1); }, StepExpect::Refused(), {}},
      {"StemDownTurnsChord",
       [](EditFixture& f) {
         TECNote* c = Chord(f, 1, 0, 32, 1);
         Chord(f, 3, 0, 32, 1);
         f.score().SelectElement(c, 0);
       },
       [](TECMusicScore& s) { s.SetStemDirection(1); }, StepExpect::Recorded(19),
       [](EditFixture& f) {
         for (TECNote* n : NotesOf(f.measure(0))) EXPECT_TRUE(n->Flags & TECNote::StemDown);
       }},
      {"StemDownTurnsBeamGroup",
       [](EditFixture& f) {
         auto n = Eighths(f, 2);
         ASSERT_NE(n[0]->BeamGroup, 0);
         f.score().SelectElement(n[0], 0);
       },
       [](TECMusicScore& s) { s.SetStemDirection(1); }, StepExpect::Recorded(19),
       [](EditFixture& f) {
         for (TECNote* n : NotesOf(f.measure(0))) EXPECT_TRUE(n->Flags & TECNote::StemDown);
       }},
      {"StemUpAlreadyUpRecordsNothing", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.SetStemDirection(0); }, StepExpect::Refused(), {}},
      {"JoinNotesReportsWithoutStep",
       [](EditFixture& f) {
         auto n = Eighths(f, 2);
         f.score().SelectElement(n[1], 0);
       },
       [](TECMusicScore& s) { s.JoinNotes(true); }, StepExpect::NoStep(),
       [](EditFixture& f) { EXPECT_TRUE(NotesOf(f.measure(0))[1]->Flags & TECNote::BeamBreak); }},
      // Notes at the cursor when nothing is selected.
      {"MoveUpNotesAtCursor",
       [](EditFixture& f) {
         f.Note(0, 0, 1, 5, 32, 0);
         f.Note(0, 0, 1, 5, 32, 32);
         f.score().GoToMeasure(0);
         f.score().SetCursorPosition(32);
       },
       [](TECMusicScore& s) { s.MoveSelectionVert(1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         auto notes = NotesOf(f.measure(0));
         EXPECT_EQ(notes[0]->Kind, 21);
         EXPECT_EQ(notes[1]->Kind, 22);
       }},
      {"PitchUsesEarlierAccidental",
       [](EditFixture& f) {
         score_builder::AddAttribute(*f.Note(0, 0, 1, 5, 32, 0), ek::Sharp);
         f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 32), 0);  // sounds C sharp
       },
       [](TECMusicScore& s) { s.MoveSelectionByPitch(1); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[1];
         EXPECT_EQ(n->Kind, 22);
         EXPECT_TRUE(n->Attributes.empty());
       }},
      {"PitchToNaturalAgainstEarlierSharp",
       [](EditFixture& f) {
         score_builder::AddAttribute(*f.Note(0, 0, 6, 5, 32, 0), ek::Sharp);  // A sharp
         f.score().SelectElement(f.Note(0, 0, 7, 5, 32, 32), 0);               // B, then down a tone
       },
       [](TECMusicScore& s) { s.MoveSelectionByPitch(-2); }, StepExpect::Recorded(21),
       [](EditFixture& f) {
         TECNote* n = NotesOf(f.measure(0))[1];
         EXPECT_EQ(n->Kind, 26);
         EXPECT_TRUE(Has(*n, ek::Natural));
       }},
      {"TupletMovesWithItsNotes",
       [](EditFixture& f) {
         for (int i = 0; i < 3; ++i) f.Note(0, 0, 1, 5, 16, 10 * i)->Flags = 3;
         f.score().SelectElement(Item(f, ek::Tuplet, 0, 30), 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) {
         EXPECT_EQ(FirstItem(f)->Position, 1);
         EXPECT_EQ(NotesOf(f.measure(0))[2]->Start, 21);
       }},
      {"ClefChangeJumpsToMeasureEnd", [](EditFixture& f) { f.score().SelectElement(Item(f, ek::ClefChange, 64), 0); },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Position, 127); }},
      {"ItemJumpsToNextEvent",
       [](EditFixture& f) {
         f.Note(0, 0, 1, 5, 32, 64);
         f.score().SelectElement(Item(f, 185, 0), 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Position, 64); }},
      {"ChordSymbolOffsetLimit",
       [](EditFixture& f) {
         TECMeasureItem* chord = Item(f, ek::ChordSymbol, 0);
         chord->Voice = 99;
         f.score().SelectElement(chord, 0);
       },
       [](TECMusicScore& s) { s.MoveSelectionVert(1); }, StepExpect::Refused(), {}},
      {"NudgeWrapsAtEightBits",
       [](EditFixture& f) {
         TECMeasureItem* item = Item(f, 185, 0);
         item->Params[2] = 255;
         f.score().SelectElement(item, 0);
       },
       [](TECMusicScore& s) { s.NudgeSelection(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Params[2], 0); }},
      {"NudgeKeepsObjectGroupInMeasure",
       [](EditFixture& f) { f.score().SelectElement(Item(f, ek::ObjectGroup, 128), 0); },
       [](TECMusicScore& s) { s.NudgeSelection(1); }, StepExpect::Refused(), {}},
      {"ExtendSpanner", [](EditFixture& f) { f.score().SelectElement(Item(f, 223, 0, 32), 0); },
       [](TECMusicScore& s) { s.ExtendSpanners(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Params[3], 1); }},
      {"AlignTextBoxes",
       [](EditFixture& f) {
         TECMeasureItem* a = Item(f, ek::TextBox, 0);
         a->Voice = 3;
         a->Params[0] = 6;
         TECMeasureItem* b = Item(f, ek::TextBox, 64);
         b->Voice = 5;
         b->Params[0] = 4;
         Select(f.score(), {a, b});
       },
       [](TECMusicScore& s) { s.AlignSelection(); }, StepExpect::Recorded(26),
       [](EditFixture& f) {
         EXPECT_EQ(f.measure(0).Items[1]->Voice, 3);
         EXPECT_EQ(f.measure(0).Items[1]->Params[0], 6);
       }},
      {"RehearsalMarkMovesRight", [](EditFixture& f) { Symbol(f, ek::SymbolRehearsal); },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) { EXPECT_EQ(FirstSymbol(f)->Byte(2), 1); }},
      {"RehearsalMarkOffsetLimit", [](EditFixture& f) { Symbol(f, ek::SymbolRehearsal, 2, 39); },
       [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Refused(), {}},
      {"SegnoMovesDownBelowZero", [](EditFixture& f) { Symbol(f, ek::SymbolSegno); },
       [](TECMusicScore& s) { s.MoveSelectionVert(-1); }, StepExpect::Recorded(21),
       [](EditFixture& f) { EXPECT_EQ(FirstSymbol(f)->Byte(3), 254); }},
      {"BarNumberOffsetLimit", [](EditFixture& f) { Symbol(f, ek::SymbolBarNumber, 3, 19); },
       [](TECMusicScore& s) { s.MoveSelectionVert(1); }, StepExpect::Refused(), {}},
      {"PartNumberSizeLimit", [](EditFixture& f) { Symbol(f, ek::SymbolVolta, 1, 40); },
       [](TECMusicScore& s) { s.ResizeSelection(1); }, StepExpect::Refused(), {}},
      {"PartNumberSizeDecrease", [](EditFixture& f) { Symbol(f, ek::SymbolVolta, 1, 2); },
       [](TECMusicScore& s) { s.ResizeSelection(-1); }, StepExpect::Recorded(22),
       [](EditFixture& f) { EXPECT_EQ(FirstSymbol(f)->Byte(1), 1); }},
      {"RectangleMovesRight", Rectangle, [](TECMusicScore& s) { s.MoveSelectionHorz(1); }, StepExpect::Recorded(20),
       [](EditFixture& f) {
         EXPECT_EQ(static_cast<TECPageShape&>(*f.instrument().TextsRow().Objects[0]).X, 101);
       }},
      {"RectangleResizeIsAPageObjectStep", Rectangle, [](TECMusicScore& s) { s.ResizeSelection(1); },
       StepExpect::Recorded(20),
       [](EditFixture& f) {
         EXPECT_EQ(static_cast<TECPageShape&>(*f.instrument().TextsRow().Objects[0]).Width, 41);
       }},
      {"SpannerGrowsToNextEvent",
       [](EditFixture& f) {
         f.Note(0, 0, 1, 5, 32, 0);
         f.Note(0, 0, 1, 5, 32, 64);
         f.Note(0, 1, 1, 5, 32, 32);
         f.score().SelectElement(Item(f, 223, 0, 64), 0);  // ends on the note at 64
       },
       [](TECMusicScore& s) { s.ResizeSelection(1); }, StepExpect::Recorded(22),
       // The next event is in measure 1 at 32: the rest of measure 0 and 32.
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Second, 128 + 32); }},
      {"SpannerShrinksToPreviousEvent",
       [](EditFixture& f) {
         f.Note(0, 0, 1, 5, 32, 0);
         f.Note(0, 0, 1, 5, 32, 32);
         f.score().SelectElement(Item(f, 223, 0, 64), 0);
       },
       [](TECMusicScore& s) { s.ResizeSelection(-1); }, StepExpect::Recorded(22),
       [](EditFixture& f) { EXPECT_EQ(FirstItem(f)->Second, 32); }},
      {"VelocityWithoutStep", [](EditFixture& f) { f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0); },
       [](TECMusicScore& s) { s.ChangeSelectionVelocity(1); }, StepExpect::NoStep(),
       [](EditFixture& f) { EXPECT_EQ(NotesOf(f.measure(0))[0]->Velocity, 65); }},
  };
  return cases;
}

class SelectionCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(SelectionCommands, RecordsItsKindOrIsRefused) {
  const CommandCase& c = GetParam();
  EditFixture f(1, 4);
  c.build(f);
  f.Paint();
  RunStep(f, {c.name, {}, [&](TECMusicScore& s) {
                c.command(s);
                if (c.check) c.check(f);
              },
              c.expect});
}

INSTANTIATE_TEST_SUITE_P(Table, SelectionCommands, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

// The whole table under LockUndo changes the score as it does with undo and
// records nothing.
TEST(SelectionCommandsScript, TableUnderLockUndo) {
  for (const CommandCase& c : Cases()) {
    // A change made without a step is not taken back by Undo.
    if (c.expect.what == StepExpect::What::NoStep) continue;
    SCOPED_TRACE(c.name);
    auto make = [&c] {
      auto f = std::make_unique<EditFixture>(1, 4);
      c.build(*f);
      f->Paint();
      return f;
    };
    edit_harness::RunScript(make, {c.command});
  }
}

TEST(SelectionCommandsFaults, UnionKeepsOneLinkToTheNoteTiedOnward) {
  EditFixture f(1, 4);
  auto n = Eighths(f, 5);
  TECNote* partner = f.Note(0, 1, 1, 5, 16, 0);
  LinkNotes(n[4], partner, ek::LinkAbove);
  LinkNotes(n[1], n[2], ek::LinkAbove);  // a tie inside the run goes
  f.Paint();
  Select(f.score(), {n[0], n[1], n[2], n[3], n[4]});
  RunStep(f, {"union of five eighths", {}, [&](TECMusicScore& s) {
                s.SplitUnionNotes(false);
                auto pieces = NotesOf(f.measure(0));
                ASSERT_FALSE(pieces.empty());
                ASSERT_EQ(Links(*partner), 1);
                const auto* link = static_cast<const TECLinkAttribute*>(partner->Attributes[0].get());
                EXPECT_EQ(link->Partner, pieces.back());
                EXPECT_EQ(pieces.back()->Start + pieces.back()->Length, 80);
              },
              StepExpect::Recorded(28)});
  // Redo the union, then erase the partner: nothing is left pointing at it.
  f.score().Redo(1);
  TECNote* onward = f.measure(1).Notes[0].get();
  f.score().ClearSelection();
  f.score().SelectElement(onward, 0);
  EXPECT_TRUE(f.score().DeleteSelection());
  // Only the ties between the pieces themselves remain.
  const auto pieces = NotesOf(f.measure(0));
  EXPECT_TRUE(pieces.back()->LinkedNotes().empty());
  for (TECNote* piece : pieces)
    for (TECNote* later : piece->LinkedNotes()) EXPECT_EQ(later->Owner, &f.measure(0));
}

TEST(SelectionCommandsFaults, SplitLinksComeInOnFirstHalfAndLeaveFromSecond) {
  EditFixture f(1, 4);
  TECNote* before = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 32);
  TECNote* after = f.Note(0, 0, 1, 5, 32, 64);
  LinkNotes(before, note, ek::LinkAbove);
  LinkNotes(note, after, ek::LinkAbove);
  f.Paint();
  f.score().SelectElement(note, 0);
  RunStep(f, {"split of a tied note", {}, [&](TECMusicScore& s) {
                s.SplitUnionNotes(true);
                auto notes = NotesOf(f.measure(0));
                ASSERT_EQ(notes.size(), 4u);
                EXPECT_EQ(notes[1]->LinkFrom(before) != nullptr, true);
                EXPECT_EQ(after->LinkFrom(notes[2]) != nullptr, true);
                EXPECT_EQ(Links(*after), 1);
              },
              StepExpect::Recorded(27)});
}

TEST(SelectionCommandsFaults, UnsavableEntryLeavesTheElementUnchanged) {
  EditFixture f(1, 4);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  TECMeasure& m = f.measure(0);
  auto box = std::make_unique<TECTextBox>(&m);
  box->Lines.push_back(std::string(70000, 'x'));
  m.Items.push_back(std::move(box));
  f.Paint();
  f.score().SelectElement(note, 0);
  // The score cannot be saved either, so the saved-bytes oracle is not used.
  EventRecorder events(f.score());
  const int steps = f.score().UndoCount();
  f.score().MoveSelectionVert(1);
  EXPECT_EQ(note->Kind, 21);
  EXPECT_EQ(note->Octave, 5);
  EXPECT_EQ(f.score().UndoCount(), steps);
  EXPECT_EQ(events.changed, 0);
}

TEST(SelectionCommandsFaults, StemCodesKeptRecordNothing) {
  EditFixture f(1, 4);
  TECMeasure& m = f.measure(0);
  m.Items.push_back(MakeMeasureItem(185, &m));
  TECMeasureItem* kept = m.Items.back().get();
  m.Items.push_back(MakeMeasureItem(133, &m));
  TECMeasureItem* paired = m.Items.back().get();
  f.Paint();
  f.score().SelectElement(kept, 0);
  RunStep(f, {"kept code", {}, [](TECMusicScore& s) { s.SetStemDirection(1); }, StepExpect::Refused()});
  f.score().ClearSelection();
  f.score().SelectElement(paired, 0);
  RunStep(f, {"paired code", {}, [&](TECMusicScore& s) {
                s.SetStemDirection(1);
                EXPECT_EQ(paired->Kind, 134);
              },
              StepExpect::Recorded(19)});
}

struct CodeCase {
  int code;
  int down;  // direction or delta > 0
  int up;    // direction or delta < 0 (stem: <= 0)
};

TEST(SelectionCommandsTables, StemPairs) {
  const CodeCase cases[] = {
      {103, 104, 116}, {104, 106, 103}, {105, 116, 106}, {106, 105, 104}, {107, 115, 116}, {115, 103, 107},
      {116, 107, 105}, {114, 119, 119}, {119, 114, 114}, {117, 118, 118}, {124, 125, 125}, {127, 126, 126},
      {133, 134, 134}, {180, 179, 179}, {182, 181, 181}, {193, 194, 194}, {196, 195, 195}, {199, 198, 198},
      {223, 224, 224}, {227, 226, 226},
      // kept codes
      {183, 183, 183}, {192, 192, 192}, {197, 197, 197}, {221, 221, 221}, {222, 222, 222}, {229, 229, 229},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(nv::editing::StemPartner(c.code, 1), c.down) << c.code;
    EXPECT_EQ(nv::editing::StemPartner(c.code, 0), c.up) << c.code;
  }
}

TEST(SelectionCommandsTables, ReshapeCycles) {
  // {code, delta > 0, delta < 0}. Tremolos run 110 -> 111 -> 112 -> 113 ->
  // 110 upward and back downward, so 113 is reached both ways.
  const CodeCase cases[] = {
      {110, 111, 113}, {111, 112, 110}, {112, 113, 111}, {113, 110, 112}, {160, 161, 163}, {161, 162, 160},
      {162, 168, 161}, {163, 160, 164}, {164, 163, 165}, {165, 164, 166}, {166, 165, 167}, {167, 166, 168},
      {168, 167, 162}, {184, 186, 185}, {187, 186, 185}, {185, 184, 187}, {186, 187, 184}, {170, 170, 170},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(nv::editing::CycledCode(c.code, 1), c.down) << c.code;
    EXPECT_EQ(nv::editing::CycledCode(c.code, -1), c.up) << c.code;
  }
  EXPECT_EQ(nv::editing::CycledCode(160, 0), 163);
  EXPECT_EQ(nv::editing::CycledCode(161, 0), 162);
}

TEST(SelectionCommandsTables, ReshapeCyclesASelectedItem) {
  EditFixture f(1, 4);
  TECMeasure& m = f.measure(0);
  m.Items.push_back(MakeMeasureItem(160, &m));
  TECMeasureItem* item = m.Items.back().get();
  f.Paint();
  f.score().SelectElement(item, 0);
  RunStep(f, {"reshape a dynamic", {}, [&](TECMusicScore& s) {
                s.ReshapeSelection(1);
                EXPECT_EQ(item->Kind, 161);
              },
              StepExpect::Recorded(23)});
}

}  // namespace

// A note made shorter or taken away leaves a rest in its time: a full 4/4
// measure of quarters never shows a gap.
namespace rests_after_edits {

// The measure's visible events in time order, as "n16@32" (a note of 16
// ticks at tick 32) and "r16@48" (a rest).
std::vector<std::string> Events(const TECMeasure& measure) {
  std::vector<std::pair<int, std::string>> events;
  for (const auto& note : measure.Notes)
    events.emplace_back(note->Start, "n" + std::to_string(note->Length) + "@" + std::to_string(note->Start));
  for (const auto& rest : measure.Rests)
    if (!(rest->Flags & TECRest::Hidden))
      events.emplace_back(rest->Start, "r" + std::to_string(rest->Length) + "@" + std::to_string(rest->Start));
  std::sort(events.begin(), events.end());
  std::vector<std::string> out;
  for (const auto& e : events) out.push_back(e.second);
  return out;
}

TEST(RestsAfterEdits, AShortenedOrDeletedQuarterLeavesARest) {
  struct Case {
    const char* name;
    int quarter;
    std::function<void(TECMusicScore&)> edit;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"Alt+Left on the second quarter", 1, [](TECMusicScore& s) { s.ResizeSelection(-1); },
       {"n32@0", "n16@32", "r16@48", "n32@64", "n32@96"}},
      {"Delete on the last quarter", 3, [](TECMusicScore& s) { s.DeleteSelection(); },
       {"n32@0", "n32@32", "n32@64", "r32@96"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditFixture f(1, 2);
    for (int q = 0; q < 4; ++q) f.Enter(0, 0, 32 * q, 1 + q, 5, 32);
    f.Paint();
    const SavedScore before(f.score());
    f.score().SelectElement(f.measure(0).Notes[c.quarter].get(), 0);
    c.edit(f.score());
    EXPECT_EQ(Events(f.measure(0)), c.expected);
    f.score().Undo(1);
    EXPECT_EQ(SavedScore(f.score()), before);
  }
}

}  // namespace rests_after_edits
