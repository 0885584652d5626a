#include <gtest/gtest.h>

#include "model/drum_map.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

TEST(DrumMap, HeadsAreFoundByNameWithoutRegardToCase) {
  TECMusicScore score;
  EXPECT_EQ(AddDrumHead(score, "Cross", 1, MakeEveryPageObject(), 2, 3), 0);
  EXPECT_EQ(AddDrumHead(score, "Diamond", 0, {}, 0, 0), 1);
  EXPECT_EQ(AddDrumHead(score, "cROSS", 9, {}, 9, 9), 0);
  ASSERT_EQ(score.DrumHeads().size(), 2u);
  EXPECT_EQ(score.DrumHeads()[0]->First, 1);
  EXPECT_EQ(score.DrumHeads()[0]->Shapes.size(), MakeEveryPageObject().size());
}

TEST(DrumMap, WrittenKeyAndHeadChooseThePitch) {
  TECMusicScore score;
  AddDrumHead(score, "Cross", 0, {}, 0, 0);
  // Position 23 + 4 * 7 + 3 is F of octave 4: key 53.
  const int position = 23 + 4 * 7 + 3;
  ASSERT_EQ(DrumWrittenKey(position), 53);
  SetDrumMapEntry(score, 42, "Closed hi-hat", true, position, 0);
  SetDrumMapEntry(score, 38, "Snare", true, position, 255);
  SetDrumMapEntry(score, 36, "Unused", false, position + 1, 255);
  SetDrumMapEntry(score, 200, "No key", true, position, 255);
  TECDrumLookup lookup;
  lookup.Rebuild(score);
  auto pitchOf = [&](int key, int head) {
    const int entry = lookup.ByWrittenKey(key, head);
    return entry < 0 ? -1 : score.DrumMap()[entry].Pitch;
  };
  EXPECT_EQ(pitchOf(53, 0), 42);
  EXPECT_EQ(pitchOf(53, 255), 38);
  // A head beyond the table is the normal head.
  EXPECT_EQ(pitchOf(53, 7), 38);
  EXPECT_EQ(pitchOf(DrumWrittenKey(position + 1), 255), -1);
  EXPECT_EQ(lookup.ByPitch(36), -1);
  EXPECT_EQ(score.DrumMap().size(), 3u);

  DeleteDrumMapEntry(score, 38);
  lookup.Rebuild(score);
  EXPECT_EQ(pitchOf(53, 255), -1);
  EXPECT_EQ(pitchOf(53, 0), 42);
}

TEST(DrumMap, PositionsOutsideTheKeysAreClamped) {
  EXPECT_EQ(DrumWrittenKey(0), 0);
  EXPECT_EQ(DrumWrittenKey(22), 0);
  EXPECT_EQ(DrumWrittenKey(23), 0);
  EXPECT_EQ(DrumWrittenKey(23 + 10 * 7 + 4), 127);
  EXPECT_EQ(DrumWrittenKey(255), 127);
}

TEST(DrumMap, PercussionRowsPlayOnChannelTenWithTheMappedPitch) {
  TECMusicScore score;
  TECRow& row = *score.AppendInstrument()->AppendRow();
  TECMeasure& measure = *row.AddMeasure();
  SetDrumMapEntry(score, 42, "Closed hi-hat", true, 23 + 4 * 7 + 3, 255);
  TECDrumLookup lookup;
  lookup.Rebuild(score);
  int channel = 2;
  int key = 53;
  EXPECT_FALSE(GetDrumHead(score, lookup, 255, channel, key));
  EXPECT_EQ(channel, 2);
  measure.Clef = std::make_unique<TECClef>(14, &measure);
  EXPECT_TRUE(GetDrumHead(score, lookup, 255, channel, key));
  EXPECT_EQ(channel, 9);
  EXPECT_EQ(key, 42);
  key = 60;
  EXPECT_TRUE(GetDrumHead(score, lookup, 255, channel, key));
  EXPECT_EQ(key, 60);
}

}  // namespace
