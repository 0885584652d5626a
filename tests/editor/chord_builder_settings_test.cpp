#include "editor/chord_builder_settings.h"

#include <gtest/gtest.h>

#include "document/program_settings.h"
#include "library/chord_builder.h"

namespace nv::editor {
namespace {

TEST(ChordBuilderSettings, TheStateGoesThroughTheSettings) {
  nv::library::ChordBuilder builder;
  builder.Buttons.RootStep = 4;
  builder.Buttons.RootFlat = true;
  builder.Buttons.Extension = 3;
  builder.Buttons.MinorStyle = 1;
  builder.Buttons.Brackets = true;
  builder.Buttons.AlterationStyle = 3;
  builder.Buttons.Alteration = {1, 0, 2, 0, 1};
  builder.Duration = 64;
  builder.NotesMode = true;
  builder.Above = true;
  document::ProgramSettings settings;
  StoreChordBuilder(builder, settings);
  EXPECT_FALSE(settings.ChordAddition);
  EXPECT_EQ(settings.ChordAdd9, 2);
  nv::library::ChordBuilder back;
  LoadChordBuilder(back, settings);
  EXPECT_EQ(back.Buttons, builder.Buttons);
  EXPECT_EQ(back.Duration, 64);
  EXPECT_TRUE(back.NotesMode);
  EXPECT_TRUE(back.Above);

  // Values a hand-edited file gives that no button shows.
  settings.ChordNote = 12;
  settings.ChordDuration = 3;
  settings.ChordAdd5 = 7;
  settings.ChordAddStyle = 40;
  LoadChordBuilder(back, settings);
  EXPECT_EQ(back.Buttons.RootStep, 0);
  EXPECT_EQ(back.Duration, 16);
  EXPECT_EQ(back.Buttons.Alteration[0], 0);
  EXPECT_EQ(back.Buttons.AlterationStyle, 3);
}

}  // namespace
}  // namespace nv::editor
