#include "document/new_staff_setup.h"

#include <gtest/gtest.h>

#include "document/score_document.h"
#include "model/instrument.h"
#include "model/row.h"
#include "platform/ini_file.h"

namespace {

using nv::document::NewStaffRow;
using nv::document::NewStaffSetup;
using nv::platform::IniFile;

IniFile Settings(const std::string& lines) {
  return IniFile::FromText("/nonexistent/settings.ini", "[NewInstrumentForm]\n" + lines);
}

TEST(NewStaffSettings, AFirstUseGivesOneRowFourFourTempoSixtyAndNoUpbeat) {
  const NewStaffSetup setup = nv::document::ReadNewStaffSetup(IniFile::FromText("/nonexistent/s.ini", ""));
  EXPECT_EQ(setup.Timbre, 0);
  EXPECT_EQ(setup.Tempo, 60);
  // Stored 1/1 until written: the dialog keeps it to its lists (4/4).
  EXPECT_EQ(setup.Numerator, 1);
  EXPECT_EQ(setup.Denominator, 1);
  EXPECT_EQ(setup.SizeStyle, 0);
  EXPECT_EQ(setup.AufTaktNotes, 0);
  EXPECT_EQ(setup.AufTaktSize, 4);
  EXPECT_EQ(setup.Rows, std::vector<NewStaffRow>{NewStaffRow{}});
}

TEST(NewStaffSettings, ValuesOutsideTheirRangesReadAsDefaults) {
  const NewStaffSetup setup = nv::document::ReadNewStaffSetup(
      Settings("Timbre=300\nTempo=0\nSizeStyle=3\nAufTaktNotes=13\nAufTaktSize=6\nRowCount=9\n"
               "Voices0=3\nClef0=20\nTone0=50\n"));
  EXPECT_EQ(setup.Timbre, 0);
  EXPECT_EQ(setup.Tempo, 60);
  EXPECT_EQ(setup.SizeStyle, 0);
  EXPECT_EQ(setup.AufTaktNotes, 0);
  EXPECT_EQ(setup.AufTaktSize, 4);
  EXPECT_EQ(setup.Rows, std::vector<NewStaffRow>{NewStaffRow{}});

  for (const char* tone : {"Tone0=38", "Tone0=40", "Tone0=30", "Tone0=-1", "Tone0=x"})
    EXPECT_EQ(nv::document::ReadNewStaffSetup(Settings(tone)).Rows[0].Tone, 0) << tone;
  for (const char* count : {"RowCount=0", "RowCount=5", "RowCount=-2"})
    EXPECT_EQ(nv::document::ReadNewStaffSetup(Settings(count)).Rows.size(), 1u) << count;
}

TEST(NewStaffSettings, WrittenChoicesReadBackTheSame) {
  NewStaffSetup setup;
  setup.Timbre = 40;
  setup.Partiture = true;
  setup.Tempo = 512;
  setup.Numerator = 3;
  setup.Denominator = 8;
  setup.AufTaktNotes = 12;
  setup.AufTaktSize = 16;
  setup.Rows = {{2, 15, 47}, {1, 2, 31}, {0, 0, 0}};
  IniFile file = IniFile::FromText("/nonexistent/s.ini", "");
  nv::document::WriteNewStaffSetup(file, setup);
  EXPECT_EQ(file.ReadString("NewInstrumentForm", "Denomerator", ""), "8");
  EXPECT_EQ(nv::document::ReadNewStaffSetup(file), setup);
}

TEST(NewStaffBuilder, BuildsTheStaffAndTheScoreTimingWithoutAnUndoStep) {
  nv::document::ScoreDocument document;
  TECMusicScore& score = document.Score();
  NewStaffSetup setup;
  setup.Timbre = 73;
  setup.Name = "Flute";
  setup.Numerator = 3;
  setup.AufTaktNotes = 1;
  setup.Tempo = 90;
  setup.Rows = {{0, 1, 0}, {1, 2, 42}};
  setup.ActiveRow = 1;
  nv::document::BuildNewStaffScore(setup, score);

  ASSERT_EQ(score.InstrumentCount(), 1);
  const TECInstrument& staff = *score.GetInstrumentAt(0);
  EXPECT_EQ(staff.MidiInstrument(), 73);
  EXPECT_EQ(staff.Name(), "Flute");
  ASSERT_EQ(staff.GetRowCount(), 2);
  EXPECT_EQ(staff.GetActiveRowIndex(), 1);
  EXPECT_EQ(staff.GetRow(1)->GetClef(0), 2);
  EXPECT_EQ(staff.GetRow(1)->GetKeySignature(0), 42);
  EXPECT_EQ(staff.GetRow(1)->VoiceMode(), 1);
  EXPECT_EQ(score.GetNumerator(), 3);
  EXPECT_EQ(score.GetDenominator(), 4);
  EXPECT_EQ(score.GetAufTaktNotes(), 1);
  EXPECT_EQ(score.GetTempo(), 90);
  EXPECT_EQ(score.UndoCount(), 0);

  // Built again with fewer rows: the last row goes, the active one follows.
  setup.Rows.pop_back();
  nv::document::BuildNewStaffScore(setup, score);
  EXPECT_EQ(staff.GetRowCount(), 1);
  EXPECT_EQ(staff.GetActiveRowIndex(), 0);
  EXPECT_EQ(score.InstrumentCount(), 1);
}

TEST(NewStaffBuilder, AnAppendedStaffIsOneStepThatUndoRemovesAndRedoBringsBackWhole) {
  nv::document::ScoreDocument document;
  TECMusicScore& score = document.Score();
  nv::document::BuildNewStaffScore(NewStaffSetup{}, score);
  NewStaffSetup setup;
  setup.Timbre = 56;
  setup.Name = "Trumpet";
  setup.Rows = {{0, 1, 33}, {0, 2, 0}};
  ASSERT_NE(nv::document::AppendNewStaff(setup, score), nullptr);
  ASSERT_EQ(score.InstrumentCount(), 2);
  EXPECT_EQ(score.GetActiveInstrument(), 1);
  EXPECT_EQ(score.UndoCount(), 1);
  EXPECT_TRUE(document.Modified());

  score.Undo(1);
  EXPECT_EQ(score.InstrumentCount(), 1);
  score.Redo(1);
  ASSERT_EQ(score.InstrumentCount(), 2);
  const TECInstrument& staff = *score.GetInstrumentAt(1);
  EXPECT_EQ(staff.Name(), "Trumpet");
  EXPECT_EQ(staff.MidiInstrument(), 56);
  ASSERT_EQ(staff.GetRowCount(), 2);
  EXPECT_EQ(staff.GetRow(0)->GetKeySignature(0), 33);
  EXPECT_EQ(staff.GetRow(1)->GetClef(0), 2);
}

}  // namespace
