#include <gtest/gtest.h>

#include "model/units.h"
#include "fake_music_setting.h"

namespace {

struct UnitCase {
  TECMetrix unit;
  int resolution;
  int zoom;
  int scale;
  bool withScale;
  double stored;   // tenths of a millimetre
  double display;
};

TEST(UnitsTest, StoredToDisplayAndBack) {
  const UnitCase table[] = {
      {TECMetrix::rmMM, 96, 100, 100, false, 1000, 100},
      {TECMetrix::rmMM, 96, 250, 50, true, 1000, 100},  // zoom applies to pixels only
      {TECMetrix::rmInches, 96, 100, 100, false, 254, 1},
      {TECMetrix::rmPixels, 96, 100, 100, false, 254, 96},
      {TECMetrix::rmPixels, 120, 100, 100, false, 254, 120},
      {TECMetrix::rmPixels, 96, 200, 100, false, 254, 192},
      {TECMetrix::rmPixels, 96, 200, 50, false, 254, 192},  // scale only with the flag
      {TECMetrix::rmPixels, 96, 200, 50, true, 254, 96},
      {TECMetrix::rmPixels, 96, 100, 150, true, 508, 288},
      {TECMetrix::rmPixels, 96, 0, 100, false, 254, 96},  // no zoom counts as 100 %
      {TECMetrix::rmPixels, 0, 100, 100, false, 254, 96},
  };
  for (const UnitCase& row : table) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.unit) << " dpi " << row.resolution
                                    << " zoom " << row.zoom << " scale " << row.scale);
    FakeMusicSetting setting;
    setting.resolution = row.resolution;
    setting.zoom = row.zoom;
    setting.scale = row.scale;
    EXPECT_EQ(StoredToDisplayUnits(&setting, row.unit, row.withScale, row.stored), row.display);
    EXPECT_EQ(DisplayToStoredUnits(&setting, row.unit, row.withScale, row.display), row.stored);
  }
}

TEST(UnitsTest, InverseRoundTripsAwkwardValues) {
  FakeMusicSetting setting;
  setting.resolution = 72;
  setting.zoom = 33;
  setting.scale = 77;
  for (TECMetrix unit : {TECMetrix::rmMM, TECMetrix::rmInches, TECMetrix::rmPixels}) {
    for (double stored : {1.0, 2159.0, 98.43 * 10, 1234.5678}) {
      for (bool withScale : {false, true}) {
        const double shown = StoredToDisplayUnits(&setting, unit, withScale, stored);
        EXPECT_DOUBLE_EQ(DisplayToStoredUnits(&setting, unit, withScale, shown), stored);
      }
    }
  }
}

TEST(UnitsTest, MillimetresAndNoSettings) {
  FakeMusicSetting setting;
  setting.zoom = 50;
  EXPECT_EQ(MillimetresToDisplayUnits(&setting, TECMetrix::rmMM, false, 12.5), 12.5);
  EXPECT_DOUBLE_EQ(MillimetresToDisplayUnits(&setting, TECMetrix::rmInches, false, 50.8), 2);
  EXPECT_EQ(MillimetresToDisplayUnits(&setting, TECMetrix::rmPixels, false, 25.4), 48);
  EXPECT_EQ(StoredToDisplayUnits(nullptr, TECMetrix::rmPixels, true, 1234), 1234);
  EXPECT_EQ(DisplayToStoredUnits(nullptr, TECMetrix::rmMM, false, 12), 12);
  EXPECT_EQ(MillimetresToDisplayUnits(nullptr, TECMetrix::rmInches, false, 7), 7);
}

}  // namespace
