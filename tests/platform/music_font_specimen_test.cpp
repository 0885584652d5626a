#include "platform/qt/qt_font_faces.h"
#include "platform/qt/qt_canvas.h"

#include "platform/music_font_codes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <iostream>
#include <string>

namespace {

using nv::platform::Font;
using nv::platform::QtCanvas;

// A specimen page of the music font for the eye: every code with its number,
// drawn through the canvas at 16 points, with a staff where the code's use
// fixes one, a pink line at the cell top and blue lines at the cell's left
// edge and its advance. Written three times enlarged into the test's
// temporary folder; its path is printed.
TEST(MusicFontSpecimen, DrawsEveryCodeWithItsNumber) {
  ASSERT_TRUE(nv::platform::ensureMusicFontLoaded());
  constexpr int kColumns = 12, kCellWidth = 46, kCellHeight = 80, kTop = 26, kLeft = 12;
  const auto& codes = nv::test::musicCodes();
  const int rows = static_cast<int>((codes.size() + kColumns - 1) / kColumns);
  QImage image(kColumns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    canvas.brush().style = nv::platform::BrushStyle::Clear;
    Font label;
    label.size = 7;
    label.color = nv::platform::colors::gray;
    Font music;
    music.face = std::string(nv::platform::kMusicFace);
    music.size = 16;
    for (std::size_t i = 0; i < codes.size(); ++i) {
      const auto& c = codes[i];
      const int x = static_cast<int>(i % kColumns) * kCellWidth;
      const int y = static_cast<int>(i / kColumns) * kCellHeight;
      const int gx = x + kLeft, gy = y + kTop;
      const std::string glyph(1, static_cast<char>(c.code));
      canvas.setFont(music);
      const int advance = canvas.textWidth(glyph);
      canvas.pen().color = nv::platform::rgb(255, 190, 190);
      canvas.moveTo(x, gy);
      canvas.lineTo(x + kCellWidth - 2, gy);
      canvas.pen().color = nv::platform::rgb(190, 190, 255);
      for (int edge : {gx, gx + advance}) {
        canvas.moveTo(edge, gy - 4);
        canvas.lineTo(edge, gy + 48);
      }
      if (c.staffTop != nv::test::kNoStaff) {
        canvas.pen().color = nv::platform::colors::silver;
        for (int line = 0; line < 5; ++line) {
          const int ly = gy + static_cast<int>((c.staffTop + line) * nv::test::kSpace);
          canvas.moveTo(x + 2, ly);
          canvas.lineTo(x + kCellWidth - 4, ly);
        }
      }
      canvas.setFont(label);
      canvas.textOut(x + 2, y + 1, std::to_string(c.code));
      canvas.setFont(music);
      canvas.textOut(gx, gy, glyph);
    }
  }
  const QString path = QString::fromStdString(::testing::TempDir()) + "music_font_specimen.png";
  ASSERT_TRUE(image.scaled(image.size() * 3).save(path));
  std::cout << "specimen page: " << path.toStdString() << std::endl;
}

}  // namespace
