#include "dialogs/logic/key_signature_painter.h"

#include <string>

#include "dialogs/logic/key_signature_map.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {

using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Rect;

void PaintKeySignature(Canvas& canvas, const Rect& box, int tone, FaceLook look) {
  namespace ks = key_signature;
  const bool known = ks::PositionOf(tone) >= 0;
  const bool flats = tone > 10;
  const int count = !known ? 0 : flats ? tone - 10 : tone;
  const std::string name = ks::NameOf(tone);
  PaintFace(box, look, [&](const Rect& at, Color ink) {
    const int first = at.top + ks::FirstLineOffset(at.height());
    StaffLines(canvas, at, first, 6, ink);
    for (int i = 0; i < count; ++i) {
      const ks::AccidentalPlace place = ks::AccidentalAt(flats, i);
      MusicChar(canvas, at.left + place.x, first + place.y, flats ? nv::render::glyph::Flat : nv::render::glyph::Sharp,
                16, ink);
    }
    if (name.empty()) return;
    nv::platform::Font font;
    font.face = "Arial";
    font.size = 8;
    font.italic = true;
    canvas.setFont(font);
    const int width = canvas.textWidth(name);
    FaceText(canvas, at.left + (at.width() - width) / 2, first + 24, name, "Arial", 8, ink, false, true);
  });
}

}  // namespace nv::dialogs
