// The layout pass against hand-computed layouts on the default page: 96
// DPI, Zoom and Scale 100, page 100 x 80 mm with 10 mm margins and a 16 mm
// interval. In base pixels the system runs from x 37 (10 mm = 37.8 px) to
// 340 (90 mm = 340.2 px); 60 mm of height are usable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "model/measure.h"
#include "model/symbols_row.h"

using layout_test::Instrument;
using layout_test::Lines;
using layout_test::MakeScore;
using layout_test::Record;
using testing::StartsWith;

namespace {

// Sixteen runs of eight: one pixel every eighth tick after the 10 of tick 0.
const std::string kEmptyPositions =
    "10 11*8 12*8 13*8 14*8 15*8 16*8 17*8 18*8 19*8 20*8 21*8 22*8 23*8 24*8 25*8 26*8";

TEST(LayoutPass, EmptyMeasureEvenlyAtDensityZero) {
  auto score = MakeScore(1, 1);
  score->LayoutSuspended = true;
  score->SetHorzAlign(false);
  score->LayoutSuspended = false;
  nv::render::LayoutScore(*score, 0, false);
  // Header: clef 20, key without accidentals 2, time 18. Content: 26 of
  // positions and a closing 2 stay within the 56 every measure starts with.
  // The measure does not end its system: measures after the music take
  // their places.
  EXPECT_EQ(Record(*score, 0),
            "m0 sys=0 page=0 bar=1 head=40 extra=0 content=56 close=2 after=0 len=128 start=0 just=0 S x=" +
                kEmptyPositions);
  // Both systems of the page are filled: 96 + 3 x 56 = 264 px reach x 301,
  // a fifth measure would end at 357 beyond 340; the second system starts
  // with a 22 px header (clef and key) and holds 22 + 5 x 56 = 302 px.
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=1 starts=0 9 last bars=9"});
  // Staff tops at 10 + 16 mm = 98.3 px and 10 + 16 + 22 mm = 181.4 px.
  EXPECT_EQ(Lines(*score, "row 0"),
            std::vector<std::string>{"row 0 places: (37,98,0) (133,98,0) (189,98,0) (245,98,0) (37,181,1) "
                                     "(115,181,1) (171,181,1) (227,181,1) (283,181,1)"});
}

TEST(LayoutPass, DefaultPageHoldsTwoSystemsAtTheirHeights) {
  auto score = MakeScore(1, 12);
  nv::render::LayoutScore(*score, 0, false);
  // 16 mm + 22 mm + 22 mm fill the 60 mm exactly: two systems a page, the
  // first at 26 mm (98 px), the second at 48 mm (181.4 px). The first holds
  // 96 + 3 x 56 = 264 px and justifies 340 - 37 - 264 - 5 = 34 pixels, the
  // later measures first; the second starts with a 22 px header (clef and
  // key) and takes 22 + 5 x 56 = 302 px, one pixel short of the edge.
  EXPECT_EQ(Lines(*score, "active"),
            std::vector<std::string>{"active page 0: first system=0 systems=2 interval=16.000 bars=1 2 3 4 5 6 7 8 9"});
  EXPECT_EQ(Lines(*score, "row 0"),
            std::vector<std::string>{"row 0 places: (37,98,0) (141,98,0) (205,98,0) (270,98,0) (37,181,1) "
                                     "(115,181,1) (171,181,1) (227,181,1) (283,181,1)"});
  const int justified[] = {8, 8, 9, 9, 0, 0, 0, 0, 0};
  for (int m = 0; m < 9; ++m)
    EXPECT_EQ(Instrument(*score).LayoutAt(m)->JustificationPixels, static_cast<std::uint32_t>(justified[m])) << m;
  EXPECT_THAT(
      Record(*score, 3),
      StartsWith(
          "m3 sys=0 page=0 bar=4 head=0 extra=0 content=56 close=2 after=0 len=128 start=384 just=9 E x=10 11*8"));
  EXPECT_THAT(
      Record(*score, 4),
      StartsWith("m4 sys=1 page=0 bar=5 head=22 extra=0 content=56 close=2 after=0 len=128 start=512 just=0 S x=10"));
  // The rest goes on a second page, appended by the pass, whose two systems
  // hold five measures each (bars 10 to 12 and seven empty ones).
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=2 starts=0 9 19 last bars=9 19"});
  EXPECT_THAT(Record(*score, 9), StartsWith("m9 sys=2 page=1 bar=10 head=22 extra=0 content=56 "));
}

// The last measure with music ends its system only when the system is full:
// twelve bars, bar 12 (measure 11) stands third in the third system (9 to 13
// after a 22 px header, as in the second), and the empty measure 13 ends it.
TEST(LayoutPass, LastMeasureWithMusicDoesNotEndItsSystem) {
  auto score = MakeScore(1, 12);
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_THAT(Record(*score, 11), StartsWith("m11 sys=2 page=1 bar=12 head=0 extra=0 content=56 close=2 after=0 "));
  EXPECT_EQ(Instrument(*score).LayoutAt(11)->SystemEnd, 0);
  ASSERT_NE(Instrument(*score).LayoutAt(13), nullptr);
  EXPECT_EQ(Instrument(*score).LayoutAt(13)->SystemEnd, 1);
  EXPECT_EQ(Instrument(*score).LayoutAt(13)->SystemIndex, 2u);
}

TEST(LayoutPass, PageBreakEndsThePageAndItsBarNumbers) {
  auto score = MakeScore(1, 3);
  Instrument(*score).EnsureLayout(1)->PageBreak = 1;
  nv::render::LayoutScore(*score, 0, false);
  // The page ends after bar 2, so page 1 begins with bar 3 and fills its two
  // systems with five measures each; the broken system is justified with the
  // break measure: 340 - 37 - 152 - 5 = 146.
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=2 starts=0 2 12 last bars=2 12"});
  EXPECT_EQ(Instrument(*score).LayoutAt(0)->JustificationPixels + Instrument(*score).LayoutAt(1)->JustificationPixels,
            146u);
  EXPECT_THAT(Record(*score, 2), StartsWith("m2 sys=1 page=1 bar=3 head=22 extra=0 content=56 clo"));
}

TEST(LayoutPass, HugeSpareWidthIsSpreadInWholeRounds) {
  // The same system ragged and justified over a right indent of -100000.
  auto layOut = [](bool justified) {
    auto score = MakeScore(1, 3);
    score->SetHorzAlign(justified);
    Instrument(*score).EnsureLayout(1)->PageBreak = 1;
    Instrument(*score).Systems.resize(1);
    Instrument(*score).Systems[0].RightIndent = -100000;
    nv::render::LayoutScore(*score, 0, false);
    return score;
  };
  auto ragged = layOut(false);
  auto justified = layOut(true);
  // 340 + 100000 - 37 - 152 - 5 = 100146 pixels over 2 x 127 ticks: 394
  // full rounds (100076) and 70 more, ticks 127 down to 93 of both measures.
  for (int m = 0; m < 2; ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(Instrument(*justified).LayoutAt(m)->JustificationPixels, 394u * 127 + 35);
    const std::vector<int> before = layout_test::Gaps(*Instrument(*ragged).LayoutAt(m));
    const std::vector<int> after = layout_test::Gaps(*Instrument(*justified).LayoutAt(m));
    ASSERT_EQ(after.size(), 129u);
    for (int t = 0; t <= 128; ++t) EXPECT_EQ(after[t] - before[t], t == 0 || t == 128 ? 0 : t >= 93 ? 395 : 394) << t;
  }
}

TEST(LayoutPass, PositionalModeFillsSystemsByMeasureCount) {
  struct Case {
    int count;
    std::vector<int> systems;  // system of each of the 10 measures
  };
  const Case cases[] = {{4, {0, 0, 0, 0, 1, 1, 1, 1, 2, 2}}, {0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}};
  for (const Case& c : cases) {
    auto score = MakeScore(1, 10);
    score->LayoutSuspended = true;
    score->SetNoteInterval(2);
    score->SetMeasureCount(c.count);
    score->LayoutSuspended = false;
    nv::render::LayoutScore(*score, 0, false);
    for (int m = 0; m < 10; ++m)
      EXPECT_EQ(Instrument(*score).LayoutAt(m)->SystemIndex, static_cast<std::uint32_t>(c.systems[m]))
          << "count " << c.count << " measure " << m;
  }
  auto score = MakeScore(1, 4);
  score->LayoutSuspended = true;
  score->SetNoteInterval(2);
  score->SetMeasureCount(4);
  score->LayoutSuspended = false;
  Instrument(*score).EnsureLayout(3)->PageBreak = 1;
  nv::render::LayoutScore(*score, 0, false);
  // Content 4 is raised to 26 by one pixel every eighth tick; the system is
  // 40 + 4 x 26 = 144 wide and 340 - 37 - 144 - 5 = 154 pixels are spread
  // halving: 64, then 32 and 96, ... each pass the last measures first.
  const std::uint32_t spread[] = {38, 38, 39, 39};
  for (int m = 0; m < 4; ++m) EXPECT_EQ(Instrument(*score).LayoutAt(m)->JustificationPixels, spread[m]) << m;
  EXPECT_EQ(Instrument(*score).LayoutAt(0)->ContentWidth, 26);
}

TEST(LayoutPass, VerticalAlignmentSpreadsTheSpareHeight) {
  struct Case {
    bool align;
    std::string active;
    std::string tops;
  };
  // With a 10 mm interval, three systems of 16 mm end at 58 of 60 mm: the
  // 2 mm left are shared by the three systems (and their one row).
  const Case cases[] = {
      {true, "active page 0: first system=0 systems=3 interval=10.667", "(37,78,0) (37,141,1) (37,204,2)"},
      {false, "active page 0: first system=0 systems=3 interval=10.000", "(37,76,0) (37,136,1) (37,197,2)"},
  };
  for (const Case& c : cases) {
    auto score = MakeScore(1, 3);
    score->LayoutSuspended = true;
    score->Page().SetInterval(10);
    score->SetVertAlign(c.align);
    // Measures as wide as a system, one system each.
    for (int m = 0; m < 3; ++m) Instrument(*score).EnsureLayout(m)->SpaceAfterBar = 300;
    score->LayoutSuspended = false;
    nv::render::LayoutScore(*score, 0, false);
    EXPECT_EQ(Lines(*score, "active")[0].substr(0, c.active.size()), c.active);
    EXPECT_EQ(Lines(*score, "row 0")[0], "row 0 places: " + c.tops);
  }
}

TEST(LayoutPass, MultiMeasureRestAdvancesTheBarNumber) {
  auto score = MakeScore(1, 3);
  TECSymbolEntry* entry = Instrument(*score).GetSymbolMeasure(1, false);
  auto rest = std::make_unique<TECSymbolItem>(ek::SymbolMultiRest, entry);
  rest->SetByte(1, 8);
  entry->Items.push_back(std::move(rest));
  entry->Flag = 1;
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_EQ(Instrument(*score).LayoutAt(1)->BarNumber, 2u);
  EXPECT_EQ(Instrument(*score).LayoutAt(2)->BarNumber, 10u);
  // Nine measures fill the page (four and five), the last one bar 16.
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=1 starts=0 9 last bars=16"});
}

TEST(LayoutPass, MeasureMovedToTheNextSystemCountsItsMarksOnce) {
  auto score = MakeScore(1, 6);
  // Measure 4 is first tried at the end of system 0, then opens system 1.
  TECSymbolEntry* entry = Instrument(*score).GetSymbolMeasure(4, false);
  entry->Items.push_back(std::make_unique<TECSymbolItem>(ek::SymbolRehearsal, entry));
  auto number = std::make_unique<TECSymbolItem>(ek::SymbolBarNumber, entry);
  number->SetByte(1, 20);
  entry->Items.push_back(std::move(number));
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_EQ(Instrument(*score).LayoutAt(4)->SystemIndex, 1u);
  EXPECT_EQ(Instrument(*score).LayoutAt(4)->RehearsalCounter, 1);
  EXPECT_EQ(Instrument(*score).LayoutAt(5)->RehearsalCounter, 1);
  EXPECT_EQ(Instrument(*score).LayoutAt(3)->BarNumber, 4u);
  EXPECT_EQ(Instrument(*score).LayoutAt(4)->BarNumber, 20u);
  EXPECT_EQ(Instrument(*score).LayoutAt(5)->BarNumber, 21u);
}

TEST(LayoutPass, AMeasureGivenBackIsSpacedAsTheNextSystemSpaces) {
  // Measure 4 is tried at the end of system 0 and opens system 1; one of
  // the two systems spaces by position (an empty measure's content is 4,
  // raised to 26 by a pixel every eighth tick), the other evenly (56).
  struct Case {
    const char* name;
    TECRowInfo first;
    TECRowInfo second;
    const char* content;
  };
  TECRowInfo positional;
  positional.OwnSettings = 1, positional.SpacingMode = 2, positional.MeasureCount = 4;
  const Case cases[] = {{"evenly, then by position", TECRowInfo{}, positional, "content=26 "},
                        {"by position, then evenly", positional, TECRowInfo{}, "content=56 "}};
  for (const Case& c : cases) {
    auto score = MakeScore(1, 6);
    Instrument(*score).Systems = {c.first, c.second};
    nv::render::LayoutScore(*score, 0, false);
    EXPECT_THAT(Record(*score, 3), StartsWith("m3 sys=0 ")) << c.name;
    EXPECT_THAT(Record(*score, 4), StartsWith("m4 sys=1 ")) << c.name;
    EXPECT_THAT(Record(*score, 4), testing::HasSubstr(c.content)) << c.name;
  }
}

TEST(LayoutPass, MeasureWiderThanTheSystemGetsOneOfItsOwn) {
  auto score = MakeScore(1, 3);
  Instrument(*score).EnsureLayout(1)->SpaceAfterBar = 400;
  nv::render::LayoutScore(*score, 0, false);
  // Measure 1 (22 + 56 + 400 px) cannot fit anywhere: it stands alone, with
  // no justification, and measure 2 opens the next system, on page 1.
  EXPECT_THAT(
      Record(*score, 0),
      StartsWith("m0 sys=0 page=0 bar=1 head=40 extra=0 content=56 close=2 after=0 len=128 start=0 just=202 S E"));
  EXPECT_THAT(
      Record(*score, 1),
      StartsWith("m1 sys=1 page=0 bar=2 head=22 extra=0 content=56 close=2 after=400 len=128 start=128 just=0 S E"));
  EXPECT_THAT(Record(*score, 2), StartsWith("m2 sys=2 page=1 bar=3 he"));
}

TEST(LayoutPass, NothingHappensWithoutSomethingToLayOut) {
  auto score = MakeScore(1, 3);
  score->SetStyle(TScoreStyle::ssAllInstruments);
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_TRUE(Instrument(*score).Layouts().empty());

  auto united = MakeScore(1, 3);
  united->LayoutSuspended = true;
  Instrument(*united).GetRow(0)->SetUnited(true);
  united->LayoutSuspended = false;
  nv::render::LayoutScore(*united, 0, false);
  EXPECT_TRUE(Instrument(*united).Layouts().empty());

  TECMusicScore empty;
  nv::render::LayoutScore(empty, 0, false);
  EXPECT_EQ(empty.PageStarts().size(), 0u);
}

TEST(LayoutPass, LayingOutAfterTheLastMeasureAppendsNoPage) {
  auto score = MakeScore(1, 2);
  int appended = 0;
  score->OnPageCountChanged = [&](TECModelObject*) { ++appended; };
  Instrument(*score).SetPageCount(3);
  appended = 0;
  nv::render::LayoutScore(*score, 0, false);
  nv::render::LayoutScore(*score, 2, false);
  EXPECT_EQ(Instrument(*score).PageCount(), 3);
  EXPECT_EQ(appended, 0);
  // Each page's two systems hold nine measures of which only two have music
  // (the first system of a page four, with measure 0's 40 px header; five
  // after a 22 px header).
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=3 starts=0 9 19 29 last bars=9 19 29"});
}

TEST(LayoutPass, MeasuresBeyondTheRowsTakeTheirPlaces) {
  auto score = MakeScore(1, 2);
  score->LayoutSuspended = true;
  score->SetHorzAlign(false);
  score->LayoutSuspended = false;
  Instrument(*score).EnsureLayout(3)->SpaceAfterBar = 7;
  Instrument(*score).EnsureLayout(4)->PageBreak = 1;
  nv::render::LayoutScore(*score, 0, false);
  // 96 and 56 for the two measures, then 56 and 56 + 7: measure 4 would end
  // at 308 + 56 = 364, beyond 340, and opens the next system, where its
  // page break ends the page.
  EXPECT_EQ(Lines(*score, "row 0"),
            std::vector<std::string>{"row 0 places: (37,98,0) (133,98,0) (189,98,0) (245,98,0) (37,181,1)"});
  EXPECT_EQ(Lines(*score, "pages"), std::vector<std::string>{"pages=1 starts=0 5 last bars=5"});
}

TEST(LayoutPass, DamagedAndExtremeInputEndWithinBounds) {
  auto score = MakeScore(1, 6);
  TECInstrument& instrument = Instrument(*score);
  TECRow& row = *instrument.GetRow(0);
  score->LayoutSuspended = true;
  score->Page().SetInterval(0);
  score->SetZoom(1000);
  score->SetScale(1000);
  // Offsets that would pull every system above its predecessor.
  instrument.Systems.resize(20);
  for (TECRowInfo& system : instrument.Systems) system.RowOffsets = {-100000};
  auto time = [](int numerator, int denominator) {
    auto record = std::make_unique<TECTimeSignature>();
    record->Word = static_cast<std::uint16_t>(numerator << 8 | denominator);
    return record;
  };
  row.GetMeasure(1)->TimeSignature = time(0, 0);
  row.GetMeasure(2)->TimeSignature = time(255, 1);
  row.GetMeasure(3)->TimeSignature = time(4, 4);
  row.GetMeasure(3)->KeySignature = std::make_unique<TECKeySignature>(255);
  TECMeasure& wild = *row.GetMeasure(4);
  score_builder::AddNote(wild, 7, 255, 32, 60000);
  score_builder::AddNote(wild, 1, 0, 65535, 0);
  score_builder::AddRest(wild, 32, 500);
  auto item = MakeMeasureItem(ek::ClefChange, &wild);
  item->Position = 9999;
  item->Second = 200;
  wild.Items.push_back(std::move(item));
  score->LayoutSuspended = false;
  nv::render::LayoutScore(*score, 0, false);

  EXPECT_EQ(instrument.LaidOutRows, 6);
  EXPECT_EQ(instrument.LayoutAt(1)->MeasureLength, 128) << "a word without ticks keeps the length in force";
  EXPECT_EQ(instrument.LayoutAt(2)->Positions.size(), 255u * 128 + 1);
  // At Scale 1000 the system is 31 base pixels wide: every measure stands
  // alone and opens its system with clef, key and, here, time.
  EXPECT_EQ(instrument.LayoutAt(3)->HeaderWidth, 20 + 2 + 18) << "an unknown key counts as no accidentals";
  for (int m = 0; m < 6; ++m) {
    const auto& x = instrument.LayoutAt(m)->Positions;
    EXPECT_TRUE(std::is_sorted(x.begin(), x.end())) << "no position wraps in measure " << m;
  }
  EXPECT_EQ(wild.ClefAt(127), 200);
  EXPECT_LT(instrument.PageCount(), 10);
}

TEST(LayoutPass, PageCountChangeIsReportedOnceTheRecordsAreWhole) {
  auto score = MakeScore(1, 30);
  std::vector<std::string> seen;
  score->OnPageCountChanged = [&](TECModelObject*) {
    seen.push_back(std::to_string(Instrument(*score).PageCount()) + " pages, " +
                   std::to_string(score->PageStarts().size()) + " starts");
  };
  nv::render::LayoutScore(*score, 0, false);
  // Nine measures on the first page, ten on the next ones: three pages
  // appended in one pass, reported once, with every table done.
  EXPECT_EQ(seen, std::vector<std::string>{"4 pages, 5 starts"});
}

}  // namespace
