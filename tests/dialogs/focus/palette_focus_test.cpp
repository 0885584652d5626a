// The drop-down palettes on a real display under a window manager: opened
// from a tool-bar button they stand under it with the current value
// pressed, report a click and vanish, and vanish without reporting on
// Escape or when the user clicks elsewhere. Clicks and keys are real X
// events (xdotool), so the window manager sees them as a user's.

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "dialogs/microtone_palette.h"
#include "dialogs/notation_palettes.h"
#include "widgets/char_button.h"

namespace {

using namespace nv::dialogs;

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(150);
}

void ClickAt(const QPoint& global) {
  // A synced move waits for the pointer to move: start beside the point.
  Xdotool({"mousemove", QString::number(global.x() + 1), QString::number(global.y())});
  Xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
  Xdotool({"click", "1"});
}

// A window with a tool-bar button that opens the key-signature palette
// with the window's current key, as the main window's button does.
class PaletteOpening : public ::testing::Test {
 protected:
  PaletteOpening() {
    window.setWindowTitle("Notes");
    window.resize(480, 360);
    button.setParent(&window);
    button.setText("Key");
    button.setGeometry(40, 10, 60, 22);
    blank.setParent(&window);
    blank.setGeometry(300, 200, 150, 120);
    QObject::connect(&button, &QToolButton::clicked, [this] { Open(); });
  }

  void Open() {
    palette = new KeySignaturePalette;
    palette->PlaceUnder(&button, PalettePlacement::MainWindowTopZero);
    palette->SetCurrent(current);
    if (withHandler) palette->SetOnSelect([this](ChoicePalette&, int value) { chosen.push_back(value); });
    palette->Open();
  }

  void ShowWindow() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  void OpenByClick() {
    ClickAt(button.mapToGlobal(button.rect().center()));
    ASSERT_FALSE(palette.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(palette));
  }

  bool Gone() {
    return QTest::qWaitFor([&] { return palette.isNull(); }, 2000);
  }

  QWidget window;
  QToolButton button;
  QLabel blank;
  QPointer<KeySignaturePalette> palette;
  int current = 12;
  bool withHandler = true;
  std::vector<int> chosen;
};

TEST_F(PaletteOpening, OpensUnderTheButtonWithTheCurrentKeyPressed) {
  ShowWindow();
  OpenByClick();
  const QPoint corner = button.mapToGlobal(QPoint(0, button.height()));
  EXPECT_EQ(palette->frameGeometry().topLeft(), corner);
  EXPECT_EQ(palette->Current(), 12);
  EXPECT_TRUE(palette->ButtonOf(12)->Down());
  if (const char* folder = std::getenv("NOTAVISTRA_SHOT_DIR"))
    window.screen()->grabWindow(0).save(QString::fromLocal8Bit(folder) + "/palette_under_button.png");
  // A real click on a key reports it and the palette is gone.
  ClickAt(palette->ButtonOf(3)->mapToGlobal(QPoint(20, 20)));
  EXPECT_EQ(chosen, std::vector<int>{3});
  EXPECT_TRUE(Gone());
}

TEST_F(PaletteOpening, EscapeAndAClickElsewhereCloseWithoutAChoice) {
  ShowWindow();
  OpenByClick();
  Xdotool({"key", "Escape"});
  EXPECT_TRUE(Gone());
  OpenByClick();
  ClickAt(blank.mapToGlobal(blank.rect().center()));
  EXPECT_TRUE(Gone());
  EXPECT_TRUE(chosen.empty());
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST_F(PaletteOpening, EachOpeningIsFreshAndShowsTheCurrentKey) {
  ShowWindow();
  OpenByClick();
  const QPointer<KeySignaturePalette> first = palette;
  ClickAt(palette->ButtonOf(5)->mapToGlobal(QPoint(20, 20)));
  EXPECT_TRUE(Gone());
  EXPECT_TRUE(first.isNull());
  current = chosen.back();
  OpenByClick();
  EXPECT_EQ(palette->Current(), 5);
  // Without a handler a click still closes.
  ClickAt(blank.mapToGlobal(blank.rect().center()));
  EXPECT_TRUE(Gone());
  withHandler = false;
  OpenByClick();
  ClickAt(palette->ButtonOf(0)->mapToGlobal(QPoint(20, 20)));
  EXPECT_TRUE(Gone());
  EXPECT_EQ(chosen, std::vector<int>{5});
}

TEST_F(PaletteOpening, AClickOnAnotherPageKeepsAPagedPaletteOpen) {
  ShowWindow();
  QPointer<MicrotonePalette> microtones = new MicrotonePalette;
  microtones->PlaceUnder(&button);
  microtones->SetMicrotone(3);
  std::optional<int> code;
  microtones->SetOnSelect([&](MicrotonePalette&, int value) { code = value; });
  microtones->Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(microtones));
  // Turning the page is a click inside: the palette stays.
  QTabWidget* pages = microtones->Pages();
  QTabBar* tabs = pages->tabBar();
  ClickAt(tabs->mapToGlobal(tabs->tabRect(1).center()));
  EXPECT_FALSE(microtones.isNull());
  EXPECT_EQ(pages->currentIndex(), 1);
  ClickAt(microtones->ButtonOf(48)->mapToGlobal(QPoint(8, 20)));
  EXPECT_EQ(code, 48);
  EXPECT_TRUE(QTest::qWaitFor([&] { return microtones.isNull(); }, 2000));
}

}  // namespace
