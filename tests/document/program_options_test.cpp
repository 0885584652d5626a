#include "document/program_options.h"

#include <gtest/gtest.h>

#include "platform/sound/test_midi_ports.h"

namespace nv::document {
namespace {

TEST(ProgramOptions, StoringWhatWasReadChangesNoSetting) {
  ProgramSettings settings;
  settings.Quantize = 12;  // no button: kept
  settings.Duration = 8;
  settings.FirstVelocity = 90;
  settings.CountBackUp = 7;
  settings.IntervalAutosave = 4;
  settings.GetNews = true;
  settings.PlayGuitar = false;
  settings.OutputDevice = 3;
  settings.Language = "RUS";
  const ProgramSettings before = settings;

  const ProgramOptions options = OptionsFromSettings(settings);
  EXPECT_EQ(options.Quantize, 12);
  EXPECT_EQ(options.Duration, 8);
  EXPECT_EQ(options.FirstVelocity, 90);
  EXPECT_EQ(options.CountBackUp, 7);
  EXPECT_TRUE(options.GetNews);
  EXPECT_FALSE(options.PlayGuitar);
  EXPECT_TRUE(options.InputNames.empty());
  EXPECT_TRUE(options.OutputNames.empty());

  StoreOptions(options, settings);
  EXPECT_EQ(settings.Quantize, before.Quantize);
  EXPECT_EQ(settings.OutputDevice, 3);
  EXPECT_EQ(settings.Language, "RUS");
  EXPECT_EQ(OptionsFromSettings(settings), options);
}

TEST(ProgramOptions, StoresEveryChangedOptionAndNoDevice) {
  ProgramSettings settings;
  ProgramOptions options = OptionsFromSettings(settings);
  options.Output = 2;
  options.Input = 1;
  options.Quantize = 4;
  options.Duration = 32;
  options.AccentFirst = !options.AccentFirst;
  options.FirstVelocity = 0;
  options.OtherVelocity = 127;
  options.SaveBackUp = !options.SaveBackUp;
  options.LimitBackUp = !options.LimitBackUp;
  options.CountBackUp = 9;
  options.AutoSave = !options.AutoSave;
  options.IntervalAutosave = 0;
  options.AutoEffect = !options.AutoEffect;
  options.AutoVelocity = !options.AutoVelocity;
  options.PlayMouse = !options.PlayMouse;
  options.PlayKeyboard = !options.PlayKeyboard;
  options.PlayGuitar = !options.PlayGuitar;
  options.PlayMIDI = !options.PlayMIDI;
  options.ShowNoteHint = !options.ShowNoteHint;
  options.ShowPianoNote = !options.ShowPianoNote;
  options.Optimization = !options.Optimization;
  options.News = !options.News;
  options.GetNews = !options.GetNews;

  StoreOptions(options, settings);
  ProgramOptions back = OptionsFromSettings(settings);
  back.Output = 2;
  back.Input = 1;
  EXPECT_EQ(back, options);
  // The devices are their components' to keep.
  EXPECT_EQ(settings.OutputDevice, ProgramSettings{}.OutputDevice);
  EXPECT_EQ(settings.InputDevice, ProgramSettings{}.InputDevice);
}

TEST(ProgramOptions, DefaultVelocitiesAre127And100) {
  const ProgramOptions options = OptionsFromSettings(ProgramSettings{});
  EXPECT_EQ(options.FirstVelocity, 127);
  EXPECT_EQ(options.OtherVelocity, 100);
}

TEST(ProgramOptions, ListsTheDevicesByIndexWithoutOpeningAny) {
  using nv::platform::TestMidiPorts;
  TestMidiPorts ports(TestMidiPorts::Mode::Null, {"Synth", "Port B"}, {"Keys In"});
  ProgramOptions options;
  options.OutputNames = {"stale"};
  ListMidiDevices(ports, options);
  EXPECT_EQ(options.OutputNames, (std::vector<std::string>{"Synth", "Port B"}));
  EXPECT_EQ(options.InputNames, (std::vector<std::string>{"Keys In"}));
  EXPECT_FALSE(ports.InputOpen(0));
  EXPECT_TRUE(ports.Calls().empty());

  TestMidiPorts none(TestMidiPorts::Mode::Null, {}, {});
  ListMidiDevices(none, options);
  EXPECT_TRUE(options.OutputNames.empty());
  EXPECT_TRUE(options.InputNames.empty());

  // A name that cannot be read ends the list where it got to.
  ports.Fail.Caps = 6;
  ListMidiDevices(ports, options);
  EXPECT_TRUE(options.OutputNames.empty());
  EXPECT_TRUE(options.InputNames.empty());
}

}  // namespace
}  // namespace nv::document
