#include <gtest/gtest.h>

#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

// Two instruments: a piano of two rows (treble with a tied chord, a dotted
// note, a tuplet and dynamics; bass with a rest and a clef change) and a
// flute with a chord symbol, a symbol and a page text.
std::unique_ptr<TECMusicScore> SmallScore() {
  auto score = std::make_unique<TECMusicScore>();
  // The records as built, without the layout pass.
  score->LayoutSuspended = true;
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument& piano = *score->AppendInstrument();
  piano.SetName("Piano");
  TECRow& treble = *piano.AppendRow();
  TECRow& bass = *piano.AppendRow();
  bass.SetName("Left hand");

  TECMeasure& m0 = *treble.AddMeasure();
  m0.Clef = std::make_unique<TECClef>(1, &m0);
  m0.KeySignature = std::make_unique<TECKeySignature>(32, &m0);
  m0.TimeSignature = std::make_unique<TECTimeSignature>(&m0);
  m0.TimeSignature->Word = 0x0404;
  TECNote* c = AddNote(m0, 1, 5, 64, 0);
  TECNote* e = AddNote(m0, 3, 5, 64, 0);
  c->ChordMark = e->ChordMark = 1;
  TECNote* g = AddNote(m0, 5, 5, 32, 64);
  AddAttribute(*g, ek::Dot);
  g->Length = 48;
  AddAttribute(*g, ek::Sharp)->Data[2] = 1;
  AddNote(m0, 6, 5, 16, 112);
  auto tuplet = std::make_unique<TECTuplet>(&m0);
  tuplet->Position = 64;
  tuplet->Second = 112;
  tuplet->Count = 3;
  tuplet->Lengths = {16, 16, 16};
  m0.Items.push_back(std::move(tuplet));
  m0.Items.push_back(MakeMeasureItem(105, &m0));

  TECMeasure& m1 = *treble.AddMeasure();
  TECNote* tied = AddNote(m1, 6, 5, 128, 0);
  LinkNotes(m0.Notes[3].get(), tied, ek::LinkAbove);

  TECMeasure& b0 = *bass.AddMeasure();
  b0.Clef = std::make_unique<TECClef>(2, &b0);
  AddNote(b0, 1, 3, 64, 0);
  AddRest(b0, 64, 64);
  auto change = MakeMeasureItem(ek::ClefChange, &b0);
  change->Position = 64;
  change->Second = 3;
  b0.Items.push_back(std::move(change));

  TECInstrument& flute = *score->AppendInstrument();
  flute.SetMidiInstrument(73);
  TECMeasure& f0 = *flute.AppendRow()->AddMeasure();
  AddNote(f0, 5, 6, 128, 0);
  auto chord = std::make_unique<TECChordSymbol>(&f0);
  chord->Code = {2, 0, 0x05, 0x21};
  chord->Pieces = {{{1, 0, 0, 0, 0}, "G"}, {{2, 0, 0, 0, 0}, "7"}};
  f0.Items.push_back(std::move(chord));
  score->SetActiveInstrument(1);
  flute.AddSymbol(ek::SymbolRehearsal, 0, 1);
  flute.AddPageText(10, 20, {"Allegro"}, "Arial", 12, 1, 0);
  return score;
}

TEST(ModelDump, SmallScore) {
  const char* expected =
      R"(score time=4/4 sizeStyle=0 measureLength=128 pickup=0/0 unionStyle=0 unionCount=-1 unionLength=64 tempo=60 tempoScale=100 zoom=100 scale=100 maxUndo=10 lockUndo=1
  cursor instrument=1 measure=0 tick=0 voice=0 pitch=35 page=0
  Page Width=1000 Height=800 LeftMargin=100 TopMargin=100 RightMargin=100 BottomMargin=100 Interval=160 poPortrait PaperSize=Custom Rule=1 Unit=rmMM Color=#FFFFFF brush #FFFFFF solid Text=""
  instrument 0 name="Piano" program=0 channel=1 volume=-1 pan=-1 mute=0 accolade=0 asScore=0 pages=1 activeRow=0
    row 0 name="" program=-1 channel=1 volume=-1 pan=-1 mute=0 voiceMode=0 fiveLine=1 united=0
      measure 0 clefInForce=0 keyInForce=0 beamOverride=0 beamGroups=0
        clef 1
        key 32
        time 4/4 style=0
        note 21 C5 value=64 position=0 length=64 start=0 voice=0 chord=1 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
        note 23 E5 value=64 position=0 length=64 start=0 voice=0 chord=1 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
        note 25 G5 value=32 position=64 length=48 start=64 voice=0 chord=0 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
          attr 101 data=0,0,0 value=0
          attr 105 data=0,0,1 value=0
        note 26 A5 value=16 position=112 length=16 start=112 voice=0 chord=0 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
          linked r0/m1/n0
        item 140 position=64 end=112 voice=0 count=3 unit=0 shift=0 flags=0x00 lengths=16,16,16
        item 105 position=0 second=0 voice=0 params=0,0,0,0
      measure 1 clefInForce=1 keyInForce=2 beamOverride=0 beamGroups=0
        note 26 A5 value=128 position=0 length=128 start=0 voice=0 chord=0 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
          link 151 from=r0/m0/n3 offsets=0,0 thickness=4 style=0
    row 1 name="Left hand" program=-1 channel=1 volume=-1 pan=-1 mute=0 voiceMode=0 fiveLine=1 united=0
      measure 0 clefInForce=0 keyInForce=0 beamOverride=0 beamGroups=0
        clef 2
        note 21 C3 value=64 position=0 length=64 start=0 voice=0 chord=0 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
        rest value=64 position=64 length=64 start=64 voice=0 flags=0x00 place=0,0
        item 20 position=64 second=3 voice=0 params=0,0,0,0
  instrument 1 name="" program=73 channel=1 volume=-1 pan=-1 mute=0 accolade=0 asScore=0 pages=1 activeRow=0
    row 0 name="" program=-1 channel=1 volume=-1 pan=-1 mute=0 voiceMode=0 fiveLine=1 united=0
      measure 0 clefInForce=0 keyInForce=0 beamOverride=0 beamGroups=0
        note 25 G6 value=128 position=0 length=128 start=0 voice=0 chord=0 flags=0x00 velocity=64 sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0
        item 51 position=0 voice=0 params=0,0,0 value=0 code=2,0,5,33 text="" pieces=[1,0,0,0,0:G|2,0,0,0,0:7]
    symbols 0 flag=0
      symbol 76 bytes=0,0,0,1
    object 61 page=0 flags=0x00 at=10,20 font="Arial" size=12 style=1 color=0 rotation=0 lines=[Allegro]
)";
  EXPECT_EQ(DumpScore(*SmallScore()), expected);
}

}  // namespace
