#include "widgets/char_button.h"

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "gallery/gallery.h"

namespace nv::widgets {
namespace {

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

void Hover(TECCharButton& button) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
}

TEST(TECCharButton, BlackBorderLooksUseTheFixedColours) {
  QWidget parent;
  TECCharButton button(&parent);
  button.SetFlat(true);
  button.SetBlackBorder(true);
  parent.show();
  Hover(button);
  ASSERT_TRUE(button.Hot());
  QImage hot = button.grab().toImage();
  EXPECT_EQ(At(hot, 0, 0), QColor(0x43, 0x67, 0xC5));
  EXPECT_EQ(At(hot, 1, 1), QColor(0xB5, 0xBE, 0xD6));
  button.SetGroupIndex(1);
  button.SetDown(true);
  QImage down = button.grab().toImage();
  EXPECT_EQ(At(down, 0, 0), QColor(0x43, 0x67, 0xC5));
  EXPECT_EQ(At(down, 1, 1), QColor(0x84, 0x92, 0xB5));
}

TEST(TECCharButton, AHotCharacterGetsAGreyCopyBelowRight) {
  QWidget parent;
  std::vector<TECCharButton*> buttons;
  gallery::ButtonRow(&parent, &buttons);
  parent.show();
  TECCharButton& button = *buttons[0];  // an up button with a quarter note
  const QColor ink = button.palette().color(QPalette::ButtonText);
  const QImage normal = button.grab().toImage();
  // The first and the last ink pixel of the character as drawn normally.
  QPoint first(-1, -1), last(-1, -1);
  for (int y = 1; y < normal.height() - 1; ++y) {
    for (int x = 1; x < normal.width() - 1; ++x) {
      if (At(normal, x, y) != ink) continue;
      if (first.x() < 0) first = {x, y};
      last = {x, y};
    }
  }
  ASSERT_GE(first.x(), 0) << "the character draws no ink";
  Hover(button);
  const QImage hot = button.grab().toImage();
  EXPECT_EQ(At(hot, first.x() - 1, first.y() - 1), ink) << "the character moves up-left";
  EXPECT_EQ(At(hot, last.x() + 1, last.y() + 1), QColor(0x80, 0x80, 0x80)) << "its grey copy down-right";
}

TEST(TECCharButton, PressingAGroupButtonReleasesItsGroupOnTheSameParentOnly) {
  QWidget parent, other;
  TECCharButton a(&parent), b(&parent), c(&parent), elsewhere(&other);
  for (TECCharButton* button : {&a, &b, &elsewhere}) button->SetGroupIndex(1);
  c.SetGroupIndex(2);
  b.move(30, 0);
  c.move(60, 0);
  c.SetDown(true);
  elsewhere.SetDown(true);
  b.SetDown(true);
  parent.show();
  QSignalSpy clicks(&a, &QAbstractButton::clicked);
  QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_TRUE(a.Down());
  EXPECT_FALSE(b.Down());
  EXPECT_TRUE(c.Down()) << "group 2";
  EXPECT_TRUE(elsewhere.Down()) << "another parent";
  // Down and not allowed all up: a click keeps it down.
  QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(clicks.count(), 2);
}

TEST(TECCharButton, TheDropPartSignalsItsOwnClick) {
  QWidget parent;
  TECCharButton button(&parent);
  button.resize(30, 22);
  button.SetDropWidth(10);
  parent.show();
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QSignalSpy drops(&button, &TECCharButton::ButtonClick);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(20, 5));  // Width - DropWidth: the main part
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(drops.count(), 0);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(21, 5));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(drops.count(), 1);
}

TEST(TECCharButton, ReleasingOutsideClicksNothing) {
  QWidget parent;
  TECCharButton button(&parent);
  button.SetGroupIndex(1);
  button.SetAllowAllUp(true);
  parent.resize(100, 100);
  parent.show();
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(&button, QPoint(50, 50));
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_FALSE(button.Down());
}

TEST(TECCharButton, CustomDrawWithoutAHandlerDrawsTheFaceAsUsual) {
  QWidget parent;
  std::vector<TECCharButton*> buttons;
  gallery::ButtonRow(&parent, &buttons);
  parent.show();
  TECCharButton& button = *buttons[0];
  const QImage usual = button.grab().toImage();
  button.SetCustomDraw(true);
  EXPECT_EQ(button.grab().toImage(), usual);
  button.SetOnDrawCharButton([](QPainter& painter, const QRect& area) { painter.fillRect(area, Qt::red); });
  const QImage custom = button.grab().toImage();
  EXPECT_EQ(custom.pixelColor(button.width() / 2, button.height() / 2), QColor(Qt::red));
  EXPECT_NE(custom.pixelColor(0, 0), QColor(Qt::red)) << "the frame stays the button's";
}

TEST(TECCharButton, ADoubleClickCountsOnlyOnAButtonThatIsDown) {
  QWidget parent;
  TECCharButton button(&parent);
  parent.show();
  QSignalSpy doubles(&button, &TECCharButton::DoubleClicked);
  QTest::mouseDClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubles.count(), 0);
  button.SetGroupIndex(3);
  button.SetDown(true);
  QTest::mouseDClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubles.count(), 1);
}

}  // namespace
}  // namespace nv::widgets
