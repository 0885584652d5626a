#include <gtest/gtest.h>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/stave_settings.h"
#include "model/undo_step.h"

namespace {

// A score of two staves, the second with two rows, recording undo steps.
struct TwoStaves {
  TwoStaves() {
    first = score.AppendInstrument();
    first->AppendRow();
    second = score.AppendInstrument();
    second->AppendRow();
    second->AppendRow();
    score.SetLockUndo(false);
  }
  TECMusicScore score;
  TECInstrument* first = nullptr;
  TECInstrument* second = nullptr;
};

TEST(StaveSettings, AnEditIsOneStepThatUndoAndRedoTakeBackAndForth) {
  TwoStaves s;
  TECRow& row = *s.second->GetRow(1);
  s.first->SetName("Flute");
  const StaveSettings staffBefore = SettingsOf(*s.first);
  const StaveSettings rowBefore = SettingsOf(row);

  EditStaveSettings(s.score, row, [&] {
    row.SetVolume(90);
    row.SetMute(true);
  });
  EditStaveSettings(s.score, *s.first, [&] { s.first->SetMidiInstrument(40); });
  ASSERT_EQ(s.score.UndoCount(), 2);
  EXPECT_EQ(s.score.GetUndoStep(0)->Kind, undo_kind::StaveSettings);
  EXPECT_EQ(row.Volume(), 90);
  EXPECT_EQ(s.first->MidiInstrument(), 40);
  // The staff's program setter clears the name; undo brings both back.
  EXPECT_EQ(s.first->Name(), "");

  s.score.Undo(1);
  EXPECT_EQ(SettingsOf(*s.first), staffBefore);
  EXPECT_EQ(s.first->Name(), "Flute");
  EXPECT_EQ(row.Volume(), 90);
  s.score.Undo(1);
  EXPECT_EQ(SettingsOf(row), rowBefore);
  EXPECT_FALSE(s.score.CanUndo());

  s.score.Redo(1);
  EXPECT_EQ(row.Volume(), 90);
  EXPECT_TRUE(row.Mute());
  EXPECT_EQ(SettingsOf(*s.first), staffBefore);
  s.score.Redo(1);
  EXPECT_EQ(s.first->MidiInstrument(), 40);
  EXPECT_EQ(SettingsOf(*s.second->GetRow(0)), StaveSettings{});
}

TEST(StaveSettings, AnEditThatChangesNothingLeavesNoStep) {
  TwoStaves s;
  TECRow& row = *s.second->GetRow(0);
  // 200 is out of range, so the row keeps its volume.
  EditStaveSettings(s.score, row, [&] { row.SetVolume(200); });
  EditStaveSettings(s.score, *s.first, [&] { s.first->SetChannel(s.first->Channel()); });
  EXPECT_FALSE(s.score.CanUndo());
}

TEST(StaveSettings, WhileUndoIsLockedTheChangeStillHappens) {
  TwoStaves s;
  s.score.SetLockUndo(true);
  EditStaveSettings(s.score, *s.first, [&] { s.first->SetPan(10); });
  EXPECT_EQ(s.first->Pan(), 10);
  EXPECT_FALSE(s.score.CanUndo());
}

TEST(StaveSettings, ARowOutsideTheScoreIsChangedWithoutAStep) {
  TwoStaves s;
  TECInstrument loose(nullptr);
  TECRow& row = *loose.AppendRow();
  EditStaveSettings(s.score, row, [&] { row.SetPan(5); });
  EXPECT_EQ(row.Pan(), 5);
  EXPECT_FALSE(s.score.CanUndo());
}

}  // namespace
