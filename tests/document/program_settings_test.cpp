#include "document/program_settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>

#include "document/date_time_format.h"
#include "document/interface_language.h"
#include "document/recent_files.h"
#include "document/settings_file.h"
#include "platform/ini_file.h"
#include "startup_fixture.h"

namespace {

using nv::document::ProgramSettings;
using nv::document::SettingsFile;
using nv::platform::IniFile;
using startup_fixture::ReadText;
using startup_fixture::WriteText;

class FixedLayouts : public nv::document::KeyboardLayoutSource {
 public:
  explicit FixedLayouts(std::string names) : names_(std::move(names)) {}
  std::string LayoutNames() const override { return names_; }
  std::string Locale() const override { return "C"; }

 private:
  std::string names_;
};

class SettingsTest : public startup_fixture::TempFolder {
 protected:
  std::string SettingsPath() const { return (root_ / nv::document::kSettingsFileName).string(); }

  // A start and an exit: the file read, the language chosen by the rule,
  // the settings and the (empty) recent list written back.
  ProgramSettings StartAndQuit(const std::string& layouts = "us") {
    SettingsFile file(SettingsPath(), prompt_, texts_);
    ProgramSettings settings = file.ReadMainSettings();
    settings.Language =
        nv::document::ChooseInterfaceLanguage(settings.Language, HasRussianKeyboardLayout(FixedLayouts(layouts)));
    nv::document::RecentFiles recent;
    recent.Load(file.Ini(), nv::document::Today());
    file.WriteMainSettings(settings);
    recent.Save(file.Ini(), {}, nv::document::Today());
    file.Save(prompt_, texts_);
    return settings;
  }
};

TEST_F(SettingsTest, OneRunWithoutAFileWritesTheDefaultFile) {
  StartAndQuit();
  const auto expected = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "document" / "data" / "default_settings.ini";
  EXPECT_EQ(ReadText(SettingsPath()), ReadText(expected));
  EXPECT_TRUE(prompt_.Shown.empty());
}

TEST_F(SettingsTest, OutOfRangeValuesReadAsTheRulesSayAndOtherKeysStay) {
  WriteText(SettingsPath(),
            "[Tools]\nKey=99\nTone=200\nGuitarKind=5\nMicroTone=7\nScoreSize=1030\nTextSize=0\nTreole=11\n"
            "Language=DEU\nMine=kept\n[Record parameters]\nQuantize=0\nFirstVelocity=300\nDuration=-4\n"
            "[Properties]\nRehearsalMarkBorderWidth=9\nRehearsalMarkKind=2\n[Dinamics]\nForte=-1\n"
            "[Effects]\nStaccato=0\nArpeggio=99\n[Accords]\nAccordMax=5\n[MainForm]\nToolsDefHeight=0\n"
            "[Other window]\nBounds=1,2,3,4\n");
  const ProgramSettings s = StartAndQuit();
  EXPECT_EQ(s.Key, 0);
  EXPECT_EQ(s.Tone, 0);
  EXPECT_EQ(s.GuitarKind, 0);
  EXPECT_EQ(s.MicroTone, 1);
  EXPECT_EQ(s.ScoreSize, 1028);  // 4/6 is no time signature
  EXPECT_EQ(s.TextSize, 1);
  EXPECT_EQ(s.Treole, 10);
  EXPECT_EQ(s.Quantize, 16);
  EXPECT_EQ(s.FirstVelocity, 127);
  EXPECT_EQ(s.Duration, 1);
  EXPECT_EQ(s.RehearsalMarkBorderWidth, 3);
  EXPECT_EQ(s.RehearsalMarkKind, 0);
  EXPECT_EQ(s.Forte, 0);
  EXPECT_EQ(s.Staccato, 1);
  EXPECT_EQ(s.Arpeggio, 8);
  EXPECT_EQ(s.AccordMax, 5);
  EXPECT_EQ(s.ToolsDefHeight, 96);
  EXPECT_EQ(s.Language, "ENU");
  EXPECT_EQ(s.RehearsalMarkStyle(), 0x47);

  const IniFile after(SettingsPath());
  EXPECT_EQ(after.ReadString("Tools", "Mine", ""), "kept");
  EXPECT_EQ(after.ReadString("Other window", "Bounds", ""), "1,2,3,4");
  EXPECT_FALSE(after.ValueExists("Accords", "AccordMax"));
  EXPECT_EQ(after.ReadInteger("Tools", "Key", -1), 0);
}

TEST_F(SettingsTest, ChoicesInsideTheirSetsAreKept) {
  WriteText(SettingsPath(), "[Tools]\nTone=9\nMicroTone=48\nScoreSize=257\nScoreSizeStyle=0\nKey=14\n");
  const ProgramSettings s = SettingsFile(SettingsPath(), prompt_, texts_).ReadMainSettings();
  EXPECT_EQ(s.Tone, 9);
  EXPECT_EQ(s.MicroTone, 48);
  EXPECT_EQ(s.ScoreSize, 257);
  EXPECT_EQ(s.ScoreSizeStyle, 1);  // 1/1 shows in its own style
  EXPECT_EQ(s.Key, 14);
}

TEST(AutosaveInterval, ChoicesGiveMinutesAndAnythingElseTheLongInterval) {
  EXPECT_EQ(nv::document::AutosaveIntervalMs(0), 300'000);
  EXPECT_EQ(nv::document::AutosaveIntervalMs(3), 1'800'000);
  EXPECT_EQ(nv::document::AutosaveIntervalMs(7), 3'200'000);
  EXPECT_EQ(nv::document::AutosaveIntervalMs(-1), 3'200'000);
}

// Each bad file starts with the defaults, says so once, and is kept byte
// for byte through the exit.
TEST_F(SettingsTest, AFileThatCannotBeUsedGivesDefaultsOneMessageAndStays) {
  std::mt19937 random(41);
  std::string noise(5 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string text = "[Tools]\nKey=3\n";
  for (const std::string bad : {"folder", "mode 000", "noise"}) {
    SCOPED_TRACE(bad);
    std::filesystem::remove_all(SettingsPath());
    prompt_.Shown.clear();
    if (bad == "folder") std::filesystem::create_directory(SettingsPath());
    if (bad == "mode 000") {
      WriteText(SettingsPath(), text);
      ::chmod(SettingsPath().c_str(), 0);
      if (::access(SettingsPath().c_str(), R_OK) == 0) continue;  // a privileged user reads it anyway
    }
    if (bad == "noise") WriteText(SettingsPath(), noise);
    const std::string before = bad == "folder" ? "" : (bad == "noise" ? noise : text);

    const ProgramSettings s = StartAndQuit();
    EXPECT_EQ(s.Key, 0);
    EXPECT_EQ(prompt_.Shown.size(), 1u);
    if (bad == "folder") {
      EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
    } else {
      ::chmod(SettingsPath().c_str(), 0600);
      EXPECT_EQ(ReadText(SettingsPath()), before);
    }
  }
}

TEST_F(SettingsTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
  WriteText(SettingsPath(), "[Tools]\nKey=3\n");
  SettingsFile file(SettingsPath(), prompt_, texts_);
  file.WriteMainSettings(file.ReadMainSettings());
  nv::platform::FileCalls full = nv::platform::SystemFileCalls();
  full.write = [](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  EXPECT_FALSE(file.Save(prompt_, texts_, full));
  ASSERT_EQ(prompt_.Shown.size(), 1u);
  EXPECT_NE(prompt_.Shown[0].find(SettingsPath()), std::string::npos);
  EXPECT_NE(prompt_.Shown[0].find("No space left on device"), std::string::npos);
  EXPECT_EQ(ReadText(SettingsPath()), "[Tools]\nKey=3\n");
}

TEST_F(SettingsTest, TheFileLiesBesideTheProgramOnlyWhenItsFolderMayBeWritten) {
  const auto program = root_ / "bin";
  const auto config = root_ / "config";
  std::filesystem::create_directories(program);
  EXPECT_EQ(nv::document::ChooseSettingsPath(program.string(), config.c_str(), "/nowhere"),
            (program / "ProgramSetting.ini").string());
  std::filesystem::permissions(program, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(nv::document::ChooseSettingsPath(program.string(), config.c_str(), "/nowhere"),
            (config / "Notavistra" / "ProgramSetting.ini").string());
  EXPECT_TRUE(std::filesystem::is_directory(config / "Notavistra"));
  EXPECT_EQ(nv::document::ChooseSettingsPath(program.string(), "", root_.c_str()),
            (root_ / ".config" / "Notavistra" / "ProgramSetting.ini").string());
}

}  // namespace
