#include "dialogs/key_signature_face.h"

#include <QPainter>

#include "dialogs/logic/key_signature_map.h"
#include "dialogs/music_face.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {

void PaintKeySignatureFace(QPainter& painter, const QRect& area, int code) {
  namespace ks = key_signature;
  const int first = area.top() + ks::FirstLineOffset(area.height());
  painter.setPen(Qt::black);
  for (int line = 0; line < 5; ++line)
    painter.drawLine(area.left() + 1, first + line * 6, area.right() - 1, first + line * 6);
  const bool flats = code > 10;
  const int count = flats ? code - 10 : code;
  const QFont music = MusicFont(16);
  for (int i = 0; i < count && ks::PositionOf(code) >= 0; ++i) {
    const ks::AccidentalPlace place = ks::AccidentalAt(flats, i);
    DrawMusicChar(painter, music, QPoint(area.left() + place.x, first + place.y),
                  flats ? nv::render::glyph::Flat : nv::render::glyph::Sharp);
  }
  painter.setFont(FormFont(QStringLiteral("Arial"), 8, false, true));
  const QRect name(area.left(), first + 24, area.width(), painter.fontMetrics().height());
  painter.drawText(name, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(ks::NameOf(code)));
}

}  // namespace nv::dialogs
