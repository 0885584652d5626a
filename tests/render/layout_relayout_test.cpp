// Laying out again from the page an edit touched gives what a full layout
// gives, and the carry-over lists follow the records they name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "layout_test_support.h"
#include "model/measure.h"
#include "render/carry_over.h"
#include "support/layout_state.h"

using layout_test::Instrument;
using layout_test::MakeScore;
using score_builder::AddAttribute;
using score_builder::AddNote;
using score_builder::AddRest;

namespace {

constexpr int kMeasures = 48;

// Two rows of varied music: chords with accidentals, dotted and short
// notes, rests, clef, key and time changes, a spanner, ties across bars,
// a page break, a multi-measure rest and a system with its own settings.
std::unique_ptr<TECMusicScore> MakeMusic() {
  auto score = MakeScore(2, kMeasures);
  score->LayoutSuspended = true;
  score->Page().SetWidth(210);
  score->Page().SetHeight(297);
  score->LayoutSuspended = false;
  TECInstrument& instrument = Instrument(*score);
  for (int r = 0; r < 2; ++r) {
    TECRow& row = *instrument.GetRow(r);
    for (int m = 0; m < kMeasures; ++m) {
      TECMeasure& measure = *row.GetMeasure(m);
      if (m == 30) continue;  // room for the multi-measure rest
      const int value = 8 << ((m + r) % 4);
      for (int start = 0; start + value <= 96; start += value) {
        TECNote* note = AddNote(measure, 1 + (start / value + m) % 7, 4 + r, value, start);
        if ((start / value) % 3 == 0) AddAttribute(*note, (m % 2) ? ek::Sharp : ek::Flat);
        if (m % 5 == 0) {
          TECNote* upper = AddNote(measure, 1 + (start / value + m + 2) % 7, 4 + r, value, start);
          note->ChordMark = upper->ChordMark = 1;
          AddAttribute(*upper, ek::Natural);
        }
      }
      AddRest(measure, 32, 96);
      if (m % 2 == 1 && m != 31) {
        TECNote* later = measure.Notes.front().get();
        TECNote* earlier = row.GetMeasure(m - 1)->Notes.back().get();
        LinkNotes(earlier, later, ek::LinkAbove);
      }
    }
    auto clef = MakeMeasureItem(ek::ClefChange, row.GetMeasure(12));
    clef->Position = 64;
    clef->Second = 2;
    row.GetMeasure(12)->Items.push_back(std::move(clef));
  }
  TECMeasure& m8 = *instrument.GetRow(0)->GetMeasure(8);
  auto spanner = MakeMeasureItem(ek::SpannerFirst, &m8);
  spanner->Position = 32;
  spanner->Second = 128 * 6;
  m8.Items.push_back(std::move(spanner));
  instrument.GetRow(1)->GetMeasure(10)->KeySignature = std::make_unique<TECKeySignature>(43);
  auto time = std::make_unique<TECTimeSignature>();
  time->Word = 3 << 8 | 4;
  instrument.GetRow(0)->GetMeasure(20)->TimeSignature = std::move(time);
  instrument.EnsureLayout(26)->PageBreak = 1;
  TECSymbolEntry* entry = instrument.GetSymbolMeasure(30, false);
  auto rest = std::make_unique<TECSymbolItem>(ek::SymbolMultiRest, entry);
  rest->SetByte(1, 4);
  entry->Items.push_back(std::move(rest));
  instrument.Systems.resize(4);
  instrument.Systems[3].LeftIndent = 20;
  instrument.Systems[3].RowOffsets = {0, 12};
  return score;
}

// Adds notes to measure m of the first row.
void Edit(TECMusicScore& score, int m) {
  TECMeasure& measure = *Instrument(score).GetRow(0)->GetMeasure(m);
  measure.MarkChanged();
  for (int start = 0; start < 96; start += 4) AddAttribute(*AddNote(measure, 3, 5, 4, start), ek::DoubleSharp);
}

TEST(Relayout, FromTheEditedPageEqualsAFullLayout) {
  auto probe = MakeMusic();
  nv::render::LayoutScore(*probe, 0, false);
  ASSERT_GE(Instrument(*probe).PageCount(), 4) << nv::render::DumpLayout(*probe);
  for (int m : {5, 17, 27, 40}) {
    auto relaid = MakeMusic();
    nv::render::LayoutScore(*relaid, 0, false);
    const int page = static_cast<int>(Instrument(*relaid).LayoutAt(m)->Page);
    Edit(*relaid, m);
    nv::render::LayoutScore(*relaid, page, false);

    auto full = MakeMusic();
    Edit(*full, m);
    nv::render::LayoutScore(*full, 0, false);
    EXPECT_EQ(layout_state::Everything(*relaid), layout_state::Everything(*full))
        << "edit in measure " << m << " on page " << page;
  }
}

TEST(Relayout, AChangeOfTheSecondRowOnALaterPageIsNotPassedOver) {
  // Each change of the second row's measures on the last page, then a pass
  // from page 0: with nothing changed on the pages before, it may stop
  // early only where the second row is as laid out.
  struct Case {
    const char* what;
    void (*change)(TECRow& row, int m);
  };
  const Case cases[] = {
      {"a measure marked changed and filled",
       [](TECRow& row, int m) {
         TECMeasure& measure = *row.GetMeasure(m);
         measure.MarkChanged();
         for (int start = 0; start < 96; start += 4) AddNote(measure, 2, 4, 4, start);
       }},
      {"a measure put in place of another",
       [](TECRow& row, int m) {
         auto dense = std::make_unique<TECMeasure>();
         for (int start = 0; start < 96; start += 4) AddAttribute(*AddNote(*dense, 2, 4, 4, start), ek::Flat);
         row.ReplaceMeasure(m, std::move(dense));
       }},
      {"an empty measure inserted", [](TECRow& row, int m) { row.InsertMeasure(m); }},
      {"a measure deleted", [](TECRow& row, int m) { row.DeleteMeasure(m); }},
      {"music rebarred into 2/4", [](TECRow& row, int m) { row.RebarNotes(64, m); }},
  };
  for (const Case& c : cases) {
    auto relaid = MakeMusic();
    nv::render::LayoutScore(*relaid, 0, false);
    const int m = relaid->PageFirstMeasure(Instrument(*relaid).PageCount() - 1);
    ASSERT_GE(Instrument(*relaid).LayoutAt(m)->Page, 2u);
    c.change(*Instrument(*relaid).GetRow(1), m);
    nv::render::LayoutScore(*relaid, 0, false);

    auto full = MakeMusic();
    c.change(*Instrument(*full).GetRow(1), m);
    nv::render::LayoutScore(*full, 0, false);
    EXPECT_EQ(layout_state::Everything(*relaid), layout_state::Everything(*full)) << c.what << " at measure " << m;
  }
}

TEST(Relayout, AMeasureOpeningItsPageMadeNarrowerMayMoveToThePageBefore) {
  // The first measure of each page thinned out to its first and last notes
  // (the ends of its ties stay), then the pass from its page: the page
  // before may now have room for it at the end of its last system.
  auto probe = MakeMusic();
  nv::render::LayoutScore(*probe, 0, false);
  bool moved = false;
  for (int page = 1; page < 4; ++page) {
    const int m = probe->PageFirstMeasure(page);
    auto thin = [m](TECMusicScore& score) {
      for (int r = 0; r < 2; ++r) {
        Instrument(score).GetRow(r)->GetMeasure(m)->MarkChanged();
        auto& notes = Instrument(score).GetRow(r)->GetMeasure(m)->Notes;
        if (notes.size() > 2) notes.erase(notes.begin() + 1, notes.end() - 1);
        Instrument(score).GetRow(r)->GetMeasure(m)->Rests.clear();
      }
    };
    auto relaid = MakeMusic();
    nv::render::LayoutScore(*relaid, 0, false);
    thin(*relaid);
    nv::render::LayoutScore(*relaid, page, false);

    auto full = MakeMusic();
    thin(*full);
    nv::render::LayoutScore(*full, 0, false);
    EXPECT_EQ(layout_state::Everything(*relaid), layout_state::Everything(*full)) << "measure " << m;
    moved = moved || full->PageFirstMeasure(page) != m;
  }
  EXPECT_TRUE(moved) << "no thinned measure moved to the page before: the case is not shown";
}

TEST(Relayout, ANewTimeWordOfTheSameLengthIsLaidOut) {
  auto score = MakeScore(1, 4);
  nv::render::LayoutScore(*score, 0, false);
  score->SetTimeSignature(2, 2, 0, true);
  const TECMeasureLayout& first = *Instrument(*score).LayoutAt(0);
  EXPECT_EQ(first.Numerator * 100 + first.Denominator, 202) << "2/2, as measure 0 shows it";
}

TEST(Relayout, ATieAcrossAPageTurnWhoseStartWasDeletedIsNoLongerCarried) {
  // A tie from the last measure of a page to the first of the next; the
  // edit deletes its first note on the earlier page, which takes the link
  // off the later note. Only the edited measure takes a new revision, so
  // the page after begins as before with its measures as laid out: the pass
  // may stop there only if the links carried to it are still those kept.
  auto probe = MakeMusic();
  nv::render::LayoutScore(*probe, 0, false);
  int page = -1;
  for (int p = 2; p + 1 < Instrument(*probe).PageCount() && page < 0; ++p) {
    const TECNote& opening = *Instrument(*probe).GetRow(0)->GetMeasure(probe->PageFirstMeasure(p))->Notes.front();
    if (std::any_of(opening.Attributes.begin(), opening.Attributes.end(), [](const auto& a) { return ek::IsLink(a->Kind); }))
      page = p;
  }
  ASSERT_GE(page, 2) << "no page opens with the end of a tie: the case is not shown\n" << nv::render::DumpLayout(*probe);
  const int before = probe->PageFirstMeasure(page) - 1;
  auto unTie = [before](TECMusicScore& score) {
    TECMeasure& measure = *Instrument(score).GetRow(0)->GetMeasure(before);
    measure.MarkChanged();
    measure.Notes.pop_back();
  };
  auto relaid = MakeMusic();
  nv::render::LayoutScore(*relaid, 0, false);
  ASSERT_FALSE(relaid->PageLayout.SystemObjects[page - 1].empty()) << "the tie is carried with the page before";
  unTie(*relaid);
  nv::render::LayoutScore(*relaid, page - 1, false);

  auto full = MakeMusic();
  unTie(*full);
  nv::render::LayoutScore(*full, 0, false);
  EXPECT_EQ(layout_state::Everything(*relaid), layout_state::Everything(*full)) << "tie into page " << page;
}

TEST(Relayout, TwoPagesLeaveTheOthersAlone) {
  auto score = MakeMusic();
  nv::render::LayoutScore(*score, 0, false);
  const std::string before = layout_state::Everything(*score);
  nv::render::LayoutScore(*score, 1, true);
  EXPECT_EQ(layout_state::Everything(*score), before) << "nothing changed, so nothing moves";
}

TEST(CarryOver, ListsNameRecordsThatStillExist) {
  auto score = MakeMusic();
  nv::render::LayoutScore(*score, 0, false);
  const TECPageLayout& pages = score->PageLayout;
  TECInstrument& instrument = Instrument(*score);
  // Every carried link ends on the page after its entry and starts before.
  int links = 0;
  for (std::size_t p = 0; p < pages.SystemObjects.size(); ++p)
    for (const TECCarryRef& ref : pages.SystemObjects[p]) {
      const TECLinkAttribute* link = nv::render::ResolveLink(instrument, ref);
      ASSERT_NE(link, nullptr);
      EXPECT_EQ(instrument.LayoutAt(ref.Measure)->Page, p + 1);
      EXPECT_LT(link->Partner->Owner->Index, score->PageFirstMeasure(static_cast<int>(p) + 1));
      ++links;
    }
  // The spanner of measure 8 lasts six measures: carried to every page
  // boundary it crosses, from its own page to the next.
  const int page = static_cast<int>(instrument.LayoutAt(8)->Page);
  ASSERT_EQ(pages.SystemSymbols[page + 1].size(), 1u) << nv::render::DumpLayout(*score);
  EXPECT_NE(nv::render::ResolveSpanner(instrument, pages.SystemSymbols[page + 1][0]), nullptr);

  // Laying the same pages out again adds nothing twice.
  const std::string before = nv::render::DumpLayout(*score);
  nv::render::LayoutScore(*score, 1, false);
  nv::render::LayoutScore(*score, 2, true);
  EXPECT_EQ(nv::render::DumpLayout(*score), before);

  // Records freed after the pass: their places resolve to nothing.
  for (int r = 0; r < 2; ++r) instrument.GetRow(r)->ClearMeasures();
  for (const auto& entry : pages.SystemObjects)
    for (const TECCarryRef& ref : entry) EXPECT_EQ(nv::render::ResolveLink(instrument, ref), nullptr);
  EXPECT_EQ(nv::render::ResolveSpanner(instrument, pages.SystemSymbols[page + 1][0]), nullptr);
  EXPECT_GT(links, 0);
}

TEST(CarryOver, VoltasReachingThePageAfterAreCarried) {
  auto score = MakeMusic();
  TECInstrument& instrument = Instrument(*score);
  nv::render::LayoutScore(*score, 0, false);
  const int next = score->PageFirstMeasure(1);
  auto addVolta = [&](int m, int count) {
    TECSymbolEntry* entry = instrument.GetSymbolMeasure(m, false);
    entry->MarkChanged();
    auto volta = std::make_unique<TECSymbolItem>(ek::SymbolVolta, entry);
    volta->SetByte(1, static_cast<std::uint8_t>(count));
    entry->Items.push_back(std::move(volta));
  };
  addVolta(next - 2, 4);  // into the next page
  addVolta(next - 3, 2);  // ends with the page
  nv::render::LayoutScore(*score, 0, false);
  ASSERT_EQ(score->PageFirstMeasure(1), next);
  std::vector<TECCarryRef> voltas;
  for (const TECCarryRef& ref : score->PageLayout.SystemSymbols[1])
    if (ref.Kind == TECCarryRef::RefKind::Volta) voltas.push_back(ref);
  ASSERT_EQ(voltas.size(), 1u) << nv::render::DumpLayout(*score);
  EXPECT_EQ(voltas[0].Measure, next - 2);
  EXPECT_NE(nv::render::ResolveVolta(instrument, voltas[0]), nullptr);
}

}  // namespace
