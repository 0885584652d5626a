#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "formats/score_stream.h"
#include "model/element_kinds.h"
#include "model/measure_stream.h"
#include "model/memory_stream.h"
#include "model/model_dump.h"
#include "model/score_builder.h"
#include "model/undo_entries.h"
#include "support/saved_score.h"

using namespace score_builder;

namespace {

using Bytes = std::vector<std::uint8_t>;

using Saved = SavedScore;

// Two instruments; the first has two rows with notes, rests, items, a tie
// over the bar line, symbols-row items and page objects, and its second
// row has settings that differ from a new row's.
std::unique_ptr<TECMusicScore> MakeUndoScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument* first = score->AppendInstrument();
  first->SetName("Flute");
  TECRow* upper = first->AppendRow();
  TECRow* lower = first->AppendRow();
  for (int m = 0; m < 3; ++m) {
    upper->AddMeasure();
    lower->AddMeasure();
  }
  TECMeasure& m0 = *upper->GetMeasure(0);
  AddNote(m0, 1, 5, 32, 0);
  AddNote(m0, 3, 5, 64, 32);
  TECNote* tiedFrom = AddNote(m0, 5, 5, 32, 96);
  TECNote* tiedTo = AddNote(*upper->GetMeasure(1), 5, 5, 32, 0);
  AddAttribute(*tiedTo, ek::Dot);
  LinkNotes(tiedFrom, tiedTo, ek::LinkAbove);
  AddRest(*upper->GetMeasure(1), 64, 64);
  AddNote(*upper->GetMeasure(2), 2, 4, 128, 0);
  upper->GetMeasure(2)->Items.push_back(MakeMeasureItem(112, upper->GetMeasure(2)));
  AddNote(*lower->GetMeasure(0), 1, 3, 128, 0);
  AddNote(*lower->GetMeasure(1), 4, 3, 64, 0, 1);
  lower->SetName("Bass");
  lower->SetMidiInstrument(33);
  lower->SetChannel(5);
  lower->SetVolume(90);
  lower->SetPan(20);
  lower->SetMute(true);
  lower->SetUnited(true);
  lower->SetVoiceMode(1);
  lower->SetFiveLineStaff(false);
  first->GetSymbolMeasure(1, false)->Items.push_back(
      std::make_unique<TECSymbolItem>(ek::SymbolBarNumber, first->SymbolsRow().At(1)));
  first->AddPageText(10, 20, {"Title"}, "Arial", 14, 1, 0);
  first->AddPageLine(0, 0, 100, 50, 1, 0, 0);
  TECInstrument* second = score->AppendInstrument();
  TECRow* only = second->AppendRow();
  AddNote(*only->AddMeasure(), 6, 4, 64, 0);
  only->AddMeasure();
  // Laid out, as a score is once each instrument has been shown.
  for (int i = score->InstrumentCount() - 1; i >= 0; --i) {
    score->SetActiveInstrument(i);
    score->LayoutScore(0, false);
  }
  score->SetLockUndo(false);
  return score;
}

TECInstrument& First(TECMusicScore& score) { return *score.GetInstrumentAt(0); }
TECRow& Upper(TECMusicScore& score) { return *First(score).GetRow(0); }

struct EditCase {
  const char* name;
  std::function<void(TECMusicScore&)> edit;
  // Sets the scene without recording anything, before the edit.
  std::function<void(TECMusicScore&)> prepare = {};
};

void Prepare(TECMusicScore& score, const EditCase& c) {
  if (!c.prepare) return;
  ScopedUndoLock lock(score);
  c.prepare(score);
}

// Puts the cursor at a measure and tick of the first instrument.
std::function<void(TECMusicScore&)> At(int measure, int tick) {
  return [measure, tick](TECMusicScore& s) {
    s.SetActiveInstrument(0);
    s.GoToMeasure(measure);
    s.SetCursorPosition(tick);
  };
}

TECNote* NoteOf(TECMusicScore& s, int measure, int n) { return Upper(s).GetMeasure(measure)->Notes[n].get(); }

const std::vector<std::uint8_t> kChordCode = {1, 0, 7};

const EditCase kEdits[] = {
    {"InsertNote", [](TECMusicScore& s) { Upper(s).InsertNote(4, 5, false, 0, 0, 0, {}, 96); }, At(1, 64)},
    {"InsertRest", [](TECMusicScore& s) { Upper(s).InsertRest(32, 0); }, At(1, 32)},
    {"InsertRepeatSign", [](TECMusicScore& s) { Upper(s).InsertRepeatSign(ek::RepeatNotes, 1); }, At(1, 32)},
    {"LinkNotes", [](TECMusicScore& s) { Upper(s).LinkNotes(NoteOf(s, 0, 0), NoteOf(s, 0, 1), 2); }},
    {"ChordSymbol", [](TECMusicScore& s) { Upper(s).SetChordSymbol(&kChordCode, nullptr, true); }, At(0, 32)},
    {"MeasureSymbol", [](TECMusicScore& s) { Upper(s).AddMeasureSymbol(60, 1, 2, 3, 4); }, At(0, 0)},
    {"TextItems", [](TECMusicScore& s) { Upper(s).AddTextItems({"a", "b", "c"}, "Arial", {1, 2, 3, 4, 5}, 7, 1); },
     At(0, 0)},
    {"DeleteAtCursor", [](TECMusicScore& s) { Upper(s).DeleteAtCursor(false); }, At(0, 32)},
    {"DeleteATiedNote", [](TECMusicScore& s) { Upper(s).DeleteAtCursor(true); }, At(1, 40)},
    {"ChordFromKeyboard", [](TECMusicScore& s) { Upper(s).ReplaceWithChordNotes({{60}, {63}, {67}}, true, 32); },
     At(0, 0)},
    {"SetClef", [](TECMusicScore& s) { Upper(s).SetClef(1, 2); }},
    {"SetKey", [](TECMusicScore& s) { Upper(s).SetKeySignature(2, 43); }},
    {"SetClefPastTheRow", [](TECMusicScore& s) { Upper(s).SetClef(5, 3); }},
    {"TimeSignatureWholeScore", [](TECMusicScore& s) { s.SetTimeSignature(3, 4, 1, true); }},
    {"TimeSignatureFromCursor", [](TECMusicScore& s) { s.SetTimeSignature(3, 4, 0, false); },
     [](TECMusicScore& s) { s.GoToMeasure(1); }},
    {"AddRowWithHeaders", [](TECMusicScore& s) { First(s).AddRow(true); },
     [](TECMusicScore& s) { Upper(s).SetKeySignature(1, 33); }},
    {"DuplicateRow", [](TECMusicScore& s) { First(s).DuplicateRow(1); }},
    {"DeleteRow", [](TECMusicScore& s) { First(s).DeleteRow(1); }},
    {"DeleteRowWithoutMeasures", [](TECMusicScore& s) { First(s).DeleteRow(2); },
     [](TECMusicScore& s) { First(s).AppendRow()->SetName("Empty"); }},
    {"AddPageText", [](TECMusicScore& s) { First(s).AddPageText(5, 5, {"a", "b"}, "Times", 12, 0, 255); }},
    {"AddPageShape", [](TECMusicScore& s) { First(s).AddPageShape(ek::PageEllipse, 1, 2, 30, 40, 2, 0, 0, 9, 1); }},
    {"AddPageArc", [](TECMusicScore& s) { First(s).AddArcObject(ek::PagePie, 1, 2, 30, 40, 2, 0, 0, 9, 1); }},
    {"AddSymbol", [](TECMusicScore& s) { First(s).AddSymbol(ek::SymbolRehearsal, 3, 1); }},
    {"AddTempoMark", [](TECMusicScore& s) { First(s).AddTempoMark(4, 120); }},
};

class UndoEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(UndoEdit, UndoGivesBackTheScoreBeforeAndRedoTheScoreAfter) {
  auto score = MakeUndoScore();
  Prepare(*score, GetParam());
  const Saved before(*score);
  GetParam().edit(*score);
  ASSERT_EQ(score->UndoCount(), 1);
  const Saved after(*score);
  ASSERT_NE(after, before);
  score->Undo(1);
  EXPECT_EQ(Saved(*score), before);
  EXPECT_EQ(score->UndoCount(), 0);
  ASSERT_EQ(score->RedoCount(), 1);
  score->Redo(1);
  EXPECT_EQ(Saved(*score), after);
  EXPECT_EQ(score->RedoCount(), 0);
  // The step that redo recorded takes the edit back again.
  score->Undo(1);
  EXPECT_EQ(Saved(*score), before);
}

INSTANTIATE_TEST_SUITE_P(Edits, UndoEdit, ::testing::ValuesIn(kEdits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Undo, SeveralStepsAtOnceAndOneByOne) {
  auto score = MakeUndoScore();
  score->SetMaxUndo(99);
  for (const EditCase& c : kEdits) Prepare(*score, c);
  std::vector<Saved> states{Saved(*score)};
  for (const EditCase& c : kEdits) {
    const int steps = score->UndoCount();
    c.edit(*score);
    // Edits after a row deletion may find nothing to change.
    if (score->UndoCount() != steps) states.emplace_back(*score);
  }
  const int count = score->UndoCount();
  ASSERT_EQ(count + 1, static_cast<int>(states.size()));
  // A request ends after taking back an added row; the next one goes on.
  for (int calls = 0; score->CanUndo(); ++calls) {
    ASSERT_LT(calls, count);
    score->Undo(count);
  }
  EXPECT_EQ(Saved(*score), states.front());
  while (score->CanRedo()) score->Redo(count);
  EXPECT_EQ(Saved(*score), states.back());
  for (int i = count - 1; i >= 0; --i) {
    score->Undo(1);
    EXPECT_EQ(Saved(*score), states[i]) << "after undoing step " << i;
  }
}

TEST(Undo, ListsKeepTheNewestStepsUpToTheDepth) {
  TECMusicScore score;
  score.SetLockUndo(false);
  score.SetMaxUndo(3);
  for (std::uint8_t kind = 1; kind <= 4; ++kind) score.BeginUndoStep(kind);
  ASSERT_EQ(score.UndoCount(), 3);
  EXPECT_EQ(score.GetUndoStep(0)->Kind, 2);
  EXPECT_EQ(score.GetUndoStep(2)->Kind, 4);
  EXPECT_EQ(score.GetUndoStep(3), nullptr);
  score.SetMaxUndo(1);
  score.BeginUndoStep(7);
  ASSERT_EQ(score.UndoCount(), 1);
  EXPECT_EQ(score.GetUndoStep(0)->Kind, 7);
}

TEST(Undo, LockedUndoBeginsNothingAndReportsNothing) {
  TECMusicScore score;
  int events = 0;
  score.OnUndoChanged = [&](TECModelObject*) { ++events; };
  EXPECT_EQ(score.BeginUndoStep(1), nullptr);
  score.SetLockUndo(false);
  score.SetLockUndo(true);
  EXPECT_EQ(score.BeginUndoStep(1), nullptr);
  EXPECT_EQ(events, 0);
  EXPECT_FALSE(score.CanUndo());
}

TEST(Undo, ANewEditDropsTheRedoListButRedoKeepsIt) {
  auto score = MakeUndoScore();
  Upper(*score).SetClef(0, 2);
  Upper(*score).SetClef(1, 3);
  Upper(*score).SetClef(2, 4);
  score->Undo(3);
  ASSERT_EQ(score->RedoCount(), 3);
  // Redo's own step in the undo list leaves the rest to be redone.
  score->Redo(1);
  EXPECT_EQ(score->RedoCount(), 2);
  EXPECT_EQ(score->UndoCount(), 1);
  int redoEvents = 0;
  score->OnRedoChanged = [&](TECModelObject*) { ++redoEvents; };
  Upper(*score).SetKeySignature(0, 31);
  EXPECT_EQ(score->RedoCount(), 0);
  EXPECT_EQ(score->UndoCount(), 2);
  EXPECT_EQ(redoEvents, 1);
}

TEST(Undo, ReplacingTheInstrumentsEmptiesBothListsAndReportsIt) {
  const std::vector<std::pair<const char*, std::function<void(TECMusicScore&)>>> replacements = {
      {"ClearInstruments", [](TECMusicScore& s) { s.ClearInstruments(); }},
      {"Assign", [](TECMusicScore& s) { s.Assign(*MakeUndoScore()); }},
      {"Load",
       [](TECMusicScore& s) {
         MemoryStream stream;
         SaveScoreToStream(*MakeUndoScore(), stream);
         stream.SetPosition(0);
         LoadScoreFromStream(s, stream);
       }},
  };
  for (const auto& [name, replace] : replacements) {
    auto score = MakeUndoScore();
    Upper(*score).SetClef(0, 2);
    Upper(*score).SetClef(1, 3);
    score->Undo(1);
    ASSERT_TRUE(score->CanUndo() && score->CanRedo());
    std::vector<std::string> events;
    score->OnUndoChanged = [&](TECModelObject*) { events.push_back("undo"); };
    score->OnRedoChanged = [&](TECModelObject*) { events.push_back("redo"); };
    replace(*score);
    EXPECT_FALSE(score->CanUndo()) << name;
    EXPECT_FALSE(score->CanRedo()) << name;
    EXPECT_NE(std::find(events.begin(), events.end(), "undo"), events.end()) << name;
    EXPECT_NE(std::find(events.begin(), events.end(), "redo"), events.end()) << name;
  }
}

TEST(Undo, EachEntryEndsWhereTheNextBegins) {
  auto score = MakeUndoScore();
  TECUndoStep* step = score->BeginUndoStep(1);
  score->SaveUndoMeasure(step, Upper(*score).GetMeasure(0), -1);
  score->SaveUndoAttachment(step, First(*score).SymbolsRow().At(1), -1);
  score->SaveUndoPageObject(step, First(*score).TextsRow().Objects[1].get());
  ASSERT_EQ(step->EntryCount, 3u);
  MemoryStream& s = step->Stream;
  s.SetPosition(0);
  const std::vector<std::vector<std::uint32_t>> paths = {{0, 0, 0}, {0, 254, 1}, {0, 255, 1}};
  for (const auto& path : paths) {
    const std::uint32_t end = s.ReadU32();
    for (std::uint32_t index : path) EXPECT_EQ(s.ReadU32(), index);
    ASSERT_GT(end, s.Position());
    s.SetPosition(end);
  }
  EXPECT_EQ(s.Position(), s.Size());
}

TEST(Undo, AWriterThatFailsLeavesNoHalfEntry) {
  auto score = MakeUndoScore();
  TECUndoStep* step = score->BeginUndoStep(1);
  score->SaveUndoMeasure(step, Upper(*score).GetMeasure(0), 0);
  const std::int64_t size = step->Stream.Size();
  // More notes than a measure block can hold.
  TECMeasure& crowded = *Upper(*score).GetMeasure(2);
  for (int n = 0; n <= 10000; ++n) AddNote(crowded, 1, 4, 1, 0);
  score->SaveUndoMeasure(step, &crowded, 2);
  EXPECT_EQ(step->EntryCount, 1u);
  EXPECT_EQ(step->Stream.Size(), size);
  // Steps of the other list are not written by the undo writers.
  TECUndoStep stray;
  score->SaveUndoMeasure(&stray, Upper(*score).GetMeasure(0), 0);
  EXPECT_EQ(stray.EntryCount, 0u);
}

TEST(Undo, ADamagedEntryLeavesTheMeasuresItDidNotReach) {
  auto score = MakeUndoScore();
  TECUndoStep* step = score->BeginUndoStep(1);
  score->SaveUndoMeasure(step, Upper(*score).GetMeasure(0), 0);
  const std::int64_t second = step->Stream.Size();
  score->SaveUndoMeasure(step, Upper(*score).GetMeasure(2), 2);
  // The second entry's measure block loses its marker.
  auto& data = const_cast<Bytes&>(step->Stream.Data());
  data[static_cast<std::size_t>(second) + 16] = 0;
  score->SetLockUndo(true);
  Upper(*score).GetMeasure(0)->Notes.clear();
  Upper(*score).GetMeasure(2)->Notes.clear();
  score->SetLockUndo(false);
  EXPECT_THROW(score->Undo(1), EStreamError);
  EXPECT_EQ(Upper(*score).GetMeasure(0)->Notes.size(), 3u);
  EXPECT_TRUE(Upper(*score).GetMeasure(2)->Notes.empty());
  EXPECT_EQ(score->UndoCount(), 1);
}

TEST(Undo, RedoOfAPageObjectMoveMovesItAgain) {
  auto score = MakeUndoScore();
  TECPageObject* line = First(*score).TextsRow().Objects[0].get();
  ASSERT_EQ(line->Kind, ek::PageLine);
  TECUndoStep* step = score->BeginUndoStep(20);
  score->SaveUndoPageObject(step, line);
  static_cast<TECPageLine*>(line)->X1 += 40;
  const Saved moved(*score);
  score->Undo(1);
  EXPECT_NE(Saved(*score), moved);
  score->Redo(1);
  EXPECT_EQ(Saved(*score), moved);
}

TEST(Undo, UndoingAnAddedRowEndsTheRequest) {
  auto score = MakeUndoScore();
  Upper(*score).SetClef(0, 2);
  First(*score).AddRow(false);
  score->Undo(3);
  EXPECT_EQ(First(*score).GetRowCount(), 2);
  EXPECT_EQ(score->UndoCount(), 1);
  EXPECT_EQ(score->GetRedoStep(0)->Kind, undo_kind::AddRow);
}

// The steps that adding and deleting an instrument record.
void AddInstrumentRecorded(TECMusicScore& score) {
  TECInstrument* instrument = score.AppendInstrument();
  instrument->SetName("Oboe");
  if (TECUndoStep* step = score.BeginUndoStep(undo_kind::AddInstrument)) score.SaveUndoInstrument(step, instrument);
}

void DeleteInstrumentRecorded(TECMusicScore& score, int i) {
  TECInstrument* instrument = score.GetInstrumentAt(i);
  if (TECUndoStep* step = score.BeginUndoStep(undo_kind::DeleteInstrument))
    WriteUndoInstrumentHeader(step->Stream, *instrument);
  score.DeleteInstrumentAt(i);
}

// The steps that inserting and deleting measures at measure c record.
void AddMeasuresRecorded(TECMusicScore& score, int c, int count) {
  TECInstrument& instrument = First(score);
  TECUndoStep* step = score.BeginUndoStep(undo_kind::InsertMeasures);
  for (int n = 0; n < count; ++n) {
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      TECRow* row = instrument.GetRow(r);
      if (row->MeasureCount() > c) score.SaveUndoMeasure(step, row->InsertMeasure(c), c);
    }
    auto& entries = instrument.SymbolsRow().Entries;
    if (static_cast<int>(entries.size()) > c) {
      auto entry = std::make_unique<TECSymbolEntry>();
      entry->Owner = &instrument;
      score.SaveUndoAttachment(step, entries.insert(entries.begin() + c, std::move(entry))->get(), c);
    }
  }
  for (int i = 0; i < instrument.SymbolsRow().Count(); ++i) instrument.SymbolsRow().At(i)->MeasureIndex = i;
}

void DeleteMeasuresRecorded(TECMusicScore& score, int c, int count) {
  TECInstrument& instrument = First(score);
  TECUndoStep* step = score.BeginUndoStep(undo_kind::DeleteMeasures);
  for (int r = 0; r < instrument.GetRowCount(); ++r)
    for (int m = c; m < c + count; ++m)
      if (TECMeasure* measure = instrument.GetRow(r)->GetMeasure(m)) score.SaveUndoMeasure(step, measure, m);
  for (int m = c; m < c + count; ++m)
    if (TECSymbolEntry* entry = instrument.SymbolsRow().At(m)) score.SaveUndoAttachment(step, entry, m);
  for (int n = 0; n < count; ++n) {
    for (int r = 0; r < instrument.GetRowCount(); ++r) instrument.GetRow(r)->DeleteMeasure(c);
    if (TECSymbolEntry* entry = instrument.SymbolsRow().At(c)) instrument.FreeSymbolEntry(entry);
  }
  for (int i = 0; i < instrument.SymbolsRow().Count(); ++i) instrument.SymbolsRow().At(i)->MeasureIndex = i;
}

// Undo gives back the score before, redo the score after, and the step redo
// recorded takes the edit back again.
void ExpectUndoRedoUndo(TECMusicScore& score, const Saved& before, const Saved& after) {
  score.Undo(1);
  EXPECT_EQ(Saved(score), before);
  score.Redo(1);
  EXPECT_EQ(Saved(score), after);
  score.Undo(1);
  EXPECT_EQ(Saved(score), before);
}

TEST(Undo, InsertedAndDeletedMeasuresComeBack) {
  const std::vector<std::pair<const char*, std::function<void(TECMusicScore&)>>> edits = {
      {"insert two", [](TECMusicScore& s) { AddMeasuresRecorded(s, 1, 2); }},
      {"delete two", [](TECMusicScore& s) { DeleteMeasuresRecorded(s, 0, 2); }},
      {"delete the tied one", [](TECMusicScore& s) { DeleteMeasuresRecorded(s, 1, 1); }},
  };
  for (const auto& [name, edit] : edits) {
    auto score = MakeUndoScore();
    const Saved before(*score);
    edit(*score);
    const Saved after(*score);
    ASSERT_NE(after, before) << name;
    SCOPED_TRACE(name);
    ExpectUndoRedoUndo(*score, before, after);
  }
}

TEST(Undo, AddedAndDeletedInstrumentsComeBackWhole) {
  const std::vector<std::pair<const char*, std::function<void(TECMusicScore&)>>> edits = {
      {"add", [](TECMusicScore& s) { AddInstrumentRecorded(s); }},
      {"delete first", [](TECMusicScore& s) { DeleteInstrumentRecorded(s, 0); }},
      {"delete last", [](TECMusicScore& s) { DeleteInstrumentRecorded(s, 1); }},
  };
  for (const auto& [name, edit] : edits) {
    auto score = MakeUndoScore();
    First(*score).SetMidiInstrument(71);
    First(*score).SetName("Clarinet");
    First(*score).SetVolume(80);
    First(*score).SetAccolade(1);
    const Saved before(*score);
    edit(*score);
    const Saved after(*score);
    SCOPED_TRACE(name);
    ExpectUndoRedoUndo(*score, before, after);
  }
}

TEST(Undo, ClefAndKeyThatDoNotChangeRecordNothing) {
  auto score = MakeUndoScore();
  Upper(*score).SetClef(0, 2);
  Upper(*score).SetClef(0, 2);
  Upper(*score).SetKeySignature(0, 33);
  Upper(*score).SetKeySignature(0, 3);
  EXPECT_EQ(score->UndoCount(), 2);
}

TEST(Undo, NothingWhileReadOnlyOrPreviewing) {
  auto score = MakeUndoScore();
  Upper(*score).SetClef(0, 2);
  score->ReadOnly = true;
  score->Undo(1);
  score->ReadOnly = false;
  score->SetStyle(TScoreStyle::ssPreviewPages);
  score->Undo(1);
  EXPECT_EQ(score->UndoCount(), 1);
  EXPECT_EQ(Upper(*score).GetClef(0), 2);
}

// One instrument of one row with `measures` measures of the given time,
// laid out, undo unlocked.
std::unique_ptr<TECMusicScore> MakeLaidOutScore(int measures, int numerator = 4, int denominator = 4) {
  auto score = MakeScore(1, measures);
  score->SetTimeSignature(numerator, denominator, 0, true);
  score->LayoutScore(0, false);
  score->SetLockUndo(false);
  return score;
}

TEST(Undo, RepeatSignsOfVariantZeroKeepTheirValue) {
  for (const int kind : {ek::RepeatNotes, ek::RepeatBar}) {
    auto score = MakeLaidOutScore(1);
    TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
    ASSERT_NE(row.InsertRepeatSign(kind, 0), nullptr);
    const Saved after(*score);
    score->Undo(1);
    score->Redo(1);
    EXPECT_EQ(Saved(*score), after) << kind;
    EXPECT_EQ(row.GetMeasure(0)->Notes.front()->Value, 0) << kind;
  }
}

TEST(Undo, LockUndoDoesNotCountBelowZero) {
  TECMusicScore score;
  score.SetLockUndo(false);
  score.SetLockUndo(false);
  EXPECT_FALSE(score.GetLockUndo());
  score.SetLockUndo(true);
  EXPECT_TRUE(score.GetLockUndo());
}

// A chord that runs past the cursor measure: every measure it reaches,
// the ones it appends included, belongs to its step.
TEST(Undo, ChordsAcrossBarLinesAreTakenBackWhole) {
  const struct {
    const char* name;
    int numerator, denominator, measures, measure, tick, duration;
    int measuresAfter;
  } cases[] = {
      {"into a new measure", 4, 4, 1, 0, 96, 64, 2},
      {"over three measures of 3/16", 3, 16, 1, 0, 0, 64, 3},
      {"past the row's end", 4, 4, 2, 1, 71, 64, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto score = MakeLaidOutScore(c.measures, c.numerator, c.denominator);
    TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
    score->GoToMeasure(c.measure);
    score->SetCursorPosition(c.tick);
    const Saved before(*score);
    row.ReplaceWithChordNotes({{60}, {64}}, true, c.duration);
    ASSERT_EQ(row.MeasureCount(), c.measuresAfter);
    ASSERT_EQ(row.GetMeasure(c.measuresAfter - 1)->Notes.size(), 2u);
    ASSERT_EQ(score->UndoCount(), 1);
    const Saved after(*score);
    ExpectUndoRedoUndo(*score, before, after);
    EXPECT_EQ(row.MeasureCount(), c.measures);
  }
}

TEST(Undo, ALocalTimeSignatureInARowWithoutMeasuresIsTakenBack) {
  auto score = MakeLaidOutScore(0);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  const Saved before(*score);
  score->SetTimeSignature(3, 4, 0, false);
  ASSERT_EQ(row.MeasureCount(), 1);
  const Saved after(*score);
  ExpectUndoRedoUndo(*score, before, after);
  EXPECT_EQ(row.MeasureCount(), 0);
}

TEST(Undo, APickupChangeComesBackWithItsWord) {
  auto score = MakeLaidOutScore(1);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  {
    ScopedUndoLock lock(*score);
    AddNote(*row.GetMeasure(0), 1, 5, 64, 0);
    AddNote(*row.GetMeasure(0), 3, 5, 64, 64);
  }
  const Saved before(*score);
  const std::uint16_t word = score->AufTaktWord();
  // A quarter's pickup holds neither half note.
  score->SetAufTakt(1, 4);
  ASSERT_TRUE(row.GetMeasure(0)->Notes.empty());
  ASSERT_EQ(score->UndoCount(), 1);
  EXPECT_EQ(score->GetUndoStep(0)->Kind, undo_kind::Pickup);
  const Saved after(*score);
  ExpectUndoRedoUndo(*score, before, after);
  EXPECT_EQ(score->AufTaktWord(), word);
  EXPECT_EQ(row.GetMeasure(0)->Notes.size(), 2u);
}

// A pickup change that deletes nothing is a step too: the steps before it
// hold measures of the old length, and undo gives the word back first.
TEST(Undo, APickupChangeThatDeletesNothingIsTakenBackBeforeOlderSteps) {
  auto score = MakeLaidOutScore(1);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  {
    ScopedUndoLock lock(*score);
    AddNote(*row.GetMeasure(0), 1, 5, 32, 64);
  }
  const Saved start(*score);
  score->GoToMeasure(0);
  score->SetCursorPosition(64);
  row.DeleteAtCursor(false);
  ASSERT_EQ(score->GetUndoStep(0)->Kind, undo_kind::DeleteAtCursor);
  const Saved deleted(*score);
  score->SetAufTakt(1, 4);
  ASSERT_EQ(score->UndoCount(), 2);
  EXPECT_EQ(score->GetUndoStep(1)->Kind, undo_kind::Pickup);
  const Saved pickup(*score);
  score->Undo(1);
  EXPECT_EQ(Saved(*score), deleted);
  score->Undo(1);
  EXPECT_EQ(Saved(*score), start);
  EXPECT_EQ(score->GetMeasureLength(0), 128);
  score->Redo(2);
  EXPECT_EQ(Saved(*score), pickup);
}

// The beam-group length follows the time signature back and forth.
TEST(Undo, ATimeSignatureStepGivesTheBeamGroupLengthBack) {
  auto score = MakeLaidOutScore(2);
  score->SetUnionStyle(TECUnionStyle::usHalf);
  ASSERT_EQ(score->UnionLength(), 64);
  score->SetTimeSignature(3, 4, 0, true);
  ASSERT_EQ(score->UnionLength(), 48);
  score->Undo(1);
  EXPECT_EQ(score->UnionLength(), 64);
  score->Redo(1);
  EXPECT_EQ(score->UnionLength(), 48);
}

// A note that holds two links: taking back a note inserted before their
// partners gives the links back in their order.
TEST(Undo, ANoteHoldingTwoLinksKeepsTheirOrder) {
  auto score = MakeLaidOutScore(2, 6, 8);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  {
    ScopedUndoLock lock(*score);
    TECNote* slurred = AddNote(*row.GetMeasure(0), 7, 4, 32, 32, 1);
    TECNote* tied = AddNote(*row.GetMeasure(0), 1, 5, 32, 48);
    TECNote* later = AddNote(*row.GetMeasure(1), 1, 5, 64, 0);
    LinkNotes(tied, later, ek::LinkBelow);
    LinkNotes(slurred, later, ek::LinkBelow);
    score->LayoutScore(0, false);
  }
  score->GoToMeasure(0);
  score->SetCursorPosition(0);
  const Saved before(*score);
  ASSERT_NE(row.InsertNote(6, 3, false, 0, 0, 0, {}, 128), nullptr);
  const Saved after(*score);
  ExpectUndoRedoUndo(*score, before, after);
}

// A note that holds links from a note of another row and from one of its
// own: deleting the other row and taking the deletion back gives both links
// back in their order, and redo and undo again do the same. The note is
// tied on to a note that holds a link from the other row as well.
TEST(Undo, DeletedRowGivesBackTheLinksOtherRowsHeldOnIt) {
  auto score = MakeLaidOutScore(3);
  TECInstrument& instrument = *score->GetInstrumentAt(0);
  {
    ScopedUndoLock lock(*score);
    TECRow& lower = *instrument.AppendRow();
    TECRow& upper = *instrument.GetRow(0);
    TECNote* later = AddNote(*upper.GetMeasure(1), 4, 5, 32, 0);
    TECNote* fromOwnRow = AddNote(*upper.GetMeasure(0), 1, 5, 32, 0);
    TECNote* fromOtherRow = AddNote(*lower.AddMeasure(), 5, 4, 32, 0);
    LinkNotes(fromOtherRow, later, ek::LinkBelow);
    LinkNotes(fromOwnRow, later, ek::LinkAbove);
    TECNote* tiedTo = AddNote(*upper.GetMeasure(2), 4, 5, 32, 0);
    LinkNotes(later, tiedTo, ek::LinkAbove);
    LinkNotes(AddNote(*lower.AddMeasure(), 6, 4, 32, 0), tiedTo, ek::LinkBelow);
    score->LayoutScore(0, false);
  }
  const Saved before(*score);
  instrument.DeleteRow(1);
  const Saved after(*score);
  ExpectUndoRedoUndo(*score, before, after);
}

// Random edits of the kinds built so far, undone and redone completely in
// batches that fit the undo depth.
class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : random_(seed) {}

  // Moves the cursor to a random place; that records nothing.
  void MoveCursor(TECMusicScore& score) {
    ScopedUndoLock lock(score);
    score.SetActiveInstrument(Pick(score.InstrumentCount()));
    TECInstrument& instrument = *score.CurrentInstrument();
    instrument.SetActiveRow(Pick(instrument.GetRowCount()));
    score.GoToMeasure(Pick(4));
    score.SetCursorPosition(Pick(4) * 16);
  }

  // One random edit at the cursor.
  void Edit(TECMusicScore& score) {
    TECInstrument& instrument = *score.CurrentInstrument();
    TECRow& row = *score.CurrentRow();
    switch (Pick(21)) {
      case 0:
        row.SetClef(Pick(6), 1 + Pick(11));
        break;
      case 1:
        row.SetKeySignature(Pick(6), Pick(2) ? 30 + Pick(8) : 40 + Pick(8));
        break;
      case 2: {
        static constexpr int kTimes[][2] = {{4, 4}, {3, 4}, {2, 4}, {6, 8}, {5, 8}, {2, 2}};
        const auto& t = kTimes[Pick(6)];
        score.SetTimeSignature(t[0], t[1], static_cast<std::uint8_t>(Pick(3)), Pick(2) == 0);
        break;
      }
      case 3:
        if (instrument.GetRowCount() < 4) instrument.AddRow(Pick(2) == 0);
        break;
      case 4:
        if (instrument.GetRowCount() < 4) instrument.DuplicateRow(Pick(instrument.GetRowCount()));
        break;
      case 5:
        instrument.DeleteRow(Pick(instrument.GetRowCount()));
        break;
      case 6:
        instrument.AddPageText(Pick(100), Pick(100), {"t" + std::to_string(Pick(9))}, "Arial", 10, 0, 0);
        break;
      case 7:
        instrument.AddPageLine(Pick(50), Pick(50), Pick(50), Pick(50), 1, 0, 0);
        break;
      case 8: {
        static constexpr std::uint8_t kSymbols[] = {71, 72, 76, 80, 81, 82, 85, 86, 87};
        instrument.AddSymbol(kSymbols[Pick(9)], Pick(5), Pick(3));
        break;
      }
      case 9:
        instrument.AddTempoMark(Pick(8), 40 + Pick(100));
        break;
      case 10:
      case 11:
      case 12: {
        static constexpr int kDurations[] = {8, 16, 24, 32, 48, 64, 96, 128};
        row.InsertNote(1 + Pick(7), 3 + Pick(3), false, 0, 0, 0, {}, kDurations[Pick(8)]);
        break;
      }
      case 13:
        row.InsertRest(16 << Pick(3), 0);
        break;
      case 14:
        row.DeleteAtCursor(Pick(2) == 0);
        break;
      case 15: {
        const std::vector<std::uint8_t> code = {1, 0, static_cast<std::uint8_t>(Pick(12))};
        row.SetChordSymbol(&code, nullptr, Pick(2) == 0);
        break;
      }
      case 16:
        row.AddMeasureSymbol(60 + Pick(10), 0, 0, 0, 0);
        break;
      case 17:
        row.AddTextItems({"la", "li", "lo"}, "Arial", {1, 2, 3, 4, 5}, 0, static_cast<std::uint8_t>(Pick(2)));
        break;
      case 18:
        LinkTwoNotes(row);
        break;
      case 19:
        ChordOverTheBarLine(score, row);
        break;
      default:
        row.ReplaceWithChordNotes({{static_cast<std::uint16_t>(55 + Pick(12))}, {static_cast<std::uint16_t>(64 + Pick(5))}},
                                  Pick(2) == 0, 32);
        break;
    }
  }

  // Sets every instrument back to one page. The layout pass only ever adds
  // pages, and how many depends on the passes before as well as on the
  // music, so the page counts are left out of what is compared.
  static void Settle(TECMusicScore& score) {
    ScopedUndoLock lock(score);
    const int active = score.GetActiveInstrument();
    // The active instrument last: making an instrument active lays it out.
    for (int n = 1; n <= score.InstrumentCount(); ++n) {
      score.SetActiveInstrument((active + n) % score.InstrumentCount());
      score.SetActivePage(0);
      // One page, without the pass that would append the pages again.
      const ScopedLayoutSuspension suspended(score);
      score.CurrentInstrument()->SetPageCount(1);
    }
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  // A chord from the keyboard that starts late in one of the last measures
  // and runs over the bar line, often past the row's end into new measures.
  void ChordOverTheBarLine(TECMusicScore& score, TECRow& row) {
    {
      ScopedUndoLock lock(score);
      const int m = std::max(0, row.MeasureCount() - 1 - Pick(2));
      score.GoToMeasure(m);
      score.SetCursorPosition(std::max(0, score.GetMeasureLength(m) - 8 * (1 + Pick(6))));
    }
    std::vector<TECChordEntry> chord = {{static_cast<std::uint16_t>(48 + Pick(12))},
                                        {static_cast<std::uint16_t>(60 + Pick(12))}};
    if (Pick(2)) chord.push_back({static_cast<std::uint16_t>(67 + Pick(12))});
    row.ReplaceWithChordNotes(chord, Pick(2) == 0, 16 * (2 + Pick(9)));
  }

  // Ties the first note of the cursor measure to a note of the next one.
  void LinkTwoNotes(TECRow& row) {
    const TECMusicScore& score = *row.Score();
    TECMeasure* here = row.GetMeasure(score.CursorMeasure());
    TECMeasure* next = row.GetMeasure(score.CursorMeasure() + Pick(2));
    if (!here || !next || here->Notes.empty() || next->Notes.empty()) return;
    row.LinkNotes(here->Notes.front().get(), next->Notes[Pick(static_cast<int>(next->Notes.size()))].get(),
                  1 + Pick(2));
  }

  std::mt19937 random_;
};

// Runs `batches` batches of `edits` random edits from `seed`, each undone
// and redone completely.
void RunRandomEdits(unsigned seed, int batches, int edits) {
  SCOPED_TRACE("seed " + std::to_string(seed) + " (NOTAVISTRA_UNDO_SEED repeats it)");
  auto score = MakeUndoScore();
  score->SetMaxUndo(99);
  RandomEdits random(seed);
  for (int batch = 0; batch < batches; ++batch) {
    random.MoveCursor(*score);
    RandomEdits::Settle(*score);
    const Saved before(*score);
    for (int n = 0; n < edits; ++n) {
      if (n > 0) random.MoveCursor(*score);
      RandomEdits::Settle(*score);
      random.Edit(*score);
    }
    RandomEdits::Settle(*score);
    const Saved after(*score);
    // A request ends at an added row; the rest follows in further calls.
    while (score->CanUndo()) score->Undo(score->UndoCount());
    RandomEdits::Settle(*score);
    ASSERT_EQ(Saved(*score), before) << "batch " << batch;
    while (score->CanRedo()) score->Redo(score->RedoCount());
    RandomEdits::Settle(*score);
    ASSERT_EQ(Saved(*score), after) << "batch " << batch;
    score->ClearUndoLists();
  }
}

// The seed given by NOTAVISTRA_UNDO_SEED, if any.
std::optional<unsigned> GivenSeed() {
  const char* given = std::getenv("NOTAVISTRA_UNDO_SEED");
  if (!given) return std::nullopt;
  return static_cast<unsigned>(std::stoul(given));
}

TEST(Undo, RandomEditsUndoneAndRedoneCompletely) {
  std::vector<unsigned> seeds = {1, 2, 3};
  if (const auto given = GivenSeed()) seeds = {*given};
  for (unsigned seed : seeds) {
    RunRandomEdits(seed, 4, 80);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Many seeds with shorter runs, in shards that CTest runs side by side.
constexpr unsigned kSeedsPerShard = 50;

class RandomUndoSeeds : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomUndoSeeds, ShortRunsUndoneAndRedoneCompletely) {
  const unsigned first = GetParam();
  const auto given = GivenSeed();
  for (unsigned seed = first; seed < first + kSeedsPerShard; ++seed) {
    if (given && seed != *given) continue;
    RunRandomEdits(seed, 2, 20);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUndoSeeds, ::testing::Range(1u, 501u, kSeedsPerShard), [](const auto& info) {
  return "From" + std::to_string(info.param) + "To" + std::to_string(info.param + kSeedsPerShard - 1);
});

}  // namespace
