#include "dialogs/font_palettes.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QStringList Shown(const FontNamePalette& palette) {
  QStringList names;
  for (int i = 0; i < palette.List()->count(); ++i) names << palette.List()->item(i)->text();
  return names;
}

TEST(FontNamePalette, ListsNoVerticalFaceAndSelectsWithoutRegardToCase) {
  FontNamePalette palette({"Times", "@Gothic", "Arial", "arial", "Courier"});
  EXPECT_EQ(Shown(palette), (QStringList{"Arial", "Courier", "Times"}));
  palette.SetFontName(QStringLiteral("courier"));
  EXPECT_EQ(palette.FontName(), "Courier");
  palette.SetFontName(QStringLiteral("Gothic"));
  EXPECT_EQ(palette.FontName(), "Courier");
  for (const QString& name : Shown(FontNamePalette()))
    EXPECT_FALSE(name.startsWith('@')) << name.toStdString();
}

TEST(FontNamePalette, AClickReportsTheNameAndCloses) {
  QPointer<FontNamePalette> palette = new FontNamePalette({"Arial", "Times"});
  QString chosen;
  palette->SetOnSelect([&](FontNamePalette&, const QString& name) { chosen = name; });
  palette->Open();
  QListWidget* list = palette->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(chosen, "Times");
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
}

TEST(FontStylePalette, EachClickReportsTheWholeMask) {
  FontStylePalette palette;
  std::vector<int> reported;
  palette.SetOnSelect([&](FontStylePalette&, int mask) { reported.push_back(mask); });
  palette.SetStyles(1 | 8);
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(palette.Styles(), 9);
  EXPECT_TRUE(palette.findChild<QCheckBox*>(QStringLiteral("CBStrikeOut"))->isChecked());
  palette.findChild<QCheckBox*>(QStringLiteral("CBItalic"))->click();
  palette.findChild<QCheckBox*>(QStringLiteral("CBBold"))->click();
  EXPECT_EQ(reported, (std::vector<int>{11, 10}));
}

}  // namespace
}  // namespace nv::dialogs
