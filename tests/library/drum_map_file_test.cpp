#include "library/drum_map_file.h"

#include "library/default_drum_styles.h"
#include "library/score_drums.h"

#include <gtest/gtest.h>

namespace {

using namespace nv::library;
using nv::platform::IniFile;

TEST(DrumMapFile, AFileWithoutTheSectionGivesTheDefaults) {
  const DrumMapFile map = DrumMapFile::Read(IniFile::FromText("DrumMap.ini", "[Other]\nPitch36=x\n"));
  for (int pitch = DrumMapFile::kFirstPitch; pitch <= DrumMapFile::kLastPitch; ++pitch) {
    EXPECT_EQ(map.Entry(pitch), DrumMapEntry{}) << pitch;
  }
}

TEST(DrumMapFile, FieldsReadWithTheirDefaults) {
  const DrumMapFile map = DrumMapFile::Read(IniFile::FromText("DrumMap.ini",
                                                              "[drums]\n"
                                                              "Pitch36=Bass Drum 1 ,255,61,1\n"
                                                              "Pitch42=Closed Hi-Hat,0,69\n"
                                                              "Pitch49=Crash\n"
                                                              "Pitch50=Tom,x,y,z\n"
                                                              "Pitch51=Ride,16,68,2\n"
                                                              "Pitch52=China,1,2,1,extra\n"
                                                              "Pitch25=Below,1,1,1\n"));
  EXPECT_EQ(map.Entry(36), (DrumMapEntry{"Bass Drum 1", 255, 61, true}));
  EXPECT_EQ(map.Entry(42), (DrumMapEntry{"Closed Hi-Hat", 0, 69, false}));
  EXPECT_EQ(map.Entry(49), (DrumMapEntry{"Crash", 255, 64, false}));
  EXPECT_EQ(map.Entry(50), (DrumMapEntry{"Tom", 255, 64, false}));
  EXPECT_EQ(map.Entry(51), (DrumMapEntry{"Ride", 16, 68, false}));
  EXPECT_EQ(map.Entry(52), (DrumMapEntry{"China", 1, 2, false}));
}

TEST(DrumMapFile, WritingDeletesNamelessPitchesAndRoundTrips) {
  IniFile file = IniFile::FromText("DrumMap.ini", "; kept\n[Drums]\nPitch40=Old,1,2,1\nPitch41=Stays,3,4,0\n");
  DrumMapFile map = DrumMapFile::Read(file);
  map.Entry(40).Name.clear();
  map.Entry(36) = {"Bass Drum 1", 255, 61, true};
  map.Write(file);
  EXPECT_EQ(file.Text(), "; kept\n[Drums]\nPitch41=Stays,3,4,0\nPitch36=Bass Drum 1,255,61,1\n");
  DrumMapFile expected = map;
  expected.Entry(40) = DrumMapEntry{};
  EXPECT_EQ(DrumMapFile::Read(file), expected);
}

TEST(DrumMapFile, ANameWithACommaIsRefusedAndTheFileStays) {
  IniFile file = IniFile::FromText("DrumMap.ini", "[Drums]\nPitch40=Old,1,2,1\n");
  DrumMapFile map = DrumMapFile::Read(file);
  map.Entry(36).Name = "Kick, loud";
  map.Entry(40).Name.clear();
  EXPECT_THROW(map.Write(file), EDrumMapError);
  EXPECT_EQ(file.Text(), "[Drums]\nPitch40=Old,1,2,1\n");
}

TEST(DrumMapFile, NewScoresTakeTheNamedPitchesAndTheLibrarysHeads) {
  DrumMapFile map;
  map.Entry(36) = {"Bass Drum 1", 255, 61, true};
  map.Entry(42) = {"Closed Hi-Hat", 0, 69, true};
  map.Entry(50) = {"", 3, 60, true};
  TECMusicScore score;
  ReadDrumMapInto(score, map);
  ASSERT_EQ(score.DrumMap().size(), 2u);
  EXPECT_EQ(score.DrumMap()[1].Pitch, 42);
  EXPECT_EQ(score.DrumMap()[1].Head, 0);
  EXPECT_EQ(score.DrumMap()[1].Position, 69);
  EXPECT_EQ(score.DrumMap()[1].Use, 1);

  auto styles = DefaultDrumStyles();
  styles[1]->Loaded = false;
  AddDrumLibraryHeads(score, styles);
  ASSERT_EQ(score.DrumHeads().size(), 29u);
  EXPECT_EQ(score.DrumHeads()[15]->Name, "RideCymbal");
  EXPECT_EQ(score.DrumHeads()[15]->Second, -2);
  EXPECT_EQ(score.DrumHeads()[15]->Shapes.size(), 1u);
}

}  // namespace
