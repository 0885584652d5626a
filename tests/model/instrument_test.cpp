#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

class Instrument : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 4);
    score->SetTimeSignature(4, 4, 0, true);
    instrument = score->GetInstrumentAt(0);
    // The records as the instrument keeps them, without the layout pass.
    score->LayoutSuspended = true;
  }
  std::unique_ptr<TECMusicScore> score;
  TECInstrument* instrument = nullptr;
};

TEST(InstrumentDefaults, NewInstrument) {
  TECMusicScore score;
  TECInstrument* instrument = score.AppendInstrument();
  EXPECT_EQ(instrument->PageCount(), 1);
  EXPECT_EQ(instrument->Channel(), 1);
  EXPECT_EQ(instrument->Volume(), -1);
  EXPECT_EQ(instrument->Pan(), -1);
  EXPECT_EQ(instrument->GetRowCount(), 0);
  EXPECT_EQ(instrument->GetActiveRow(), nullptr);
  EXPECT_EQ(instrument->GetIndex(), 0);
}

TEST_F(Instrument, SettingRanges) {
  const struct {
    const char* name;
    void (TECInstrument::*set)(int);
    int (TECInstrument::*get)() const;
    int value;
    int expected;
  } cases[] = {
      {"channel 0", &TECInstrument::SetChannel, &TECInstrument::Channel, 0, 1},
      {"channel 17", &TECInstrument::SetChannel, &TECInstrument::Channel, 17, 1},
      {"channel 16", &TECInstrument::SetChannel, &TECInstrument::Channel, 16, 16},
      {"volume 128", &TECInstrument::SetVolume, &TECInstrument::Volume, 128, -1},
      {"volume -2", &TECInstrument::SetVolume, &TECInstrument::Volume, -2, -1},
      {"volume 127", &TECInstrument::SetVolume, &TECInstrument::Volume, 127, 127},
      {"pan 0", &TECInstrument::SetPan, &TECInstrument::Pan, 0, 0},
  };
  for (const auto& c : cases) {
    TECMusicScore local;
    TECInstrument* i = local.AppendInstrument();
    (i->*c.set)(c.value);
    EXPECT_EQ((i->*c.get)(), c.expected) << c.name;
  }
  instrument->SetVolume(10);
  instrument->SetVolume(-1);
  EXPECT_EQ(instrument->Volume(), -1);
}

TEST_F(Instrument, SettersReportWithTheInstrumentAsSender) {
  std::vector<std::string> events;
  score->OnStaveChanged = [&](TECModelObject* sender, TECStaveOperation op, TECModelObject* stave) {
    EXPECT_EQ(sender, instrument);
    EXPECT_EQ(stave, instrument);
    events.push_back("stave " + std::to_string(static_cast<int>(op)));
  };
  std::vector<std::vector<int>> sent;
  score->OnPlayShort = [&](TECModelObject*, std::uint8_t m, std::uint8_t d1, std::uint8_t d2) {
    sent.push_back({m, d1, d2});
  };
  score->OnChanged = [&](TECModelObject* sender) {
    EXPECT_EQ(sender, instrument);
    events.push_back("changed");
  };
  instrument->SetName("Oboe");
  instrument->SetMidiInstrument(68);
  EXPECT_EQ(instrument->Name(), "");
  instrument->SetChannel(16);
  instrument->SetVolume(80);
  score->Playing = true;
  instrument->SetPan(30);
  EXPECT_EQ(events.size(), 10u);
  EXPECT_EQ(sent, (std::vector<std::vector<int>>{{0xBF, 10, 30}}));
}

TEST_F(Instrument, DeletingRows) {
  std::vector<TECModelObject*> destroyed;
  score->OnStaveChanged = [&](TECModelObject* sender, TECStaveOperation op, TECModelObject* stave) {
    if (op != TECStaveOperation::soDestroyed) return;
    EXPECT_EQ(sender, stave);
    destroyed.push_back(stave);
  };
  instrument->DeleteRow(0);
  EXPECT_EQ(instrument->GetRowCount(), 1) << "the last row stays";
  instrument->AddRow(false);
  instrument->AddRow(false);
  instrument->SetActiveRow(2);
  instrument->DeleteRow(2);
  EXPECT_EQ(instrument->GetRowCount(), 2);
  EXPECT_EQ(instrument->GetActiveRowIndex(), 1);
  instrument->DeleteRow(5);
  EXPECT_EQ(instrument->GetRowCount(), 2);
  EXPECT_EQ(destroyed.size(), 1u);
  score->DeleteInstrumentAt(0);
  EXPECT_EQ(destroyed.size(), 4u) << "the instrument and its two rows";
  EXPECT_EQ(destroyed[1], instrument);
  score->AppendInstrument()->AppendRow();
  score->OnStaveChanged = [&](TECModelObject*, TECStaveOperation, TECModelObject*) { ADD_FAILURE(); };
  score.reset();
}

TEST_F(Instrument, AddRowCopiesKeyAndTimeRecords) {
  TECRow* first = instrument->GetRow(0);
  first->SetKeySignature(2, 41);
  first->SetTimeSignature(3, 3, 4, 0);
  first->SetClef(0, 2);
  std::vector<std::string> events;
  score->OnStaveChanged = [&](TECModelObject*, TECStaveOperation op, TECModelObject*) {
    events.push_back("stave " + std::to_string(static_cast<int>(op)));
  };
  TECRow* row = instrument->AddRow(true);
  EXPECT_EQ(row->GetKeySignature(2), 41);
  EXPECT_EQ(row->GetMeasure(3)->TimeSignature->Word, 0x0304);
  EXPECT_EQ(row->GetClef(0), 0);
  EXPECT_EQ(events, std::vector<std::string>{"stave 0"});
}

TEST_F(Instrument, MoveAndDuplicateRows) {
  TECRow* first = instrument->GetRow(0);
  first->SetName("One");
  TECRow* copy = instrument->DuplicateRow(-1);
  EXPECT_EQ(instrument->GetRow(1), copy);
  EXPECT_EQ(copy->Name(), "One");
  EXPECT_EQ(copy->MeasureCount(), 4);
  instrument->MoveActiveRow(5);
  EXPECT_EQ(instrument->GetRow(1), first);
  EXPECT_EQ(instrument->GetActiveRowIndex(), 1);
  EXPECT_EQ(instrument->VisibleRowCount(), 2);
  copy->SetUnited(true);
  EXPECT_EQ(instrument->VisibleRowCount(), 1);
}

TEST_F(Instrument, PageObjectsStayOrderedByPage) {
  instrument->SetPageCount(3);
  score->SetActivePage(2);
  TECPageText* a = instrument->AddPageText(0, 0, {"a"}, "Arial", 10, 0, 0);
  TECPageLine* b = instrument->AddPageLine(0, 0, 50, 50, 1, 0, 0);
  score->SetActivePage(1);
  TECPageShape* c = instrument->AddPageShape(ek::PageEllipse, 5, 5, 20, 10, 1, 0, 0, 0, 0);
  TECPageArc* d = instrument->AddArcObject(ek::PagePie, 0, 0, 30, 40, 1, 0, 0, 0, 0);
  const auto& objects = instrument->TextsRow().Objects;
  ASSERT_EQ(objects.size(), 4u);
  // Each goes before the first object of its page or a later one.
  EXPECT_EQ(objects[0].get(), d);
  EXPECT_EQ(objects[1].get(), c);
  EXPECT_EQ(objects[2].get(), b);
  EXPECT_EQ(objects[3].get(), a);
  EXPECT_EQ(DumpElement(*d), "object 67 page=1 flags=0x00 at=1000,1000 size=30x40 pen=1/0/0 brush=0/0 arc=1000,1000-1030,1040");
  EXPECT_EQ(instrument->AddPageShape(ek::PageArc, 0, 0, 1, 1, 1, 0, 0, 0, 0), nullptr);
}

TEST_F(Instrument, SpaceAfterBar) {
  score->GoToMeasure(2);
  const struct {
    int delta, expected;
  } steps[] = {{-1, 0}, {5, 5}, {995, 5}, {994, 999}};
  for (const auto& s : steps) {
    instrument->ChangeSpaceAfterBar(s.delta);
    const TECMeasureLayout* layout = instrument->LayoutAt(2);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->SpaceAfterBar, s.expected) << s.delta;
  }
  EXPECT_EQ(instrument->LayoutAt(0)->HeaderWidth, 38);
  EXPECT_EQ(instrument->LayoutAt(1)->ContentWidth, 56);
  instrument->ChangeSpaceAfterBar(-2000);
  EXPECT_TRUE(instrument->Layouts().empty()) << "back at 0, the records that hold nothing go";
}

TEST_F(Instrument, PageBreakAndTrailingRecords) {
  score->GoToMeasure(3);
  instrument->SetPageBreak(true);
  ASSERT_NE(instrument->LayoutAt(3), nullptr);
  EXPECT_EQ(instrument->LayoutAt(3)->PageBreak, 1);
  instrument->SetPageBreak(false);
  EXPECT_TRUE(instrument->Layouts().empty()) << "records that hold no setting go";
}

TEST_F(Instrument, AddSymbolUpdatesAnItemOfTheSameKind) {
  score->GoToMeasure(1);
  instrument->AddSymbol(ek::SymbolBarNumber, 5, 0);
  instrument->AddSymbol(ek::SymbolBarNumber, 9, 0);
  instrument->AddSymbol(ek::SymbolEndRepeat, 0, 0);
  instrument->AddSymbol(ek::SymbolFinalBarline, 0, 0);
  TECSymbolEntry* entry = instrument->SymbolsRow().At(1);
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(entry->Items.size(), 2u);
  EXPECT_EQ(entry->Items[0]->Byte(1), 9);
  EXPECT_EQ(entry->Items[1]->Kind, ek::SymbolFinalBarline);
  EXPECT_TRUE(instrument->IsSymbolMeasureEmpty(0));
  EXPECT_TRUE(instrument->IsSymbolMeasureEmpty(40));
}

TEST_F(Instrument, MultiMeasureRestNeedsAnEmptyMeasure) {
  AddNote(*instrument->GetRow(0)->GetMeasure(0), 1, 5, 32, 0);
  instrument->AddSymbol(ek::SymbolMultiRest, 4, 0);
  EXPECT_TRUE(instrument->IsSymbolMeasureEmpty(0));
  score->GoToMeasure(1);
  instrument->AddSymbol(ek::SymbolMultiRest, 4, 0);
  EXPECT_EQ(instrument->SymbolsRow().At(1)->Flag, 1);
}

TEST_F(Instrument, LengthChangeKeepsSymbolsOnTheSameMusic) {
  score->GoToMeasure(1);
  score->SetCursorPosition(96);
  instrument->AddTempoMark(4, 120);
  score->GoToMeasure(2);
  instrument->AddSymbol(ek::SymbolMultiRest, 4, 0);
  instrument->AddSymbol(ek::SymbolVolta, 1, 3);
  score->SetTimeSignature(2, 4, 0, true);
  // Tick 128 + 96 lies in measure 3 of 64 ticks, at 32; measure 2 (tick
  // 256) becomes measure 4, its counts cover twice as many measures.
  const TECSymbolEntry* tempo = instrument->SymbolsRow().At(3);
  ASSERT_NE(tempo, nullptr);
  ASSERT_EQ(tempo->Items.size(), 1u);
  EXPECT_EQ(tempo->Items[0]->Tick(), 32);
  EXPECT_EQ(tempo->Items[0]->Tempo(), 120);
  const TECSymbolEntry* rest = instrument->SymbolsRow().At(4);
  ASSERT_NE(rest, nullptr);
  ASSERT_EQ(rest->Items.size(), 2u);
  EXPECT_EQ(rest->Items[0]->Byte(1), 8);
  EXPECT_EQ(rest->Items[1]->Byte(1), 6);
  EXPECT_EQ(rest->Flag, 1);
  EXPECT_TRUE(instrument->IsSymbolMeasureEmpty(2));
  // And back: counts are kept within 1..255.
  score->SetTimeSignature(60, 16, 0, true);
  const TECSymbolEntry* first = instrument->SymbolsRow().At(0);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->Items.size(), 3u);
  EXPECT_EQ(first->Items[1]->Byte(1), 1) << "8 x 64 / 480 rounds to nothing";
  EXPECT_EQ(first->Items[2]->Byte(1), 1);
}

TEST_F(Instrument, MeasureLengthOfThePickup) {
  score->SetTimeSignature(3, 8, 0, true);
  score->SetAufTakt(3, 4);
  EXPECT_EQ(instrument->MeasureLength(0), 96);
  EXPECT_EQ(instrument->MeasureLength(1), 48);
  EXPECT_EQ(instrument->MeasureNumerator(0), 3);
  instrument->GetRow(0)->SetTimeSignature(2, 5, 4, 0);
  instrument->UpdateMeasureTimes();
  EXPECT_EQ(instrument->MeasureLength(2), 160);
  EXPECT_EQ(instrument->MeasureLength(50), 160);
  EXPECT_EQ(instrument->LayoutAt(3)->StartTick, 96u + 48 + 160);
}

TEST_F(Instrument, MaxKeyAccidentals) {
  instrument->AddRow(false);
  instrument->GetRow(0)->SetKeySignature(1, 43);
  instrument->GetRow(1)->SetKeySignature(1, 32);
  instrument->GetRow(1)->GetMeasure(1)->KeyInForce = 5;
  EXPECT_EQ(instrument->MaxKeyAccidentals(1, false), 3);
  EXPECT_EQ(instrument->MaxKeyAccidentals(1, true), 5);
  EXPECT_EQ(instrument->MaxKeyAccidentals(0, false), 0);
}

TEST_F(Instrument, MeasureWidthLaidOutOrEstimated) {
  const TECRow* row = instrument->GetRow(0);
  row->GetMeasure(3)->KeyInForce = 13;
  EXPECT_EQ(instrument->MeasureWidth(0, 0), 78 + 18) << "opens the system: clef and three flats";
  EXPECT_EQ(instrument->MeasureWidth(0, 2), 56);
  row->GetMeasure(3)->KeyInForce = 10;
  EXPECT_EQ(instrument->MeasureWidth(0, 0), 138);
  TECMeasureLayout* layout = instrument->EnsureLayout(2);
  layout->HeaderWidth = 20;
  layout->ExtraWidth = 4;
  layout->ContentWidth = 100;
  layout->SpaceAfterBar = 7;
  EXPECT_EQ(instrument->MeasureWidth(0, 2), 131);
  TECMusicScore empty;
  TECInstrument* none = empty.AppendInstrument();
  none->AppendRow();
  EXPECT_EQ(none->MeasureWidth(0, 0), 94);
}

TEST_F(Instrument, SnapCursorGoesToTheNearestEventOfAnyRow) {
  instrument->AddRow(false);
  AddNote(*instrument->GetRow(0)->GetMeasure(0), 1, 5, 16, 16);
  AddRest(*instrument->GetRow(1)->AddMeasure(), 8, 24);
  score->SetCursorPosition(21);
  instrument->SnapCursor();
  EXPECT_EQ(score->CursorTick(), 24);
  score->SetCursorPosition(19);
  instrument->SnapCursor();
  EXPECT_EQ(score->CursorTick(), 16);
  score->GoToMeasure(3);
  score->SetCursorPosition(50);
  instrument->SnapCursor();
  EXPECT_EQ(score->CursorTick(), 0);
}

TEST_F(Instrument, AssignCopiesRowsSymbolsAndPageObjects) {
  instrument->SetName("Horn");
  instrument->SetVolume(70);
  AddNote(*instrument->GetRow(0)->GetMeasure(1), 4, 4, 32, 32);
  score->GoToMeasure(1);
  instrument->AddSymbol(ek::SymbolRehearsal, 2, 1);
  instrument->AddTempoMark(2, 90);
  instrument->AddPagePicture(0, 0, 10, 10, TECPicture{258, {1, 2, 3}});
  TECInstrument* copy = score->AppendInstrument();
  copy->Assign(*instrument);
  // Measure times are the layout's to refresh.
  instrument->UpdateMeasureTimes();
  copy->UpdateMeasureTimes();
  std::string expected = DumpInstrument(*instrument);
  expected.replace(0, 12, "instrument 1");
  expected.replace(expected.find("volume=70"), 9, "volume=-1");
  EXPECT_EQ(DumpInstrument(*copy), expected);
}

}  // namespace
