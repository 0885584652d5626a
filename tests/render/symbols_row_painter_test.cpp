#include <gtest/gtest.h>

#include "draw_test_support.h"
#include "model/measure.h"
#include "model/symbols_row.h"

using draw_test::Draw;
using draw_test::TextsOf;
using draw_test::With;

namespace {

TECSymbolItem* AddSymbol(TECMusicScore& score, int m, std::uint8_t kind, std::initializer_list<int> bytes = {}) {
  TECSymbolEntry* entry = score.CurrentInstrument()->GetSymbolMeasure(m, false);
  entry->Items.push_back(std::make_unique<TECSymbolItem>(kind, entry));
  int at = 1;
  for (int b : bytes) entry->Items.back()->SetByte(at++, static_cast<std::uint8_t>(b));
  return entry->Items.back().get();
}

// On the default page: the staff from y 98 to 122, items above it at
// 98 - 4 spaces = 74 unless moved by their vertical offset byte.
TEST(SymbolsRowPainter, MarksAboveTheStaff) {
  auto score = layout_test::MakeScore(1, 2);
  TECSymbolItem* segno = AddSymbol(*score, 0, 71);
  TECSymbolItem* dc = AddSymbol(*score, 1, 74);
  TECSymbolItem* raised = AddSymbol(*score, 1, 72, {0, 0, 2});  // two half spaces up
  const auto lines = Draw(*score);
  EXPECT_EQ(TextsOf(lines, "z").at(0).y, 74);
  EXPECT_EQ(segno->Box.Top, 73);
  const auto text = With(lines, "\"D.C.\"");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_NE(text[0].find("font \"Arial\" 8pt #000000 italic"), std::string::npos) << text[0];
  // Right-aligned at the measure end: 37 + 96 + 56 and the 8 + 8 pixels
  // that justification gives measures 0 and 1 (34 spare pixels over them
  // and the two empty measures that fill the system).
  EXPECT_EQ(dc->Box.Right, 205);
  EXPECT_EQ(TextsOf(lines, "{").at(0).y, 74 - 6);
  EXPECT_EQ(raised->Box.Top, 74 - 6 - 1);
}

TEST(SymbolsRowPainter, RehearsalMarksWithFrames) {
  const struct {
    int style;
    const char* frame;
  } cases[] = {{8, "Ellipse"}, {4, "Rectangle"}, {12, "Rectangle"}, {0, nullptr}};
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    AddSymbol(*score, 0, ek::SymbolRehearsal, {0, 0, c.style, 0});
    auto lines = Draw(*score);
    // The layout counted one mark: the letter "A", bold Arial at f / 1000.
    const auto letter = With(lines, "\"A\" width");
    ASSERT_EQ(letter.size(), 1u) << c.style;
    EXPECT_NE(letter[0].find("font \"Arial\" 10pt #000000 bold"), std::string::npos) << letter[0];
    if (c.frame) EXPECT_EQ(With(lines, c.frame).size(), 1u) << c.style;
    else EXPECT_TRUE(With(lines, "Ellipse").empty() && With(lines, "Rectangle").empty());
  }
}

TEST(SymbolsRowPainter, BarlinesAndRepeats) {
  auto score = layout_test::MakeScore(2, 2);
  AddSymbol(*score, 0, 85);  // start repeat after the header
  AddSymbol(*score, 1, ek::SymbolFinalBarline);
  const auto lines = Draw(*score);
  // Final barline: a thick and a thin bar over both staves (98 to 205) at
  // the end of measure 1: 47 + 104 (the repeat's 8 extra) + 56 and 4 + 4 of
  // the 16 pixels that justification spreads over it, measure 0 and two
  // empty measures.
  EXPECT_EQ(With(lines, "FillRect (214,98)-(216,206)").size(), 1u);
  EXPECT_EQ(With(lines, "FillRect (212,98)-(213,206)").size(), 1u);
  // Start repeat: two dots in the spaces around each staff's middle line.
  const auto dots = With(lines, "Ellipse");
  ASSERT_EQ(dots.size(), 4u);
  int tops[4];
  for (int i = 0; i < 4; ++i) std::sscanf(dots[i].c_str(), "Ellipse (%*d,%d)", &tops[i]);
  EXPECT_EQ(tops[0], 107 - 1);
  EXPECT_EQ(tops[1], 113 - 1);
  EXPECT_EQ(tops[2], 190 - 1);
  EXPECT_EQ(tops[3], 196 - 1);
}

TEST(SymbolsRowPainter, MultiMeasureRestsAndVolta) {
  auto score = layout_test::MakeScore(1, 2);
  TECSymbolItem* rest = AddSymbol(*score, 0, ek::SymbolMultiRest, {4});
  AddSymbol(*score, 1, ek::SymbolMultiRest, {12});
  TECSymbolItem* volta = AddSymbol(*score, 1, ek::SymbolVolta, {1, 2});
  const auto lines = Draw(*score);
  // Four measures: one block 3 pixels wide from b - 3s to b - s, centred in
  // the measure (77 to 141 after 8 justification pixels), the count 6
  // spaces above the bottom line.
  EXPECT_EQ(With(lines, "FillRect (108,104)-(111,116)").size(), 1u);
  EXPECT_EQ(TextsOf(lines, "4").at(0).y, 86);
  EXPECT_EQ(rest->Box.Top, 86 - 1);
  // Twelve: a bar half a space thick 1.5 spaces above the bottom line, from
  // a space after the measure start to a space before its end, with
  // strokes one space high at both ends.
  // Measure 1 runs from 141 to 205.
  EXPECT_EQ(With(lines, "FillRect (147,112)-(199,115)").size(), 1u);
  EXPECT_EQ(With(lines, "FillRect (147,110)-(148,116)").size(), 1u);
  EXPECT_EQ(With(lines, "FillRect (198,110)-(199,116)").size(), 1u);
  EXPECT_EQ(TextsOf(lines, "12").at(0).y, 86);
  // The volta: its number and the hook at the measure start.
  EXPECT_EQ(TextsOf(lines, "2.").size(), 1u);
  EXPECT_EQ(volta->Box.Top, 74 - 1);
}

// A volta that opens a system begins after the clef and key, at the
// measure's content origin: in the first system and in a later one.
TEST(SymbolsRowPainter, VoltaAtASystemStartBeginsAfterTheHeader) {
  auto score = layout_test::MakeScore(1, 8);
  score->CurrentInstrument()->GetRow(0)->SetKeySignature(0, 33);
  nv::render::LayoutScore(*score, 0, false);
  int second = 0;
  while (!score->CurrentInstrument()->LayoutAt(second)->SystemStart || second == 0) ++second;
  for (int m : {0, second}) {
    TECSymbolItem* volta = AddSymbol(*score, m, ek::SymbolVolta, {1, 1});
    const auto lines = Draw(*score);
    const TECDrawnMeasure& drawn = *score->PageLayout.Drawn(0, m);
    EXPECT_EQ(volta->Box.Left, drawn.OriginX - 1) << m;
    EXPECT_GT(drawn.OriginX, drawn.StartX) << m;
    const std::string stroke = "MoveTo (" + std::to_string(drawn.OriginX) + ",";
    EXPECT_EQ(With(lines, stroke).size(), 1u) << stroke;
    // The key's last sharp ends before the bracket.
    const auto sharps = TextsOf(lines, "d");
    ASSERT_GE(sharps.size(), 3u) << m;
    int header = 0;
    for (const auto& sharp : sharps)
      if (sharp.y < drawn.StaffTop + 24 && sharp.y > drawn.StaffTop - 24 && sharp.x < drawn.OriginX) header = sharp.x;
    EXPECT_GT(header, drawn.StartX) << m;
    EXPECT_LE(header + 6, volta->Box.Left) << m;
    score->CurrentInstrument()->GetSymbolMeasure(m, false)->Items.clear();
  }
}

// A volta over a system break runs to the right edge and goes on from the
// next system's start, one system height (22 mm, 83 pixels) lower.
TEST(SymbolsRowPainter, VoltaAcrossASystemBreak) {
  auto score = layout_test::MakeScore(1, 8);
  nv::render::LayoutScore(*score, 0, false);
  int last = 0;
  while (!score->CurrentInstrument()->LayoutAt(last)->SystemEnd) ++last;
  TECSymbolItem* volta = AddSymbol(*score, last, ek::SymbolVolta, {2, 1});
  const auto lines = Draw(*score);
  EXPECT_EQ(With(lines, "to (340,74) | pen #000000").size(), 1u);
  EXPECT_EQ(With(lines, "MoveTo (37,157)").size(), 1u);
  EXPECT_EQ(volta->Box.Right, 340 + 1);
  EXPECT_GE(volta->Box.Bottom, 157 + 24);
}

// A volta that reaches over a page break goes on at the start of the next
// page, without its number and opening stroke, and closes there.
TEST(SymbolsRowPainter, VoltaCarriedToTheNextPage) {
  auto score = layout_test::MakeScore(1, 16);
  nv::render::LayoutScore(*score, 0, false);
  ASSERT_GT(score->CurrentInstrument()->PageCount(), 1);
  const int last = score->PageLastMeasure(0);
  AddSymbol(*score, last, ek::SymbolVolta, {2, 1});
  nv::render::LayoutScore(*score, 0, false);
  score->SetActivePage(1);
  const auto lines = Draw(*score);
  EXPECT_TRUE(TextsOf(lines, "1.").empty());
  EXPECT_EQ(With(lines, "MoveTo (37,74)").size(), 1u);
  // The line along the first measure and the closing stroke down to the
  // staff top.
  const auto strokes = With(lines, ",74) to (");
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0].rfind("LineTo (37,74) to (", 0), 0u) << strokes[0];
  EXPECT_NE(strokes[1].find(",98) | pen"), std::string::npos) << strokes[1];
}

TEST(SymbolsRowPainter, TempoMark) {
  auto score = layout_test::MakeScore(1, 1);
  TECSymbolItem* tempo = AddSymbol(*score, 0, ek::TempoMark);
  tempo->SetByte(3, 32);
  tempo->SetTempo(96);
  const auto lines = Draw(*score);
  ASSERT_EQ(TextsOf(lines, ":").size(), 1u);
  EXPECT_EQ(With(lines, "\"=96\"").size(), 1u);
}

}  // namespace
