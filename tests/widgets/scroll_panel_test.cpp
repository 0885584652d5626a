#include "widgets/scroll_panel.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "widgets/scroll_arrow_button.h"

namespace nv::widgets {
namespace {

// A shown 100 x 30 panel with one child `contents` wide.
struct ShownPanel {
  explicit ShownPanel(int contents) {
    panel.resize(100, 30);
    child = new QWidget(&panel);
    child->setGeometry(0, 0, contents, 30);
    panel.show();
  }
  bool Shows(ScrollArrowKind kind) const {
    const TECButtonScroll* arrow = panel.Arrow(kind);
    return arrow != nullptr && arrow->isVisible();
  }
  TECScrollPanel panel;
  QWidget* child;
};

TEST(TECScrollPanel, ArrowsShowOnlyWhereThereIsMoreToSee) {
  ShownPanel fits(100);
  for (auto kind : {ScrollArrowKind::Left, ScrollArrowKind::Up, ScrollArrowKind::Right, ScrollArrowKind::Down})
    EXPECT_FALSE(fits.Shows(kind));
  ShownPanel wide(130);
  EXPECT_TRUE(wide.Shows(ScrollArrowKind::Right));
  EXPECT_EQ(wide.panel.Arrow(ScrollArrowKind::Right)->geometry(), QRect(80, 10, 14, 14));
  // Growing and shrinking the child re-places the arrows.
  fits.child->resize(140, 30);
  EXPECT_TRUE(fits.Shows(ScrollArrowKind::Right));
  fits.child->hide();
  EXPECT_FALSE(fits.Shows(ScrollArrowKind::Right));
}

TEST(TECScrollPanel, ScrollingMovesTheChildrenAndPlacesTheArrowsOnce) {
  ShownPanel s(130);
  const int before = s.panel.ArrowUpdates();
  s.panel.ScrollBy(-1, 0);
  EXPECT_EQ(s.child->x(), -1);
  EXPECT_EQ(s.panel.ArrowUpdates(), before + 1) << "the panel's own child move does not update again";
  EXPECT_TRUE(s.Shows(ScrollArrowKind::Left));
  for (int i = 0; i < 5; ++i) s.panel.ScrollBy(1, 0);
  EXPECT_EQ(s.child->x(), 0);
  EXPECT_FALSE(s.Shows(ScrollArrowKind::Left));
}

TEST(TECScrollPanel, AHeldArrowRepeatsEveryTimeOutAndAClickStepsOnce) {
  ShownPanel s(400);
  s.panel.SetTimeOut(20);
  s.panel.SetStep(2);
  TECButtonScroll* right = s.panel.Arrow(ScrollArrowKind::Right);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->Interval(), 20);
  QSignalSpy steps(right, &TECButtonScroll::Clicked);
  QTest::mouseClick(right, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(s.child->x(), -2);
  QTest::mousePress(right, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::qWait(110);
  QTest::mouseRelease(right, Qt::LeftButton, {}, QPoint(5, 5));
  const int ticks = steps.count() - 1;
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(s.child->x(), -2 - 2 * ticks);
}

TEST(TECScrollPanel, DraggingThePanelMovesTheContents) {
  ShownPanel s(300);
  s.child->setAttribute(Qt::WA_TransparentForMouseEvents);
  QTest::mousePress(&s.panel, Qt::LeftButton, {}, QPoint(50, 5));
  QTest::mouseMove(&s.panel, QPoint(30, 5));
  EXPECT_EQ(s.child->x(), -20);
  EXPECT_EQ(s.panel.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(&s.panel, QPoint(40, 5));
  EXPECT_EQ(s.child->x(), -10);
  QTest::mouseRelease(&s.panel, Qt::LeftButton, {}, QPoint(40, 5));
  EXPECT_EQ(s.panel.cursor().shape(), Qt::ArrowCursor);
}

TEST(TECScrollPanel, DefaultArrowsAreFourteenPixelsSixIn) {
  TECScrollPanel panel;
  panel.resize(100, 80);
  auto* child = new QWidget(&panel);
  child->setGeometry(-5, -5, 130, 100);
  panel.show();
  panel.SetStep(0);
  EXPECT_EQ(panel.Step(), 1);
  EXPECT_EQ(panel.Arrow(ScrollArrowKind::Left)->geometry(), QRect(6, 60, 14, 14));
  EXPECT_EQ(panel.Arrow(ScrollArrowKind::Up)->geometry(), QRect(80, 6, 14, 14));
}

}  // namespace
}  // namespace nv::widgets
