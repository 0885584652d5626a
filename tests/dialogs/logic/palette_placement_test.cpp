#include "dialogs/logic/palette_placement.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

using nv::platform::Point;
using nv::platform::Rect;
using nv::platform::Size;

const Rect kScreen{0, 0, 1920, 1080};
const Size kKeyPalette{115, 428};
constexpr int kButton = 22;

TEST(PalettePlacement, OpensUnderTheButtonOrAboveIt) {
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindowTopZero, {1850, 522}, kButton, kKeyPalette, kScreen),
            (Point{1805, 522}));
  // 922 + 428 passes 1080 - 20: the palette's bottom lies on the button's top.
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindowTopZero, {100, 922}, kButton, kKeyPalette, kScreen),
            (Point{100, 922 - kButton - 428}));
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindow, {100, 1080 - 20 - 428}, kButton, kKeyPalette, kScreen),
            (Point{100, 632}));
}

TEST(PalettePlacement, DialogButtonsKeepNoMargin) {
  const Size palette{108, 75};
  EXPECT_EQ(PlacePalette(PalettePlacement::DialogButton, {300, 1070 - 75}, kButton, palette, kScreen),
            (Point{300, 995}));
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindow, {300, 1070 - 75}, kButton, palette, kScreen),
            (Point{300, 995 - kButton - 75}));
  EXPECT_EQ(PlacePalette(PalettePlacement::DialogButton, {300, 1010}, kButton, palette, kScreen),
            (Point{300, 1010 - kButton - 75}));
}

TEST(PalettePlacement, GridCellIsRightAlignedAndGoesHigherAbove) {
  const Size palette{200, 150};
  EXPECT_EQ(PlacePalette(PalettePlacement::GridCell, {700, 400}, kButton, palette, kScreen), (Point{500, 400}));
  EXPECT_EQ(PlacePalette(PalettePlacement::GridCell, {700, 1000}, kButton, palette, kScreen),
            (Point{500, 1000 - 150 - 18}));
}

TEST(PalettePlacement, NoVariantLeavesThePaletteOffTheScreen) {
  const Size lineWidth{108, 75};
  const Rect area{0, 30, 1920, 1050};
  const PalettePlacement all[] = {PalettePlacement::MainWindow, PalettePlacement::MainWindowTopZero,
                                  PalettePlacement::DialogButton, PalettePlacement::GridCell,
                                  PalettePlacement::TextDialogColor};
  // A palette taller than the room under and over a low button.
  const Size tall{115, 1000};
  for (PalettePlacement placement : all) {
    for (Size size : {kKeyPalette, lineWidth, tall}) {
      for (Point anchor : {Point{1900, 60}, Point{-40, 1040}, Point{2500, 500}, Point{100, -300}}) {
        const Point at = PlacePalette(placement, anchor, kButton, size, area);
        EXPECT_GE(at.x, area.left);
        EXPECT_GE(at.y, area.top);
        EXPECT_LE(at.x + size.width, area.right);
        EXPECT_LE(at.y + size.height, area.bottom);
      }
    }
  }
  // A button at the very top of the screen whose palette goes above it.
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindow, {50, 60}, kButton, tall, area).y, 30);
  EXPECT_EQ(PlacePalette(PalettePlacement::MainWindow, {50, 10}, kButton, lineWidth, {0, 0, 1920, 60}).y, 0);
}

}  // namespace
}  // namespace nv::dialogs
