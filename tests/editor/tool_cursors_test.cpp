#include "editor/tool_cursors.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "screenshot.h"

namespace nv::editor {
namespace {

bool Dark(QRgb pixel, int below = 80) { return qAlpha(pixel) > 200 && qGray(pixel) < below; }

// Pixels inked inside the face's white box.
int InkedPixels(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += Dark(image.pixel(x, y), 160) ? 1 : 0;
  return count;
}

TEST(ToolCursors, EveryToolHasAnArrowWithItsFaceBeside) {
  const auto names = ToolCursors::Names();
  for (const char* name : {"NOTE4", "DIESIS", "FORTE", "CLEFG", "CLEFF", "CLEFD", "USERSYMBOL", "COMMENT", "TEXT",
                           "IMAGE", "KNOTE", "KNOTE64", "KPAUSE", "KPAUSE64", "ERASE", "BENDUP", "8STRING",
                           // the element cursors over a grace note and the page symbols
                           "SNOTE4", "TEMPO", "SHARE", "BARNUMBER", "DACAPO", "DALSEGNO", "FONAR", "SEGNO",
                           "PREBEND", "CONTINUEUNTIL", "TRILLARE1", "TONE", "SIZE"})
    EXPECT_TRUE(std::find(names.begin(), names.end(), name) != names.end()) << name;
  for (const std::string& name : names) {
    const QCursor cursor = ToolCursors::Cursor(name);
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0)) << name;
    const QImage image = ToolCursors::Picture(name).toImage();
    ASSERT_EQ(image.size(), QSize(32, 32)) << name;
    EXPECT_TRUE(Dark(image.pixel(1, 4))) << name << ": the arrow's tip";
    EXPECT_GE(InkedPixels(image, QRect(14, 14, 16, 16)), 4) << name << ": the face";
  }
}

TEST(ToolCursors, UnknownNamesGiveTheArrow) {
  EXPECT_EQ(ToolCursors::Cursor("").shape(), Qt::ArrowCursor);
  EXPECT_EQ(ToolCursors::Cursor("NOSUCHTOOL").shape(), Qt::ArrowCursor);
  EXPECT_TRUE(ToolCursors::Picture("NOSUCHTOOL").isNull());
  EXPECT_EQ(ToolCursors::Cursor("NOTE4").shape(), Qt::BitmapCursor);
  // Each is its own face.
  EXPECT_NE(ToolCursors::Picture("NOTE4").toImage(), ToolCursors::Picture("TEMPO").toImage());
  EXPECT_NE(ToolCursors::Picture("NOTE4").toImage(), ToolCursors::Picture("SNOTE4").toImage());
}

// Every cursor on a grey ground with its name, at 1x and 3x, for looking at.
TEST(ToolCursors, ContactSheet) {
  const auto names = ToolCursors::Names();
  const int columns = 12;
  const int rows = static_cast<int>(std::ceil(names.size() / static_cast<double>(columns)));
  QImage sheet(columns * 80, rows * 48, QImage::Format_ARGB32);
  sheet.fill(QColor(200, 200, 200));
  QPainter painter(&sheet);
  QFont font("DejaVu Sans");
  font.setPixelSize(8);
  painter.setFont(font);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int x = static_cast<int>(i % columns) * 80;
    const int y = static_cast<int>(i / columns) * 48;
    painter.drawPixmap(x + 24, y + 2, ToolCursors::Picture(names[i]));
    painter.drawText(QRect(x, y + 35, 80, 12), Qt::AlignCenter, QString::fromStdString(names[i]));
  }
  painter.end();
  SaveShot(sheet, "tool_cursors");
  SaveShot(sheet.scaled(sheet.size() * 3), "tool_cursors_3x");
  EXPECT_FALSE(sheet.isNull());
}

}  // namespace
}  // namespace nv::editor
