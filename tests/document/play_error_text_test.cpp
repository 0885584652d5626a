#include "document/play_error_text.h"

#include <gtest/gtest.h>

#include "model/instrument.h"
#include "model/row.h"
#include "startup_fixture.h"
#include "support/edit_harness.h"

namespace {

using nv::document::BadMeasureList;
using nv::document::PlayErrorText;

// A flute staff and a piano staff of six measures, each laid out, whose
// bars are numbered from 1 as a new score's are.
class PlayErrorTextTest : public ::testing::Test {
 protected:
  PlayErrorTextTest() : fixture_(1, 6) {
    flute_ = &fixture_.instrument();
    flute_->SetName("Flute");
    piano_ = fixture_.score().AddInstrument();
    TECRow* row = piano_->AddRow(false);
    while (row->MeasureCount() < 6) row->AddMeasure();
    piano_->SetName("Piano");
    TECMusicScore& score = fixture_.score();
    score.SetStartBarNumber(0);
    for (int staff = score.InstrumentCount() - 1; staff >= 0; --staff) {
      score.SetActiveInstrument(staff);
      score.LayoutScore(0, false);
    }
  }

  const TECMeasure* Bar(TECInstrument* staff, int index) { return staff->GetRow(0)->GetMeasure(index); }

  edit_harness::EditFixture fixture_;
  TECInstrument* flute_ = nullptr;
  TECInstrument* piano_ = nullptr;
};

TEST_F(PlayErrorTextTest, TheBadMeasuresAreListedByStaffThenTheQuestion) {
  const std::vector<const TECMeasure*> bad{Bar(flute_, 2), Bar(flute_, 4), Bar(piano_, 1)};
  EXPECT_EQ(BadMeasureList(bad), "Flute(3,5) Piano(2)");
  EXPECT_EQ(PlayErrorText(bad, startup_fixture::NumberedTexts()), "Flute(3,5) Piano(2) text 41");
}

TEST_F(PlayErrorTextTest, ListsByRunsOfOneStaffAndNamesAnUnnamedStaffByItsProgram) {
  flute_->SetName("");
  flute_->SetMidiInstrument(73);
  piano_->SetName("");
  piano_->SetMidiInstrument(0);
  struct Case {
    std::vector<const TECMeasure*> bad;
    std::string list;
  };
  const Case cases[] = {
      {{Bar(flute_, 0)}, "Flute(1)"},
      {{Bar(flute_, 2), Bar(flute_, 2), Bar(flute_, 3)}, "Flute(3,4)"},
      {{Bar(piano_, 5), Bar(flute_, 0), Bar(piano_, 0)}, "Acoustic Grand Piano(6) Flute(1) Acoustic Grand Piano(1)"},
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BadMeasureList(c.bad), c.list);
}

}  // namespace
