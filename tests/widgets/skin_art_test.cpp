// The pictures the build draws for the widgets.

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

QImage Art(const QString& name) { return QImage(QStringLiteral(":/art/%1.png").arg(name)); }

bool TransparentCorner(const QImage& image) {
  return image.pixelColor(0, image.height() - 1) == QColor(255, 0, 255);
}

TEST(SkinArt, SpiralPiecesAreThirteenAlongAndSeventeenDeep) {
  for (const char* name : {"LEFT", "RIGHT", "LEFTHOLE", "RIGHTHOLE"}) {
    const QImage image = Art(QStringLiteral("spiral/%1").arg(QLatin1String(name)));
    EXPECT_EQ(image.size(), QSize(17, 13)) << name;
    EXPECT_TRUE(TransparentCorner(image)) << name;
  }
  for (const char* name : {"TOP", "BOTTOM", "TOPHOLE", "BOTTOMHOLE"}) {
    const QImage image = Art(QStringLiteral("spiral/%1").arg(QLatin1String(name)));
    EXPECT_EQ(image.size(), QSize(13, 17)) << name;
    EXPECT_TRUE(TransparentCorner(image)) << name;
  }
}

TEST(SkinArt, EverySkinHasItsPiecesAtItsSizes) {
  struct Skin { const char* folder; int caption; int border; };
  const Skin skins[] = {{"main", 24, 4}, {"dialog", 20, 3}, {"tool", 16, 2}};
  for (const Skin& s : skins) {
    const QString folder = QLatin1String(s.folder);
    auto piece = [&](const char* name) { return Art(folder + QLatin1Char('/') + QLatin1String(name)); };
    int count = 0;
    for (const char* look : {"active", "inactive"}) {
      for (const char* part : {"left", "center", "right", "minright"}) {
        const QImage image = piece(qPrintable(QStringLiteral("caption_%1_%2").arg(QLatin1String(part), QLatin1String(look))));
        EXPECT_EQ(image.height(), s.caption) << s.folder << part;
        EXPECT_TRUE(TransparentCorner(image)) << s.folder << part;
        ++count;
      }
      for (const char* part : {"left", "right", "left_top", "right_top"}) {
        const QImage image = piece(qPrintable(QStringLiteral("border_%1_%2").arg(QLatin1String(part), QLatin1String(look))));
        EXPECT_EQ(image.width(), s.border) << s.folder << part;
        EXPECT_TRUE(TransparentCorner(image)) << s.folder << part;
        ++count;
      }
      for (const char* part : {"bottom", "left_bottom", "right_bottom"}) {
        const QImage image = piece(qPrintable(QStringLiteral("border_%1_%2").arg(QLatin1String(part), QLatin1String(look))));
        EXPECT_EQ(image.height(), s.border) << s.folder << part;
        EXPECT_TRUE(TransparentCorner(image)) << s.folder << part;
        ++count;
      }
    }
    EXPECT_EQ(count, 8 + 14);
    for (const char* button : {"button_minimize", "button_maximize", "button_restore", "button_close"}) {
      const QImage image = piece(button);
      EXPECT_EQ(image.size(), QSize(4 * 16, 14)) << s.folder << button;
      EXPECT_TRUE(TransparentCorner(image)) << s.folder << button;
    }
    const QImage icon = piece("icon");
    EXPECT_EQ(icon.size(), QSize(16, 16));
    EXPECT_TRUE(TransparentCorner(icon));
  }
}

}  // namespace
