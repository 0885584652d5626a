#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "dialogs/drawing_style_palettes.h"
#include "dialogs/notation_palettes.h"
#include "dialogs/orientation_dial.h"
#include "dialogs/text_angle_palette.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

using nv::widgets::TECCharButton;

// The names of the buttons that are down.
std::vector<QString> DownNames(const ChoicePalette& palette) {
  std::vector<QString> names;
  for (const TECCharButton* button : palette.Buttons())
    if (button->Down()) names.push_back(button->objectName());
  return names;
}

// Runs the deferred deletes that closing a palette leaves.
void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(KeySignaturePalette, PressesOnlyTheButtonOfARealKey) {
  KeySignaturePalette palette;
  const std::pair<int, std::vector<QString>> cases[] = {
      {12, {"CBB_dur"}}, {0, {"CBC_dur"}}, {7, {"CBCis_dur"}}, {17, {"CBCes_dur"}},
      {9, {}},           {18, {}},         {-1, {}},           {21, {}},
  };
  for (const auto& [code, down] : cases) {
    palette.SetCurrent(code);
    EXPECT_EQ(DownNames(palette), down) << code;
  }
  // The flats start one row lower, beside the one-sharp button.
  EXPECT_EQ(palette.ButtonOf(11)->y(), palette.ButtonOf(1)->y());
  EXPECT_EQ(palette.ButtonOf(0)->x(), palette.ButtonOf(7)->x());
}

TEST(KeySignaturePalette, ShiftAndAltDigitsChooseAKey) {
  const std::tuple<Qt::KeyboardModifiers, std::optional<int>, QString> cases[] = {
      {Qt::ShiftModifier, 4, "CBE_dur"},
      {Qt::AltModifier, 14, "CBAs_dur"},
      {Qt::NoModifier, std::nullopt, ""},
  };
  for (const auto& [modifiers, expected, name] : cases) {
    QPointer<KeySignaturePalette> palette = new KeySignaturePalette;
    std::optional<int> chosen;
    palette->SetOnSelect([&](ChoicePalette&, int value) { chosen = value; });
    palette->Open();
    QTest::keyClick(palette, Qt::Key_4, modifiers);
    EXPECT_EQ(chosen, expected);
    if (expected) {
      EXPECT_EQ(DownNames(*palette), std::vector<QString>{name});
      FlushDeletes();
      EXPECT_TRUE(palette.isNull());
    } else {
      EXPECT_TRUE(palette->isVisible());
      delete palette;
    }
  }
}

TEST(ChoicePalette, AClickReportsAndCloses) {
  QPointer<KeySignaturePalette> palette = new KeySignaturePalette;
  std::vector<int> chosen;
  palette->SetOnSelect([&](ChoicePalette&, int value) { chosen.push_back(value); });
  palette->SetCurrent(0);
  palette->Open();
  QTest::mouseClick(palette->ButtonOf(13), Qt::LeftButton);
  EXPECT_EQ(chosen, std::vector<int>{13});
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
}

TEST(ChoicePalette, EscapeClosesWithoutReporting) {
  int reports = 0;
  QPointer<LineWidthPalette> palette = new LineWidthPalette;
  palette->SetOnSelect([&](ChoicePalette&, int) { ++reports; });
  palette->Open();
  QTest::keyClick(palette, Qt::Key_Escape);
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
  EXPECT_EQ(reports, 0);
  // Without a handler a click still closes.
  QPointer<LineWidthPalette> unset = new LineWidthPalette;
  unset->Open();
  QTest::mouseClick(unset->ButtonOf(2), Qt::LeftButton);
  FlushDeletes();
  EXPECT_TRUE(unset.isNull());
}

TEST(ChoicePalette, EachOpeningIsAFreshInstance) {
  QPointer<ClefPalette> first;
  for (int opening = 0; opening < 200; ++opening) {
    QPointer<ClefPalette> palette = new ClefPalette;
    palette->SetCurrent(opening % 15);
    palette->Open();
    EXPECT_EQ(palette->Current(), opening % 15);
    if (opening == 0) first = palette;
    palette->close();
    FlushDeletes();
    ASSERT_TRUE(palette.isNull());
  }
  EXPECT_TRUE(first.isNull());
}

TEST(DrawingStylePalettes, SettersPressTheButtonOfTheValue) {
  LineWidthPalette width;
  width.SetCurrent(3);
  EXPECT_EQ(DownNames(width), std::vector<QString>{"CBWidth3"});
  EXPECT_EQ(width.ButtonOf(3), width.Buttons()[2]);
  for (int outside : {0, 6}) {
    width.SetCurrent(outside);
    EXPECT_TRUE(DownNames(width).empty()) << outside;
  }
  LineEndPalette ends;
  ends.SetCurrent(35);
  EXPECT_EQ(DownNames(ends), std::vector<QString>{"CBCircleRhombus"});
  ends.SetCurrent(33);
  EXPECT_TRUE(DownNames(ends).empty());
  BracketPalette brackets;
  EXPECT_EQ(brackets.Current(), std::nullopt);
  EXPECT_EQ(brackets.BracketStyle(), 0);
  brackets.SetCurrent(2);
  EXPECT_EQ(brackets.Current(), 2);
  EXPECT_EQ(brackets.BracketStyle(), 2);
  BrushStylePalette brushes;
  brushes.SetCurrent(7);
  EXPECT_EQ(DownNames(brushes), std::vector<QString>{"CBDiagCross"});
  LineStylePalette lines;
  lines.SetCurrent(4);
  EXPECT_EQ(DownNames(lines), std::vector<QString>{"CBDashDotDot"});
}

TEST(DrawingStylePalettes, EachWidthButtonDrawsThatManyRows) {
  LineWidthPalette palette;
  for (int width = 1; width <= 5; ++width) {
    const QImage face = palette.ButtonOf(width)->grab().toImage();
    int rows = 0;
    for (int y = 0; y < face.height(); ++y)
      rows += face.pixelColor(face.width() / 2, y) == Qt::black ? 1 : 0;
    EXPECT_EQ(rows, width);
  }
}

TEST(TextAnglePalette, TheDialAndTheUpDownAgree) {
  TextAnglePalette palette(QStringLiteral("ENU"));
  std::vector<int> reported;
  palette.SetOnSelect([&](TextAnglePalette&, int angle) { reported.push_back(angle); });
  TOrientation* dial = palette.Dial();
  const QPoint c(dial->width() / 2, dial->height() / 2);
  const std::pair<QPoint, int> clicks[] = {
      {c + QPoint(0, -40), 90}, {c + QPoint(0, 40), 270}, {c + QPoint(-40, 0), 180}, {c + QPoint(40, 0), 0}};
  for (const auto& [point, angle] : clicks) {
    QTest::mouseClick(dial, Qt::LeftButton, Qt::NoModifier, point);
    EXPECT_EQ(dial->Angle(), angle);
    EXPECT_EQ(palette.UpDown()->value(), angle);
    EXPECT_EQ(reported.back(), angle);
  }
  palette.SetAngle(359);
  reported.clear();
  palette.UpDown()->stepUp();
  EXPECT_EQ(palette.UpDown()->value(), 0);
  EXPECT_EQ(dial->Angle(), 0);
  palette.UpDown()->stepDown();
  EXPECT_EQ(palette.UpDown()->value(), 359);
  EXPECT_EQ(reported, (std::vector<int>{0, 359}));
  palette.SetAngle(400);
  EXPECT_EQ(palette.UpDown()->value(), 40);
  EXPECT_EQ(dial->Text(), "Insciption");
  EXPECT_EQ(TextAnglePalette(QStringLiteral("RUS")).Dial()->Text(), "Надпись");
}

}  // namespace
}  // namespace nv::dialogs
