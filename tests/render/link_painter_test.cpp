#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"
#include "render/link_painter.h"

using draw_test::Box;
using draw_test::Draw;
using draw_test::EightMeasures;
using draw_test::With;

namespace {

using nv::render::PaintSelection;

// --- one arc -------------------------------------------------------------------------

struct ArcCase {
  const char* name;
  int x1, y1, x2, y2;
  bool below;
  int thickness;
  const char* logged;  // the Arc line up to the sweep, or "" for nothing drawn
};

std::string ArcLine(const ArcCase& c) {
  auto score = layout_test::MakeScore(1, 1);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  nv::render::PainterContext ctx(canvas, *score, *score->CurrentInstrument(), 100, 100);
  nv::render::DrawSlurArc(ctx, c.x1, c.y1, c.x2, c.y2, c.below, c.thickness);
  const auto arcs = With(canvas.lines(), "Arc ");
  if (arcs.empty()) return "";
  return arcs.size() == 1 ? arcs[0].substr(0, arcs[0].find(" from")) : "several arcs";
}

class SlurArc : public ::testing::TestWithParam<ArcCase> {};

// Heights at factor 10000: 3 log2 c - 12, or 3 log2 c - 8 when that is not
// positive, plus the thickness. The circle's radius is (c^2 / 4 + h^2) / 2h.
TEST_P(SlurArc, BoxAndEnds) { EXPECT_EQ(ArcLine(GetParam()), GetParam().logged); }

INSTANTIATE_TEST_SUITE_P(
    Chords, SlurArc,
    ::testing::Values(
        // c = 6: the fallback gives about -0.25, nothing is drawn.
        ArcCase{"Six", 100, 100, 106, 100, true, 0, ""},
        // c = 7: h = 0.42, R = 14.72, centre (103.5, 85.70).
        ArcCase{"Seven", 100, 100, 107, 100, true, 0, "Arc (89,71)-(118,100) (100,100) (107,100)"},
        // c = 16: the first height is 0, the fallback 4; R = 10, centre (108, 94).
        ArcCase{"Sixteen", 100, 100, 116, 100, true, 0, "Arc (98,84)-(118,104) (100,100) (116,100)"},
        // c = 32: h = 3, R = 44.17; under the chord the apex is at 103.
        ArcCase{"ThirtyTwoBelow", 100, 100, 132, 100, true, 0, "Arc (72,15)-(160,103) (100,100) (132,100)"},
        // Over the chord the apex is at 97, and the canvas runs from the right end.
        ArcCase{"ThirtyTwoAbove", 100, 100, 132, 100, false, 0, "Arc (72,97)-(160,185) (132,100) (100,100)"},
        // Thickness 10 adds 10: h = 13, R = 16.35, centre (116, 96.65).
        ArcCase{"Thick", 100, 100, 132, 100, true, 10, "Arc (100,80)-(132,113) (100,100) (132,100)"},
        // Right to left draws the same short arc as left to right. Over the
        // slanted chord (100,104)-(132,100): c = 32.25, h = 3.03, R = 44.37,
        // centre (110.87, 60.98).
        ArcCase{"RightToLeft", 132, 100, 100, 100, true, 0, "Arc (72,15)-(160,103) (100,100) (132,100)"},
        ArcCase{"RightToLeftAbove", 132, 100, 100, 100, false, 0, "Arc (72,97)-(160,185) (132,100) (100,100)"},
        ArcCase{"RightToLeftLower", 132, 100, 100, 104, true, 0, "Arc (67,17)-(155,105) (100,104) (132,100)"},
        ArcCase{"LeftToRightHigher", 100, 104, 132, 100, true, 0, "Arc (67,17)-(155,105) (100,104) (132,100)"},
        // Equal x: nothing.
        ArcCase{"Vertical", 100, 100, 100, 140, true, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TECNote& NoteAt(TECMusicScore& score, int m) { return *score.CurrentInstrument()->GetRow(0)->GetMeasure(m)->Notes[0]; }

struct Arc {
  int left, top, right, bottom;
  int x1, y1, x2, y2;  // the radials: the chord's ends
};

std::vector<Arc> Arcs(const std::vector<std::string>& lines) {
  std::vector<Arc> arcs;
  for (const auto& line : With(lines, "Arc ")) {
    Arc a{};
    std::sscanf(line.c_str(), "Arc (%d,%d)-(%d,%d) (%d,%d) (%d,%d)", &a.left, &a.top, &a.right, &a.bottom, &a.x1, &a.y1,
                &a.x2, &a.y2);
    arcs.push_back(a);
  }
  return arcs;
}

// Chord ends as "x1,y1 x2,y2" from left to right.
std::string Chord(const Arc& a) {
  const bool leftFirst = a.x1 < a.x2;
  const int lx = leftFirst ? a.x1 : a.x2, ly = leftFirst ? a.y1 : a.y2;
  const int rx = leftFirst ? a.x2 : a.x1, ry = leftFirst ? a.y2 : a.y1;
  return std::to_string(lx) + "," + std::to_string(ly) + " " + std::to_string(rx) + "," + std::to_string(ry);
}

std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

// The handle box of an end at x, for a link above the heads at height y.
std::string HandleAbove(int x, int y) {
  return Box({x - 3 - 1, y - 6 - 1, x + 12 + 1, y - 6 - 1 + 6 + 2});
}

// The page is 100 mm wide with 10 mm margins: systems run from x 37 to 340.
// Their staves stand 22 mm (83 pixels) apart. A system's music starts after
// its first measure's header (clef and an empty key: 22).
constexpr int kSystemEnd = 340;
constexpr int kSystemStart = 37 + 22;
constexpr int kSystemDistance = 83;

// Stems down: a link above starts and ends at the heads' tops.
void StemsDown(TECMusicScore& score) {
  for (int m = 0; m < 8; ++m) NoteAt(score, m).Flags |= TECNote::StemDown;
}

// Partner at the end of the first system, owner at the start of the second:
// partner to the system's end, the second system's start to the owner.
TEST(LinkPainter, TieAcrossASystemBreak) {
  auto score = EightMeasures();
  StemsDown(*score);
  TECNote& partner = NoteAt(*score, 1);
  TECNote& owner = NoteAt(*score, 2);
  TECLinkAttribute* tie = LinkNotes(&partner, &owner, ek::LinkAbove);
  const auto arcs = Arcs(Draw(*score));
  ASSERT_EQ(arcs.size(), 2u);
  const int px = partner.HeadBox.Left + 6;
  const int py = partner.HeadBox.Top;  // the end's height: the head's top
  EXPECT_EQ(Chord(arcs[0]), Point(px, py - 3) + " " + Point(kSystemEnd, py - 3));
  EXPECT_EQ(Chord(arcs[1]), Point(kSystemStart, py - 3 + kSystemDistance) + " " +
                                Point(owner.HeadBox.Left, owner.HeadBox.Top - 3));
  EXPECT_EQ(Box(tie->PartBoxes[0]), HandleAbove(px, py));
  EXPECT_EQ(Box(tie->PartBoxes[1]), HandleAbove(owner.HeadBox.Left, owner.HeadBox.Top));
}

// Partner at the end of page 0, owner at the start of page 1: each page draws
// its part and zeroes the box of the end it does not show. Page 1 is drawn
// first, before page 0 ever was: the part there needs nothing of the partner.
TEST(LinkPainter, TieAcrossAPageBreak) {
  auto score = EightMeasures();
  StemsDown(*score);
  TECNote& partner = NoteAt(*score, 3);
  TECNote& owner = NoteAt(*score, 4);
  TECLinkAttribute* tie = LinkNotes(&partner, &owner, ek::LinkAbove);
  nv::render::LayoutScore(*score, 0, false);
  ASSERT_EQ(score->CurrentInstrument()->PageCount(), 2);
  score->SetActivePage(1);
  ASSERT_EQ(partner.HeadBox.Top, 0);
  auto arcs = Arcs(Draw(*score));
  ASSERT_EQ(arcs.size(), 1u);
  // From the first system's start, two spaces over its top line (98).
  EXPECT_EQ(Chord(arcs[0]), Point(kSystemStart, 98 - 12) + " " + Point(owner.HeadBox.Left, owner.HeadBox.Top - 3));
  EXPECT_EQ(Box(tie->PartBoxes[0]), "0,0,0,0");
  EXPECT_EQ(Box(tie->PartBoxes[1]), HandleAbove(owner.HeadBox.Left, owner.HeadBox.Top));

  score->SetActivePage(0);
  arcs = Arcs(Draw(*score));
  ASSERT_EQ(arcs.size(), 1u);
  const int px = partner.HeadBox.Left + 6;
  const int py = partner.HeadBox.Top;
  EXPECT_EQ(Chord(arcs[0]), Point(px, py - 3) + " " + Point(kSystemEnd, py - 3));
  EXPECT_EQ(Box(tie->PartBoxes[0]), HandleAbove(px, py));
  EXPECT_EQ(Box(tie->PartBoxes[1]), "0,0,0,0");
}

// One arc for every system the link passes on the page, and no more, also
// when the staves stand close (interval 0 puts all four systems on page 0).
TEST(LinkPainter, OneArcPerSystem) {
  for (const int interval : {16, 0}) {
    auto score = EightMeasures();
    score->Page().SetInterval(interval);
    TECNote& partner = NoteAt(*score, 0);
    LinkNotes(&partner, &NoteAt(*score, 5), ek::LinkBelow);
    const auto arcs = Arcs(Draw(*score));
    ASSERT_EQ(arcs.size(), interval == 0 ? 3u : 2u) << interval;
    // Below the heads: a space and a half under the head's top; the parts
    // in later systems one system distance lower each.
    const int y = partner.HeadBox.Top + 9;
    const int distance = interval == 0 ? 23 : kSystemDistance;  // 6 mm, or 22 mm
    for (std::size_t i = 1; i < arcs.size(); ++i) {
      const std::string chord = Chord(arcs[i]);
      EXPECT_EQ(chord.substr(0, chord.find(' ')), Point(kSystemStart, y + static_cast<int>(i) * distance)) << interval;
    }
  }
}

// Two measures side by side: a quarter G ends measure 0 and another starts
// measure 1, so that a link joins them as a tie.
struct TwoMeasures {
  std::unique_ptr<TECMusicScore> score = layout_test::MakeScore(1, 2);
  TECNote* first = score_builder::AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(0), 5, 5, 32, 96);
  TECNote* second = score_builder::AddNote(*score->CurrentInstrument()->GetRow(0)->GetMeasure(1), 5, 5, 32, 0);
};

// The ends of a tie above stem-up quarters: the partner's right of its
// head and stem, the owner's inside its head's left half; both a quarter
// space (1) over the head's top, so the arc's points lie 2 over it. The
// handles stay where a slur's would be.
int TieStartX(const TECNote& n) { return n.HeadBox.Right + 1; }
int TieEndX(const TECNote& n) { return n.HeadBox.Left + 3; }

// The split form: into the partner from its measure's content start, out of
// the owner to its measure's content end.
TEST(LinkPainter, SplitLinkDrawsTwoHalves) {
  TwoMeasures t;
  TECLinkAttribute* tie = LinkNotes(t.first, t.second, ek::LinkAbove);
  tie->LinkStyle = 1;
  const auto arcs = Arcs(Draw(*t.score));
  ASSERT_EQ(arcs.size(), 2u);
  const int y = t.first->HeadBox.Top - 2;
  const int px = TieStartX(*t.first);
  // Measure 0's content starts after its header (40) at x 37; measure 1's
  // content ends its header, content and justification after its barline.
  EXPECT_EQ(Chord(arcs[0]), Point(37 + 40, y) + " " + Point(px, y));
  const TECMeasureLayout& layout = *t.score->CurrentInstrument()->LayoutAt(1);
  const int end = t.score->PageLayout.Drawn(0, 1)->StartX + layout.HeaderWidth + layout.ExtraWidth +
                  layout.ContentWidth + static_cast<int>(layout.JustificationPixels);
  EXPECT_EQ(Chord(arcs[1]), Point(TieEndX(*t.second), y) + " " + Point(end, y));
  EXPECT_EQ(Box(tie->PartBoxes[0]), HandleAbove(px, t.first->HeadBox.Top));
  EXPECT_EQ(Box(tie->PartBoxes[1]), HandleAbove(TieEndX(*t.second), t.second->HeadBox.Top));
}

// Below the heads, with the ends shifted by their offset bytes (ones'
// complement: 253 is -2) and a thickness of 0. The tie hugs the heads: its
// heights lie a quarter space (1) over the heads' tops, so its points come
// a quarter space under the heads.
TEST(LinkPainter, BelowWithOffsets) {
  TwoMeasures t;
  TECLinkAttribute* slur = LinkNotes(t.first, t.second, ek::LinkBelow);
  slur->StartOffset = 253;
  slur->EndOffset = 4;
  slur->Thickness = 0;
  const auto arcs = Arcs(Draw(*t.score));
  ASSERT_EQ(arcs.size(), 1u);
  const int startHeight = t.first->HeadBox.Top - 1 - 2;
  const int endHeight = t.second->HeadBox.Top - 1 + 4;
  const int px = t.first->HeadBox.Left + 6;
  EXPECT_EQ(Chord(arcs[0]), Point(px, startHeight + 9) + " " + Point(TieEndX(*t.second), endHeight + 9));
  // Under the chord: left end first on the canvas.
  EXPECT_EQ(arcs[0].x1, px);
  // The handle boxes lie a space under the heads' tops, with the offsets.
  const int handleHeight = t.first->HeadBox.Top - 2;
  EXPECT_EQ(Box(slur->PartBoxes[0]), Box({px - 4, handleHeight + 6, px + 13, handleHeight + 6 + 8}));
}

// The selected end's handle is filled red; the other is not.
TEST(LinkPainter, SelectedEndFillsItsHandle) {
  for (const int part : {1, 2}) {
    TwoMeasures t;
    TECLinkAttribute* tie = LinkNotes(t.first, t.second, ek::LinkAbove);
    tie->HitPart = static_cast<std::uint8_t>(part);
    PaintSelection selection;
    selection.Row = t.score->CurrentInstrument()->GetRow(0);
    selection.Elements = {tie};
    const auto fills = With(Draw(*t.score, &selection), "FillRect");
    ASSERT_EQ(fills.size(), 1u) << part;
    const TECNote& end = part == 1 ? *t.first : *t.second;
    const int x = part == 1 ? TieStartX(end) : TieEndX(end);
    const int top = end.HeadBox.Top - 6 - 1;
    const std::string expected =
        "FillRect (" + Point(x - 2, top + 1) + ")-(" + Point(x + 3, top + 7) + ") | brush #FF0000 solid";
    EXPECT_EQ(fills[0], expected) << part;
  }
}

// A partner on the page that the painter has not reached yet (a later voice
// of the same measure, first drawing) is skipped: no arc, boxes as they were.
TEST(LinkPainter, PartnerNotYetDrawnIsSkipped) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = *score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
  TECNote* later = score_builder::AddNote(m, 5, 5, 32, 32, 0);
  TECNote* earlier = score_builder::AddNote(m, 5, 5, 32, 0, 1);
  TECLinkAttribute* tie = LinkNotes(earlier, later, ek::LinkAbove);
  tie->PartBoxes[0] = {1, 2, 3, 4};
  EXPECT_TRUE(Arcs(Draw(*score)).empty());
  EXPECT_EQ(Box(tie->PartBoxes[0]), "1,2,3,4");
  EXPECT_EQ(Box(tie->PartBoxes[1]), "0,0,0,0");
}

}  // namespace

namespace {

// The circle an Arc line was drawn on.
struct Circle {
  double cx, cy, r;
};
Circle CircleOf(const Arc& a) {
  return {(a.left + a.right) / 2.0, (a.top + a.bottom) / 2.0, (a.right - a.left) / 2.0};
}
// The arc's height over (above) or under (below) x.
double ArcYAt(const Circle& c, double x, bool above) {
  const double d = std::sqrt(std::max(0.0, c.r * c.r - (x - c.cx) * (x - c.cx)));
  return above ? c.cy - d : c.cy + d;
}

// Four quarters of a measure, stems up or down, and a link from the first to
// the last on the stems' side: the arc passes over (or under) every stem's
// end, its own notes' too, and crosses none.
TEST(LinkPainter, SlurOnTheStemSidePassesTheStemEnds) {
  for (const bool down : {false, true}) {
    auto score = layout_test::MakeScore(1, 1);
    TECMeasure& m = *score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
    std::vector<TECNote*> notes;
    const int steps[] = {3, 4, 5, 3};
    for (int i = 0; i < 4; ++i) {
      notes.push_back(score_builder::AddNote(m, steps[i], down ? 6 : 5, 32, i * 32));
      if (down) notes.back()->Flags |= TECNote::StemDown;
    }
    LinkNotes(notes[0], notes[3], down ? ek::LinkBelow : ek::LinkAbove);
    const auto arcs = Arcs(Draw(*score));
    ASSERT_EQ(arcs.size(), 1u) << down;
    const Circle c = CircleOf(arcs[0]);
    for (const TECNote* n : notes) {
      // Up: the stem at the head's right, up to the box's top; down: at the
      // head's left, down to the box's bottom.
      const int x = down ? n->HeadBox.Left + 1 : n->HeadBox.Right - 1;
      const double y = ArcYAt(c, x, !down);
      if (down) EXPECT_GT(y, n->Box.Bottom) << down << " " << x;
      else EXPECT_LT(y, n->Box.Top + 1) << down << " " << x;
    }
  }
}

// A tie between two G quarters and a slur between G and A beside them, both
// under the stem-up heads: the tie's ends and its lowest point lie closer to
// the heads than the slur's.
TEST(LinkPainter, TieIsFlatterAndCloserThanASlur) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetTimeSignature(4, 4, 0, true);
  TECMeasure& m = *score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
  const int steps[] = {5, 5, 5, 6};
  std::vector<TECNote*> n;
  for (int i = 0; i < 4; ++i) n.push_back(score_builder::AddNote(m, steps[i], 5, 32, i * 32));
  LinkNotes(n[0], n[1], ek::LinkBelow);
  LinkNotes(n[2], n[3], ek::LinkBelow);
  const auto arcs = Arcs(Draw(*score));
  ASSERT_EQ(arcs.size(), 2u);
  const Arc& tie = arcs[0].x1 < arcs[1].x1 ? arcs[0] : arcs[1];
  const Arc& slur = arcs[0].x1 < arcs[1].x1 ? arcs[1] : arcs[0];
  const int headBottom = n[0]->HeadBox.Bottom;  // every head lies on the same or a higher step
  EXPECT_LT(std::max(tie.y1, tie.y2) - headBottom, std::max(slur.y1, slur.y2) - headBottom);
  const Circle t = CircleOf(tie);
  const Circle s = CircleOf(slur);
  EXPECT_LT(t.cy + t.r, s.cy + s.r);
  // The sagitta over the chord: the tie's is the smaller.
  const double tieChord = std::hypot(tie.x2 - tie.x1, tie.y2 - tie.y1);
  const double slurChord = std::hypot(slur.x2 - slur.x1, slur.y2 - slur.y1);
  EXPECT_LT((t.r - std::sqrt(t.r * t.r - tieChord * tieChord / 4)) / tieChord,
            (s.r - std::sqrt(s.r * s.r - slurChord * slurChord / 4)) / slurChord);
}

}  // namespace
