#include "dialogs/volume_balance.h"

#include <QCheckBox>
#include <QPointer>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace nv::dialogs {
namespace {

TEST(VolumeBalance, NoneShowsTheSliderInTheMiddleUnchecked) {
  auto* popup = new TFVolumeBalance;
  std::vector<int> reported;
  popup->onChange = [&](int value) { reported.push_back(value); };
  popup->SetValue(-1);
  EXPECT_EQ(popup->Slider()->value(), 63);
  EXPECT_FALSE(popup->LockBox()->isChecked());
  popup->SetValue(90);
  EXPECT_EQ(popup->Slider()->value(), 90);
  EXPECT_TRUE(popup->LockBox()->isChecked());
  // Showing values reports nothing.
  EXPECT_TRUE(reported.empty());
  delete popup;
}

TEST(VolumeBalance, ReportsSliderMovesAndTheLockBox) {
  auto* popup = new TFVolumeBalance;
  std::vector<int> reported;
  popup->onChange = [&](int value) { reported.push_back(value); };
  popup->SetValue(-1);
  popup->show();
  popup->Slider()->setValue(70);
  EXPECT_TRUE(popup->LockBox()->isChecked());
  QTest::mouseClick(popup->LockBox(), Qt::LeftButton);
  EXPECT_FALSE(popup->LockBox()->isChecked());
  EXPECT_EQ(popup->Value(), -1);
  QTest::mouseClick(popup->LockBox(), Qt::LeftButton);
  EXPECT_EQ(reported, (std::vector<int>{70, -1, 70}));
  delete popup;
}

TEST(VolumeBalance, EscapeClosesAndFreesIt) {
  QPointer<TFVolumeBalance> popup = new TFVolumeBalance;
  popup->show();
  QTest::keyClick(popup, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(popup.isNull());
}

}  // namespace
}  // namespace nv::dialogs
