#include <gtest/gtest.h>

#include "model/rotated_font.h"

namespace {

using nv::platform::Font;

TEST(RotatedFontTest, SizedInPixelsAndTurnedInTenthsOfADegree) {
  Font font;
  font.face = "Times New Roman";
  font.size = 12;
  font.bold = true;
  font.italic = true;
  font.strikeout = true;
  font.color = nv::platform::colors::red;
  font.width = 7;
  font.escapement = 100;

  Font expected = font;
  expected.height = -16;
  expected.escapement = 450;
  expected.width = 0;
  EXPECT_EQ(CreateRotatedFont(font, 45, 96), expected);

  const struct {
    int size;
    int height;
    int ppi;
    int angle;
    int expectedHeight;
  } table[] = {
      {10, 0, 96, 90, -13},    // 13.33 rounds down
      {9, 0, 96, -30, -12},
      {12, 0, 600, 0, -100},   // a printer's resolution
      {12, -20, 96, 15, -20},  // already sized in pixels
  };
  for (const auto& row : table) {
    font.size = row.size;
    font.height = row.height;
    const Font rotated = CreateRotatedFont(font, row.angle, row.ppi);
    EXPECT_EQ(rotated.height, row.expectedHeight) << row.size << "pt at " << row.ppi;
    EXPECT_EQ(rotated.escapement, row.angle * 10);
  }
}

}  // namespace
