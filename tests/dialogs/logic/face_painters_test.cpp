// The painted faces shared by the palette buttons, the choosers and the
// dialogs, recorded on a 24 x 26 button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/logic/clef_glyph_painter.h"
#include "dialogs/logic/drum_button_painter.h"
#include "dialogs/logic/key_signature_painter.h"
#include "dialogs/logic/tool_face_painters.h"
#include "library/drum_description.h"
#include "model/page_objects.h"
#include "platform/recording_canvas.h"

namespace nv::dialogs {
namespace {

using nv::platform::Rect;
using nv::platform::RecordingCanvas;

const Rect kButton{0, 0, 24, 26};

std::vector<std::string> LinesStarting(const RecordingCanvas& canvas, const std::string& start) {
  std::vector<std::string> found;
  for (const std::string& line : canvas.lines())
    if (line.rfind(start, 0) == 0) found.push_back(line);
  return found;
}

// "TextOut (x,y) "text"" without the state that follows.
std::vector<std::string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const std::string& line : LinesStarting(canvas, "TextOut ")) texts.push_back(line.substr(0, line.find(" width")));
  return texts;
}

TEST(KeySignaturePainter, SharpsAndFlatsStandAtTheirOffsetsFromTheFirstLine) {
  // The first line lies at (26 - 24) / 2 = 1; accidentals 5 px apart from
  // left + 3, raised from the first line minus 12.
  RecordingCanvas sharps;
  PaintKeySignature(sharps, kButton, 3);
  EXPECT_EQ(Texts(sharps), (std::vector<std::string>{"TextOut (3,-11) \"d\"", "TextOut (8,-2) \"d\"",
                                                      "TextOut (13,-14) \"d\"", Texts(sharps).back()}));
  EXPECT_NE(Texts(sharps).back().find("\"A-dur\""), std::string::npos);
  EXPECT_NE(Texts(sharps).back().find(",25)"), std::string::npos) << "the name's top on the bottom line";

  RecordingCanvas flats;
  PaintKeySignature(flats, kButton, 13);
  const auto texts = Texts(flats);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "TextOut (3,1) \"b\"");
  EXPECT_EQ(texts[1], "TextOut (8,-8) \"b\"");
  EXPECT_EQ(texts[2], "TextOut (13,4) \"b\"");
  EXPECT_NE(texts[3].find("\"Es-dur\""), std::string::npos);
  EXPECT_EQ(LinesStarting(flats, "LineTo ").size(), 5u);
}

TEST(KeySignaturePainter, ValuesWithoutAKeyDrawTheStaffAlone) {
  // An edited settings file may hold anything: 8..10 have no key, and
  // nothing outside 0..17 has a name or an offset.
  for (const int tone : {8, 9, 10, 18, 200, -1, -11}) {
    RecordingCanvas canvas;
    PaintKeySignature(canvas, kButton, tone);
    EXPECT_TRUE(Texts(canvas).empty()) << tone;
    EXPECT_EQ(LinesStarting(canvas, "LineTo ").size(), 5u) << tone;
  }
}

TEST(FaceLook, AHotFaceIsAGreyCopyRightAndDownUnderABlackOneLeftAndUp) {
  RecordingCanvas hot;
  PaintKeySignature(hot, kButton, 1, {.hot = true});
  const auto texts = LinesStarting(hot, "TextOut ");
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].rfind("TextOut (4,-10) \"d\"", 0), 0u);
  EXPECT_NE(texts[0].find("#808080"), std::string::npos);
  EXPECT_EQ(texts[2].rfind("TextOut (2,-12) \"d\"", 0), 0u);
  EXPECT_NE(texts[2].find("#000000"), std::string::npos);

  RecordingCanvas pressed;
  PaintKeySignature(pressed, kButton, 1, {.hot = true, .pressed = true});
  EXPECT_EQ(Texts(pressed).front(), "TextOut (3,-11) \"d\"");
  EXPECT_EQ(Texts(pressed).size(), 2u);
}

TEST(ClefGlyphPainter, TablatureAndPercussionClefsAreLettersAndBoxes) {
  RecordingCanvas tab;
  PaintClefGlyph(tab, kButton, 12);
  EXPECT_EQ(Texts(tab), (std::vector<std::string>{"TextOut (3,10) \"T\"", "TextOut (3,19) \"A\"", "TextOut (3,29) \"B\""}));
  EXPECT_NE(LinesStarting(tab, "TextOut ").front().find("\"Arial\" 8pt #000000 bold"), std::string::npos);

  // Filled bars with both corners included: a box's right and bottom edge lie one past.
  RecordingCanvas hollow;
  PaintClefGlyph(hollow, kButton, 13);
  const auto boxes = LinesStarting(hollow, "FillRect ");
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].rfind("FillRect (5,19)-(12,22)", 0), 0u);
  EXPECT_EQ(boxes[1].rfind("FillRect (5,19)-(7,37)", 0), 0u);
  EXPECT_EQ(boxes[2].rfind("FillRect (5,34)-(12,37)", 0), 0u);
  EXPECT_EQ(boxes[3].rfind("FillRect (10,19)-(12,37)", 0), 0u);

  RecordingCanvas bars;
  PaintClefGlyph(bars, kButton, 14);
  const auto two = LinesStarting(bars, "FillRect ");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].rfind("FillRect (5,23)-(8,34)", 0), 0u);
  EXPECT_EQ(two[1].rfind("FillRect (9,23)-(12,34)", 0), 0u);
}

TEST(ClefGlyphPainter, ClefsStandOnFiveLinesFiveApartWithTheirOctaves) {
  RecordingCanvas canvas;
  PaintClefGlyph(canvas, {10, 20, 34, 46}, 4);
  const auto lines = LinesStarting(canvas, "LineTo ");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("LineTo (11,37) to (33,37)", 0), 0u);
  EXPECT_EQ(lines[4].rfind("LineTo (11,57) to (33,57)", 0), 0u);
  const auto texts = LinesStarting(canvas, "TextOut ");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("TextOut (13,22) \"$\"", 0), 0u);
  EXPECT_NE(texts[0].find("15pt"), std::string::npos);
  EXPECT_EQ(texts[1].rfind("TextOut (25,55) \"8\"", 0), 0u);
  EXPECT_NE(texts[1].find("10pt #000000 italic"), std::string::npos);

  RecordingCanvas grey;
  PaintClefGlyph(grey, kButton, 1, {}, true);
  for (const std::string& line : grey.lines()) {
    if (line.rfind("TextOut", 0) == 0 || line.rfind("LineTo", 0) == 0) {
      EXPECT_NE(line.find("#808080"), std::string::npos);
    }
  }
}

TEST(ClefGlyphPainter, NamesAndValuesOutsideTheTable) {
  EXPECT_EQ(ClefName(0), "Violin");
  EXPECT_EQ(ClefName(12), "Tablature");
  EXPECT_EQ(ClefName(14), "Percussion 2");
  for (const int clef : {-1, 15, 99}) {
    EXPECT_EQ(ClefName(clef), "");
    RecordingCanvas canvas;
    PaintClefGlyph(canvas, kButton, clef);
    EXPECT_EQ(LinesStarting(canvas, "LineTo ").size(), 5u);
    EXPECT_TRUE(Texts(canvas).empty());
    EXPECT_TRUE(LinesStarting(canvas, "FillRect ").empty());
  }
}

TEST(DrumButtonPainter, WithoutAStyleAPlainHeadOnAStem) {
  RecordingCanvas canvas;
  DrawDrumButton(canvas, {2, 3, 26, 29}, nullptr);
  EXPECT_EQ(LinesStarting(canvas, "LineTo ").front().rfind("LineTo (16,7) to (16,19)", 0), 0u);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"TextOut (10,15) \"B\""}));
  EXPECT_NE(LinesStarting(canvas, "TextOut ").front().find("16pt"), std::string::npos);
  EXPECT_EQ(canvas.lines().front(), "SaveDC 1");
  EXPECT_EQ(canvas.lines().back(), "RestoreDC 1");
}

TEST(DrumButtonPainter, AStyleDrawsItsStemAndItsElementsFromTheShiftedOrigin) {
  nv::library::TECDrumDescription style;
  style.Flag = 128;
  style.Second = 5;
  style.AddElement(MakePageObject(61));
  style.AddElement(MakePageObject(62));
  std::vector<nv::platform::Point> origins;
  std::vector<nv::platform::Color> inks;
  const LibraryItemPainter painter = [&](nv::platform::Canvas& canvas, const TECPageObject&, nv::platform::Color ink) {
    origins.push_back(canvas.viewportOrigin());
    inks.push_back(ink);
  };
  RecordingCanvas canvas;
  DrawDrumButton(canvas, kButton, &style, {.hot = true}, painter);
  const auto stems = LinesStarting(canvas, "LineTo ");
  ASSERT_EQ(stems.size(), 2u);
  EXPECT_EQ(stems[0].rfind("LineTo (13,5) to (13,22)", 0), 0u) << "grey, moved by (+1, +1)";
  EXPECT_EQ(stems[1].rfind("LineTo (11,3) to (11,20)", 0), 0u);
  EXPECT_EQ(origins, (std::vector<nv::platform::Point>{{-991, -987}, {-991, -987}, {-993, -989}, {-993, -989}}));
  EXPECT_EQ(inks.front(), kFaceShadow);
  EXPECT_EQ(canvas.viewportOrigin(), (nv::platform::Point{0, 0}));

  style.Flag = 0;
  RecordingCanvas plain;
  DrawDrumButton(plain, kButton, &style);
  EXPECT_EQ(LinesStarting(plain, "LineTo ").front().rfind("LineTo (14,4) to (14,21)", 0), 0u);
}

using nv::document::PaintedFace;

TEST(ToolFacePainters, TimeSignatureShowsTheCommonOrCutSignOnlyForTheirMeters) {
  const auto faceOf = [](int size, int style) {
    RecordingCanvas canvas;
    PaintToolFace(canvas, kButton, PaintedFace::Size, {.ScoreSize = size, .ScoreSizeStyle = style});
    EXPECT_EQ(LinesStarting(canvas, "LineTo ").size(), 5u);
    EXPECT_EQ(LinesStarting(canvas, "LineTo ").front().rfind("LineTo (1,13) to (23,13)", 0), 0u);
    return Texts(canvas);
  };
  EXPECT_EQ(faceOf(0x0404, 1), (std::vector<std::string>{"TextOut (2,16) \"/\""}));
  EXPECT_EQ(faceOf(0x0202, 1), (std::vector<std::string>{"TextOut (2,16) \"/\""}));
  EXPECT_EQ(faceOf(0x0304, 1), (std::vector<std::string>{"TextOut (4,11) \"3\"", "TextOut (4,23) \"4\""}));
  EXPECT_EQ(faceOf(0x0204, 2), (std::vector<std::string>{"TextOut (2,16) \"-\""}));
  EXPECT_EQ(faceOf(0x0204, 1), (std::vector<std::string>{"TextOut (4,11) \"2\"", "TextOut (4,23) \"4\""}));
  EXPECT_EQ(faceOf(0x0C08, 0), (std::vector<std::string>{"TextOut (4,11) \"12\"", "TextOut (4,23) \"8\""}));
}

TEST(ToolFacePainters, TremoloDrawsOneTwoPixelStrokePerStep) {
  // y starts at (0 + 26 - 12 + 4) / 2 = 9 and grows by 4.
  RecordingCanvas canvas;
  PaintToolFace(canvas, kButton, PaintedFace::Tremolo, {.Tremolo = 3});
  const auto strokes = LinesStarting(canvas, "Polyline ");
  ASSERT_EQ(strokes.size(), 3u);
  EXPECT_EQ(strokes[0].rfind("Polyline (6,11) (18,7) | pen #000000 w2", 0), 0u) << strokes[0];
  EXPECT_EQ(strokes[1].rfind("Polyline (6,15) (18,11)", 0), 0u);
  EXPECT_EQ(strokes[2].rfind("Polyline (6,19) (18,15)", 0), 0u);
}

TEST(ToolFacePainters, SlursAreArcsFromTheirRadialsCounterClockwise) {
  RecordingCanvas up;
  PaintToolFace(up, kButton, PaintedFace::LigaUp, {});
  ASSERT_EQ(LinesStarting(up, "Arc ").size(), 1u);
  EXPECT_EQ(LinesStarting(up, "Arc ").front().rfind("Arc (-5,10)-(29,31) (22,12) (2,12)", 0), 0u);
  RecordingCanvas down;
  PaintToolFace(down, kButton, PaintedFace::LigaDown, {});
  EXPECT_EQ(LinesStarting(down, "Arc ").front().rfind("Arc (-5,-5)-(29,16) (2,14) (22,14)", 0), 0u);
}

TEST(ToolFacePainters, EveryPaintedFaceInksTheButtonInBothLooks) {
  for (int face = static_cast<int>(PaintedFace::Clef); face <= static_cast<int>(PaintedFace::ContinueUntil); ++face) {
    if (static_cast<PaintedFace>(face) == PaintedFace::DrumNote) continue;
    RecordingCanvas plain;
    PaintToolFace(plain, kButton, static_cast<PaintedFace>(face), {});
    EXPECT_FALSE(plain.lines().empty()) << face;
    RecordingCanvas hot;
    PaintToolFace(hot, kButton, static_cast<PaintedFace>(face), {}, {.hot = true});
    EXPECT_NE(hot.text().find("#808080"), std::string::npos) << face;
  }
}

}  // namespace
}  // namespace nv::dialogs
