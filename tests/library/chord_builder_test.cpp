#include "library/chord_builder.h"

#include <gtest/gtest.h>


namespace nv::library {
namespace {

TEST(ChordBuilder, TheDurationCyclesFromTwoToOneHundredTwentyEightAndBack) {
  std::vector<int> seen{2};
  for (int i = 0; i < 7; ++i) seen.push_back(NextChordDuration(seen.back()));
  EXPECT_EQ(seen, (std::vector<int>{2, 4, 8, 16, 32, 64, 128, 2}));
  // A value no button shows starts again from the default.
  EXPECT_EQ(NextChordDuration(5), 32);
}

TEST(ChordBuilder, TheDurationGlyphTable) {
  struct Case {
    int duration;
    DurationGlyph glyph;
  };
  const Case cases[] = {{2, {62, 5, 0}},  {4, {61, 5, 0}},  {8, {60, 5, 0}},  {16, {59, 5, 0}},
                        {32, {58, 6, 0}}, {64, {46, 6, 0}}, {128, {65, 7, 10}}};
  for (const Case& c : cases) {
    const DurationGlyph glyph = ChordDurationGlyph(c.duration);
    EXPECT_EQ(glyph.Char, c.glyph.Char) << c.duration;
    EXPECT_EQ(glyph.X, c.glyph.X) << c.duration;
    EXPECT_EQ(glyph.Y, c.glyph.Y) << c.duration;
  }
}

TEST(ChordBuilder, AlterationCaptionsFollowTheStyle) {
  const char* raised[] = {"5+", "+5", "#5", "aug5"};
  const char* lowered[] = {"5-", "-5", "b5", "dim5"};
  for (int style = 0; style < 4; ++style) {
    EXPECT_EQ(AlterationCaption(0, 0, style), "5");
    EXPECT_EQ(AlterationCaption(0, 1, style), raised[style]);
    EXPECT_EQ(AlterationCaption(0, 2, style), lowered[style]);
  }
  EXPECT_EQ(AlterationCaption(4, 2, 3), "dim13");
  // Styles outside 0..3 show as the nearest end.
  EXPECT_EQ(AlterationCaption(1, 1, 9), "aug7");
  EXPECT_EQ(AlterationCaption(1, 1, -2), "7+");
}

TEST(ChordBuilder, ARaisedNinthInStyleTwoIsSharpNineAndCodedC5) {
  ChordBuilder builder;
  builder.Buttons.AlterationStyle = 2;
  builder.Buttons.Altered[2] = true;
  builder.Buttons.Alteration[2] = 1;
  EXPECT_EQ(builder.AlterationCaption(2), "#9");
  const std::vector<std::uint8_t> code = builder.Code();
  EXPECT_NE(std::find(code.begin() + 3, code.end(), 0xC5), code.end());
}

TEST(ChordBuilder, AMinorStyleWhileMinorIsUpCodesNoMinor) {
  ChordBuilder builder;
  builder.Buttons.MinorStyle = 2;
  for (const std::uint8_t byte : builder.Code()) EXPECT_NE(byte >> 4, chord_kind::Minor);
  builder.Buttons.Minor = true;
  const auto code = builder.Code();
  EXPECT_NE(std::find(code.begin() + 3, code.end(), chord_kind::Minor << 4 | 2), code.end());
  EXPECT_EQ(builder.MinorCaption(), "min");
}

TEST(ChordBuilder, ThePlainChordAtTheCursorReleasesTheSharp) {
  ChordBuilder builder;
  builder.Buttons.RootSharp = true;
  ChordBuilder plainC;
  builder.ShowCode(plainC.Code());
  EXPECT_FALSE(builder.Buttons.RootSharp);
  // In notes mode the buttons keep what they show.
  builder.NotesMode = true;
  builder.Buttons.RootSharp = true;
  builder.ShowCode(plainC.Code());
  EXPECT_TRUE(builder.Buttons.RootSharp);
}

TEST(ChordBuilder, CaptionsShowOutOfRangeValuesAsTheFirst) {
  ChordBuilder builder;
  builder.Buttons.RootStep = 9;
  builder.Buttons.Extension = 4;
  builder.Buttons.SusStyle = 7;
  builder.Buttons.OmitStyle = 3;
  builder.Buttons.MajorStyle = 1;
  EXPECT_EQ(builder.RootCaption(), "C");
  EXPECT_EQ(builder.ExtensionCaption(), "11");
  EXPECT_EQ(builder.SusCaption(), "sus");
  EXPECT_EQ(builder.OmitCaption(), "no5");
  EXPECT_EQ(builder.MajorCaption(), "M");
  EXPECT_EQ(ExtensionCaptions().front(), "5");
}

}  // namespace
}  // namespace nv::library
