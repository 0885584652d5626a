// The main window's information commands and the first-start dialog: the
// references toggle, the first start's language and devices, and the shipped
// reference page naming every key the program gives a command.
#include "program_module_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "dialogs/page_windows.h"
#include "dialogs/start_dialog.h"
#include "platform/asset_paths.h"
#include "platform/sound/test_midi_ports.h"
#include "widgets/command_actions.h"
#include "widgets/input_mapping.h"
#include "widgets/language.h"

namespace {

void UseProgramLanguageFiles() { nv::widgets::TECLanguage::Current()->SetFileLocation(np::assetsDir(), "notavistra"); }

TEST_F(ProgramModuleTest, ReferencesTwiceClosesTheWindowTheSecondTime) {
  auto services = Services();
  services.dataDir = root_;
  WriteText(root_ / "Help" / "English" / "Help.htm", "<html></html>");
  fs::create_directories(root_ / "Help" / "English" / "References");
  WriteText(root_ / "Help" / "English" / "References" / "References.htm", "<html><body>Keys</body></html>");
  nv::app::TFProgramModule window(std::move(services));
  window.Actions().Action("help.references").trigger();
  QPointer<nv::dialogs::TFReferenceModule> shown = window.ReferenceWindow();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->Browser().toPlainText(), "Keys");
  window.Actions().Action("help.references").trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull(); }, 2000));
  EXPECT_EQ(window.ReferenceWindow(), nullptr);
  // A third time opens it again; it goes with the main window.
  window.Actions().Action("help.references").trigger();
  shown = window.ReferenceWindow();
  ASSERT_TRUE(shown);
  window.close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull(); }, 2000));
}

TEST_F(ProgramModuleTest, TheTutorialCommandIsHiddenAndAboutIsOnTheHelpMenu) {
  nv::app::TFProgramModule window(Services());
  EXPECT_FALSE(window.Actions().Action("help.tutorial").isVisible());
  EXPECT_TRUE(window.Actions().Action("help.about").isVisible());
  EXPECT_TRUE(window.Actions().Action("help.references").isVisible());
}

TEST_F(ProgramModuleTest, TheFirstStartsLanguageClickRetranslatesTheDialogAndTheMainWindowAtOnce) {
  nv::app::TFProgramModule window(Services());
  UseProgramLanguageFiles();
  auto start = window.MakeStartDialog();
  EXPECT_EQ(start->windowTitle(), "Main settings");
  EXPECT_TRUE(start->English().isChecked());
  EXPECT_TRUE(start->SecondLanguageGroup().isHidden());
  start->Russian().click();
  EXPECT_EQ(window.InterfaceLanguage(), "RUS");
  // Both texts come from the Russian language file.
  EXPECT_EQ(start->findChild<QGroupBox*>("GBLanguage")->title(), QString(" Язык "));
  EXPECT_EQ(start->windowTitle(), QString("Основные настройки"));
  EXPECT_EQ(window.Actions().Action("edit.undo").text(), QString("Отменить"));
  start->English().click();
  EXPECT_EQ(start->findChild<QGroupBox*>("GBLanguage")->title(), QString(" Language "));
  EXPECT_EQ(window.Actions().Action("edit.undo").text(), QString("Undo"));
}

TEST_F(ProgramModuleTest, TheFirstStartSelectsADeviceAtOnceAndPutsAFailedOneBack) {
  auto services = Services();
  auto* ports = static_cast<np::TestMidiPorts*>(services.ports.get());
  nv::app::TFProgramModule window(std::move(services));
  auto start = window.MakeStartDialog();
  ASSERT_EQ(start->OutputList().count(), 2);
  const int before = window.MidiOutput().GetDeviceID();
  const int other = before == 1 ? 0 : 1;
  start->OutputList().setCurrentIndex(other);
  Q_EMIT start->OutputList().activated(other);
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), other);
  EXPECT_TRUE(start->DeviceError().isHidden());

  ports->Fail.Caps = 2;  // the port layer can no longer read a device
  start->OutputList().setCurrentIndex(before);
  Q_EMIT start->OutputList().activated(before);
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), other);
  EXPECT_EQ(start->OutputList().currentIndex(), other);
  EXPECT_FALSE(start->DeviceError().isHidden());
  EXPECT_TRUE(start->DeviceError().text().startsWith("The MIDI device \"" + start->OutputList().itemText(before) +
                                                     "\" cannot be used."))
      << start->DeviceError().text().toStdString();
}

TEST_F(ProgramModuleTest, TheFirstStartShowsOnceAndKeepsNoBounds) {
  { nv::app::TFProgramModule window(Services()); }
  EXPECT_EQ(Stored("Tools", "StartModule"), "1");
  {
    nv::app::TFProgramModule window(Services());
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* start = qobject_cast<nv::dialogs::TFStartModule*>(w)) start->accept();
    });
    window.ShowStartDialog();
  }
  EXPECT_EQ(Stored("Tools", "StartModule"), "0");
  EXPECT_EQ(ReadText(SettingsPath()).find("FStartModule"), std::string::npos);
  EXPECT_EQ(ReadText(SettingsPath()).find("StartModuleForm"), std::string::npos);
}

TEST_F(ProgramModuleTest, TheEnglishReferenceNamesEveryKeyTheProgramGivesACommand) {
  nv::app::TFProgramModule window(Services());
  window.NewDocument();  // the score's keys too
  const std::string page = ReadText(np::assetPath("Help/English/References/References.htm"));
  ASSERT_FALSE(page.empty());
  int keys = 0;
  for (const nv::document::Command& command : window.Commands().Commands()) {
    if (command.DefaultShortcut.Key == 0) continue;
    ++keys;
    // The page writes the keypad's keys as "Num +" and "Num -".
    QString text = nv::widgets::KeySequenceOf(command.DefaultShortcut.Key, command.DefaultShortcut.Modifiers)
                       .toString(QKeySequence::PortableText);
    text.replace("Num+", "Num ");
    EXPECT_NE(page.find("<kbd>" + text.toStdString() + "</kbd>"), std::string::npos)
        << command.Id << " " << text.toStdString();
  }
  EXPECT_GT(keys, 40);
}

}  // namespace

namespace {

TEST_F(ProgramModuleTest, GetNewsInTheSettingsShowsLastNewsAtOnce) {
  auto services = Services();
  services.news = [](QWidget*) { return false; };
  nv::app::TFProgramModule window(std::move(services));
  EXPECT_FALSE(window.Actions().Action("help.news").isVisible());
  nv::document::ProgramOptions answer = nv::document::OptionsFromSettings(window.Settings());
  answer.GetNews = true;
  dialogs_.settingsAnswer = answer;
  window.Actions().Action("tools.settings").trigger();
  EXPECT_TRUE(window.Actions().Action("help.news").isVisible());
  answer.GetNews = false;
  dialogs_.settingsAnswer = answer;
  window.Actions().Action("tools.settings").trigger();
  EXPECT_FALSE(window.Actions().Action("help.news").isVisible());
}

}  // namespace
