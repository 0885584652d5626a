#include "dialogs/new_staff_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "dialogs/notation_palettes.h"
#include "document/score_document.h"
#include "model/instrument.h"
#include "model/row.h"
#include "platform/ini_file.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

using nv::widgets::TECCharButton;

template <typename T>
T* Child(QWidget& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
}

template <typename Palette>
QPointer<Palette> OpenPalette() {
  QPointer<Palette> palette;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* open = qobject_cast<Palette*>(window); open && open->isVisible()) palette = open;
  return palette;
}

class NewStaffDialog : public ::testing::Test {
 protected:
  NewStaffDialog() { services_.Settings = &settings_; }
  TECMusicScore& PreviewOf(TFDCNewInstrument& dialog) { return dialog.Preview().Score(); }

  nv::platform::IniFile settings_ = nv::platform::IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
  PropertyDialogServices services_;
};

TEST_F(NewStaffDialog, AFirstUseShowsOneRowFourFourTempoSixtyAndThePianoAndRemembersFourFour) {
  {
    TFDCNewInstrument dialog(services_);
    const nv::document::NewStaffSetup setup = dialog.Setup();
    EXPECT_EQ(setup.Rows.size(), 1u);
    EXPECT_EQ(setup.Numerator, 4);
    EXPECT_EQ(setup.Denominator, 4);
    EXPECT_EQ(setup.SizeStyle, 0);
    EXPECT_EQ(dialog.GetTempo(), 60);
    EXPECT_EQ(setup.AufTaktNotes, 0);
    EXPECT_EQ(Child<QComboBox>(dialog, "CBAuftaktSize")->currentText(), "4");
    EXPECT_EQ(setup.Timbre, 0);
    EXPECT_EQ(Child<QLineEdit>(dialog, "EInstrumentEdit")->text(), "Acoustic Grand Piano");
    EXPECT_EQ(setup.Name, "Acoustic Grand Piano");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "RGRows0")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "RGRows1")->isHidden());
    // The preview shows the staff being built, with no step to undo.
    TECMusicScore& preview = PreviewOf(dialog);
    ASSERT_EQ(preview.InstrumentCount(), 1);
    EXPECT_EQ(preview.GetNumerator(), 4);
    EXPECT_EQ(preview.GetInstrumentAt(0)->Name(), "Acoustic Grand Piano");
    EXPECT_EQ(preview.UndoCount(), 0);
  }
  EXPECT_EQ(settings_.ReadString("NewInstrumentForm", "Numerator", ""), "4");
  EXPECT_EQ(settings_.ReadString("NewInstrumentForm", "Denomerator", ""), "4");
  EXPECT_TRUE(settings_.ValueExists("NewInstrumentForm", "Bounds"));
}

TEST_F(NewStaffDialog, ThreeFourDisablesTheSymbolsAndGivesNoSymbolEvenWithAButtonDown) {
  TFDCNewInstrument dialog(services_);
  auto* common = Child<TECCharButton>(dialog, "CBSymbol1");
  QTest::mouseClick(common, Qt::LeftButton);
  EXPECT_EQ(dialog.Setup().SizeStyle, 1);
  EXPECT_EQ(PreviewOf(dialog).GetSizeStyle(), 1);
  Child<QComboBox>(dialog, "CBNumerator")->setCurrentText("3");
  EXPECT_FALSE(common->isEnabled());
  EXPECT_FALSE(Child<TECCharButton>(dialog, "CBSymbol2")->isEnabled());
  EXPECT_EQ(dialog.Setup().Numerator, 3);
  EXPECT_EQ(dialog.Setup().SizeStyle, 0);
  EXPECT_EQ(PreviewOf(dialog).GetSizeStyle(), 0);
  EXPECT_EQ(PreviewOf(dialog).GetNumerator(), 3);
}

TEST_F(NewStaffDialog, LoweringTheRowCountDeletesTheActiveLastRowAndChecksTheNewLast) {
  TFDCNewInstrument dialog(services_);
  auto* rows = Child<QSpinBox>(dialog, "UDRowCount");
  rows->setValue(3);
  EXPECT_FALSE(Child<QRadioButton>(dialog, "RGRows2")->isHidden());
  Child<QRadioButton>(dialog, "RGRows2")->click();
  EXPECT_EQ(dialog.Setup().ActiveRow, 2);
  rows->setValue(2);
  EXPECT_EQ(dialog.Setup().Rows.size(), 2u);
  EXPECT_EQ(dialog.Setup().ActiveRow, 1);
  EXPECT_TRUE(Child<QRadioButton>(dialog, "RGRows1")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(dialog, "RGRows2")->isHidden());
  EXPECT_EQ(PreviewOf(dialog).GetInstrumentAt(0)->GetRowCount(), 2);
}

TEST_F(NewStaffDialog, ThePalettesChoicesWriteTheActiveRowsKeyAndClef) {
  TFDCNewInstrument dialog(services_);
  dialog.show();
  QTest::mouseClick(Child<TECCharButton>(dialog, "CBTone"), Qt::LeftButton);
  QPointer<KeySignaturePalette> keys = OpenPalette<KeySignaturePalette>();
  ASSERT_FALSE(keys.isNull());
  QTest::mouseClick(keys->ButtonOf(12), Qt::LeftButton);
  EXPECT_EQ(dialog.Setup().Rows[0].Tone, 42);
  EXPECT_EQ(PreviewOf(dialog).GetInstrumentAt(0)->GetRow(0)->GetKeySignature(0), 42);
  EXPECT_EQ(Child<TECCharButton>(dialog, "CBTone")->toolTip(), "B-dur");

  QTest::mouseClick(Child<TECCharButton>(dialog, "CBKey"), Qt::LeftButton);
  QPointer<ClefPalette> clefs = OpenPalette<ClefPalette>();
  ASSERT_FALSE(clefs.isNull());
  QTest::mouseClick(clefs->ButtonOf(1), Qt::LeftButton);
  EXPECT_EQ(dialog.Setup().Rows[0].Clef, 2);
  EXPECT_EQ(Child<TECCharButton>(dialog, "CBKey")->toolTip(), "Bass");
  QTest::mouseClick(Child<TECCharButton>(dialog, "CBKey"), Qt::LeftButton);
  clefs = OpenPalette<ClefPalette>();
  ASSERT_FALSE(clefs.isNull());
  QTest::mouseClick(clefs->ButtonOf(0), Qt::LeftButton);
  EXPECT_EQ(dialog.Setup().Rows[0].Clef, 0);
  EXPECT_EQ(PreviewOf(dialog).GetInstrumentAt(0)->GetRow(0)->GetClef(0), 0);
}

TEST_F(NewStaffDialog, StoredValuesOutOfRangeShowTheDefaults) {
  settings_ = nv::platform::IniFile::FromText(
      "/nonexistent/ProgramSetting.ini",
      "[NewInstrumentForm]\nTone0=50\nClef0=20\nRowCount=9\nTimbre=300\nNumerator=7\nDenomerator=3\nSizeStyle=1\n");
  TFDCNewInstrument dialog(services_);
  const nv::document::NewStaffSetup setup = dialog.Setup();
  EXPECT_EQ(setup.Rows, std::vector<nv::document::NewStaffRow>{{}});
  EXPECT_EQ(setup.Timbre, 0);
  // 7 is in the list, 3 is not: the denominator stays 4; 7/4 takes no symbol.
  EXPECT_EQ(setup.Numerator, 7);
  EXPECT_EQ(setup.Denominator, 4);
  EXPECT_EQ(setup.SizeStyle, 0);
  EXPECT_EQ(Child<TECCharButton>(dialog, "CBKey")->toolTip(), "Violin");
  EXPECT_EQ(Child<TECCharButton>(dialog, "CBTone")->toolTip(), "C-dur");
}

TEST_F(NewStaffDialog, WithoutTheTopPanelOkAppendsTheStaffToTheOpenScore) {
  nv::document::ScoreDocument document;
  nv::document::BuildNewStaffScore({}, document.Score());
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFDCNewInstrument*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (const char* top : {"CBNumerator", "CBDenumerator", "UDTempo", "UDAufTaktNotes", "CBAuftaktSize"})
      EXPECT_TRUE(Child<QWidget>(*dialog, top)->isHidden()) << top;
    EXPECT_FALSE(Child<QWidget>(*dialog, "UDRowCount")->isHidden());
    Child<QSpinBox>(*dialog, "UDRowCount")->setValue(2);
    Child<QPlainTextEdit>(*dialog, "MTitle")->setPlainText("Song\nfor two");
    dialog->accept();
  });
  const std::optional<nv::document::NewStaffSetup> setup = AskNewStaff(services_, false);
  ASSERT_TRUE(setup.has_value());
  EXPECT_EQ(setup->Title, (std::vector<std::string>{"Song", "for two"}));
  ASSERT_NE(nv::document::AppendNewStaff(*setup, document.Score()), nullptr);
  ASSERT_EQ(document.Score().InstrumentCount(), 2);
  EXPECT_EQ(document.Score().GetInstrumentAt(1)->GetRowCount(), 2);
  EXPECT_EQ(document.Score().GetInstrumentAt(1)->Name(), "Acoustic Grand Piano");

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(AskNewStaff(services_, true).has_value());
}

}  // namespace
}  // namespace nv::dialogs
