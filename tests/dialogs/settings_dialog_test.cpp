#include "dialogs/settings_dialog.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

#include "platform/ini_file.h"
#include "widgets/page_control.h"

namespace nv::dialogs {
namespace {

using nv::document::ProgramOptions;

class SettingsDialogTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFSettingsModule> Make(const ProgramOptions& options) {
    return std::make_unique<TFSettingsModule>(options, &settings_, nullptr);
  }
  static ProgramOptions TwoDevices() {
    ProgramOptions options;
    options.InputNames = {"Keys In", "Pad In"};
    options.OutputNames = {"Synth", "Port B", "Port C"};
    options.Input = 1;
    options.Output = 0;
    return options;
  }
  static bool Visible(TFSettingsModule& d, const char* name) {
    return !d.PageFields(TFSettingsModule::kGeneral).Control(QString::fromLatin1(name))->isHidden();
  }
  static bool Enabled(TFSettingsModule& d, const char* name) {
    return d.PageFields(TFSettingsModule::kGeneral).Control(QString::fromLatin1(name))->isEnabled();
  }

  nv::platform::IniFile settings_ = nv::platform::IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
};

TEST_F(SettingsDialogTest, ShowsAndGivesBackWhatItWasGiven) {
  const ProgramOptions given = TwoDevices();
  auto dialog = Make(given);
  EXPECT_EQ(dialog->windowTitle(), "Settings");
  auto* output = qobject_cast<QComboBox*>(dialog->PageFields(TFSettingsModule::kDevices).Control("LBOutput"));
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->count(), 3);
  EXPECT_EQ(output->itemText(1), "Port B");
  EXPECT_EQ(dialog->Options(), given);
}

TEST_F(SettingsDialogTest, GivesBackWhatTheUserChanged) {
  auto dialog = Make(TwoDevices());
  dialog->PageFields(TFSettingsModule::kDevices).SetValues({{"LBOutput", 2}, {"LBInput", 0}});
  dialog->PageFields(TFSettingsModule::kRecord)
      .SetValues({{"RGQuantize", 4}, {"RGDuration", 0}, {"UDFirstVelocity", 300}, {"UDOtherVelocity", -4}});
  dialog->PageFields(TFSettingsModule::kGeneral)
      .SetValues({{"CBOptimization", false}, {"UDCount", 5}, {"CBAutoSave", true}, {"CBInterval", 4}});
  const ProgramOptions chosen = dialog->Options();
  EXPECT_EQ(chosen.Output, 2);
  EXPECT_EQ(chosen.Input, 0);
  EXPECT_EQ(chosen.Quantize, 2);
  EXPECT_EQ(chosen.Duration, 32);
  // Velocities stay MIDI bytes.
  EXPECT_EQ(chosen.FirstVelocity, 127);
  EXPECT_EQ(chosen.OtherVelocity, 0);
  EXPECT_FALSE(chosen.Optimization);
  EXPECT_EQ(chosen.CountBackUp, 5);
  EXPECT_TRUE(chosen.AutoSave);
  EXPECT_EQ(chosen.IntervalAutosave, 4);
}

TEST_F(SettingsDialogTest, WithNoDevicesBothListsAreEmptyAndTheRestStillComesBack) {
  ProgramOptions given;
  given.PlayGuitar = false;
  auto dialog = Make(given);
  auto* input = qobject_cast<QComboBox*>(dialog->PageFields(TFSettingsModule::kDevices).Control("LBInput"));
  EXPECT_EQ(input->count(), 0);
  const ProgramOptions chosen = dialog->Options();
  EXPECT_EQ(chosen.Input, -1);
  EXPECT_EQ(chosen.Output, -1);
  EXPECT_FALSE(chosen.PlayGuitar);
}

TEST_F(SettingsDialogTest, ANoteValueWithoutAButtonPressesNoneAndIsKept) {
  ProgramOptions given;
  given.Quantize = 12;
  given.Duration = 1;
  auto dialog = Make(given);
  const FormValues record = dialog->PageFields(TFSettingsModule::kRecord).Values();
  EXPECT_EQ(record.Int("RGQuantize"), -1);
  EXPECT_EQ(record.Int("RGDuration"), -1);
  EXPECT_EQ(dialog->Options().Quantize, 12);
  EXPECT_EQ(dialog->Options().Duration, 1);
}

TEST_F(SettingsDialogTest, BackupAutosaveAndNewsBoxesRuleTheirControls) {
  ProgramOptions given;
  given.SaveBackUp = true;
  given.LimitBackUp = false;
  given.AutoSave = false;
  given.GetNews = false;
  auto dialog = Make(given);
  FormFields& general = dialog->PageFields(TFSettingsModule::kGeneral);
  EXPECT_TRUE(Visible(*dialog, "CBCount"));
  EXPECT_FALSE(Enabled(*dialog, "UDCount"));
  EXPECT_FALSE(Visible(*dialog, "CBInterval"));
  EXPECT_FALSE(Enabled(*dialog, "CBNews"));

  general.SetValues({{"CBCount", true}, {"CBAutoSave", true}, {"CBGetNews", true}});
  EXPECT_TRUE(Enabled(*dialog, "UDCount"));
  EXPECT_TRUE(Visible(*dialog, "CBInterval"));
  EXPECT_TRUE(Enabled(*dialog, "CBNews"));

  general.SetValues({{"CBSaveBackup", false}});
  EXPECT_FALSE(Visible(*dialog, "CBCount"));
  EXPECT_FALSE(Visible(*dialog, "UDCount"));
}

TEST_F(SettingsDialogTest, VelocitiesRunFromZeroTo127) {
  auto dialog = Make(ProgramOptions{});
  FormFields& record = dialog->PageFields(TFSettingsModule::kRecord);
  EXPECT_EQ(record.Values().Int("UDFirstVelocity"), 127);
  EXPECT_EQ(record.Values().Int("UDOtherVelocity"), 100);
  record.SetValues({{"UDFirstVelocity", -1}, {"UDOtherVelocity", 128}});
  EXPECT_EQ(record.Values().Int("UDFirstVelocity"), 0);
  EXPECT_EQ(record.Values().Int("UDOtherVelocity"), 127);
}

TEST_F(SettingsDialogTest, OpensOnAVisibleStoredPageAndKeepsTheOneLeftOpen) {
  const struct {
    const char* stored;
    int page;
  } cases[] = {{"9", TFSettingsModule::kDevices}, {"-1", TFSettingsModule::kDevices},
               {"0", TFSettingsModule::kDevices}, {"x", TFSettingsModule::kDevices},
               {"3", TFSettingsModule::kGeneral}, {"2", TFSettingsModule::kRecord}};
  for (const auto& c : cases) {
    settings_.WriteString("SettingsForm", "PageIndex", c.stored);
    auto dialog = Make(ProgramOptions{});
    EXPECT_EQ(dialog->Pages()->IndexOf(dialog->Pages()->ActivePage()), c.page) << c.stored;
  }
  {
    auto dialog = Make(ProgramOptions{});
    dialog->Pages()->SetActivePage(dialog->Pages()->Pages(TFSettingsModule::kRecord));
    dialog->CancelButton()->click();
  }
  EXPECT_EQ(settings_.ReadString("SettingsForm", "PageIndex", ""), "2");
  EXPECT_FALSE(settings_.ReadString("SettingsForm", "Bounds", "").empty());
}

}  // namespace
}  // namespace nv::dialogs
