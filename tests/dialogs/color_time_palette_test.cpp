#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/color_palette.h"
#include "dialogs/time_signature_palette.h"
#include "widgets/char_button.h"

namespace nv::dialogs {
namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

std::vector<int> DownValues(const ChoicePalette& palette) {
  std::vector<int> down;
  for (std::size_t i = 0; i < palette.Buttons().size(); ++i)
    if (palette.Buttons()[i]->Down()) down.push_back(static_cast<int>(i));
  return down;
}

TEST(ColorPalette, PressesTheButtonOfTheColour) {
  ColorPalette palette([](const QColor&) { return std::nullopt; });
  EXPECT_EQ(DownValues(palette), std::vector<int>{0});
  palette.SetColor(Qt::black);
  EXPECT_EQ(DownValues(palette), std::vector<int>{0});
  palette.SetColor(QColor(0xFF, 0, 0));
  EXPECT_EQ(DownValues(palette), std::vector<int>{5});
  palette.SetColor(QColor(1, 2, 3));
  EXPECT_TRUE(DownValues(palette).empty());
  EXPECT_EQ(palette.Color(), QColor(1, 2, 3));
}

TEST(ColorPalette, OtherColorsAsksPreSetAndReportsOnlyOk) {
  for (bool ok : {true, false}) {
    QColor asked;
    QPointer<ColorPalette> palette = new ColorPalette([&](const QColor& initial) -> std::optional<QColor> {
      asked = initial;
      if (!ok) return std::nullopt;
      return QColor(10, 20, 30);
    });
    std::vector<QColor> reported;
    palette->SetOnSelectColor([&](ColorPalette&, const QColor& c) { reported.push_back(c); });
    palette->SetColor(QColor(1, 2, 3));
    palette->Open();
    palette->OtherColors()->click();
    EXPECT_EQ(asked, QColor(1, 2, 3));
    EXPECT_EQ(reported, ok ? std::vector<QColor>{QColor(10, 20, 30)} : std::vector<QColor>{});
    FlushDeletes();
    EXPECT_TRUE(palette.isNull());
  }
}

TEST(ColorPalette, AColourButtonReportsItsColour) {
  QPointer<ColorPalette> palette = new ColorPalette([](const QColor&) { return std::nullopt; });
  std::vector<QColor> reported;
  palette->SetOnSelectColor([&](ColorPalette&, const QColor& c) { reported.push_back(c); });
  palette->Open();
  QTest::mouseClick(palette->Buttons()[8], Qt::LeftButton);
  EXPECT_EQ(reported, std::vector<QColor>{QColor(0, 0, 0x80)});
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
}

TEST(TimeSignaturePalette, SymbolsFollowTheSignature) {
  TimeSignaturePalette palette;
  std::vector<std::pair<int, int>> reported;
  palette.SetOnSelect([&](TimeSignaturePalette&, int code, int symbol) { reported.emplace_back(code, symbol); });
  palette.SetTimeSignature(3 * 256 + 4);
  EXPECT_FALSE(palette.SymbolButton(1)->isEnabled());
  EXPECT_FALSE(palette.SymbolButton(2)->isEnabled());
  EXPECT_TRUE(reported.empty());
  palette.Numerator()->setCurrentIndex(palette.Numerator()->findText("4"));
  EXPECT_TRUE(palette.SymbolButton(1)->isEnabled());
  EXPECT_TRUE(palette.SymbolButton(2)->isEnabled());
  EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{1028, 0}}));
  QTest::mouseClick(palette.SymbolButton(1), Qt::LeftButton);
  EXPECT_EQ(reported.back(), std::make_pair(1028, 1));

  palette.SetTimeSignature(257);
  EXPECT_EQ(palette.TimeSignature(), 1028);
  for (int code : {258, 516}) {
    palette.SetTimeSignature(code);
    EXPECT_EQ(palette.TimeSignature(), code);
    EXPECT_FALSE(palette.SymbolButton(1)->isEnabled()) << code;
    EXPECT_TRUE(palette.SymbolButton(2)->isEnabled()) << code;
  }
}

}  // namespace
}  // namespace nv::dialogs
