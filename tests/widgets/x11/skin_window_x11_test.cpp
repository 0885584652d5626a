// The skinned windows on a real X display, driven by the real pointer
// (xdotool): with a window manager the frame hands moves and resizes to it,
// without one it follows the pointer itself. run_x11_tests.sh starts the
// display and, when asked, the window manager.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "gallery/gallery.h"
#include "widgets/form_design.h"
#include "widgets/form_designer.h"
#include "widgets/window_manager.h"

namespace nv::widgets {
namespace {

// Processes events until `done` holds or `ms` pass.
bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QTest::qWait(20);
  }
  return true;
}

// Runs xdotool with the arguments while the application keeps handling events.
void Pointer(const QStringList& args) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), args);
  ASSERT_TRUE(xdotool.waitForStarted()) << "xdotool is missing";
  ASSERT_TRUE(WaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 10000));
  ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
  QTest::qWait(100);
}

// Presses at `from` (global), moves by (dx, dy) in steps, and releases.
void Drag(QPoint from, int dx, int dy) {
  QStringList args{QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                   QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mousedown"), QStringLiteral("1"),
                   QStringLiteral("sleep"), QStringLiteral("0.2")};
  constexpr int steps = 10;
  for (int i = 0; i < steps; ++i) {
    args << QStringLiteral("mousemove_relative") << QStringLiteral("--") << QString::number(dx / steps)
         << QString::number(dy / steps) << QStringLiteral("sleep") << QStringLiteral("0.03");
  }
  args << QStringLiteral("sleep") << QStringLiteral("0.2") << QStringLiteral("mouseup") << QStringLiteral("1");
  Pointer(args);
}

void Click(QPoint at, int repeat = 1) {
  Pointer({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("sleep"),
           QStringLiteral("0.2"), QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(repeat),
           QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
}

class SkinnedX11Window : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    const bool wanted = std::getenv("NOTAVISTRA_WINDOW_MANAGER") != nullptr;
    ASSERT_TRUE(WaitFor([&] { return WindowManagerRunning() == wanted; }, 5000))
        << (wanted ? "no window manager came up" : "a window manager runs");
    form = gallery::SkinnedWindow(GetParam(), QStringLiteral("Skinned window"));
    form->move(200, 150);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    form->activateWindow();
    WaitFor([&] { return form->geometry().topLeft() == QPoint(200, 150); }, 1000);
    designer = TECFormDesigner::Of(form);
  }
  void TearDown() override { delete form; }

  QPoint Global(QPoint p) const { return form->mapToGlobal(p); }
  QPoint ButtonOf(SkinButtonStyle style) const {
    const SkinLayout& layout = designer->Layout();
    for (int i = 0; i < static_cast<int>(layout.buttons.size()); ++i) {
      if (layout.buttons[static_cast<std::size_t>(i)].style == style && layout.ButtonVisible(i)) {
        const Rect r = layout.ButtonRect(i);
        return Global({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
      }
    }
    ADD_FAILURE() << "no visible button of that style";
    return {};
  }
  QPoint Caption() const { return Global({60, designer->CaptionSetting().height / 2}); }

  QWidget* form = nullptr;
  TECFormDesigner* designer = nullptr;
};

TEST_P(SkinnedX11Window, TheCaptionMovesAndTheBorderResizes) {
  const QRect start = form->geometry();
  Drag(Caption(), 100, 0);
  EXPECT_TRUE(WaitFor([&] { return form->geometry().topLeft() == start.topLeft() + QPoint(100, 0); }))
      << form->geometry().x() << "," << form->geometry().y();
  EXPECT_EQ(form->size(), start.size());
  const QRect moved = form->geometry();
  Drag(Global({form->width() - 1, form->height() / 2}), 50, 0);
  EXPECT_TRUE(WaitFor([&] { return form->width() == moved.width() + 50; })) << form->width();
  EXPECT_EQ(form->geometry().topLeft(), moved.topLeft());
}

TEST_P(SkinnedX11Window, MinimiseMaximiseAndRestore) {
  const QRect normal = form->geometry();
  Click(ButtonOf(SkinButtonStyle::Maximized));
  const QRect available = form->screen()->availableGeometry();
  EXPECT_TRUE(WaitFor([&] { return form->geometry() == available; }))
      << form->geometry().width() << "x" << form->geometry().height();
  Click(ButtonOf(SkinButtonStyle::Normal));
  EXPECT_TRUE(WaitFor([&] { return form->geometry() == normal; }));

  Click(ButtonOf(SkinButtonStyle::Minimized));
  EXPECT_TRUE(WaitFor([&] { return form->isMinimized(); }));
  form->showNormal();
  EXPECT_TRUE(WaitFor([&] { return !form->isMinimized() && form->isVisible(); }));
}

TEST_P(SkinnedX11Window, ADoubleClickOnTheCaptionTogglesMaximised) {
  const QRect normal = form->geometry();
  Click(Caption(), 2);
  EXPECT_TRUE(WaitFor([&] { return form->geometry() == form->screen()->availableGeometry(); }));
  Click(Caption(), 2);
  EXPECT_TRUE(WaitFor([&] { return form->geometry() == normal; }));
}

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinnedX11Window,
                         ::testing::Values(kDialogDesign, kMainWindowDesign, kToolDesign));

}  // namespace
}  // namespace nv::widgets
