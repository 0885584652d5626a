#include <gtest/gtest.h>

#include <string>

#include "draw_test_support.h"
#include "render/element_bracket_painter.h"

using draw_test::With;

namespace {

struct BracketCase {
  int kind;
  const char* open;  // "" when the kind draws nothing
  const char* close;
};

class ElementBrackets : public ::testing::TestWithParam<BracketCase> {};

// At zoom 200 the music face is 32 points and Arial 6 is 12; the face and
// size in force before come back whatever the kind.
TEST_P(ElementBrackets, DrawTheirPairAndRestoreTheMusicFace) {
  auto score = layout_test::MakeScore(1, 1);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  nv::render::PainterContext ctx(canvas, *score, *score->CurrentInstrument(), 200, 200);
  ctx.UseMusicFont(16, nv::platform::colors::red);
  nv::render::DrawElementBrackets(ctx, GetParam().kind, 10, 20, 22, 40);
  const auto texts = With(canvas.lines(), "TextOut");
  if (*GetParam().open == '\0') {
    EXPECT_TRUE(texts.empty());
  } else {
    ASSERT_EQ(texts.size(), 2u);
    const std::string arial = " width";
    EXPECT_EQ(texts[0].substr(0, texts[0].find(arial)), std::string("TextOut (10,20) \"") + GetParam().open + "\"");
    EXPECT_EQ(texts[1].substr(0, texts[1].find(arial)), std::string("TextOut (40,22) \"") + GetParam().close + "\"");
    for (const auto& text : texts) EXPECT_NE(text.find("font \"Arial\" 12pt #FF0000"), std::string::npos) << text;
  }
  EXPECT_EQ(canvas.font().face, "Vorod Iduriza");
  EXPECT_EQ(canvas.font().size, 32);
  EXPECT_EQ(canvas.font().color, nv::platform::colors::red);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ElementBrackets,
                         ::testing::Values(BracketCase{0, "", ""}, BracketCase{1, "(", ")"}, BracketCase{2, "[", "]"},
                                           BracketCase{3, "{", "}"}, BracketCase{4, "", ""}),
                         [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

}  // namespace
