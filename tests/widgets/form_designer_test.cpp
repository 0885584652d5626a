#include "widgets/form_designer.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

#include "gallery/gallery.h"
#include "widgets/form_design.h"
#include "widgets/page_control.h"

namespace nv::widgets {
namespace {

TEST(TECFormDesigner, OnlyAFormWithoutADesignerTakesOne) {
  QWidget form;
  QWidget child(&form);
  QObject plain;
  struct Case { QObject* owner; const char* message; };
  new TECFormDesigner(&form);
  const Case cases[] = {
      {nullptr, "Component must be have class"},
      {&plain, "Owner must be a TForm class"},
      {&child, "Owner must be a TForm class"},
      {&form, "May be only one TECFormDisigner component on the Form"},
  };
  for (const Case& c : cases) {
    try {
      new TECFormDesigner(c.owner);
      ADD_FAILURE() << "made a designer for " << c.message;
    } catch (const DException& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

// A form wearing the dialog skin, shown.
struct SkinnedForm : ::testing::Test {
  SkinnedForm() : form(gallery::SkinnedWindow(kDialogDesign, QStringLiteral("Settings"))) {
    designer = TECFormDesigner::Of(form);
    form->show();
  }
  ~SkinnedForm() override { delete form; }
  // The centre of the first visible button of a style.
  QPoint ButtonOf(SkinButtonStyle style) const {
    const SkinLayout& layout = designer->Layout();
    for (int i = 0; i < static_cast<int>(layout.buttons.size()); ++i) {
      if (layout.buttons[static_cast<std::size_t>(i)].style == style && layout.ButtonVisible(i)) {
        const Rect r = layout.ButtonRect(i);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      }
    }
    return {-1, -1};
  }
  QWidget* form;
  TECFormDesigner* designer;
};

TEST_F(SkinnedForm, TheFrameIsTheFormsContentsMargins) {
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(form->contentsMargins(), QMargins(3, 20, 3, 3));
  const QImage image = form->grab().toImage();
  EXPECT_NE(image.pixelColor(1, 100), image.pixelColor(100, 100)) << "a border is drawn";
  designer->SetActive(false);
  EXPECT_EQ(form->contentsMargins(), QMargins(0, 0, 0, 0));
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(SkinnedForm, RoundCornersNeedBothEllipseSizes) {
  designer->SetEllipse(5, 0);
  EXPECT_TRUE(form->mask().isEmpty());
  designer->SetEllipse(5, 5);
  EXPECT_FALSE(form->mask().isEmpty());
  EXPECT_FALSE(form->mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(form->mask().contains(QPoint(form->width() / 2, 0)));
  form->resize(500, 300);
  EXPECT_TRUE(form->mask().contains(QPoint(490, 150))) << "the outline follows the size";
  designer->OnCreateRgn = [](const QSize&) { return QRegion(0, 0, 10, 10); };
  designer->SetEllipse(6, 6);
  EXPECT_EQ(form->mask(), QRegion(0, 0, 10, 10));
}

TEST_F(SkinnedForm, MaximiseAndRestoreSwapTheirButtons) {
  const QRect normal = form->geometry();
  QTest::mouseClick(form, Qt::LeftButton, {}, ButtonOf(SkinButtonStyle::Maximized));
  EXPECT_EQ(form->geometry(), form->screen()->availableGeometry());
  EXPECT_EQ(ButtonOf(SkinButtonStyle::Maximized), QPoint(-1, -1));
  ASSERT_NE(ButtonOf(SkinButtonStyle::Normal), QPoint(-1, -1));
  // While the restore runs, the buttons already show for a normal window.
  struct Probe : QObject {
    std::function<void()> onResize;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Resize) onResize();
      return false;
    }
  } probe;
  bool maximizeShownDuringRestore = false;
  probe.onResize = [&] { maximizeShownDuringRestore = ButtonOf(SkinButtonStyle::Maximized) != QPoint(-1, -1); };
  form->installEventFilter(&probe);
  QTest::mouseClick(form, Qt::LeftButton, {}, ButtonOf(SkinButtonStyle::Normal));
  form->removeEventFilter(&probe);
  EXPECT_TRUE(maximizeShownDuringRestore);
  EXPECT_EQ(form->geometry(), normal);
  EXPECT_NE(ButtonOf(SkinButtonStyle::Maximized), QPoint(-1, -1));
  EXPECT_EQ(ButtonOf(SkinButtonStyle::Normal), QPoint(-1, -1));
}

TEST_F(SkinnedForm, AButtonPressedLeftAndReleasedElsewhereDoesNothing) {
  QSignalSpy destroyed(form, &QObject::destroyed);
  const QPoint close = ButtonOf(SkinButtonStyle::Close);
  QTest::mousePress(form, Qt::LeftButton, {}, close);
  QTest::mouseMove(form, QPoint(100, 100));
  QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_TRUE(form->isVisible());
  QTest::mouseClick(form, Qt::LeftButton, {}, close);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(SkinnedForm, ADoubleClickOnTheCaptionTogglesOnlyWithBothIcons) {
  const QRect normal = form->geometry();
  QTest::mouseDClick(form, Qt::LeftButton, {}, QPoint(60, 10));
  EXPECT_EQ(form->geometry(), form->screen()->availableGeometry());
  QTest::mouseDClick(form, Qt::LeftButton, {}, QPoint(60, 10));
  EXPECT_EQ(form->geometry(), normal);

  QDialog dialog;  // a dialog has no minimise or maximise icon
  dialog.resize(200, 150);
  ApplyFormDesign(&dialog, kDialogDesign);
  dialog.show();
  const QRect before = dialog.geometry();
  QTest::mouseDClick(&dialog, Qt::LeftButton, {}, QPoint(60, 10));
  EXPECT_EQ(dialog.geometry(), before);
}

TEST_F(SkinnedForm, ALongCaptionEndsInTwoDots) {
  EXPECT_EQ(designer->ShownCaption(), QStringLiteral("Settings"));
  form->setWindowTitle(QString(300, QLatin1Char('n')));
  const QString shown = designer->ShownCaption();
  EXPECT_TRUE(shown.endsWith(QStringLiteral(".."))) << shown.toStdString();
  EXPECT_LE(QFontMetrics(designer->CaptionSetting().font).horizontalAdvance(shown), designer->CaptionTextRect().width());
}

TEST_F(SkinnedForm, ADockedFormKeepsNoFrame) {
  TECPageControl notebook;
  notebook.show();
  notebook.DockForm(form);
  EXPECT_FALSE(designer->InForce());
  EXPECT_EQ(form->contentsMargins(), QMargins(0, 0, 0, 0));
  EXPECT_TRUE(form->mask().isEmpty());
  notebook.UndockForm(form);
  EXPECT_TRUE(designer->InForce());
  EXPECT_EQ(form->contentsMargins(), QMargins(3, 20, 3, 3));
}

TEST(ApplyFormDesign, EachKindHasItsFrame) {
  struct Case { int kind; QMargins margins; };
  const Case cases[] = {{kDialogDesign, {3, 20, 3, 3}}, {kMainWindowDesign, {4, 24, 4, 4}}, {kToolDesign, {2, 16, 2, 2}}};
  for (const Case& c : cases) {
    QWidget form;
    TECFormDesigner* designer = ApplyFormDesign(&form, c.kind);
    EXPECT_EQ(ApplyFormDesign(&form, c.kind), designer) << "one designer per form";
    EXPECT_EQ(form.contentsMargins(), c.margins) << c.kind;
    EXPECT_EQ(designer->Buttons().size(), 4u);
  }
}

}  // namespace
}  // namespace nv::widgets
