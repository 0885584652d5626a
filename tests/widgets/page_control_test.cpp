#include "widgets/page_control.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "gallery/gallery.h"
#include "widgets/scroll_arrow_button.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {
namespace {

struct ShownNotebook : ::testing::Test {
  explicit ShownNotebook(PageOrientation o = PageOrientation::Left, bool doubleSheet = false, int pages = 5)
      : notebook(gallery::Notebook(nullptr, o, doubleSheet, pages)) {
    notebook->show();
  }
  ~ShownNotebook() override { delete notebook; }
  TECPageControl* notebook;
};

TEST_F(ShownNotebook, ARefusedChangeKeepsThePageAndTheTabs) {
  QSignalSpy changes(notebook, &TECPageControl::PageChanged);
  TECTabSheet* asked = nullptr;
  notebook->SetOnPageChanging([&](TECTabSheet* page) {
    asked = page;
    return false;
  });
  const QImage before = notebook->grab().toImage();
  QTest::mouseClick(notebook, Qt::LeftButton, {}, notebook->TabRect(notebook->Pages(2)).center());
  EXPECT_EQ(asked, notebook->Pages(2));
  EXPECT_EQ(notebook->ActivePage(), notebook->Pages(0));
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(notebook->grab().toImage(), before);
  notebook->SetOnPageChanging({});
  QTest::mouseClick(notebook, Qt::LeftButton, {}, notebook->TabRect(notebook->Pages(2)).center());
  EXPECT_EQ(notebook->ActivePage(), notebook->Pages(2));
  EXPECT_TRUE(notebook->Pages(2)->isVisible());
  EXPECT_FALSE(notebook->Pages(0)->isVisible());
  EXPECT_GE(changes.count(), 1);
}

// A field that keeps the focus while it holds no text.
class KeepingEdit : public QLineEdit, public FocusKeeper {
 public:
  using QLineEdit::QLineEdit;
  bool mayLeaveFocus() override { return !text().isEmpty(); }
};

TEST_F(ShownNotebook, AFocusedControlThatRefusesToLeaveKeepsThePage) {
  QApplication::setActiveWindow(notebook);
  auto* edit = new KeepingEdit(notebook->Pages(0));
  notebook->Pages(0)->layout()->addWidget(edit);
  edit->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(notebook));
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());
  EXPECT_FALSE(notebook->SetActivePage(notebook->Pages(1)));
  EXPECT_EQ(notebook->ActivePage(), notebook->Pages(0));
  edit->setText(QStringLiteral("x"));
  EXPECT_TRUE(notebook->SetActivePage(notebook->Pages(1)));
  EXPECT_FALSE(edit->hasFocus());
}

TEST_F(ShownNotebook, PageIndexOutsideTheListLeavesTheOrder) {
  TECTabSheet* first = notebook->Pages(0);
  first->SetPageIndex(notebook->PageCount());
  first->SetPageIndex(-1);
  EXPECT_EQ(first->PageIndex(), 0);
  first->SetPageIndex(3);
  EXPECT_EQ(first->PageIndex(), 3);
  EXPECT_EQ(notebook->Pages(3), first);
  EXPECT_EQ(notebook->ActivePage(), first) << "the open page moves with its sheet";
}

TEST_F(ShownNotebook, ADockedFormIsAPageThatFollowsItsCaptionAndVisibility) {
  auto* form = new QWidget;
  form->setWindowTitle(QStringLiteral("Score one\nsecond line"));
  form->show();
  TECTabSheet* sheet = notebook->DockForm(form);
  EXPECT_EQ(sheet->Caption(), QStringLiteral("Score one"));
  EXPECT_EQ(notebook->ActivePage(), sheet);
  EXPECT_FALSE(form->isWindow());
  form->setWindowTitle(QStringLiteral("Renamed\rrest"));
  EXPECT_EQ(sheet->Caption(), QStringLiteral("Renamed"));

  form->hide();
  EXPECT_FALSE(sheet->TabVisible());
  EXPECT_TRUE(notebook->TabRect(sheet).isEmpty());
  EXPECT_EQ(notebook->ActivePage(), notebook->Pages(0)) << "the next shown page, wrapping round";
  form->show();
  EXPECT_TRUE(sheet->TabVisible());
  EXPECT_FALSE(notebook->TabRect(sheet).isEmpty());

  notebook->UndockForm(form);
  EXPECT_TRUE(form->isWindow());
  EXPECT_EQ(notebook->SheetOf(form), nullptr);
  EXPECT_EQ(notebook->PageCount(), 5);
  delete form;
}

TEST_F(ShownNotebook, FreeingADockedFormFreesItsPage) {
  auto* form = new QWidget;
  form->show();
  notebook->DockForm(form);
  ASSERT_EQ(notebook->PageCount(), 6);
  delete form;
  EXPECT_EQ(notebook->PageCount(), 5);
  EXPECT_NE(notebook->ActivePage(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(ShownNotebook, HidingTheOpenSheetNeverOpensAHiddenOne) {
  notebook->SetActivePage(notebook->Pages(1));
  notebook->Pages(2)->SetSheetVisible(false);
  notebook->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(notebook->ActivePage(), notebook->Pages(3));
}

TEST_F(ShownNotebook, TheTabUnderTheMouseIsHotAndChangesOnlyItself) {
  const QImage before = notebook->grab().toImage();
  const QRect tab = notebook->TabRect(notebook->Pages(2));
  QTest::mouseMove(notebook, tab.center());
  ASSERT_EQ(notebook->HotTab(), 2);
  const QImage hot = notebook->grab().toImage();
  bool changed = false;
  for (int y = 0; y < hot.height(); ++y) {
    for (int x = 0; x < hot.width(); ++x) {
      if (hot.pixel(x, y) == before.pixel(x, y)) continue;
      changed = true;
      EXPECT_TRUE(tab.adjusted(-3, -3, 3, 3).contains(x, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(changed) << "the hot caption is bold and underlined";
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(notebook, &leave);
  EXPECT_EQ(notebook->HotTab(), -1);
  EXPECT_EQ(notebook->grab().toImage(), before);
}

struct OverlongRow : ShownNotebook {
  OverlongRow() : ShownNotebook(PageOrientation::Top, false, 10) {}
};

TEST_F(OverlongRow, AHeldArrowScrollsTenPixelsATickAndAClickOnce) {
  notebook->SetScrollInterval(20);
  TECButtonScroll* forward = notebook->ForwardArrow(0);
  ASSERT_NE(forward, nullptr);
  ASSERT_TRUE(forward->isVisible());
  EXPECT_EQ(forward->Interval(), 20);
  QSignalSpy steps(forward, &TECButtonScroll::Clicked);
  QTest::mouseClick(forward, Qt::LeftButton, {}, QPoint(7, 7));
  EXPECT_EQ(steps.count(), 1);
  EXPECT_EQ(notebook->Model().Offset(0), 10);
  ASSERT_NE(notebook->BackArrow(0), nullptr);
  EXPECT_TRUE(notebook->BackArrow(0)->isVisible());

  // Held until the repeat has stepped twice, however slowly the machine runs.
  QTest::mousePress(forward, Qt::LeftButton, {}, QPoint(7, 7));
  EXPECT_TRUE(QTest::qWaitFor([&] { return steps.count() >= 3; }, 10000));
  QTest::mouseRelease(forward, Qt::LeftButton, {}, QPoint(7, 7));
  const int ticks = steps.count() - 1;
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(notebook->Model().Offset(0), 10 + 10 * ticks) << "no extra step on the release";
}

TEST(PageControlPainting, ALongCaptionIsCutWithTwoDots) {
  const QFont font = FontFromDescription(QStringLiteral("Arial"), 8, 96);
  const QFontMetrics metrics(font);
  const QString shortened = ShortenCaption(QString(200, QLatin1Char('W')), 60 - 12, metrics);
  EXPECT_TRUE(shortened.endsWith(QStringLiteral(".."))) << shortened.toStdString();
  EXPECT_FALSE(shortened.contains(QChar(0x2026)));
  EXPECT_LE(metrics.horizontalAdvance(shortened), 48);
  EXPECT_GT(metrics.horizontalAdvance(shortened + QLatin1Char('W')), 48) << "the longest beginning that fits";
  EXPECT_EQ(ShortenCaption(QStringLiteral("Notes"), 48, metrics), QStringLiteral("Notes"));
}

// Pixels of one colour inside a rectangle.
int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour ? 1 : 0;
  return n;
}

TEST_F(ShownNotebook, OnlyTheOpenTabIsAShapeAndItsCaptionIsMaroon) {
  const QColor tabColour(200, 40, 40);
  for (int i = 0; i < notebook->PageCount(); ++i) {
    notebook->Pages(i)->SetTabBrush(tabColour);
    notebook->Pages(i)->SetTabWidth(40);
  }
  notebook->Pages(1)->SetCaption(QString(200, QLatin1Char('x')));
  notebook->SetActivePage(notebook->Pages(1));
  const QImage image = notebook->grab().toImage();
  const QRect open = notebook->TabRect(notebook->Pages(1));
  const QRect closed = notebook->TabRect(notebook->Pages(3));
  EXPECT_GT(CountColour(image, open, tabColour), 200);
  EXPECT_EQ(CountColour(image, closed, tabColour), 0);
  EXPECT_GT(CountColour(image, open, QColor(0x80, 0, 0)), 0);
  EXPECT_EQ(CountColour(image, closed, QColor(0x80, 0, 0)), 0);
  notebook->SetBeveled(true);
  const QImage beveled = notebook->grab().toImage();
  EXPECT_GT(CountColour(beveled, closed, tabColour), 200) << "beveled tabs without a picture are shapes too";
}

TEST_F(ShownNotebook, TheSpiralRepeatsEveryThirteenPixelsCentred) {
  const QImage image = notebook->grab().toImage();
  const int length = notebook->height();  // 200: 15 whole pitches, 5 px over
  const int start = (length % 13) / 2;
  // The loop pieces lie left of the binding line (x = 20) and repeat along it.
  bool inked = false;
  for (int x = 3; x < 20; ++x) {
    for (int y = start; y + 13 < start + (length / 13) * 13; ++y) {
      EXPECT_EQ(image.pixelColor(x, y), image.pixelColor(x, y + 13)) << x << "," << y;
      inked = inked || image.pixelColor(x, y) != notebook->Brush().color();
    }
    for (int y = 0; y < start; ++y) EXPECT_EQ(image.pixelColor(x, y), notebook->Brush().color()) << "before the run";
  }
  EXPECT_TRUE(inked);
}

}  // namespace
}  // namespace nv::widgets
