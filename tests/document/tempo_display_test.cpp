#include "document/tempo_display.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TempoDisplay, ThePositionDoublesTheSpeedEvery50Steps) {
  const std::vector<std::pair<int, int>> cases = {
      {25, 0},    {50, 50}, {100, 100}, {200, 150}, {400, 200},
      {141, 125}, {30, 13}, {10, 0},    {800, 200}, {0, 0}};
  for (const auto &[scale, position] : cases)
    EXPECT_EQ(nv::document::TempoBarPosition(scale), position) << scale;
}

TEST(TempoDisplay, ABarPositionSetsTheSquareOfItsTicksAndAtLeastOnePercent) {
  // A score plays at 1 % at the slowest: the positions whose square rounds
  // to 0 set that, and the bar's minimum is no position the score refuses.
  const std::vector<std::pair<int, int>> cases = {
      {0, 1},   {50, 25}, {100, 100}, {150, 225}, {200, 400},
      {75, 56}, {5, 1},   {7, 1},     {8, 1},     {9, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 2}};
  for (const auto &[position, scale] : cases)
    EXPECT_EQ(nv::document::TempoScaleAt(position), scale) << position;
}

TEST(TempoDisplay, TheHintShowsTheScaleTheTempoAndWhatIsPlayed) {
  EXPECT_EQ(nv::document::TempoHint("Tempo", 100, 120),
            "Tempo = 100% * 120 = 120");
  EXPECT_EQ(nv::document::TempoHint("Tempo", 150, 90),
            "Tempo = 150% * 90 = 135");
  EXPECT_EQ(nv::document::TempoHint("Tempo", 33, 100),
            "Tempo = 33% * 100 = 33");
}

TEST(TempoDisplay, APressOnTheTicksMovesEachBarToATickBySixthsOfItsWidth) {
  // A 58-pixel bar has sixths of 9 pixels; the tempo bar leans 2 pixels
  // towards the next tick.
  const struct {
    int x, tempo, volume;
  } cases[] = {{0, 0, 30000},  {3, 0, 30000},  {7, 0, 30000},     {16, 50, 38800},
               {30, 100, 56400}, {40, 150, 65200}, {57, 200, 65535}};
  for (const auto &c : cases) {
    EXPECT_EQ(nv::document::TempoTickAt(c.x, 58), c.tempo) << c.x;
    EXPECT_EQ(nv::document::VolumeTickAt(c.x, 58), c.volume) << c.x;
  }
}

TEST(TempoDisplay, ABarWithoutSixthsTakesNoTick) {
  for (const int width : {5, 1, 0, -3}) {
    EXPECT_EQ(nv::document::TempoTickAt(2, width), std::nullopt) << width;
    EXPECT_EQ(nv::document::VolumeTickAt(2, width), std::nullopt) << width;
  }
  // Six pixels are sixths of one pixel each.
  EXPECT_EQ(nv::document::TempoTickAt(2, 6), 50);
  EXPECT_EQ(nv::document::VolumeTickAt(0, 6), 30000);
}

} // namespace
