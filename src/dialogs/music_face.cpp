#include "dialogs/music_face.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/font_faces.h"
#include "platform/qt/qt_font_faces.h"

namespace nv::dialogs {
namespace {

// The forms are laid out in pixels at 96 pixels an inch, whatever the screen.
int PixelsOf(int pointSize) { return (pointSize * 96 + 36) / 72; }

}  // namespace

QFont MusicFont(int pointSize) {
  nv::platform::ensureMusicFontLoaded();
  QFont font(nv::platform::fontFamilyFor(nv::platform::kMusicFace));
  font.setPixelSize(PixelsOf(pointSize));
  return font;
}

QFont FormFont(const QString& family, int pointSize, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(PixelsOf(pointSize));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QPoint CentredMusicChar(const QFont& font, std::uint8_t code, int x, int height) {
  const QFontMetrics metrics(font);
  const QString text = nv::platform::textForFace(nv::platform::kMusicFace, std::string(1, static_cast<char>(code)));
  const QRect ink = metrics.tightBoundingRect(text);
  // The ink box is relative to the baseline; the cell's top is an ascent above it.
  const int baseline = (height - ink.height()) / 2 - ink.top();
  return {x, baseline - metrics.ascent()};
}

void DrawMusicChar(QPainter& painter, const QFont& font, QPoint at, std::uint8_t code) {
  painter.setFont(font);
  painter.drawText(at + QPoint(0, QFontMetrics(font).ascent()),
                   nv::platform::textForFace(nv::platform::kMusicFace, std::string(1, static_cast<char>(code))));
}

}  // namespace nv::dialogs
