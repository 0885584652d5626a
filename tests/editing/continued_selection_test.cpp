#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editing/element_places.h"
#include "editing/hit_candidates.h"
#include "model/measure_items.h"
#include "support/drawn_places.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::ExpectSelectionHeld;

namespace {

using drawn_places::Centre;
using nv::editing::RectOf;

// Eight measures, two to a system and two systems to a page: page 0 holds
// measures 0..3 (systems 0 and 1), page 1 measures 4..7.
std::unique_ptr<EditFixture> TwoPages() {
  auto f = std::make_unique<EditFixture>(1, 8);
  f->score().SetNoteInterval(2);
  f->score().SetMeasureCount(2);
  return f;
}

// A spanner on the staff's bottom line (step 2, octave 5).
TECMeasureItem& AddSpanner(EditFixture& f, int m, std::uint8_t kind, int position, int length) {
  TECMeasure& measure = f.measure(m);
  auto item = std::make_unique<TECMeasureItem>(kind, &measure);
  item->Position = static_cast<std::uint16_t>(position);
  item->Second = static_cast<std::uint16_t>(length);
  item->Voice = 2;
  item->Params[0] = 5;
  TECMeasureItem& added = *item;
  measure.Items.push_back(std::move(item));
  return added;
}

// Lays out and draws page `page`.
void PaintPage(EditFixture& f, int page) {
  f.score().SetActivePage(page);
  f.Paint();
  ASSERT_EQ(f.score().GetActivePage(), page);
  ASSERT_EQ(f.instrument().PageCount(), 2);
}

bool Inside(const TECElementBox& b, TECPoint p) { return nv::editing::Contains(RectOf(b), p); }

std::vector<TECElement*> Selected(const TECMusicScore& score) {
  std::vector<TECElement*> all;
  for (const TECSelected& entry : score.Selection) all.insert(all.end(), entry.Elements.begin(), entry.Elements.end());
  return all;
}

// A crescendo from tick 64 of measure 1 (system 0) to tick 64 of measure 2
// (system 1): one part on each system, the overall box over both and the
// space between them.
TEST(SpannerSelection, AHairpinIsHitSystemBySystemAndNotInTheGapBetween) {
  auto f = TwoPages();
  TECMeasureItem& hairpin = AddSpanner(*f, 1, ek::Crescendo, 64, 128);
  PaintPage(*f, 0);
  ASSERT_EQ(hairpin.SegmentBoxes.size(), 2u);
  const TECElementBox first = hairpin.SegmentBoxes[0];
  const TECElementBox second = hairpin.SegmentBoxes[1];
  ASSERT_LT(first.Bottom, second.Top) << "the second part lies on the next system";

  // Between the parts, still inside the overall box: nothing.
  const TECPoint gap{(first.Left + first.Right) / 2, (first.Bottom + second.Top) / 2};
  ASSERT_TRUE(Inside(hairpin.Box, gap));
  EXPECT_FALSE(f->score().SelectAtPoint(gap, true, true));
  EXPECT_TRUE(f->score().Selection.empty());

  for (const TECElementBox& part : {first, second}) {
    f->score().ClearSelection();
    EventRecorder events(f->score());
    ASSERT_TRUE(f->score().SelectAtPoint({part.Right - 1, (part.Top + part.Bottom) / 2}, true, true));
    EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{&hairpin});
    EXPECT_EQ(f->score().ClickedElement, &hairpin);
    // Selecting repaints the two parts, not the overall box.
    EXPECT_EQ(events.invalidated, (std::vector<TECRect>{RectOf(first), RectOf(second)}));
    // The part's line is the bottom line and the point lies half a space
    // under it, in the part's own system: the step under the bottom line.
    EXPECT_EQ(f->score().ClickedPitchLine, 1);
  }
}

TEST(SpannerSelection, ARubberBandOverTheSecondSystemsPartSelectsTheSpanner) {
  auto f = TwoPages();
  TECMeasureItem& hairpin = AddSpanner(*f, 1, ek::Diminuendo, 64, 128);
  PaintPage(*f, 0);
  ASSERT_EQ(hairpin.SegmentBoxes.size(), 2u);
  const TECElementBox second = hairpin.SegmentBoxes[1];
  // The band starts under the last system's staff top and misses the first part.
  ASSERT_FALSE(nv::editing::Intersects(RectOf(hairpin.SegmentBoxes[0]), RectOf(second)));
  EXPECT_TRUE(f->score().SelectInRect(RectOf(second), true));
  EXPECT_EQ(f->score().SelectedRow, &f->row());
  EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{&hairpin});
}

// A tie from the end of system 0 to the start of system 1: a click on the
// first part puts the cursor on the holder and reads the pitch line from
// the staff the part was drawn at.
TEST(LinkSelection, TheFirstPartOfATieAcrossASystemBreakReadsItsOwnStaff) {
  auto f = TwoPages();
  TECNote* from = f->Note(0, 1, 5, 5, 32, 96);
  TECNote* to = f->Note(0, 2, 5, 5, 32, 0);
  TECLinkAttribute* tie = f->row().LinkNotes(from, to, ek::LinkBelow);
  PaintPage(*f, 0);
  const TECPoint start = Centre(tie->PartBoxes[0]);
  ASSERT_FALSE(Inside(from->Box, start));
  ASSERT_TRUE(f->score().SelectAtPoint(start, true, true));
  EXPECT_EQ(tie->HitPart, 1);
  EXPECT_EQ(f->score().CursorMeasure(), 2);
  EXPECT_EQ(f->score().CursorTick(), 0);
  const TECDrawnMeasure* staff = f->score().PageLayout.Drawn(0, 1);
  ASSERT_NE(staff, nullptr);
  EXPECT_EQ(f->score().ClickedPitchLine, nv::editing::StaffStepAt(f->score(), staff->StaffTop, start.Y));
}

// A tie (same pitch) and a slur from the last measure of page 0 to the
// first of page 1. Page 0 shows the start of each, drawn for its holder on
// page 1: a click there takes part 1 and puts the cursor on the earlier
// note. Page 1 shows the end at the holder: part 2, cursor on the holder.
TEST(LinkSelection, TiesAndSlursContinuedOntoTheNextPageAreHitOnBothPages) {
  auto f = TwoPages();
  // Arcs under the heads: their handles lie below the notes' boxes, whose
  // stems go up.
  TECNote* tieFrom = f->Note(0, 3, 5, 5, 32, 96);
  TECNote* tieTo = f->Note(0, 4, 5, 5, 32, 0);
  TECNote* slurFrom = f->Note(0, 3, 3, 5, 32, 0);
  TECNote* slurTo = f->Note(0, 4, 1, 6, 32, 64);
  TECLinkAttribute* tie = f->row().LinkNotes(tieFrom, tieTo, ek::LinkBelow);
  TECLinkAttribute* slur = f->row().LinkNotes(slurFrom, slurTo, ek::LinkBelow);
  ASSERT_NE(tie, nullptr);
  ASSERT_NE(slur, nullptr);

  struct Case {
    TECLinkAttribute* link;
    TECNote* earlier;
    TECNote* holder;
  };
  for (const Case& c : {Case{tie, tieFrom, tieTo}, Case{slur, slurFrom, slurTo}}) {
    PaintPage(*f, 0);
    const TECPoint start = Centre(c.link->PartBoxes[0]);
    ASSERT_FALSE(Inside(c.earlier->Box, start));
    f->score().ClearSelection();
    EventRecorder events(f->score());
    ASSERT_TRUE(f->score().SelectAtPoint(start, true, true));
    EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{c.link});
    EXPECT_EQ(c.link->HitPart, 1);
    EXPECT_EQ(f->score().ClickedElement, c.link);
    EXPECT_EQ(events.invalidated, std::vector<TECRect>{RectOf(c.link->PartBoxes[0])});
    EXPECT_EQ(f->score().CursorMeasure(), 3);
    EXPECT_EQ(f->score().CursorTick(), c.earlier->Start);

    PaintPage(*f, 1);
    const TECPoint end = Centre(c.link->PartBoxes[1]);
    ASSERT_FALSE(Inside(c.holder->Box, end));
    f->score().ClearSelection();
    ASSERT_TRUE(f->score().SelectAtPoint(end, true, true));
    EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{c.link});
    EXPECT_EQ(c.link->HitPart, 2);
    EXPECT_EQ(f->score().CursorMeasure(), 4);
    EXPECT_EQ(f->score().CursorTick(), c.holder->Start);
  }
}

// A crescendo from tick 64 of measure 3, the last of page 0, into measure 4.
TEST(SpannerSelection, ACrescendoContinuedOntoTheNextPageIsHitThere) {
  auto f = TwoPages();
  TECMeasureItem& hairpin = AddSpanner(*f, 3, ek::Crescendo, 64, 128);
  PaintPage(*f, 1);
  ASSERT_EQ(hairpin.SegmentBoxes.size(), 1u);
  const TECElementBox part = hairpin.SegmentBoxes[0];
  ASSERT_TRUE(f->score().SelectAtPoint(Centre(part), true, true));
  EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{&hairpin});
  EXPECT_EQ(f->score().ClickedElement, &hairpin);
  EXPECT_EQ(f->score().SelectedRow, &f->row());

  f->score().ClearSelection();
  EXPECT_TRUE(f->score().SelectInRect(RectOf(part), true));
  EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{&hairpin});
}

// The continued crescendo, selected on page 1, is deleted and comes back
// by undo while the page is drawn again after each step: the page's lists
// and boxes lead to nothing freed.
TEST(SpannerSelection, AContinuedSpannerDeletedAndRestoredLeavesOnlyLiveRecords) {
  auto f = TwoPages();
  AddSpanner(*f, 3, ek::Crescendo, 64, 128);
  f->Note(0, 7, 5, 5, 32, 0);  // keeps the empty measures before it
  f->score().ClearUndoLists();
  PaintPage(*f, 1);
  const TECPoint at = Centre(f->measure(3).Items.back()->SegmentBoxes.at(0));
  ASSERT_TRUE(f->score().SelectAtPoint(at, true, true));
  PaintPage(*f, 1);
  ExpectSelectionHeld(f->score());

  ASSERT_TRUE(f->score().DeleteSelection());
  PaintPage(*f, 1);
  ExpectSelectionHeld(f->score());
  EXPECT_FALSE(f->score().SelectAtPoint(at, true, true));
  EXPECT_TRUE(f->measure(3).Items.empty());

  f->score().Undo(1);
  PaintPage(*f, 1);
  ASSERT_EQ(f->measure(3).Items.size(), 1u);
  ASSERT_TRUE(f->score().SelectAtPoint(at, true, true));
  EXPECT_EQ(Selected(f->score()), std::vector<TECElement*>{f->measure(3).Items.back().get()});
  ExpectSelectionHeld(f->score());
}

}  // namespace
