// The painted faces of the modify page, recorded on a 25 x 25 button.
#include "dialogs/logic/modify_face_painters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"

namespace nv::dialogs {
namespace {

using nv::document::ModifyFace;
using nv::platform::Rect;
using nv::platform::RecordingCanvas;

const Rect kButton{10, 20, 35, 45};

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) found.push_back(line);
  return found;
}

// What the face draws of one image, without the rest.
std::vector<std::string> ImageLines(int index) {
  RecordingCanvas canvas;
  DrawArrangementImage(canvas, kButton, index, nv::platform::colors::black);
  return canvas.lines();
}

std::vector<std::string> FaceLines(ModifyFace face, const ModifyFaceValues& values, FaceLook look = {}) {
  RecordingCanvas canvas;
  PaintModifyFace(canvas, kButton, face, values, look);
  return canvas.lines();
}

bool Contains(const std::vector<std::string>& all, const std::vector<std::string>& part) {
  return std::search(all.begin(), all.end(), part.begin(), part.end()) != all.end();
}

TEST(ModifyFaces, TheEightImagesDifferFromEachOther) {
  for (int a = 0; a < kArrangementImageCount; ++a) {
    EXPECT_FALSE(ImageLines(a).empty()) << a;
    for (int b = a + 1; b < kArrangementImageCount; ++b) EXPECT_NE(ImageLines(a), ImageLines(b)) << a << " " << b;
  }
}

TEST(ModifyFaces, TheJoinStyleShowsTheImageOfItsCountAndTheRedCrossWhenOff) {
  ModifyFaceValues values;
  values.JoinCount = -1;
  values.JoinActive = true;
  const auto on = FaceLines(ModifyFace::JoinStyle, values);
  EXPECT_TRUE(Contains(on, ImageLines(2)));
  EXPECT_TRUE(Matching(on, "#FF0000").empty());

  values.JoinActive = false;
  RecordingCanvas canvas;
  PaintModifyFace(canvas, kButton, ModifyFace::JoinStyle, values, {});
  // Pen width 2, from (left + 6, top + 6) to (right - 6, bottom - 6), and the other diagonal.
  EXPECT_EQ(Matching(canvas.lines(), "#FF0000"),
            (std::vector<std::string>{"LineTo (16,26) to (29,39) | pen #FF0000 w2 solid",
                                      "LineTo (29,26) to (16,39) | pen #FF0000 w2 solid"}));
}

TEST(ModifyFaces, TheRowStyleShowsImagesFourToSixAndFourForAStyleOutOfRange) {
  ModifyFaceValues values;
  values.RowActive = true;
  for (const auto& [style, image] : std::vector<std::pair<int, int>>{{0, 4}, {1, 5}, {2, 6}, {7, 4}}) {
    values.RowStyle = style;
    EXPECT_TRUE(Contains(FaceLines(ModifyFace::RowStyle, values), ImageLines(image))) << style;
  }
}

std::vector<std::string> Texts(const std::vector<std::string>& lines) {
  std::vector<std::string> texts;
  for (const std::string& line : lines)
    if (line.rfind("TextOut", 0) == 0) texts.push_back(line);
  return texts;
}

TEST(ModifyFaces, TheCustomPitchesShowTheirStepsInSmallDarkRedFigures) {
  ModifyFaceValues values;
  values.PitchUp = 2;
  values.PitchDown = 3;
  const auto up = FaceLines(ModifyFace::PitchUp, values);
  EXPECT_TRUE(Contains(up, ImageLines(7)));
  const auto upTexts = Texts(up);
  ASSERT_EQ(upTexts.size(), 1u);
  // At the top, right-aligned, Arial 6 pt in dark red.
  EXPECT_NE(upTexts[0].find(",20) \"+2\""), std::string::npos) << upTexts[0];
  EXPECT_NE(upTexts[0].find("\"Arial\" 6pt #800000"), std::string::npos) << upTexts[0];

  const auto downTexts = Texts(FaceLines(ModifyFace::PitchDown, values));
  ASSERT_EQ(downTexts.size(), 1u);
  EXPECT_NE(downTexts[0].find(",27) \"-3\""), std::string::npos) << downTexts[0];
}

TEST(ModifyFaces, HotTheFaceLiesTwiceGreyThenBlack) {
  ModifyFaceValues values;
  values.RowActive = true;
  values.PitchDown = 3;
  const auto drawn = Matching(FaceLines(ModifyFace::RowStyle, values, {true, false}), "| pen #");
  ASSERT_FALSE(drawn.empty());
  EXPECT_NE(drawn.front().find("#808080"), std::string::npos) << drawn.front();
  EXPECT_NE(drawn.back().find("#000000"), std::string::npos) << drawn.back();
  // The shadow of the figures is grey too.
  const auto texts = Texts(FaceLines(ModifyFace::PitchDown, values, {true, false}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("#808080"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find("#800000"), std::string::npos) << texts[1];
}

}  // namespace
}  // namespace nv::dialogs
