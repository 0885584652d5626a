#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "draw_test_support.h"
#include "model/measure.h"
#include "model/symbols_row.h"

using draw_test::Draw;
using draw_test::TextsOf;
using draw_test::With;

namespace {

TECRow& Row(TECMusicScore& score, int i = 0) { return *score.CurrentInstrument()->GetRow(i); }

// On the default page (10 mm margins, 16 mm interval, 96 DPI) the first
// staff's top line lies 26 mm down and a staff space is 6 pixels. The lines
// of the one measure run to its barline at 37 + 96 + 8: the system holds it
// and three empty measures, and justification gives each of the first two
// 8 of the 34 spare pixels.
TEST(StaffPainter, FiveLinesOnTheDefaultPageSilverOnScreenBlackWhenPrinting) {
  for (const bool printing : {false, true}) {
    auto score = layout_test::MakeScore(1, 1);
    score->SetPrinting(printing);
    const auto lines = Draw(*score);
    const std::string pen = printing ? "#000000" : "#C0C0C0";
    std::vector<std::string> staff;
    for (int y : {122, 116, 110, 104, 98})
      staff.push_back("LineTo (37," + std::to_string(y) + ") to (141," + std::to_string(y) + ") | pen " + pen +
                      " w1 solid");
    // The five lines, bottom first, one after the other.
    std::vector<std::string> drawn;
    for (const auto& line : lines)
      if (line.rfind("LineTo (37,", 0) == 0 && line.find(") to (141,") != std::string::npos) drawn.push_back(line);
    EXPECT_EQ(drawn, staff) << (printing ? "printing" : "screen");
  }
}

// Clefs stand at the measure start + 2 pixels, at their offset from the
// staff top (98), one space being 6 pixels.
TEST(StaffPainter, ClefsAtTheirOffsetsFromTheStaffTop) {
  const struct {
    int code;
    const char* glyph;
    int y;
  } cases[] = {{1, "$", 86}, {2, "%", 98}, {3, "&", 98},  {7, "%", 104}, {8, "&", 92},
               {9, "&", 110}, {10, "&", 104}, {11, "&", 86}, {12, "$", 86}};
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    Row(*score).SetClef(0, c.code);
    const auto lines = Draw(*score);
    const auto placed = TextsOf(lines, c.glyph);
    ASSERT_FALSE(placed.empty()) << c.code;
    EXPECT_EQ(placed[0].x, 39) << c.code;
    EXPECT_EQ(placed[0].y, c.y) << c.code;
    // The clef record gets the glyph cell as its box (left - 1, top - 1).
    const TECClef& clef = *Row(*score).GetMeasure(0)->Clef;
    EXPECT_EQ(clef.Box.Left, 38) << c.code;
    EXPECT_EQ(clef.Box.Top, c.y - 1) << c.code;
    // Code 12 draws its glyph twice, one space and a pen width apart.
    if (c.code == 12) {
      EXPECT_EQ(placed[1].x, 39 + 7);
    }
  }
}

// A C clef that changes the clef at a barline stands half a staff space
// clear of the barline's pen, at every zoom; the measure's notes follow it.
TEST(StaffPainter, ClefChangeKeepsClearOfTheBarline) {
  for (int zoom : {100, 200}) {
    auto score = layout_test::MakeScore(1, 2);
    score->SetZoom(zoom);
    Row(*score).SetClef(1, 3);
    score_builder::AddNote(*Row(*score).GetMeasure(1), 1, 5, 32, 0);
    const auto lines = Draw(*score);
    const int barline = score->PageLayout.Drawn(0, 1)->StartX;
    // The change, not the clef that opens the next system.
    auto clefs = TextsOf(lines, "&");
    std::erase_if(clefs, [&](const auto& clef) { return clef.x < barline || clef.x > barline + 20 * zoom / 100; });
    ASSERT_EQ(clefs.size(), 1u) << zoom;
    const int pen = zoom / 100;
    const int space = 6 * zoom / 100;
    EXPECT_GE(clefs[0].x - (barline + pen), space / 2) << zoom;
    // The head (4 units left of its column) stands after the clef's advance.
    const int clefEnd = clefs[0].x + 18 * zoom / 100;
    EXPECT_GE(TextsOf(lines, "B").at(0).x, clefEnd) << zoom;
  }
}

// Row names stand in the first system's indent, which the layout widens
// for them: each ends before its staff's bracket room, on its staff, left
// of the first note. Later systems keep their start.
TEST(StaffPainter, RowNamesStandInTheFirstSystemsIndent) {
  auto build = [](bool named) {
    auto score = layout_test::MakeScore(2, 8);
    score->Page().SetInterval(0);  // two systems on the page
    for (int r = 0; r < 2; ++r) score_builder::AddNote(*Row(*score, r).GetMeasure(0), 5, 5, 32, 0);
    if (named) {
      Row(*score, 0).SetName("Flute");
      Row(*score, 1).SetName("Piano");
    }
    return score;
  };
  auto plain = build(false);
  auto named = build(true);
  Draw(*plain);
  const auto lines = Draw(*named);
  auto secondSystemX = [](TECMusicScore& score) {
    int m = 1;
    while (!score.CurrentInstrument()->LayoutAt(m)->SystemStart) ++m;
    const TECDrawnMeasure* drawn = score.PageLayout.Drawn(0, m);
    return drawn ? drawn->StartX : -1;
  };
  EXPECT_GT(named->PageLayout.Drawn(0, 0)->StartX, plain->PageLayout.Drawn(0, 0)->StartX);
  EXPECT_EQ(secondSystemX(*named), secondSystemX(*plain));
  EXPECT_GT(secondSystemX(*plain), 0);
  const char* names[] = {"Flute", "Piano"};
  for (int r = 0; r < 2; ++r) {
    const auto texts = With(lines, std::string("\"") + names[r] + "\" width");
    ASSERT_EQ(texts.size(), 1u) << names[r];
    int x = 0, y = 0, width = 0;
    ASSERT_EQ(std::sscanf(texts[0].c_str(), "TextOut (%d,%d) \"%*[^\"]\" width %d", &x, &y, &width), 3) << texts[0];
    const TECDrawnMeasure& drawn = *named->PageLayout.Drawn(r, 0);
    EXPECT_GE(x, 37) << names[r];  // the page's left content edge
    EXPECT_LE(x + width, drawn.StartX - 10) << names[r];
    EXPECT_GT(y, drawn.StaffTop - 12) << names[r];
    EXPECT_LT(y, drawn.StaffTop + 24) << names[r];
    EXPECT_GT(Row(*named, r).GetMeasure(0)->Notes[0]->Box.Left, x + width) << names[r];
  }
  // Only the first system shows them.
  EXPECT_EQ(With(lines, "\"Flute\" width").size(), 1u);
}

// A name longer than the room the layout keeps is drawn smaller, within it.
TEST(StaffPainter, LongRowNameShrinksIntoItsRoom) {
  auto score = layout_test::MakeScore(1, 2);
  Row(*score).SetName("Acoustic Grand Piano and Harpsichord together");
  const auto lines = Draw(*score);
  const auto texts = With(lines, "and Harpsichord together\" width");
  ASSERT_EQ(texts.size(), 1u);
  int x = 0, width = 0;
  ASSERT_EQ(std::sscanf(texts[0].c_str(), "TextOut (%d,%*d) \"%*[^\"]\" width %d", &x, &width), 2) << texts[0];
  EXPECT_GE(x, 37);
  EXPECT_LE(x + width, score->PageLayout.Drawn(0, 0)->StartX);
  EXPECT_EQ(texts[0].find("8pt"), std::string::npos) << texts[0];
}

TEST(StaffPainter, OctaveClefsAndTablature) {
  auto score = layout_test::MakeScore(1, 1);
  Row(*score).SetClef(0, 4);
  auto lines = Draw(*score);
  const auto eight = With(lines, "\"8\"");
  ASSERT_FALSE(eight.empty());
  EXPECT_NE(eight[0].find("TextOut (51,86)"), std::string::npos) << eight[0];
  EXPECT_NE(eight[0].find("italic"), std::string::npos);

  Row(*score).SetClef(0, 13);
  lines = Draw(*score);
  for (const char* letter : {"T", "A", "B"}) {
    const auto found = With(lines, std::string("\"") + letter + "\"");
    ASSERT_FALSE(found.empty()) << letter;
    EXPECT_NE(found[0].find("font \"Arial\" 9pt #000000 bold"), std::string::npos) << found[0];
  }
}

// Sharps and flats from the base line two spaces above the staff top.
TEST(StaffPainter, KeySignatureGlyphPlaces) {
  auto score = layout_test::MakeScore(1, 1);
  Row(*score).SetKeySignature(0, 33);  // three sharps
  auto sharps = TextsOf(Draw(*score), "d");
  ASSERT_GE(sharps.size(), 3u);
  EXPECT_EQ(sharps[0].y, 86);
  EXPECT_EQ(sharps[1].y, 86 + 9);
  EXPECT_EQ(sharps[2].y, 86 - 3);
  EXPECT_EQ(sharps[1].x - sharps[0].x, 6);
  // The key record's box covers the three glyph cells.
  const TECElementBox& key = Row(*score).GetMeasure(0)->KeySignature->Box;
  EXPECT_EQ(key.Left, sharps[0].x - 1);
  EXPECT_EQ(key.Top, 86 - 3 - 1);
  EXPECT_GT(key.Right, sharps[2].x);

  Row(*score).SetKeySignature(0, 42);  // two flats
  const auto flats = TextsOf(Draw(*score), "b");
  ASSERT_GE(flats.size(), 2u);
  EXPECT_EQ(flats[0].y, 86 + 12);
  EXPECT_EQ(flats[1].y, 86 + 3);
}

TEST(StaffPainter, TimeSignatureSymbolsAndDigits) {
  const struct {
    int numerator, denominator, style;
    std::vector<std::string> glyphs;
  } cases[] = {{4, 4, 1, {"/"}}, {2, 2, 2, {"-"}}, {2, 4, 2, {"-"}}, {3, 4, 1, {"3", "4"}}, {4, 4, 0, {"4", "4"}}};
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 1);
    Row(*score).SetTimeSignature(0, c.numerator, c.denominator, static_cast<std::uint8_t>(c.style));
    // The music face at 16 points: an em of 3.5 spaces of 6 pixels.
    const auto lines = With(Draw(*score), "font \"Vorod Iduriza\" h-21");
    std::vector<std::string> glyphs;
    for (const auto& line : lines) {
      const auto at = line.find('"');
      const std::string g = line.substr(at + 1, line.find('"', at + 1) - at - 1);
      if (g != "$") glyphs.push_back(g);
    }
    EXPECT_EQ(glyphs, c.glyphs) << c.numerator << "/" << c.denominator;
  }
  // The numerator stands half a space above the top line, the denominator
  // half a space above the middle line.
  auto score = layout_test::MakeScore(1, 1);
  Row(*score).SetTimeSignature(0, 3, 4, 0);
  const auto lines = Draw(*score);
  EXPECT_EQ(TextsOf(lines, "3").at(0).y, 95);
  EXPECT_EQ(TextsOf(lines, "4").at(0).y, 107);
}

TEST(StaffPainter, NothingInTheAllInstrumentsViewOrBeforeTheFirstLayout) {
  auto score = layout_test::MakeScore(1, 1);
  nv::platform::RecordingCanvas canvas;
  score->DrawPage(canvas, 100, 100);
  EXPECT_TRUE(canvas.lines().empty());
  score->SetStyle(TScoreStyle::ssAllInstruments);
  EXPECT_TRUE(Draw(*score).empty());
}

// At the smallest zoom and scale the staff space stays one pixel, and the
// ledger lines of a note far below the staff are counted without fault.
TEST(StaffPainter, SmallestZoomKeepsOnePixelSpaces) {
  auto score = layout_test::MakeScore(1, 1);
  score_builder::AddNote(*Row(*score).GetMeasure(0), 1, 2, 32, 0);
  score->SetScale(10);
  nv::render::LayoutScore(*score, 0, false);
  nv::platform::RecordingCanvas canvas;
  score->DrawPage(canvas, 10, 10);
  const auto staff = With(canvas.lines(), "pen #C0C0C0 w0 solid");
  ASSERT_GE(staff.size(), 5u);
  int y[5];
  for (int i = 0; i < 5; ++i) std::sscanf(staff[i].c_str(), "LineTo (%*d,%d)", &y[i]);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(y[i - 1] - y[i], 1);
}

TEST(StaffPainter, BraceSpansTheRowsOfAnInstrument) {
  auto score = layout_test::MakeScore(2, 1);
  const auto lines = Draw(*score);
  const auto brace = With(lines, "\"#\"");
  ASSERT_EQ(brace.size(), 1u);
  // 10 pixels left of the staves, from the first staff's top (98) to the
  // second staff's bottom (205): the brace font is 107 x 31 / 20 high.
  EXPECT_EQ(brace[0], "TextOut (37,98) \"#\" width 9 | font \"Vorod Iduriza\" h165 #000000 width7 | transparent");
  // The system's left barline and the closing barline join both staves.
  EXPECT_EQ(With(lines, "LineTo (47,98) to (47,205)").size(), 1u);
  EXPECT_EQ(With(lines, "LineTo (340,205) to (340,98)").size(), 1u);
}

}  // namespace

namespace {

// Bar numbers show on screen (with a window) or with PrintNumber, above the
// staff at its top - font size - one space, by the numbering style.
TEST(StaffPainter, BarNumbersByStyle) {
  const struct {
    TECNumberStyle style;
    int expected;
  } cases[] = {{TECNumberStyle::nsBar, 9}, {TECNumberStyle::nsRow, 2}, {TECNumberStyle::nsPage, 1}};
  // Six measures of music and three empty ones fill the page's two systems.
  for (const auto& c : cases) {
    auto score = layout_test::MakeScore(1, 6);
    FakeScoreHost host;
    score->SetHost(&host);
    score->SetNumberStyle(c.style);
    score->SetStartBarNumber(0);  // stored from 0, shown from 1
    const auto numbers = With(Draw(*score), "font \"Time New Roman\" 5pt");
    EXPECT_EQ(static_cast<int>(numbers.size()), c.expected) << static_cast<int>(c.style);
    ASSERT_FALSE(numbers.empty());
    // Bar 1 at the first measure's start: 98 - 5 - 6.
    EXPECT_EQ(numbers[0].rfind("TextOut (37,87) \"1\"", 0), 0u) << numbers[0];
    score->SetHost(nullptr);
  }
  // Without a window only PrintNumber shows them.
  auto score = layout_test::MakeScore(1, 2);
  EXPECT_TRUE(With(Draw(*score), "Time New Roman").empty());
  score->SetPrintNumber(true);
  EXPECT_FALSE(With(Draw(*score), "Time New Roman").empty());
}

// A bar-number item removed from the symbols row after the last layout (its
// page not laid out again) is no longer read through the layout record.
TEST(StaffPainter, BarNumberItemRemovedSinceTheLayoutIsNotRead) {
  auto score = layout_test::MakeScore(1, 2);
  score->SetPrintNumber(true);
  score->SetNumberStyle(TECNumberStyle::nsBar);
  TECSymbolEntry* entry = score->CurrentInstrument()->GetSymbolMeasure(1, false);
  entry->Items.push_back(std::make_unique<TECSymbolItem>(ek::SymbolBarNumber, entry));
  entry->Items.back()->SetByte(1, 7);
  score->LayoutScore(0, false);
  ASSERT_NE(score->CurrentInstrument()->LayoutAt(1)->BarNumberItem, nullptr);
  entry->Items.clear();
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  score->DrawPage(canvas, score->GetZoom(), score->GetZoom());
  // One number for each of the nine measures of the page (two with music).
  EXPECT_EQ(With(canvas.lines(), "Time New Roman").size(), 9u);
}

// In the page preview, measures past the end of the music are drawn only
// with PrintLines, and their headers and barlines with PrintEmpty as well.
TEST(StaffPainter, PreviewSkipsMeasuresAfterTheMusic) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetStyle(TScoreStyle::ssPreviewPages);
  auto lines = Draw(*score);
  const auto staffLines = [&] { return With(lines, "pen #C0C0C0").size(); };
  const std::size_t withMusic = staffLines();
  EXPECT_EQ(withMusic, 5u);
  score->SetPrintLines(true);
  lines = Draw(*score);
  EXPECT_GT(staffLines(), withMusic);
  EXPECT_EQ(TextsOf(lines, "$").size(), 1u);
  score->SetPrintEmpty(true);
  lines = Draw(*score);
  EXPECT_GT(TextsOf(lines, "$").size(), 1u);
}

// Notes chosen while the velocity display is on get their velocity in blue
// beside the head; the box grows by the label.
TEST(StaffPainter, VelocityLabels) {
  auto score = layout_test::MakeScore(1, 1);
  TECNote* note = score_builder::AddNote(*Row(*score).GetMeasure(0), 7, 5, 32, 0);
  note->Velocity = 90;
  score->SetVelocityMode(1);
  nv::render::PaintSelection selection;
  selection.Row = &Row(*score);
  selection.Elements = {note};
  const auto lines = Draw(*score, &selection);
  const auto label = With(lines, "\"90\"");
  ASSERT_EQ(label.size(), 1u);
  EXPECT_NE(label[0].find("#0000FF"), std::string::npos);
  const auto head = TextsOf(lines, "B").at(0);
  EXPECT_EQ(label[0].rfind("TextOut (" + std::to_string(head.x) + ",", 0), 0u) << label[0];
}

}  // namespace

namespace {

// The straight bracket (accolade style 1) is a polygon 10 pixels left of
// the staves; the group of the highlighted row is red, and a group whose
// style byte is set shows only then.
TEST(StaffPainter, BracketGroupsAndHighlight) {
  auto score = layout_test::MakeScore(3, 1);
  TECInstrument& instrument = *score->CurrentInstrument();
  instrument.SetAccolade(1);
  instrument.Pairs = {{2, 0}, {1, 1}};
  nv::render::PaintSelection selection;
  auto lines = Draw(*score, &selection);
  auto brackets = With(lines, "Polygon");
  ASSERT_EQ(brackets.size(), 1u);
  // From the first staff top (98) to the second staff's bottom (205),
  // with the tips p2 beyond them.
  EXPECT_EQ(brackets[0].rfind("Polygon (38,96) (32,98) (32,205) (38,207) (34,205) (34,98) | pen #000000", 0), 0u)
      << brackets[0];
  selection.HighlightedRow = 2;
  lines = Draw(*score, &selection);
  brackets = With(lines, "Polygon");
  ASSERT_EQ(brackets.size(), 2u);
  EXPECT_NE(brackets[1].find("pen #FF0000"), std::string::npos) << brackets[1];
  EXPECT_NE(brackets[0].find("pen #000000"), std::string::npos) << brackets[0];
}

}  // namespace
