#include "document/score_properties.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/drum_map.h"
#include "model/instrument.h"
#include "model/row.h"
#include "support/edit_harness.h"

namespace {

using nv::document::CompositionPage;
using nv::document::PageFault;

TEST(StaffProperties, ANameTypedAfterChoosingAnInstrumentSurvivesAndChannel16Stays) {
  edit_harness::EditFixture f;
  nv::document::InstrumentProps props = *nv::document::ReadActiveInstrument(f.score());
  props.Program = 40;
  props.Name = "Solo violin";
  props.Channel = 16;
  props.Accolade = 1;
  props.Mute = true;
  nv::document::ApplyActiveInstrument(f.score(), props);
  EXPECT_EQ(f.instrument().Name(), "Solo violin");
  EXPECT_EQ(f.instrument().MidiInstrument(), 40);
  EXPECT_EQ(f.instrument().Channel(), 16);
  EXPECT_EQ(nv::document::ReadActiveInstrument(f.score()), props);
}

TEST(RowProperties, VoiceCountThreeIsVoiceModeTwoAndNoProgramIsMinusOne) {
  edit_harness::EditFixture f;
  nv::document::RowProps props = *nv::document::ReadActiveRow(f.score());
  props.VoiceCount = 3;
  props.FiveLines = false;
  props.Program = -1;
  props.Channel = 16;
  props.Name = "Left hand";
  nv::document::ApplyActiveRow(f.score(), props);
  EXPECT_EQ(f.row().VoiceMode(), 2);
  EXPECT_FALSE(f.row().FiveLineStaff());
  EXPECT_EQ(f.row().MidiInstrument(), -1);
  EXPECT_EQ(f.row().Channel(), 16);
  EXPECT_EQ(nv::document::ReadActiveRow(f.score()), props);
}

TEST(NoteProperties, TheSelectedNotesProgramReadsBackAndNoAssignIsMinusOne) {
  edit_harness::EditFixture f;
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  EXPECT_FALSE(nv::document::ReadNoteProgram(f.score()).has_value());
  f.score().SelectElement(note, 0);
  EXPECT_EQ(nv::document::ReadNoteProgram(f.score()), -1);
  nv::document::ApplyNoteProgram(f.score(), 0);
  EXPECT_EQ(nv::document::ReadNoteProgram(f.score()), 0);
  nv::document::ApplyNoteProgram(f.score(), 73);
  EXPECT_EQ(nv::document::ReadNoteProgram(f.score()), 73);
  nv::document::ApplyNoteProgram(f.score(), -1);
  EXPECT_EQ(nv::document::ReadNoteProgram(f.score()), -1);
}

TEST(CompositionProperties, WrittenSettingsReadBackTheSame) {
  edit_harness::EditFixture f;
  SetDrumMapEntry(f.score(), 38, "Snare", true, 66, 3);
  SetDrumMapEntry(f.score(), 42, "Hi-hat", false, 72, 255);
  nv::document::CompositionProps props = nv::document::ReadCompositionProps(f.score());
  ASSERT_EQ(props.Drums.size(), 2u);
  props.Metrix = 1;
  props.Page = CompositionPage{27, false, 25.4, 300, 5, 6, 7, 8, 12};
  props.UnionCount = 5;
  props.AufTaktNotes = 1;
  props.VertAlign = !props.VertAlign;
  props.PrintNumber = true;
  props.Tempo = 100;
  props.NoteInterval = 2;
  props.MeasureCount = 3;
  props.Author = "A. Writer";
  props.Copyright = "(c) 2026";
  props.Description = {"one", "two"};
  props.Scale = 120;
  props.StartBarNumber = 4;
  props.NumberStyle = 2;
  props.Numerator = 2;
  props.Denominator = 2;
  props.SizeStyle = 2;
  // A cleared name removes the pitch's entry; a new name adds one.
  props.Drums = {{38, "Snare", 3, 66, true}, {42, "", 255, 72, false}, {36, "Kick", 255, 60, true}};
  nv::document::ApplyCompositionProps(f.score(), props);

  const nv::document::CompositionProps back = nv::document::ReadCompositionProps(f.score());
  props.Drums = {{38, "Snare", 3, 66, true}, {36, "Kick", 255, 60, true}};
  EXPECT_EQ(back, props);
  EXPECT_EQ(f.score().GetMetrix(), TECMetrix::rmInches);
}

TEST(CompositionProperties, AStandardPaperTurnsWithItsOrientation) {
  edit_harness::EditFixture f;
  nv::document::CompositionProps props = nv::document::ReadCompositionProps(f.score());
  props.Page = CompositionPage{9, true, 0, 0, 10, 10, 10, 10, 16};  // A4, landscape
  nv::document::ApplyCompositionProps(f.score(), props);
  const CompositionPage page = nv::document::ReadCompositionProps(f.score()).Page;
  EXPECT_EQ(page.PaperSize, 9);
  EXPECT_TRUE(page.Landscape);
  EXPECT_DOUBLE_EQ(page.Width, 297);
  EXPECT_DOUBLE_EQ(page.Length, 210);
}

TEST(CompositionProperties, APageWithNoRoomToPrintIsRefusedAndChangesNothing) {
  struct Case {
    CompositionPage page;
    PageFault fault;
  };
  for (const Case& c : {Case{{27, false, 0, 297, 10, 10, 10, 10, 16}, PageFault::Width},
                        Case{{27, false, 210, 0, 10, 10, 10, 10, 16}, PageFault::Length},
                        Case{{27, false, 210, 297, 100, 10, 110, 10, 16}, PageFault::HorizontalMargins},
                        Case{{9, false, 210, 297, 10, 297, 10, 0, 16}, PageFault::VerticalMargins}}) {
    EXPECT_EQ(nv::document::CheckPage(c.page), c.fault);
    edit_harness::EditFixture f;
    nv::document::CompositionProps props = nv::document::ReadCompositionProps(f.score());
    const nv::document::CompositionProps before = props;
    props.Page = c.page;
    props.Tempo = 200;
    EXPECT_THROW(nv::document::ApplyCompositionProps(f.score(), props), std::invalid_argument);
    EXPECT_EQ(nv::document::ReadCompositionProps(f.score()), before);
  }
  EXPECT_FALSE(nv::document::CheckPage(CompositionPage{}).has_value());
}

}  // namespace
