#include "playback/play_list_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/drum_map.h"
#include "playback/ornament_expansion.h"
#include "play_fixtures.h"

namespace {

using namespace play_fixtures;

// The first two lines of a dump: result and start, then the step order.
std::string Order(const PlaySession& session) {
  std::istringstream in(session.Dump());
  std::string first, second;
  std::getline(in, first);
  std::getline(in, second);
  return first + "\n" + second;
}

void SetKey(TECMeasure& measure, std::uint8_t code) { measure.KeySignature = std::make_unique<TECKeySignature>(code, &measure); }

TEST(PlaySession, ATiedPairGivesAnAttackAndAContinuation) {
  auto score = score_builder::MakeScore(1, 2);
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  TECNote* a = AddNote(first, 1, 5, 32, 0);
  TECNote* b = AddNote(first, 1, 5, 64, 32);
  LinkNotes(a, b, 151);
  // Over the bar line: a half note at the end of measure 0 tied to a
  // quarter at the start of measure 1.
  TECNote* c = AddNote(first, 1, 5, 32, 96);
  TECNote* d = AddNote(MeasureOf(*score, 0, 0, 1), 1, 5, 32, 0);
  LinkNotes(c, d, 151);
  // A slur to another pitch is no continuation.
  TECNote* e = AddNote(MeasureOf(*score, 0, 0, 1), 2, 5, 32, 32);
  LinkNotes(d, e, 152);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0 1\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "    32 key 60 dur 64 vel 64 ch 0 prog 0 cont\n"
            "    96 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "step 1: length 128 tempo 0\n"
            "  row 0 measure 1\n"
            "    0 key 60 dur 32 vel 64 ch 0 prog 0 cont\n"
            "    32 key 62 dur 32 vel 64 ch 0 prog 0\n");
}

struct WalkCase {
  std::string Name;
  int Measures;
  std::function<void(TECInstrument&)> Marks;
  std::string Order;
  int CursorMeasure = 0;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.Name; }

class Walks : public testing::TestWithParam<WalkCase> {};

TEST_P(Walks, StepsFollowTheJumps) {
  const WalkCase& c = GetParam();
  auto score = score_builder::MakeScore(1, c.Measures);
  c.Marks(*score->GetInstrumentAt(0));
  score->GoToMeasure(c.CursorMeasure);
  EXPECT_EQ(Order(*BuildPlayEvents(*score)), c.Order);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Walks,
    testing::Values(
        WalkCase{"EndRepeatPlaysTwice", 5, [](TECInstrument& i) { AddSymbol(i, 3, 86); },
                 "result 1 start 0\norder 0 1 2 3 0 1 2 3 4"},
        WalkCase{"RepeatFromTheStartRepeat", 4,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, 85);
                   AddSymbol(i, 2, 86);
                 },
                 "result 1 start 0\norder 0 1 2 1 2 3"},
        // The first ending (with the end repeat), then the second.
        WalkCase{"FirstAndSecondEndingsInTurn", 4,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, ek::SymbolVolta, 1, 1);
                   AddSymbol(i, 1, 86);
                   AddSymbol(i, 2, ek::SymbolVolta, 1, 2);
                 },
                 "result 1 start 0\norder 0 1 0 2 3"},
        // The to-coda is passed over the first time and jumps after the D.C.
        WalkCase{"DaCapoThenToCoda", 4,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, 73);
                   AddSymbol(i, 2, 74);
                   AddSymbol(i, 3, 72);
                 },
                 "result 1 start 0\norder 0 1 2 0 1 3"},
        WalkCase{"DalSegno", 4,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, 71);
                   AddSymbol(i, 2, 75);
                 },
                 "result 1 start 0\norder 0 1 2 1 2 3"},
        WalkCase{"ToCodaWithoutCodaDoesNotJump", 3,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, 73);
                   AddSymbol(i, 2, 74);
                 },
                 "result 1 start 0\norder 0 1 2 0 1 2"},
        WalkCase{"MultiMeasureRestLeavesThreeEmptyPositions", 3,
                 [](TECInstrument& i) { AddSymbol(i, 1, ek::SymbolMultiRest, 3); },
                 "result 1 start 0\norder 0 1 - - - 2"},
        // On the first pass no volta numbered 1 exists: the walk goes past the chain, past the last measure.
        WalkCase{"VoltaTargetPastTheEndEndsTheWalk", 2,
                 [](TECInstrument& i) { AddSymbol(i, 1, ek::SymbolVolta, 1, 2); }, "result 1 start 0\norder 0"},
        // The start step is the first position of the cursor measure.
        WalkCase{"StartStepAtTheCursorMeasure", 4,
                 [](TECInstrument& i) {
                   AddSymbol(i, 1, 74);
                 },
                 "result 1 start 4\norder 0 1 0 1 2 3", 2}),
    [](const testing::TestParamInfo<WalkCase>& info) { return info.param.Name; });

TEST(PlaySession, EmptyPositionsLastAsLongAsTheMeasureBefore) {
  auto score = score_builder::MakeScore(1, 2);
  score->SetTimeSignature(3, 4, 0, true);
  AddSymbol(*score->GetInstrumentAt(0), 0, ek::SymbolMultiRest, 1);
  const auto session = BuildPlayEvents(*score);
  ASSERT_EQ(session->Steps.size(), 3u);
  EXPECT_EQ(session->Steps[1].Length, 96);
  EXPECT_TRUE(session->Steps[1].Lists.empty());
}

TEST(PlaySession, AFlatThenANaturalInOneMeasure) {
  auto score = score_builder::MakeScore(1, 3);
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  AddAttribute(*AddNote(first, 3, 5, 16, 0), ek::Flat);
  AddNote(first, 3, 5, 16, 16);
  AddNote(first, 3, 6, 16, 32);  // another octave keeps its key
  AddAttribute(*AddNote(first, 3, 5, 16, 48), ek::Natural);
  AddNote(first, 3, 5, 16, 64);
  // F major: B flat from the key; a natural B sounds B for the rest of the
  // measure, and the next measure is back to B flat.
  TECMeasure& second = MeasureOf(*score, 0, 0, 1);
  SetKey(second, 41);
  AddNote(second, 7, 4, 32, 0);
  AddAttribute(*AddNote(second, 7, 4, 32, 32), ek::Natural);
  AddNote(second, 7, 4, 32, 64);
  AddNote(MeasureOf(*score, 0, 0, 2), 7, 4, 32, 0);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0 1 2\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 63 dur 16 vel 64 ch 0 prog 0\n"
            "    16 key 63 dur 16 vel 64 ch 0 prog 0\n"
            "    32 key 76 dur 16 vel 64 ch 0 prog 0\n"
            "    48 key 64 dur 16 vel 64 ch 0 prog 0\n"
            "    64 key 64 dur 16 vel 64 ch 0 prog 0\n"
            "step 1: length 128 tempo 0\n"
            "  row 0 measure 1\n"
            "    0 key 58 dur 32 vel 64 ch 0 prog 0\n"
            "    32 key 59 dur 32 vel 64 ch 0 prog 0\n"
            "    64 key 59 dur 32 vel 64 ch 0 prog 0\n"
            "step 2: length 128 tempo 0\n"
            "  row 0 measure 2\n"
            "    0 key 58 dur 32 vel 64 ch 0 prog 0\n");
}

TEST(PlaySession, SubNotesTakeTheKeyOfTheirStep) {
  auto score = score_builder::MakeScore(1, 1);
  AnswerSettings(*score);
  TECMeasure& measure = MeasureOf(*score, 0, 0, 0);
  SetKey(measure, 31);  // G major: F sharp
  TECNote* tremolo = AddNote(measure, 4, 5, 32, 0);
  AddAttribute(*tremolo, 111);
  // A trill on E: its upper neighbour F is sharp from the key.
  TECNote* trill = AddNote(measure, 3, 5, 64, 32);
  AddItem(measure, 184, 32);
  // A flat trill on A: B flat, against the key's B.
  TECNote* flatTrill = AddNote(measure, 6, 5, 32, 96);
  AddItem(measure, 185, 96);
  for (TECNote* note : {tremolo, trill, flatTrill}) ExpandNoteSequence(*score, *note);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    8 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    16 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    24 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    32 key 64 dur 8 vel 64 ch 0 prog 0\n"
            "    40 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    48 key 64 dur 8 vel 64 ch 0 prog 0\n"
            "    56 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    64 key 64 dur 8 vel 64 ch 0 prog 0\n"
            "    72 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    80 key 64 dur 8 vel 64 ch 0 prog 0\n"
            "    88 key 66 dur 8 vel 64 ch 0 prog 0\n"
            "    96 key 69 dur 4 vel 64 ch 0 prog 0\n"
            "    100 key 70 dur 4 vel 64 ch 0 prog 0\n"
            "    104 key 69 dur 4 vel 64 ch 0 prog 0\n"
            "    108 key 70 dur 4 vel 64 ch 0 prog 0\n"
            "    112 key 69 dur 4 vel 64 ch 0 prog 0\n"
            "    116 key 70 dur 4 vel 64 ch 0 prog 0\n"
            "    120 key 69 dur 4 vel 64 ch 0 prog 0\n"
            "    124 key 70 dur 4 vel 64 ch 0 prog 0\n");
}

TEST(PlaySession, GracesShiftTheMainNoteOnce) {
  auto score = score_builder::MakeScore(1, 1);
  AnswerSettings(*score);
  TECMeasure& measure = MeasureOf(*score, 0, 0, 0);
  auto addGraces = [](TECNote& note, int value) {
    auto* group = static_cast<TECGraceGroup*>(AddAttribute(note, ek::GraceNotes));
    group->Data[0] = static_cast<std::uint8_t>(value);
    for (int k = 0; k < 2; ++k) {
      group->Notes.push_back(std::make_unique<TECGraceNote>(group));
      group->Notes.back()->Step = 2;
      group->Notes.back()->Octave = 5;
    }
  };
  // Untimed graces: g = 32 / 2 / 3 = 5 each, the note from 10 for 22.
  addGraces(*AddNote(measure, 1, 5, 32, 0), 0);
  // Graces the expansion timed at 4 ticks: the note starts 8 later and
  // sounds 24, and the build leaves it there.
  TECNote* timed = AddNote(measure, 1, 5, 32, 64);
  addGraces(*timed, 4);
  ExpandNoteSequence(*score, *timed);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 62 dur 5 vel 64 ch 0 prog 0\n"
            "    5 key 62 dur 5 vel 64 ch 0 prog 0\n"
            "    10 key 60 dur 22 vel 64 ch 0 prog 0\n"
            "    64 key 62 dur 4 vel 64 ch 0 prog 0\n"
            "    68 key 62 dur 4 vel 64 ch 0 prog 0\n"
            "    72 key 60 dur 24 vel 64 ch 0 prog 0\n");
}

TEST(PlaySession, MeasuresOfDifferentLengthsAtOnePositionFail) {
  auto score = score_builder::MakeScore(2, 2);
  score->GetInstrumentAt(1)->GetRow(0)->SetTimeSignature(0, 3, 4, 0);
  std::vector<const TECMeasure*> reported;
  score->OnPlayError = [&](TECModelObject* sender, const std::vector<const TECMeasure*>& measures) {
    EXPECT_EQ(sender, score.get());
    reported = measures;
  };

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Result, -1);
  EXPECT_TRUE(session->Steps.empty());
  EXPECT_EQ(reported, (std::vector<const TECMeasure*>{&MeasureOf(*score, 0, 0, 0), &MeasureOf(*score, 1, 0, 0)}));
}

TEST(PlaySession, AScoreWithoutRowsGivesZero) {
  TECMusicScore score;
  score.AppendInstrument();
  EXPECT_EQ(BuildPlayEvents(score)->Result, 0);
}

TEST(PlaySession, KeysOutsideTheMidiRangeGiveNoEvent) {
  auto score = score_builder::MakeScore(1, 2);
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  AddNote(first, 5, 10, 32, 0);                               // G10 = 127
  AddNote(first, 7, 11, 32, 32);                              // B11 = 143
  AddAttribute(*AddNote(first, 1, 0, 32, 64), ek::Flat);      // C0 flat = -1
  AddNote(first, 1, 0, 32, 96);                               // C0 still flat from the measure: -1
  TECMeasure& second = MeasureOf(*score, 0, 0, 1);
  AddItem(second, 223, 0, 64);  // an octave up over ticks 0..64
  AddNote(second, 5, 10, 32, 0);
  AddNote(second, 5, 5, 32, 32);
  AddNote(second, 5, 5, 32, 96);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0 1\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 127 dur 32 vel 64 ch 0 prog 0\n"
            "step 1: length 128 tempo 0\n"
            "  row 0 measure 1\n"
            "    32 key 79 dur 32 vel 64 ch 0 prog 0\n"
            "    96 key 67 dur 32 vel 64 ch 0 prog 0\n");
}

TEST(PlaySession, ChannelsProgramsDrumsPedalsAndTempo) {
  auto score = score_builder::MakeScore(2, 2);
  AnswerSettings(*score);
  TECInstrument& piano = *score->GetInstrumentAt(0);
  piano.SetChannel(3);
  piano.SetMidiInstrument(5);
  piano.SetVolume(90);
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  AddItem(first, 179, 0);
  AddItem(first, 180, 64);
  AddNote(first, 1, 5, 32, 0)->Extra[3] = 41;  // its own instrument: program 40
  AddNote(first, 1, 5, 32, 32);
  AddSymbol(piano, 0, ek::TempoMark);
  piano.SymbolsRow().At(0)->Items.back()->SetByte(3, 16);  // an eighth
  piano.SymbolsRow().At(0)->Items.back()->SetTempo(120);   // = 60 quarters
  AddText(MeasureOf(*score, 0, 0, 1), 0, "Allegro");
  // The second instrument: a percussion row with program 128 (imported
  // drums), whose C5 plays the snare of the drum map.
  TECRow& drums = *score->GetInstrumentAt(1)->GetRow(0);
  drums.SetClef(0, 14);
  drums.SetMidiInstrument(128);
  drums.SetPan(10);
  SetDrumMapEntry(*score, 38, "Snare", true, 58, 255);
  AddNote(MeasureOf(*score, 1, 0, 0), 1, 5, 32, 0);
  AddNote(MeasureOf(*score, 1, 0, 0), 2, 5, 32, 32);

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 2 start 0\n"
            "order 0 1\n"
            "row 0: instrument 0 row 0 ch 2 prog 5 vol 90 pan -1\n"
            "row 1: instrument 1 row 0 ch 0 prog -1 vol -1 pan 10\n"
            "step 0: length 128 tempo 60\n"
            "  row 0 measure 0\n"
            "    0 pedal-down value 127 ch 2 prog -1\n"
            "    64 pedal-up value 0 ch 2 prog -1\n"
            "    0 key 60 dur 32 vel 64 ch 2 prog 40\n"
            "    32 key 60 dur 32 vel 64 ch 2 prog 5\n"
            "  row 1 measure 0\n"
            "    0 key 38 dur 32 vel 64 ch 9 prog -1\n"
            "    32 key 62 dur 32 vel 64 ch 9 prog -1\n"
            "step 1: length 128 tempo 120\n"
            "  row 0 measure 1\n"
            "  row 1 measure 1\n");
}

TEST(PlaySession, RepeatSignsCopyEarlierEvents) {
  auto score = score_builder::MakeScore(1, 2);
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  AddNote(first, 1, 5, 32, 0);
  // "Repeat notes" of a quarter at 32 repeats the quarter before it.
  TECNote* repeatNotes = AddNote(first, 1, 5, 32, 32);
  repeatNotes->Kind = ek::RepeatNotes;
  AddNote(first, 3, 5, 32, 96);
  // "Repeat bar" plays measure 0 again.
  AddNote(MeasureOf(*score, 0, 0, 1), 1, 5, 128, 0)->Kind = ek::RepeatBar;

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Dump(),
            "result 1 start 0\n"
            "order 0 1\n"
            "row 0: instrument 0 row 0 ch 0 prog 0 vol -1 pan -1\n"
            "step 0: length 128 tempo 0\n"
            "  row 0 measure 0\n"
            "    0 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "    32 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "    96 key 64 dur 32 vel 64 ch 0 prog 0\n"
            "step 1: length 128 tempo 0\n"
            "  row 0 measure 1\n"
            "    0 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "    32 key 60 dur 32 vel 64 ch 0 prog 0\n"
            "    96 key 64 dur 32 vel 64 ch 0 prog 0\n");
}

// Playing lays out the instruments that have no layout records yet; the
// user keeps looking at the page, the place and the instrument they were at.
TEST(PlaySession, LayingOutTheOtherInstrumentsLeavesTheViewAlone) {
  auto score = score_builder::MakeScore(2, 60);
  AnswerSettings(*score);
  for (int i = 0; i < 2; ++i)
    for (int m = 0; m < 60; ++m) AddNote(MeasureOf(*score, i, 0, m), 1, 5, 64, 0);
  FakeScoreHost host;
  score->SetHost(&host);
  score->LayoutScore(0, false);
  const TECInstrument& shown = *score->GetInstrumentAt(0);
  ASSERT_GE(shown.PageCount(), 3) << "the fixture needs a page beyond the first";
  ASSERT_TRUE(score->GetInstrumentAt(1)->Layouts().empty());
  score->SetActivePage(2);
  score->ScrollTo(TECScrollBarKind::sbVertical, score->VertScrollBar.Position + 40);
  score->ScrollTo(TECScrollBarKind::sbHorizontal, score->HorzScrollBar.Position + 30);
  const int cursorMeasure = score->CursorMeasure();
  const TECScrollBar vertical = score->VertScrollBar, horizontal = score->HorzScrollBar;
  int staveEvents = 0, pageEvents = 0;
  score->OnStaveChanged = [&](TECModelObject*, TECStaveOperation, TECModelObject*) { ++staveEvents; };
  score->OnActivePageChanged = [&](TECModelObject*) { ++pageEvents; };
  const std::size_t scrolls = host.scrolls.size();

  const auto session = BuildPlayEvents(*score);

  EXPECT_EQ(session->Result, 2);
  EXPECT_FALSE(score->GetInstrumentAt(1)->Layouts().empty());
  EXPECT_EQ(score->GetActiveInstrument(), 0);
  EXPECT_EQ(score->GetActivePage(), 2);
  EXPECT_EQ(score->CursorMeasure(), cursorMeasure);
  EXPECT_EQ(score->VertScrollBar, vertical);
  EXPECT_EQ(score->HorzScrollBar, horizontal);
  EXPECT_EQ(host.scrolls.size(), scrolls);
  EXPECT_EQ(staveEvents, 0);
  EXPECT_EQ(pageEvents, 0);
  score->SetHost(nullptr);
}

TEST(PlaySession, TheSessionOutlivesItsScore) {
  auto score = score_builder::MakeScore(2, 4);
  AnswerSettings(*score);
  AddSymbol(*score->GetInstrumentAt(0), 1, 86);
  for (int i = 0; i < 2; ++i)
    for (int m = 0; m < 4; ++m) {
      TECNote* note = AddNote(MeasureOf(*score, i, 0, m), 1 + m, 5, 64, 0);
      AddAttribute(*note, 112);
      ExpandNoteSequence(*score, *note);
    }
  const auto session = BuildPlayEvents(*score);
  const std::string before = session->Dump();
  ASSERT_NE(before.find("order 0 1 0 1 2 3"), std::string::npos);

  score->ClearInstruments();
  score.reset();

  EXPECT_EQ(session->Dump(), before);
}

}  // namespace
