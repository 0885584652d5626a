#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "draw_test_support.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/page_objects.h"

using draw_test::AddItem;
using draw_test::BottomLine;
using draw_test::Box;
using draw_test::ChordPiece;
using draw_test::ColumnX;
using draw_test::Draw;
using draw_test::PageLine;
using draw_test::With;

namespace {

TECMeasure& MeasureOf(TECMusicScore& score, int m = 0) {
  return *score.CurrentInstrument()->GetRow(0)->GetMeasure(m);
}


// One TextOut line: corner, text, width and font part.
struct Text {
  int x = 0, y = 0, width = 0;
  std::string text, font;
};

std::vector<Text> TextOuts(const std::vector<std::string>& lines, const std::string& face) {
  std::vector<Text> found;
  for (const auto& line : lines) {
    if (line.rfind("TextOut (", 0) != 0 || line.find("| font \"" + face + "\"") == std::string::npos) continue;
    Text t;
    std::sscanf(line.c_str(), "TextOut (%d,%d)", &t.x, &t.y);
    const auto open = line.find('"');
    const auto close = line.find('"', open + 1);
    t.text = line.substr(open + 1, close - open - 1);
    std::sscanf(line.c_str() + line.find(" width ") + 7, "%d", &t.width);
    const auto font = line.find("| font ");
    t.font = line.substr(font + 2, line.find(" |", font + 2) - font - 2);
    found.push_back(t);
  }
  return found;
}

// "C", "m", "7" with anchors 0, 0, 1 and levels 0, 0, -2, under a quarter
// at tick 32.
struct ChordDrawing {
  std::vector<Text> texts;
  int column = 0, baseline = 0;
  TECChordSymbol* chord = nullptr;
  std::unique_ptr<TECMusicScore> score;
};

ChordDrawing DrawChord(int zoom, bool printing) {
  auto score = layout_test::MakeScore(1, 1);
  score->SetZoom(zoom);
  score_builder::AddNote(MeasureOf(*score), 5, 5, 32, 32);
  TECChordSymbol& chord = AddItem<TECChordSymbol>(MeasureOf(*score), ek::ChordSymbol, 32);
  chord.Pieces = {ChordPiece("C", 0, 0), ChordPiece("m", 0, 0), ChordPiece("7", 1, -2)};
  score->SetPrinting(printing);
  ChordDrawing d;
  d.texts = TextOuts(Draw(*score), "Arial");
  d.column = ColumnX(*score, 0, 32);
  d.baseline = BottomLine(*score, 0) + 4 * 6 * zoom / 100;
  d.chord = &chord;
  d.score = std::move(score);
  return d;
}

TEST(ChordSymbolPainter, PiecesFollowTheirAnchorsAndCentreOnTheColumn) {
  const ChordDrawing d = DrawChord(100, false);
  ASSERT_EQ(d.texts.size(), 3u);
  const Text& c = d.texts[0];
  const Text& m = d.texts[1];
  const Text& seven = d.texts[2];
  EXPECT_EQ(m.x, c.x + c.width);
  EXPECT_EQ(seven.x, m.x + m.width);
  EXPECT_EQ(c.y, m.y);
  const int half = (c.width + m.width + seven.width) / 2;
  EXPECT_EQ(c.x, d.column - half);
  EXPECT_EQ(d.chord->Pieces[1].RightEnd, m.x + m.width);
  EXPECT_EQ(d.chord->Pieces[2].RightEnd, seven.x + seven.width);
  EXPECT_EQ(d.chord->Box.Left, d.column - half - 1);
  EXPECT_EQ(d.chord->Box.Bottom, d.baseline + 1);
}

// Pieces without a size: 10 points on the root's line, 8 raised or
// lowered, on screen at 100 % and on paper alike.
TEST(ChordSymbolPainter, SizeZeroPiecesTakeTheSameSizesOnScreenAndPaper) {
  for (const bool printing : {false, true}) {
    const ChordDrawing d = DrawChord(100, printing);
    ASSERT_EQ(d.texts.size(), 3u) << printing;
    EXPECT_NE(d.texts[0].font.find(" 10pt"), std::string::npos) << d.texts[0].font;
    EXPECT_NE(d.texts[1].font.find(" 10pt"), std::string::npos) << d.texts[1].font;
    EXPECT_NE(d.texts[2].font.find(" 8pt"), std::string::npos) << d.texts[2].font;
  }
}

TEST(ChordSymbolPainter, RaisedPieceStandsSixPixelsHigher) {
  const ChordDrawing d = DrawChord(100, false);
  ASSERT_EQ(d.texts.size(), 3u);
  // Bottom of each piece = its top + its height; measure the heights on the
  // recording canvas's table.
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(10, 10));
  nv::platform::Font font;
  font.face = "Arial";
  font.size = 10;
  canvas.setFont(font);
  const int tall = canvas.textHeight("A");
  font.size = 8;
  canvas.setFont(font);
  const int small = canvas.textHeight("A");
  EXPECT_EQ(d.texts[0].y + tall, d.baseline);
  EXPECT_EQ(d.texts[2].y + small, d.baseline - 6);
}

// --- text boxes ----------------------------------------------------------------------

TEST(TextBoxPainter, AShiftIndentsEachLineFurther) {
  auto score = layout_test::MakeScore(1, 1);
  TECTextBox& box = AddItem<TECTextBox>(MeasureOf(*score), ek::TextBox, 0);
  box.Style = {10, 0, 2, 5, 0};
  box.Voice = 2;  // the per-line shift
  box.Lines = {"one", "two", "three"};
  const auto texts = TextOuts(Draw(*score), "Arial");
  ASSERT_EQ(texts.size(), 3u);
  const int left = ColumnX(*score, 0, 0) - 6;
  EXPECT_EQ(texts[0].x, left + 2);
  EXPECT_EQ(texts[1].x, left + 4);
  EXPECT_EQ(texts[2].x, left + 6);
  EXPECT_EQ(texts[1].y - texts[0].y, texts[2].y - texts[1].y);
  EXPECT_EQ(texts[0].y, BottomLine(*score, 0));
  EXPECT_EQ(box.Box.Top, texts[0].y - 3);
}

// --- tuplet brackets -----------------------------------------------------------------

struct Bracket {
  std::vector<std::string> lines;  // the bracket's LineTo lines
  std::vector<Text> numbers;
};

// Three eighths from tick 0 under a triplet; `beamed` joins them.
Bracket DrawTriplet(int firstStep, int lastStep, bool stemsDown, bool beamed, std::uint8_t flags = 0) {
  auto score = layout_test::MakeScore(1, 1);
  TECMeasure& m = MeasureOf(*score);
  std::vector<TECNote*> notes;
  const int steps[3] = {firstStep, (firstStep + lastStep) / 2, lastStep};
  for (int i = 0; i < 3; ++i) {
    TECNote* n = score_builder::AddNote(m, steps[i], 5, 16, i * 16);
    if (stemsDown) n->Flags |= TECNote::StemDown;
    notes.push_back(n);
  }
  if (beamed) {
    for (TECNote* n : notes) n->BeamGroup = 1;
    m.Beams = notes;
  }
  const auto without = Draw(*score);
  TECTuplet& tuplet = AddItem<TECTuplet>(m, ek::Tuplet, 0);
  tuplet.Second = 46;
  tuplet.Count = 3;
  tuplet.Flags = flags;
  Bracket b;
  const auto with = Draw(*score);
  b.numbers = TextOuts(with, "Arial");
  for (const auto& line : With(with, "LineTo"))
    if (std::find(without.begin(), without.end(), line) == without.end()) b.lines.push_back(line);
  return b;
}

struct Point2 {
  int x1, y1, x2, y2;
};
Point2 Ends(const std::string& line) {
  Point2 p{};
  std::sscanf(line.c_str(), "LineTo (%d,%d) to (%d,%d)", &p.x1, &p.y1, &p.x2, &p.y2);
  return p;
}

TEST(TupletPainter, WithoutABeamTheBracketIsHorizontalAboveOrBelow) {
  for (const bool down : {false, true}) {
    const Bracket b = DrawTriplet(5, 5, down, false);
    ASSERT_EQ(b.numbers.size(), 1u);
    EXPECT_EQ(b.numbers[0].text, "3");
    // Hook, line to the number, hook, line back to the number.
    ASSERT_EQ(b.lines.size(), 4u) << down;
    const Point2 left = Ends(b.lines[1]);
    const Point2 right = Ends(b.lines[3]);
    EXPECT_EQ(left.y1, left.y2);
    EXPECT_EQ(right.y1, right.y2);
    EXPECT_EQ(left.y1, right.y1);
    // Hooks point towards the notes.
    const Point2 hook = Ends(b.lines[0]);
    EXPECT_EQ(hook.y1 - hook.y2, down ? -4 : 4);
  }
}

TEST(TupletPainter, UnderASlopedBeamTheBracketFollowsItsSlope) {
  const Bracket flat = DrawTriplet(2, 2, false, true);
  const Bracket sloped = DrawTriplet(2, 6, false, true);
  ASSERT_EQ(flat.lines.size(), 4u);
  ASSERT_EQ(sloped.lines.size(), 4u);
  const Point2 left = Ends(sloped.lines[1]);
  const Point2 right = Ends(sloped.lines[3]);
  EXPECT_EQ(Ends(flat.lines[1]).y1, Ends(flat.lines[3]).y1);
  // A rising beam: the right end stands higher than the left.
  EXPECT_LT(right.y1, left.y1);
  EXPECT_LT(left.y2, left.y1);
}

TEST(TupletPainter, AHiddenTupletDrawsNothing) {
  const Bracket b = DrawTriplet(5, 5, false, false, TECTuplet::Broken);
  EXPECT_TRUE(b.lines.empty());
  EXPECT_TRUE(b.numbers.empty());
}

// --- object groups -------------------------------------------------------------------

struct GroupDrawing {
  std::vector<std::string> lines;
  int ax = 0, ay = 0;  // the anchor
  TECObjectGroup* group = nullptr;
  std::unique_ptr<TECMusicScore> score;
};

GroupDrawing DrawGroup(std::unique_ptr<TECPageObject> object) {
  GroupDrawing d;
  d.score = layout_test::MakeScore(1, 1);
  TECObjectGroup& group = AddItem<TECObjectGroup>(MeasureOf(*d.score), ek::ObjectGroup, 0);
  group.Voice = 2;  // step and octave: the bottom line
  group.Params[0] = 5;
  group.Objects.push_back(std::move(object));
  d.lines = Draw(*d.score);
  d.ax = ColumnX(*d.score, 0, 0) - 6;
  d.ay = BottomLine(*d.score, 0);
  d.group = &group;
  return d;
}

std::string P(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

TEST(ObjectGroupPainter, AThirdRadialAboveTenThousandIsNegative) {
  auto arc = std::make_unique<TECPageArc>(ek::PageArc);
  arc->X = 0;
  arc->Y = 0;
  arc->Width = 40;
  arc->Height = 20;
  arc->StartX = 40;
  arc->StartY = 10;
  arc->EndX = 20000;
  arc->EndY = 10;
  const GroupDrawing d = DrawGroup(std::move(arc));
  const auto arcs = With(d.lines, "Arc ");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].substr(0, arcs[0].find(" from")),
            "Arc " + P(d.ax, d.ay) + "-" + P(d.ax + 40, d.ay + 20) + " " + P(d.ax + 40, d.ay + 10) + " " +
                P(d.ax - 45535, d.ay + 10));
}

TEST(ObjectGroupPainter, LineArrowFormsAreDrawn) {
  struct Case {
    int form;
    const char* shape;
  };
  for (const Case c : {Case{1, "Polygon"}, Case{2, "Ellipse"}, Case{3, "Polygon"}}) {
    auto line = PageLine(0, 0, 60, 0);
    line->EndShapes = static_cast<std::uint8_t>(c.form);
    const GroupDrawing d = DrawGroup(std::move(line));
    const auto shapes = With(d.lines, c.shape);
    ASSERT_FALSE(shapes.empty()) << c.form;
    const auto& last = shapes.back();
    // Triangle: P and P - (10u along, 3u to each side); circle of radius 3u
    // behind P; barbed: P, P - (10u, 3u), P - 5u along, P - (10u, -3u).
    const std::string expected =
        c.form == 1 ? "Polygon " + P(d.ax + 60, d.ay) + " " + P(d.ax + 50, d.ay - 3) + " " + P(d.ax + 50, d.ay + 3)
        : c.form == 2
            ? "Ellipse " + P(d.ax + 54, d.ay - 3) + "-" + P(d.ax + 60, d.ay + 3)
            : "Polygon " + P(d.ax + 60, d.ay) + " " + P(d.ax + 50, d.ay - 3) + " " + P(d.ax + 55, d.ay) + " " +
                  P(d.ax + 50, d.ay + 3);
    EXPECT_EQ(last.substr(0, last.find(" |")), expected) << c.form;
  }
}

TEST(ObjectGroupPainter, RotatedTextLinesTurnAroundTheCorner) {
  auto text = std::make_unique<TECPageText>();
  text->X = 10;
  text->Y = 0;
  text->FontSize = 10;
  text->Rotation = 90;
  text->Lines = {"ab", "cd"};
  const GroupDrawing d = DrawGroup(std::move(text));
  const auto texts = TextOuts(d.lines, "Arial");
  ASSERT_EQ(texts.size(), 2u);
  // Turned by 90 degrees the second line's offset (0, h) becomes (h, 0).
  EXPECT_EQ(texts[0].x, d.ax + 10);
  EXPECT_EQ(texts[0].y, d.ay);
  EXPECT_GT(texts[1].x, texts[0].x);
  EXPECT_EQ(texts[1].y, d.ay);
  EXPECT_NE(texts[0].font.find("esc900"), std::string::npos) << texts[0].font;
}

TEST(ObjectGroupPainter, TextOfSizeZeroTakesEightPointsOnScreenAndPaper) {
  for (const bool printing : {false, true}) {
    auto text = std::make_unique<TECPageText>();
    text->Lines = {"x"};
    GroupDrawing d;
    d.score = layout_test::MakeScore(1, 1);
    d.score->SetPrinting(printing);
    TECObjectGroup& group = AddItem<TECObjectGroup>(MeasureOf(*d.score), ek::ObjectGroup, 0);
    group.Objects.push_back(std::move(text));
    const auto texts = TextOuts(Draw(*d.score), "Arial");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].font.find(" 8pt"), std::string::npos) << texts[0].font;
  }
}

TEST(ObjectGroupPainter, GroupBoxGrowsToItsObjectsAndByU) {
  auto shape = std::make_unique<TECPageShape>(ek::PageRectangle);
  shape->X = 5;
  shape->Y = 4;
  shape->Width = 30;
  shape->Height = 12;
  const GroupDrawing d = DrawGroup(std::move(shape));
  EXPECT_EQ(Box(d.group->Box), Box({d.ax - 1, d.ay - 1, d.ax + 35 + 1, d.ay + 16 + 1}));
  EXPECT_EQ(Box(d.group->Objects[0]->Box), Box({d.ax + 5, d.ay + 4, d.ax + 35, d.ay + 16}));
}

// An 8 x 4 pixel 24-bit bitmap file.
TECPicture SmallBitmap() {
  constexpr int w = 8, h = 4, row = w * 3, size = 54 + row * h;
  std::vector<std::uint8_t> b(size, 0x80);
  auto put = [&](int at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put(2, size, 4);
  put(6, 0, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, w, 4);
  put(22, h, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(30, 0, 4);
  put(34, row * h, 4);
  put(38, 2835, 4);
  put(42, 2835, 4);
  put(46, 0, 4);
  put(50, 0, 4);
  return TECPicture{256, b};
}

// Anchored away from the page's origin, a picture keeps its natural size:
// centred in its box with the natural-size flag, from the box's corner
// without either flag.
TEST(ObjectGroupPainter, NaturalSizePicturesKeepTheirSize) {
  struct Case {
    std::uint8_t flags;
    int dx, dy;  // from the box's corner
  };
  for (const Case c : {Case{TECPagePicture::NaturalSize, (40 - 8) / 2, (30 - 4) / 2}, Case{0, 0, 0}}) {
    auto picture = std::make_unique<TECPagePicture>();
    picture->X = 10;
    picture->Y = 5;
    picture->Width = 40;
    picture->Height = 30;
    picture->Flags = c.flags;
    picture->Picture = SmallBitmap();
    const GroupDrawing d = DrawGroup(std::move(picture));
    const auto draws = With(d.lines, "StretchDraw ");
    ASSERT_EQ(draws.size(), 1u) << int{c.flags};
    const int x = d.ax + 10 + c.dx;
    const int y = d.ay + 5 + c.dy;
    EXPECT_EQ(draws[0].rfind("StretchDraw " + P(x, y) + "-" + P(x + 8, y + 4), 0), 0u) << draws[0];
  }
}

}  // namespace
