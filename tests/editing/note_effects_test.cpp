#include <gtest/gtest.h>

#include <vector>

#include "model/score_builder.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

std::vector<int> Codes(const TECNote& note) {
  std::vector<int> codes;
  for (const auto& attribute : note.Attributes) codes.push_back(attribute->Kind);
  return codes;
}

TEST(NoteEffects, ADotThatWouldCrossTheBarLineIsRefused) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 96);
  // 96 + 32 + 16 > 128.
  RunStep(f, {"dot at 96", nullptr, [note](TECMusicScore& s) { s.AddNoteEffect(note, 1, 0, 0); },
              StepExpect::Refused()});
}

TEST(NoteEffects, ADotNeedsItsTicksFreeInTheVoice) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 80);
  RunStep(f, {"dot at 80, 112..127 free", nullptr, [note](TECMusicScore& s) { s.AddNoteEffect(note, 101, 0, 0); },
              StepExpect::Recorded(8)});
  f.score().Redo(1);
  note = f.measure(0).Notes.front().get();
  EXPECT_EQ(note->Length, 48);
  EXPECT_EQ(Codes(*note), std::vector<int>{ek::Dot});

  EditFixture busy(1, 2);
  TECNote* held = busy.Note(0, 0, 1, 5, 32, 80);
  busy.Note(0, 0, 3, 5, 8, 120);
  RunStep(busy, {"dot at 80, 120 taken", nullptr, [held](TECMusicScore& s) { s.AddNoteEffect(held, 101, 0, 0); },
                 StepExpect::Refused()});
  // Another voice does not count.
  EditFixture voices(1, 2);
  TECNote* upper = voices.Note(0, 0, 1, 5, 32, 80);
  voices.Note(0, 0, 3, 5, 8, 120, 1);
  RunStep(voices, {"dot at 80, 120 in voice 1", nullptr,
                   [upper](TECMusicScore& s) { s.AddNoteEffect(upper, 101, 0, 0); }, StepExpect::Recorded(8)});
}

// 15/4 measures are 480 ticks long: the map covers them whole.
TEST(NoteEffects, TheDotMapSpansALongMeasure) {
  EditFixture f(1, 2);
  f.score().SetTimeSignature(15, 4, 0, true);
  f.score().ClearUndoLists();
  TECNote* note = f.Note(0, 0, 1, 5, 32, 400);
  f.Note(0, 0, 3, 5, 8, 440);
  RunStep(f, {"dot at 400, 440 taken", nullptr, [note](TECMusicScore& s) { s.AddNoteEffect(note, 101, 0, 0); },
              StepExpect::Refused()});
}

TEST(NoteEffects, ADotOnARestIsReported) {
  EditFixture f(1, 2);
  TECRest* rest = f.Rest(0, 0, 32, 0);
  RunStep(f, {"dot on a rest", nullptr, [rest](TECMusicScore& s) { s.AddNoteEffect(rest, 101, 0, 0); },
              StepExpect::Recorded(8)});
  f.score().Redo(1);
  EXPECT_EQ(f.measure(0).Rests.front()->Length, 48);
}

TEST(NoteEffects, AccidentalsAddUpWhileArticulationsReplaceEachOther) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  score_builder::AddAttribute(*note, ek::Flat);
  score_builder::AddAttribute(*note, ek::ArrowUp);
  RunStep(f, {"sharp", nullptr, [note](TECMusicScore& s) { s.AddNoteEffect(note, ek::Sharp, 0, 0); },
              StepExpect::Recorded(8)});
  f.score().Redo(1);
  note = f.measure(0).Notes.front().get();
  EXPECT_EQ(Codes(*note), (std::vector<int>{ek::Flat, ek::ArrowUp, ek::Sharp}));
  f.score().AddNoteEffect(note, ek::OpenHat, 0, 0);
  EXPECT_EQ(Codes(*note), (std::vector<int>{ek::Flat, ek::OpenHat, ek::Sharp}));
  // A natural goes first; the same effect again is refused.
  f.score().AddNoteEffect(note, ek::Natural, 0, 0);
  EXPECT_EQ(Codes(*note).front(), ek::Natural);
  RunStep(f, {"the same again", nullptr, [note](TECMusicScore& s) { s.AddNoteEffect(note, ek::OpenHat, 0, 0); },
              StepExpect::Refused()});
}

TEST(NoteEffects, ADotGoesOnEveryNoteOfTheChord) {
  EditFixture f(1, 2);
  TECNote* low = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* high = f.Note(0, 0, 3, 5, 32, 0);
  low->ChordMark = high->ChordMark = 1;
  f.score().AddNoteEffect(low, ek::Dot, 0, 0);
  EXPECT_EQ(high->Length, 48);
  EXPECT_EQ(Codes(*high), std::vector<int>{ek::Dot});
  f.score().AddNoteEffect(low, ek::DoubleDot, 0, 0);
  EXPECT_EQ(low->Length, 56);
}

TEST(NoteEffects, OptionEffectsToggle) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  f.score().AddNoteEffect(note, 122, 0, 7);
  EXPECT_EQ(note->Options & 0x30, 0x10);
  EXPECT_EQ(note->Extra[2], 7);
  f.score().AddNoteEffect(note, 123, 0, 0);
  EXPECT_EQ(note->Options & 0x30, 0x20);
  f.score().AddNoteEffect(note, 121, 5, 0);
  EXPECT_EQ(note->Extra[4], 5);
  f.score().AddNoteEffect(note, 121, 5, 0);
  EXPECT_EQ(note->Extra[4], 0);
}

std::vector<TECMusicScore::GraceEntry> Entries(int n) {
  std::vector<TECMusicScore::GraceEntry> entries(static_cast<std::size_t>(n));
  entries.front().Accidental = ek::Sharp;
  entries.back().Accidental = ek::DoubleSharp;
  return entries;
}

TEST(NoteEffects, GraceNotesReplaceTheOldGroupsUpTo64) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 32);
  score_builder::AddAttribute(*note, ek::GraceNotes);
  RunStep(f, {"three grace notes", nullptr,
              [note](TECMusicScore& s) { s.SetGraceNotes(note, 8, 3, Entries(3), 0); }, StepExpect::Recorded(8)});
  f.score().Redo(1);
  note = f.measure(0).Notes.front().get();
  ASSERT_EQ(Codes(*note), std::vector<int>{ek::GraceNotes});
  const auto& group = static_cast<const TECGraceGroup&>(*note->Attributes.front());
  ASSERT_EQ(group.Notes.size(), 3u);
  EXPECT_EQ(group.Notes[0]->Attributes.size(), 1u);
  // A double sharp is not kept.
  EXPECT_TRUE(group.Notes[2]->Attributes.empty());

  f.score().SetGraceNotes(note, 8, 100, Entries(100), 0);
  EXPECT_EQ(static_cast<const TECGraceGroup&>(*note->Attributes.front()).Notes.size(), 64u);
  f.score().SetGraceNotes(note, 8, 0, {}, 0);
  EXPECT_TRUE(note->Attributes.empty());
}

}  // namespace
