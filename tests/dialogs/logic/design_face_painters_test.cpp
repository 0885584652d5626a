// The painted faces of the design page, recorded on a 25 x 25 button.
#include "dialogs/logic/design_face_painters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/logic/line_end_codes.h"
#include "platform/recording_canvas.h"

namespace nv::dialogs {
namespace {

using nv::document::DesignFace;
using nv::platform::Rect;
using nv::platform::RecordingCanvas;

const Rect kButton{10, 20, 35, 45};

std::vector<std::string> FaceLines(DesignFace face, const DesignFaceValues& values = {}, FaceLook look = {}) {
  RecordingCanvas canvas;
  PaintDesignFace(canvas, kButton, face, values, look);
  return canvas.lines();
}

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) found.push_back(line);
  return found;
}

TEST(DesignFaces, TheLineLiesOnceInPlaceAndHotAsAGreyShadowUnderABlackLine) {
  EXPECT_EQ(Matching(FaceLines(DesignFace::Line), "LineTo"),
            std::vector<std::string>{"LineTo (13,23) to (31,40) | pen #000000 w1 solid"});
  EXPECT_EQ(Matching(FaceLines(DesignFace::Line, {}, {true, false}), "LineTo"),
            (std::vector<std::string>{"LineTo (14,24) to (32,41) | pen #808080 w1 solid",
                                      "LineTo (12,22) to (30,39) | pen #000000 w1 solid"}));
  // Pressed in, the hot look gives way to the plain one.
  EXPECT_EQ(FaceLines(DesignFace::Line, {}, {true, true}), FaceLines(DesignFace::Line));
}

TEST(DesignFaces, TheLineWidthFillsItsRowsInNavyAndAWidthOutOfRangeLikeOne) {
  DesignFaceValues values;
  values.LineWidth = 3;
  // Rows top + 9 to top + 11, from left + 2 to right - 2, both included.
  EXPECT_EQ(Matching(FaceLines(DesignFace::LineWidth, values), "FillRect"),
            std::vector<std::string>{"FillRect (12,29)-(34,32) | brush #000080 solid"});
  values.LineWidth = 7;
  const auto seven = FaceLines(DesignFace::LineWidth, values);
  values.LineWidth = 1;
  EXPECT_EQ(seven, FaceLines(DesignFace::LineWidth, values));
  EXPECT_EQ(Matching(seven, "FillRect"), std::vector<std::string>{"FillRect (12,30)-(34,31) | brush #000080 solid"});
}

TEST(DesignFaces, AColourButtonShowsItsOwnColourInAFourPixelBar) {
  DesignFaceValues values;
  values.TextColor = 0x0000FF;  // red
  values.BrushColor = 0x00FF00;
  values.LineColor = 0xFF0000;  // blue
  const std::pair<DesignFace, std::string> cases[] = {{DesignFace::TextColor, "#FF0000"},
                                                      {DesignFace::BrushColor, "#00FF00"},
                                                      {DesignFace::LineColor, "#0000FF"}};
  for (const auto& [face, colour] : cases) {
    // From left + 2 to right - 3, four rows above the bottom's three.
    EXPECT_EQ(Matching(FaceLines(face, values), "FillRect (12,38)"),
              std::vector<std::string>{"FillRect (12,38)-(32,42) | brush " + colour + " solid"});
    // Hot, the bar stays where it is.
    EXPECT_EQ(Matching(FaceLines(face, values, {true, false}), "FillRect (12,38)").size(), 1u);
  }
}

TEST(DesignFaces, TheLineStyleIsDrawnWithItsPenClippedToTheFace) {
  DesignFaceValues values;
  values.LineStyle = 2;
  const auto lines = FaceLines(DesignFace::LineStyle, values);
  EXPECT_EQ(Matching(lines, "LineTo"), (std::vector<std::string>{"LineTo (-1,30) to (33,30) | pen #000080 w1 dot",
                                                                 "LineTo (-1,31) to (33,31) | pen #000080 w1 dot"}));
  EXPECT_EQ(Matching(lines, "IntersectClipRect").size(), 1u);
}

TEST(DesignFaces, TheTextStyleLetterTakesTheStyle) {
  DesignFaceValues values;
  values.FontStyle = 1 | 4;
  const auto texts = Matching(FaceLines(DesignFace::TextStyle, values), "TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("\"Times New Roman\" 12pt"), std::string::npos) << texts[0];
  EXPECT_NE(texts[0].find("bold"), std::string::npos);
  EXPECT_NE(texts[0].find("underline"), std::string::npos);
  EXPECT_EQ(texts[0].find("italic"), std::string::npos);
}

// Every face draws something, and no two faces of the page are alike; the
// value faces change with their values.
TEST(DesignFaces, EveryFaceIsItsOwnAndFollowsItsValue) {
  std::vector<std::vector<std::string>> seen;
  for (int f = static_cast<int>(DesignFace::Line); f <= static_cast<int>(DesignFace::AlignFull); ++f) {
    const auto lines = FaceLines(static_cast<DesignFace>(f));
    EXPECT_FALSE(lines.empty()) << f;
    for (const auto& other : seen) EXPECT_NE(lines, other) << f;
    seen.push_back(lines);
  }
  DesignFaceValues turned;
  turned.TextRotate = 90;
  EXPECT_NE(FaceLines(DesignFace::TextRotate, turned), FaceLines(DesignFace::TextRotate));
  DesignFaceValues ends;
  ends.PointStyle = line_end::Code(line_end::kCircle, line_end::kRhombus);
  EXPECT_NE(FaceLines(DesignFace::PointStyle, ends), FaceLines(DesignFace::PointStyle));
}

}  // namespace
}  // namespace nv::dialogs
