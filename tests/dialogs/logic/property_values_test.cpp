#include <gtest/gtest.h>

#include "dialogs/logic/drum_map_cells.h"
#include "dialogs/logic/key_signature_map.h"
#include "dialogs/logic/length_units.h"
#include "dialogs/logic/page_sample.h"
#include "dialogs/logic/staff_names.h"

namespace nv::dialogs {
namespace {

TEST(LengthUnits, ShowsEachUnitWithItsSuffixAndPrecision) {
  struct Case {
    double mm;
    LengthUnit unit;
    const char* text;
  };
  for (const Case& c : {Case{210, LengthUnit::Millimetres, "210.0mm"}, Case{210, LengthUnit::Inches, "8.268in"},
                        Case{210, LengthUnit::Pixels, "794p"}, Case{0.04, LengthUnit::Millimetres, "0.0mm"},
                        Case{25.4, LengthUnit::Inches, "1.000in"}, Case{1e300, LengthUnit::Pixels, "0"}})
    EXPECT_EQ(FormatLength(c.mm, c.unit, 96), c.text) << c.text;
}

TEST(LengthUnits, ReadsATypedLengthUpToTheFirstCharacterThatIsNoNumber) {
  EXPECT_DOUBLE_EQ(ParseLength("1", LengthUnit::Inches, 96), 25.4);
  EXPECT_DOUBLE_EQ(ParseLength("96", LengthUnit::Pixels, 96), 25.4);
  EXPECT_DOUBLE_EQ(ParseLength("  210.5mm", LengthUnit::Millimetres, 96), 210.5);
  EXPECT_DOUBLE_EQ(ParseLength("1.2.3", LengthUnit::Millimetres, 96), 1.2);
  EXPECT_DOUBLE_EQ(ParseLength("12,5", LengthUnit::Millimetres, 96), 12.5);
  for (const char* none : {"abc", "", ".", "-3"}) EXPECT_DOUBLE_EQ(ParseLength(none, LengthUnit::Millimetres, 96), 0) << none;
  // No screen resolution: no pixel length.
  EXPECT_DOUBLE_EQ(ParseLength("10", LengthUnit::Pixels, 0), 0);
}

TEST(LengthUnits, AnUpDownClickKeepsTheFraction) {
  EXPECT_DOUBLE_EQ(WithWholePart(210.5, 211), 211.5);
  EXPECT_DOUBLE_EQ(WithWholePart(8.268, 7), 7.268);
  EXPECT_DOUBLE_EQ(WithWholePart(4, 5), 5);
}

TEST(StaffNames, ClefAndKeyNamesByCodeAndNoneForOtherCodes) {
  EXPECT_EQ(ClefCodeName(0), "Violin");
  EXPECT_EQ(ClefCodeName(1), "Violin");
  EXPECT_EQ(ClefCodeName(2), "Bass");
  EXPECT_EQ(ClefCodeName(15), "Percussion 2");
  for (int code : {-1, 16, 20, 255}) EXPECT_EQ(ClefCodeName(code), "") << code;
  EXPECT_EQ(ClefCodeOf(0), 0);
  EXPECT_EQ(ClefCodeOf(1), 2);
  EXPECT_EQ(ClefIndexOf(0), 0);
  EXPECT_EQ(ClefIndexOf(2), 1);

  EXPECT_EQ(KeyName(0), "C-dur");
  EXPECT_EQ(KeyName(36), "Fis-dur");
  EXPECT_EQ(KeyName(42), "B-dur");
  for (int code : {8, 38, 40, 50, -5}) EXPECT_EQ(KeyName(code), "") << code;
  // The key palette's choice 12 (two flats) is row code 42; C major is 0.
  EXPECT_EQ(ToneOf(12), 42);
  EXPECT_EQ(ToneOf(0), 0);
  EXPECT_EQ(KeyIndexOf(42), 12);
}

TEST(StaffNames, PitchNamesCarryTheOctave) {
  EXPECT_EQ(PitchName(60), "C4");
  EXPECT_EQ(PitchName(26), "D1");
  EXPECT_EQ(PitchName(87), "Eb6");
  EXPECT_EQ(PitchName(70), "Bb4");
}

TEST(KeyFace, ThreeFlatsStandAtTheFirstLineNineAboveAndThreeBelow) {
  EXPECT_EQ(key_signature::AccidentalAt(true, 0).y, 0);
  EXPECT_EQ(key_signature::AccidentalAt(true, 1).y, -9);
  EXPECT_EQ(key_signature::AccidentalAt(true, 2).y, 3);
  EXPECT_EQ(key_signature::AccidentalAt(true, 2).x, 13);
}

TEST(PageSample, LandscapeIsAHundredWideAndTheMarginsScaleWithThePage) {
  const PageLengths a4{297, 210, 29.7, 21, 29.7, 42};
  const PageSample sample = PageSampleOf(a4, true, 140, 110);
  EXPECT_EQ(sample.paper, (SampleRect{20, 20, 100, 70}));
  EXPECT_EQ(sample.margin, (SampleRect{30, 27, 80, 49}));
  EXPECT_EQ(PageSampleOf(a4, false, 140, 110).paper, (SampleRect{35, 5, 70, 100}));

  // Margins that leave no page, or a side of 0: the margin covers the paper.
  for (const PageLengths& bad : {PageLengths{210, 297, 210, 10, 0, 0}, PageLengths{0, 297, 10, 10, 10, 10},
                                 PageLengths{210, 297, 10, 10, 10, 300}}) {
    const PageSample covered = PageSampleOf(bad, false, 140, 110);
    EXPECT_EQ(covered.margin, covered.paper);
  }
}

TEST(DrumMapCells, RowsRunFromPitch87DownTo26) {
  EXPECT_EQ(drum_map::RowOfPitch(87), 1);
  EXPECT_EQ(drum_map::RowOfPitch(26), 62);
  EXPECT_EQ(drum_map::PitchOfRow(62), 26);
  EXPECT_EQ(drum_map::kRowCount, 62);
}

TEST(DrumMapCells, CellsReadAsNumbersAndUseTogglesOnlyBetweenZeroAndOne) {
  EXPECT_EQ(drum_map::CellNumber("12", 255), 12);
  EXPECT_EQ(drum_map::CellNumber("x", 0), 0);
  EXPECT_EQ(drum_map::CellNumber("", 64), 64);
  EXPECT_EQ(drum_map::ToggledUse("1"), "0");
  EXPECT_EQ(drum_map::ToggledUse("0"), "1");
  EXPECT_EQ(drum_map::ToggledUse("7"), "1");
  EXPECT_FALSE(drum_map::NameAcceptsChar(','));
  EXPECT_TRUE(drum_map::NameAcceptsChar('a'));
}

TEST(DrumMapCells, ThePositionSitsOnItsLineAndBeyondTheStaffOnLedgerLines) {
  using drum_map::PosPictureOf;
  // 64 the middle line (y 11), 68 the top (3), 60 the bottom (19).
  EXPECT_EQ(PosPictureOf(64).headY, 11);
  EXPECT_EQ(PosPictureOf(68).headY, 3);
  EXPECT_EQ(PosPictureOf(60).headY, 19);
  EXPECT_EQ(PosPictureOf(65).headY, 9);
  for (const auto& line : PosPictureOf(64).lines) EXPECT_EQ(line.x2 - line.x1, 14);

  // 75 is drawn as 74: three short top lines, the head on the outer one.
  const drum_map::PosPicture high = PosPictureOf(75);
  EXPECT_EQ(high.headY, 3);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(high.lines[static_cast<std::size_t>(i)],
              (i < 3 ? drum_map::StaffLine{3 + 4 * i, 4, 12} : drum_map::StaffLine{3 + 4 * i, 1, 15}));
  // 69 keeps its parity: the space above the first line, which is short.
  EXPECT_EQ(PosPictureOf(69).headY, 5);
  EXPECT_EQ(PosPictureOf(69).lines[0].x1, 4);
  EXPECT_EQ(PosPictureOf(69).lines[1].x1, 1);

  const drum_map::PosPicture low = PosPictureOf(40);
  EXPECT_EQ(low.headY, 19);
  EXPECT_EQ(low.lines[4].x1, 4);
  EXPECT_EQ(low.lines[3].x1, 4);
  EXPECT_EQ(low.lines[2].x1, 1);
}

TEST(DrumMapCells, TheCheckMarkStandsInTheMiddleOfTheCell) {
  const auto points = drum_map::CheckMarkOf(100, 136, 20);
  EXPECT_EQ(points[0], (std::array<int, 2>{114, 32}));
  EXPECT_EQ(points[3], (std::array<int, 2>{121, 30}));
}

TEST(DrumPalette, FortyStylesGiveEightARowIn224AndFewerFourIn120) {
  const drum_map::PaletteLayout wide = drum_map::PaletteLayoutOf(40, false);
  EXPECT_EQ(wide.columns, 8);
  EXPECT_EQ(wide.width, 224);
  EXPECT_EQ(wide.styleCells[8], (std::array<int, 2>{0, 27}));
  EXPECT_EQ(wide.height, 5 * 27 + 28);

  const drum_map::PaletteLayout narrow = drum_map::PaletteLayoutOf(30, true);
  EXPECT_EQ(narrow.columns, 4);
  EXPECT_EQ(narrow.width, 120);
  // The standard button takes the first row.
  EXPECT_EQ(narrow.styleCells[0], (std::array<int, 2>{0, 27}));
  EXPECT_EQ(narrow.height, 9 * 27 + 28);
  // One row of styles ends at 27, below 41: the form keeps its height.
  EXPECT_FALSE(drum_map::PaletteLayoutOf(3, false).height.has_value());
  EXPECT_FALSE(drum_map::PaletteLayoutOf(200, false).height.has_value());
}

}  // namespace
}  // namespace nv::dialogs
