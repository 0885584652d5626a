#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/duration_split.h"
#include "model/model_dump.h"
#include "note_entry_fixture.h"

using namespace score_builder;

namespace {

// Notes of a measure as "C5 32@0 v0 c0", in list order.
std::vector<std::string> Notes(const TECMeasure& measure) {
  static const char* kSteps = "CDEFGAB";
  std::vector<std::string> out;
  for (const auto& n : measure.Notes)
    out.push_back(std::string(1, ek::IsNoteStep(n->Kind) ? kSteps[n->Kind - ek::NoteC] : '?') +
                  std::to_string(n->Octave) + " " + std::to_string(n->Length) + "@" + std::to_string(n->Start) +
                  " v" + std::to_string(n->Voice) + " c" + std::to_string(n->ChordMark));
  return out;
}

std::vector<int> Codes(const TECNote& note) {
  std::vector<int> codes;
  for (const auto& a : note.Attributes) codes.push_back(a->Kind);
  return codes;
}

TEST(DurationSplit, PiecesDotsAndTupletLengths) {
  using namespace duration_split;
  EXPECT_EQ(PieceValue(96), 64);
  EXPECT_EQ(PieceValue(1), 1);
  EXPECT_EQ(PieceValue(192), 128) << "no note value above a whole note";
  EXPECT_EQ(DotAllowance(32, 48), 16);
  EXPECT_EQ(DotAllowance(32, 56), 24);
  EXPECT_EQ(DotAllowance(32, 47), 0);
  EXPECT_EQ(DotAllowance(1, 8), 0);
  EXPECT_EQ(TupletSpan(3, 16), 32);
  EXPECT_EQ(TupletSpan(5, 16), 64);
  EXPECT_EQ(TupletSpan(11, 16), 16);
  EXPECT_EQ(TupletLengths(32, 3), (std::vector<std::uint8_t>{10, 11, 11}));
  EXPECT_EQ(TupletLengths(48, 2), (std::vector<std::uint8_t>{24, 24}));
}

TEST_F(NoteEntry, TieDirectionFollowsTheStem) {
  At(0, 64);
  Insert(7, 5, 96);  // B above the middle line: stem down, tie above
  const TECNote& later = *row->GetMeasure(1)->Notes[0];
  EXPECT_EQ(Codes(later), (std::vector<int>{ek::LinkAbove}));
  At(0, 64);
  row->SetVoiceMode(1);
  score->SetCursorVoice(1);
  At(0, 64);
  row->InsertPitchedNote(1, 4, 0, 0, 0, 0, 96);
  // Pitched-note entry ties the other way round.
  EXPECT_EQ(Codes(*row->GetMeasure(1)->Notes.back()), (std::vector<int>{ek::LinkAbove}));
}

TEST_F(NoteEntry, DurationsBecomePlainAndDottedValues) {
  const struct {
    const char* name;
    int tick;
    int duration;
    std::uint8_t dots;
    std::vector<std::string> measure0;
    std::vector<std::string> measure1;
  } cases[] = {
      {"dotted quarter", 0, 48, 0, {"C5 48@0 v0 c0"}, {}},
      {"quarter with dot option", 0, 32, ek::Dot, {"C5 48@0 v0 c0"}, {}},
      {"double dot option", 0, 32, ek::DoubleDot, {"C5 56@0 v0 c0"}, {}},
      {"quarter and sixteenth", 0, 40, 0, {"C5 32@0 v0 c0", "C5 8@32 v0 c0"}, {}},
      {"whole from the middle", 32, 128, 0, {"C5 96@32 v0 c0"}, {"C5 32@0 v0 c0"}},
      {"two measures and a half", 64, 256, 0, {"C5 64@64 v0 c0"}, {"C5 128@0 v0 c0"}},
  };
  for (const auto& c : cases) {
    row->ClearMeasures();
    At(0, c.tick);
    TECRow::InsertOptions options{};
    options[1] = c.dots;
    ASSERT_NE(Insert(1, 5, c.duration, options), nullptr) << c.name;
    EXPECT_EQ(Notes(*row->GetMeasure(0)), c.measure0) << c.name;
    if (!c.measure1.empty()) {
      EXPECT_EQ(Notes(*row->GetMeasure(1)), c.measure1) << c.name;
    }
  }
  // The last case ran on into a third measure.
  EXPECT_EQ(Notes(*row->GetMeasure(2)), (std::vector<std::string>{"C5 64@0 v0 c0"}));
  EXPECT_EQ(Cursor(), "2:64");
}

TEST_F(NoteEntry, ChordsVoicesAndDuplicates) {
  At(0, 0);
  TECNote* first = Insert(1, 5, 32);
  At(0, 0);
  TECNote* second = Insert(1, 5, 32);
  At(0, 0);
  EXPECT_EQ(Insert(1, 5, 32), nullptr) << "a pitch stands at most twice in a chord";
  ASSERT_TRUE(first && second);
  EXPECT_NE(first->ChordMark, 0);
  EXPECT_EQ(first->ChordMark, second->ChordMark);
  At(0, 0);
  Insert(3, 5, 32);  // another pitch joins the chord
  At(0, 0);
  Insert(5, 4, 64);  // another value: a second voice
  EXPECT_EQ(Notes(*row->GetMeasure(0)),
            (std::vector<std::string>{"C5 32@0 v0 c1", "C5 32@0 v0 c1", "E5 32@0 v0 c1", "G4 64@0 v1 c0"}));
}

TEST_F(NoteEntry, DotOptionDotsTheWholeChord) {
  At(0, 0);
  Insert(1, 5, 32);
  At(0, 0);
  TECRow::InsertOptions dotted{};
  dotted[1] = ek::Dot;
  Insert(3, 5, 32, dotted);
  for (const auto& note : row->GetMeasure(0)->Notes) {
    EXPECT_EQ(note->Length, 48);
    EXPECT_EQ(Codes(*note), (std::vector<int>{ek::Dot}));
  }
  At(0, 0);
  Insert(5, 5, 32);  // joins the dotted chord with its dot
  EXPECT_EQ(row->GetMeasure(0)->Notes.back()->Length, 48);
  EXPECT_EQ(Cursor(), "0:48");
}

TEST_F(NoteEntry, MultiVoiceRowUsesTheCursorVoice) {
  row->SetVoiceMode(1);
  score->SetCursorVoice(1);
  At(0, 0);
  TECNote* note = Insert(1, 4, 32);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Voice, 1);
  EXPECT_TRUE(note->Flags & TECNote::StemDown) << "voices above 0 take stems down";
  score->SetCursorVoice(0);
  At(0, 0);
  EXPECT_FALSE(Insert(7, 5, 32)->Flags & TECNote::StemDown);
}

TEST_F(NoteEntry, TripletOfEighths) {
  At(0, 0);
  TECRow::InsertOptions triplet{};
  triplet[5] = 3;
  TECNote* first = Insert(1, 5, 16, triplet);
  ASSERT_NE(first, nullptr);
  Insert(2, 5, 16);
  Insert(3, 5, 16);
  const TECMeasure& measure = *row->GetMeasure(0);
  ASSERT_EQ(measure.Items.size(), 1u);
  EXPECT_EQ(DumpElement(*measure.Items[0]),
            "item 140 position=0 end=30 voice=0 count=3 unit=16 shift=0 flags=0x00 lengths=10,11,11");
  EXPECT_EQ(Notes(measure), (std::vector<std::string>{"C5 10@0 v0 c0", "D5 11@10 v0 c0", "E5 11@21 v0 c0"}));
  for (const auto& note : measure.Notes) {
    EXPECT_EQ(note->TupletNumber(), 3);
    EXPECT_EQ(note->BeamGroup, 1);
  }
  EXPECT_EQ(Cursor(), "0:32");
}

TEST_F(NoteEntry, DissolvedTupletNotesAreLaidOutAgain) {
  At(0, 0);
  TECRow::InsertOptions triplet{};
  triplet[5] = 3;
  Insert(1, 5, 16, triplet);
  Insert(2, 5, 16);
  TECMeasure& measure = *row->GetMeasure(0);
  auto tuplet = std::move(measure.Items[0]);
  measure.Items.clear();
  row->DissolveNoteGroup(static_cast<TECTuplet*>(tuplet.get()));
  EXPECT_EQ(Notes(measure), (std::vector<std::string>{"C5 8@0 v0 c0", "C5 2@8 v0 c0", "D5 8@10 v0 c0",
                                                      "D5 3@18 v0 c0"}));
  for (const auto& note : measure.Notes) EXPECT_FALSE(note->InTuplet());
}

TEST_F(NoteEntry, AccidentalInForce) {
  TECRow::InsertOptions sharp{};
  sharp[0] = ek::Sharp;
  At(0, 0);
  Insert(4, 5, 16, sharp, true);
  Insert(4, 5, 16, sharp, true);  // already sharp: no second sign
  Insert(4, 5, 16, {}, true);     // plain after a sharp: natural
  Insert(4, 5, 16, sharp, true);  // sharp again after the natural
  const auto& notes = row->GetMeasure(0)->Notes;
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(Codes(*notes[0]), (std::vector<int>{ek::Sharp}));
  EXPECT_EQ(Codes(*notes[1]), (std::vector<int>{}));
  EXPECT_EQ(Codes(*notes[2]), (std::vector<int>{ek::Natural}));
  EXPECT_EQ(Codes(*notes[3]), (std::vector<int>{ek::Sharp}));
}

// The accidentals of the same pitch before the new note add up; a
// natural sets the sum back to 0.
TEST_F(NoteEntry, AccidentalsInForceAddUp) {
  const struct {
    const char* name;
    std::vector<int> earlier;  // accidental of each earlier F, 0 for none
    int requested;
    std::vector<int> expected;
  } cases[] = {
      {"two sharps are not one sharp", {ek::Sharp, ek::Sharp}, ek::Sharp, {ek::Sharp}},
      {"a sharp and a flat cancel", {ek::Sharp, ek::Flat}, 0, {}},
      {"a natural starts again", {ek::Flat, ek::Natural, ek::Sharp}, ek::Sharp, {}},
      {"double flat and sharp leave a flat", {ek::DoubleFlat, ek::Sharp}, ek::Flat, {}},
  };
  for (const auto& c : cases) {
    SetUp();
    TECMeasure& measure = *row->GetMeasure(0);
    int tick = 0;
    for (int code : c.earlier) {
      TECNote* note = AddNote(measure, 4, 5, 16, tick);
      if (code) AddAttribute(*note, static_cast<std::uint8_t>(code));
      tick += 16;
    }
    TECRow::InsertOptions options{};
    options[0] = static_cast<std::uint8_t>(c.requested);
    At(0, tick);
    TECNote* note = Insert(4, 5, 16, options, true);
    ASSERT_NE(note, nullptr) << c.name;
    EXPECT_EQ(Codes(*note), c.expected) << c.name;
  }
}

TEST_F(NoteEntry, MicrotoneAmountAndArticulations) {
  TECRow::InsertOptions options{};
  options[0] = 3;    // odd: a flat carrying the amount
  options[2] = 108;  // an articulation
  At(0, 0);
  TECNote* note = Insert(2, 5, 32, options);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(Codes(*note), (std::vector<int>{ek::Flat, 108}));
  EXPECT_EQ(note->Attributes[0]->Data[2], 3);
  options[6] = 123;  // such a note takes no articulations
  At(0, 32);
  note = Insert(3, 5, 32, options);
  EXPECT_EQ(Codes(*note), (std::vector<int>{ek::Flat}));
  EXPECT_EQ(note->Options, 0x20);
}

TEST_F(NoteEntry, MarkedNotesDoNotBlockPitchedEntry) {
  At(0, 0);
  Insert(1, 5, 64)->InputMark = 1;
  At(0, 0);
  TECNote* note = row->InsertPitchedNote(5, 5, 0, 0, 1, 0, 32);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Voice, 0) << "the marked note leaves voice 0 free";
  At(0, 0);
  EXPECT_EQ(Insert(3, 5, 16)->Voice, 1) << "other entry sees every note";
}

TEST_F(NoteEntry, RefusedInputs) {
  At(0, 0);
  EXPECT_EQ(Insert(8, 5, 32), nullptr);
  EXPECT_EQ(Insert(1, 5, 0), nullptr);
  score->GetInstrumentAt(0)->GetSymbolMeasure(0, false)->Flag = 1;  // a multi-measure rest
  EXPECT_EQ(Insert(1, 5, 32), nullptr);
  EXPECT_TRUE(row->GetMeasure(0)->Notes.empty());
}

TEST_F(NoteEntry, RepeatSigns) {
  At(0, 32);
  EXPECT_EQ(row->InsertRepeatSign(ek::RepeatNotes, 6), nullptr) << "no sign shorter than a 64th";
  EXPECT_EQ(row->InsertRepeatSign(ek::RepeatNotes, -1), nullptr);
  TECNote* sign = row->InsertRepeatSign(ek::RepeatNotes, 1);
  ASSERT_NE(sign, nullptr);
  EXPECT_EQ(sign->Length, 32);
  EXPECT_EQ(Cursor(), "0:64");
  EXPECT_EQ(row->InsertRepeatSign(ek::RepeatBar, 0), nullptr) << "the measure has music";
  At(1, 0);
  TECNote* bar = row->InsertRepeatSign(ek::RepeatBar, 0);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Length, 128);
  At(1, 0);
  EXPECT_EQ(Insert(1, 5, 32), nullptr) << "a \"Repeat bar\" measure takes no notes";
}

TEST_F(NoteEntry, ReflowKeepsPitchAccidentalAndChord) {
  At(0, 0);
  TECRow::InsertOptions flat{};
  flat[0] = ek::Flat;
  TECNote* note = Insert(2, 5, 32, flat);
  TECNote* piece = row->ReflowNote(note, 96, 0, 90);
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(Notes(*row->GetMeasure(0)), (std::vector<std::string>{"D5 96@0 v0 c0"}));
  EXPECT_EQ(Codes(*piece), (std::vector<int>{ek::Flat, ek::Dot}));
  EXPECT_EQ(piece->Velocity, 90);
}

TEST_F(NoteEntry, LinkNotesCommand) {
  At(0, 0);
  TECNote* a = Insert(1, 5, 32);
  TECNote* b = Insert(3, 5, 32);
  int changed = 0;
  score->OnChanged = [&](TECModelObject*) { ++changed; };
  EXPECT_EQ(row->LinkNotes(a, a, 1), nullptr);
  EXPECT_EQ(row->LinkNotes(a, b, 7), nullptr);
  TECLinkAttribute* link = row->LinkNotes(b, a, 2);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Kind, ek::LinkBelow);
  EXPECT_EQ(link->OwnerNote(), b) << "the later note holds the link";
  EXPECT_EQ(changed, 1);
}

TEST_F(NoteEntry, RefusedInsertionLeavesTheRowAsItWas) {
  score->LayoutScore(0, false);
  score->SetLockUndo(false);
  At(3, 0);
  // A quintuplet of halves spans two whole notes: it fits no measure.
  TECRow::InsertOptions quintuplet{};
  quintuplet[5] = 5;
  EXPECT_EQ(Insert(1, 5, 64, quintuplet), nullptr);
  EXPECT_EQ(row->MeasureCount(), 1);
  EXPECT_EQ(score->UndoCount(), 0);
}

}  // namespace
