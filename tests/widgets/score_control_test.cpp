// The score control as a window: its scroll bars, scrolling and repainting,
// caret and focus, cursor shapes, hints, the tab timer, key routing and what
// it paints.
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "model/instrument.h"
#include "model/row.h"
#include "model/units.h"

namespace {

using control_fixture::ShownControl;

constexpr QRgb kRed = qRgb(255, 0, 0);
// The teal caret drawn in XOR over white.
constexpr QRgb kCaretOverWhite = qRgb(255, 255 ^ 128, 255 ^ 128);

TEST_F(ShownControl, ScrollBarsStandOnTheRightAndOnTheRightHalfOfTheBottom) {
  const int bar = control.VerticalBarWidth();
  EXPECT_EQ(control.VerticalBar().geometry(), QRect(600 - bar, 0, bar, 400 - bar));
  EXPECT_EQ(control.HorizontalBar().geometry(), QRect(300, 400 - bar, 300 - bar, bar));
}

TEST_F(ShownControl, BarsShowTheScoresStateAndMoveTheScore) {
  const TECScrollBar& state = score().VertScrollBar;
  QScrollBar& bar = control.VerticalBar();
  EXPECT_EQ(state.Max, score().Page().PixelHeight());
  EXPECT_EQ(state.PageSize, 400 - control.HorizontalBarHeight());
  EXPECT_EQ(bar.maximum(), state.Max - state.PageSize);
  EXPECT_EQ(bar.pageStep(), state.PageSize);

  score().ScrollTo(TECScrollBarKind::sbVertical, 50);
  EXPECT_EQ(bar.value(), 50);
  bar.setValue(70);
  EXPECT_EQ(state.Position, 70);
  // A click beside the thumb moves 20 pixels, an arrow click 10.
  bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(state.Position, 90);
  bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(state.Position, 80);

  control.HorizontalBar().setValue(30);
  EXPECT_EQ(score().HorzScrollBar.Position, 30);
}

TEST_F(ShownControl, AResizeUpdatesTheBarRanges) {
  control.resize(500, 300);
  QApplication::processEvents();
  EXPECT_EQ(score().VertScrollBar.PageSize, 300 - control.HorizontalBarHeight());
  EXPECT_EQ(score().HorzScrollBar.PageSize, 500 - control.VerticalBarWidth());
  EXPECT_EQ(control.VerticalBar().maximum(), score().VertScrollBar.Max - score().VertScrollBar.PageSize);
}

TEST_F(ShownControl, ScrollingMovesThePixelsAndRepaintsOnlyTheUncoveredStrip) {
  Note(0, 5, 5, 32, 0);
  const int right = 600 - control.VerticalBarWidth() - 1;
  const int bottom = 400 - control.HorizontalBarHeight() - 1;
  struct Case {
    const char* name;
    TECScrollBarKind bar;
    int step;
    QRect strip;  // the uncovered strip and the pixel the score repaints with it
  };
  const Case cases[] = {
      {"down", TECScrollBarKind::sbVertical, 40, QRect(QPoint(0, bottom - 42), QPoint(right - 1, bottom - 1))},
      {"right", TECScrollBarKind::sbHorizontal, 30, QRect(QPoint(right - 32, 0), QPoint(right - 1, bottom - 1))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool vertical = c.bar == TECScrollBarKind::sbVertical;
    const QImage before = control.grab().toImage();
    const QRegion painted = PaintedBy([&] { score().ScrollTo(c.bar, c.step); });
    const QImage after = control.grab().toImage();
    ASSERT_FALSE(painted.isEmpty());
    EXPECT_TRUE(c.strip.contains(painted.boundingRect()));
    // What stayed in view moved by the step.
    for (int i = 60; i < 200; i += 20) {
      const QPoint from = vertical ? QPoint(i + 50, i + c.step) : QPoint(i + c.step, i + 50);
      const QPoint to = vertical ? QPoint(i + 50, i) : QPoint(i, i + 50);
      EXPECT_EQ(before.pixel(from), after.pixel(to)) << i;
    }
    score().ScrollTo(c.bar, 0);
  }
}

TEST_F(ShownControl, FocusSetsTheScoresFlagAndRedrawsTheCaret) {
  control.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
  control.setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(score().HasFocus);
  EXPECT_TRUE(control.CaretShown());
  // Losing the focus hides the caret and shows it again.
  control.clearFocus();
  QApplication::processEvents();
  EXPECT_FALSE(score().HasFocus);
  EXPECT_TRUE(control.CaretShown());
  // A caret hidden by an edit stays hidden across a focus change.
  score().ShowCaret(false);
  EXPECT_FALSE(control.CaretShown());
  control.setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(score().HasFocus);
  EXPECT_FALSE(control.CaretShown());
  score().ShowCaret(true);
  EXPECT_TRUE(control.CaretShown());
}

TEST_F(ShownControl, CursorCodesShowQtShapes) {
  const std::pair<int, Qt::CursorShape> cases[] = {
      {-6, Qt::SizeBDiagCursor}, {-7, Qt::SizeVerCursor},        {-8, Qt::SizeFDiagCursor},
      {-9, Qt::SizeHorCursor},   {-21, Qt::PointingHandCursor}, {0, Qt::ArrowCursor},
  };
  for (const auto& [code, shape] : cases) {
    control.SetMouseCursor(code);
    EXPECT_EQ(control.cursor().shape(), shape) << "code " << code;
  }
}

TEST_F(ShownControl, HintShowsAtOnceAndAnEmptyTextHidesIt) {
  control.ShowHint("E", 100, 100);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QString("E"));
  control.ShowHint("", 100, 100);
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
}

TEST_F(ShownControl, TabTimerRepeatsEvery150MillisecondsWhileOn) {
  EXPECT_FALSE(control.TabTimer().isActive());
  control.SetTabTimer(true);
  EXPECT_TRUE(control.TabTimer().isActive());
  EXPECT_EQ(control.TabTimer().interval(), 150);
  EXPECT_FALSE(control.TabTimer().isSingleShot());
  control.SetTabTimer(false);
  EXPECT_FALSE(control.TabTimer().isActive());
}

TEST_F(ShownControl, DisablingHidesTheBarsAndRepaintsTheWholeClient) {
  EXPECT_EQ(PaintedBy([&] { control.setEnabled(false); }), QRegion(control.rect()));
  EXPECT_FALSE(control.VerticalBar().isVisible());
  EXPECT_FALSE(control.HorizontalBar().isVisible());
  control.setEnabled(true);
  EXPECT_TRUE(control.VerticalBar().isVisible());
  EXPECT_TRUE(control.HorizontalBar().isVisible());
}

TEST_F(ShownControl, ThePageSizeIsTheSizeHint) {
  score().SetZoom(50);
  EXPECT_EQ(control.sizeHint(), QSize(score().Page().PixelWidth() + 2, score().Page().PixelHeight() + 2));
}

// Keys the control does not handle go to its parent; the arrows stay, and
// Tab still moves the focus on.
TEST(ScoreControlKeys, ArrowsStayUnhandledKeysGoToTheParentAndTabMovesOn) {
  nv::document::ScoreDocument document;
  struct Parent : QWidget {
    std::vector<int> keys;
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
  } parent;
  auto* layout = new QVBoxLayout(&parent);
  auto* control = new nv::widgets::ScoreControl(document);
  auto* next = new QLineEdit;
  layout->addWidget(control);
  layout->addWidget(next);
  parent.resize(400, 400);
  parent.show();
  parent.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
  control->setFocus();
  for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(control, Qt::Key(key));
  EXPECT_TRUE(parent.keys.empty());
  EXPECT_TRUE(control->hasFocus());
  QTest::keyClick(control, Qt::Key_Q);
  EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_Q});
  QTest::keyClick(control, Qt::Key_Tab);
  EXPECT_TRUE(next->hasFocus());
}

TEST_F(ShownControl, GrabShowsTheSelectedNoteInRedAndTheCaretUntilItHides) {
  TECNote* selected = Note(0, 5, 5, 32, 0);
  TECNote* other = Note(0, 5, 5, 32, 64);
  Note(1, 5, 5, 32, 0);
  score().SelectElement(selected, 0);
  score().GoToMeasure(1);
  control.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&control));
  control.setFocus();
  Relayout();
  ASSERT_TRUE(control.CaretShown());
  const QImage image = control.grab().toImage();

  auto redIn = [&](const TECElement& element) {
    const QPoint a = ClientOf(element.Box.Left, element.Box.Top);
    const QPoint b = ClientOf(element.Box.Right, element.Box.Bottom);
    int red = 0;
    for (int y = a.y(); y < b.y(); ++y)
      for (int x = a.x(); x < b.x(); ++x) red += image.pixel(x, y) == kRed;
    return red;
  };
  EXPECT_GT(redIn(*selected), 10);
  EXPECT_EQ(redIn(*other), 0);

  // The caret runs from 4 above to 4 below the staff at tick 0 of measure 1.
  const TECMeasurePlace& place = row().Placement[1];
  const TECMeasureLayout& layout = *score().CurrentInstrument()->LayoutAt(1);
  const int x = place.X + layout.HeaderWidth + layout.ExtraWidth + layout.Positions[0];
  const int below = place.Y + 4 * StaffSpace(96, 10000) + 2;
  auto caretPixels = [&](const QImage& shown) {
    int caret = 0;
    for (int dx = -1; dx <= 1; ++dx) caret += shown.pixel(ClientOf(x + dx, below)) == kCaretOverWhite;
    return caret;
  };
  EXPECT_EQ(caretPixels(image), 2);

  // Hiding the caret repaints the strip it runs in, nothing more.
  const QRect strip = PaintedBy([&] { score().ShowCaret(false); }).boundingRect();
  EXPECT_TRUE(strip.contains(ClientOf(x, below)));
  // The line with its pitch tick 4 pixels to each side, from 4 above the
  // staff down to the tick at line 35 (5.5 spaces below the top), each with
  // the pen's width around it.
  const int d = StaffSpace(96, 10000);
  EXPECT_LE(strip.width(), 8 + 2 * 3);
  EXPECT_LE(strip.height(), 4 + 5 * d + d / 2 + 2 * 2 + 1);
  EXPECT_EQ(caretPixels(control.grab().toImage()), 0);
}

}  // namespace
