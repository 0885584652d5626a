#include "dialogs/logic/value_palettes.h"

#include <gtest/gtest.h>

#include <vector>

namespace nv::dialogs {
namespace {

using nv::document::ProgramSettings;

TEST(ValuePalettes, DefaultsOfTheDynamicsTracks) {
  std::vector<int> defaults;
  for (const DynamicsTrack& track : DynamicsTracks()) defaults.push_back(track.Default);
  EXPECT_EQ(defaults, (std::vector<int>{44, 49, 54, 59, 64, 69, 74, 79, 84, 54, 74, 84, 94, 30, 30, 20}));
}

TEST(ValuePalettes, VelocityTracksStandUpsideDownAndAmountsAsTheyAre) {
  const auto tracks = DynamicsTracks();
  const DynamicsTrack& forte = tracks[6];
  ASSERT_EQ(forte.Name, "ITForte");
  EXPECT_EQ(DynamicsTrackValue(forte, 53), 74);
  EXPECT_EQ(DynamicsTrackPosition(forte, 74), 53);
  EXPECT_EQ(DynamicsTrackPosition(forte, 200), 0);
  const DynamicsTrack& accent = tracks[15];
  ASSERT_EQ(accent.Name, "ITAccentus");
  EXPECT_EQ(DynamicsTrackMaximum(accent), 63);
  EXPECT_EQ(DynamicsTrackValue(accent, 20), 20);
  // A stored value beyond the short track stays on it.
  EXPECT_EQ(DynamicsTrackPosition(accent, 100), 63);
  // Each track writes its own value.
  ProgramSettings values;
  values.*forte.Value = 1;
  EXPECT_EQ(values.Forte, 1);
}

TEST(ValuePalettes, EffectTracksStoreAndLabelTheirLengths) {
  struct Case {
    EffectTrack track;
    int position;
    std::string label;
    int stored;
  };
  for (const Case& c : {Case{EffectTrack::Staccato, 0, "1/64", 1}, Case{EffectTrack::Staccato, 3, "1/8", 4},
                        Case{EffectTrack::Fermata, 0, "x 1.50", 1}, Case{EffectTrack::Fermata, 1, "x 2.00", 2},
                        Case{EffectTrack::Fermata, 3, "x 3.00", 4}, Case{EffectTrack::Arpeggio, 2, "", 2}}) {
    ProgramSettings values;
    SetEffectTrack(c.track, c.position, values);
    const int stored = c.track == EffectTrack::Staccato  ? values.Staccato
                       : c.track == EffectTrack::Fermata ? values.Fermata
                                                         : values.Arpeggio;
    EXPECT_EQ(stored, c.stored) << c.label;
    EXPECT_EQ(EffectTrackLabel(c.track, c.position), c.label);
    EXPECT_EQ(EffectTrackPosition(c.track, values), c.position);
  }
  // The settings file's default arpeggio of 4 shows at the end of the track.
  EXPECT_EQ(EffectTrackPosition(EffectTrack::Arpeggio, ProgramSettings{}), 3);
  EXPECT_EQ(EffectDefaultPosition(EffectTrack::Staccato), 3);
  EXPECT_EQ(EffectDefaultPosition(EffectTrack::Arpeggio), 3);
  EXPECT_EQ(EffectDefaultPosition(EffectTrack::Fermata), 1);
}

}  // namespace
}  // namespace nv::dialogs
