#include "dialogs/timbre_chooser.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace nv::dialogs {
namespace {

// Presses OK on the modal dialog once it shows.
void PressOkSoon() {
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
}

TEST(TimbreChooser, OkGivesBackTheProgramItWasGiven) {
  for (const int program : {-1, 0, 72}) {
    PressOkSoon();
    EXPECT_EQ(TFDCChooseTimbre::Choose({program, false}, {}, nullptr), program);
  }
}

TEST(TimbreChooser, ButtonsCarryTheProgramNumberAndName) {
  TFDCChooseTimbre dialog({0, false}, {}, nullptr);
  EXPECT_EQ(dialog.ProgramButton(0)->text(), "0. Acoustic Grand Piano");
  EXPECT_EQ(dialog.ProgramButton(127)->text(), "127. Gunshot");
  EXPECT_TRUE(dialog.ProgramButton(0)->isChecked());
  EXPECT_EQ(dialog.NoAssignButton()->text(), "No assign");
}

TEST(TimbreChooser, AClickedButtonIsTheChoice) {
  TFDCChooseTimbre dialog({5, false}, {}, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // On the round button: a short caption ends before the middle.
  QTest::mouseClick(dialog.ProgramButton(40), Qt::LeftButton, {}, {6, dialog.ProgramButton(40)->height() / 2});
  EXPECT_EQ(dialog.GetTimbre(), 40);
  QTest::mouseClick(dialog.NoAssignButton(), Qt::LeftButton, {}, {6, dialog.NoAssignButton()->height() / 2});
  EXPECT_EQ(dialog.GetTimbre(), -1);
}

TEST(TimbreChooser, TestSoundsTheProgramOnItsKeyAndNeverWithoutOne) {
  std::vector<std::pair<int, int>> sounded;
  TFDCChooseTimbre dialog(
      {33, false}, [&](int program, int key) { sounded.emplace_back(program, key); }, nullptr);
  dialog.show();
  QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
  dialog.SetTimbre(32);
  QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
  dialog.SetTimbre(-1);
  EXPECT_FALSE(dialog.TestButton()->isEnabled());
  QTest::mouseClick(dialog.TestButton(), Qt::LeftButton);
  EXPECT_EQ(sounded, (std::vector<std::pair<int, int>>{{33, 40}, {32, 64}}));
}

TEST(TimbreChooser, AStaffIsOfferedNoChoiceOfNone) {
  TFDCChooseTimbre dialog({3, true}, {}, nullptr);
  dialog.show();
  EXPECT_FALSE(dialog.NoAssignButton()->isVisible());
  EXPECT_TRUE(dialog.ProgramButton(3)->isChecked());
}

}  // namespace
}  // namespace nv::dialogs
