// The chords page's placement face, recorded on a 34 x 22 button.
#include "dialogs/logic/chord_placement_face.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_canvas.h"

namespace nv::dialogs {
namespace {

const nv::platform::Rect kButton{10, 20, 44, 42};

std::vector<std::string> Lines(bool above, FaceLook look = {}) {
  nv::platform::RecordingCanvas canvas;
  PaintChordPlacementFace(canvas, kButton, above, look);
  return canvas.lines();
}

std::vector<std::string> Starting(const std::vector<std::string>& lines, const std::string& start) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(start, 0) == 0) found.push_back(line);
  return found;
}

TEST(ChordPlacementFace, AboveTheNameLiesOverFiveGreyLinesAndBelowUnderThem) {
  const struct {
    bool above;
    int firstLine;
    const char* text;
    int textTop;
  } cases[] = {{true, 20 + 13, "\"Cm7+\"", 20 + 2}, {false, 20 + 1, "\"Cm5+\"", 20 + 12}};
  for (const auto& c : cases) {
    const std::vector<std::string> lines = Lines(c.above);
    const std::vector<std::string> drawn = Starting(lines, "LineTo");
    ASSERT_EQ(drawn.size(), 7u) << c.above;
    // Five lines 2 px apart from left + 1 to right - 2, then the two end
    // strokes across them, all grey.
    for (int i = 0; i < 5; ++i) {
      const int y = c.firstLine + 2 * i;
      EXPECT_EQ(drawn[static_cast<std::size_t>(i)].substr(0, drawn[0].find(" |")),
                "LineTo (11," + std::to_string(y) + ") to (43," + std::to_string(y) + ")")
          << c.above << " " << i;
    }
    EXPECT_NE(drawn[5].find("(11," + std::to_string(c.firstLine) + ") to (11,"), std::string::npos) << drawn[5];
    EXPECT_NE(drawn[6].find("(42," + std::to_string(c.firstLine) + ") to (42,"), std::string::npos) << drawn[6];
    for (const std::string& line : drawn) EXPECT_NE(line.find("pen #808080"), std::string::npos) << line;
    const std::vector<std::string> texts = Starting(lines, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("," + std::to_string(c.textTop) + ") " + c.text), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("\"Arial\" 6pt #000000"), std::string::npos) << texts[0];
  }
}

TEST(ChordPlacementFace, HotTheFaceLiesTwiceAGreyNameUnderABlackOne) {
  const std::vector<std::string> texts = Starting(Lines(true, {true, false}), "TextOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find(",23) \"Cm7+\""), std::string::npos) << texts[0];
  EXPECT_NE(texts[0].find("#808080"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find(",21) \"Cm7+\""), std::string::npos) << texts[1];
  EXPECT_NE(texts[1].find("#000000"), std::string::npos) << texts[1];
}

}  // namespace
}  // namespace nv::dialogs
