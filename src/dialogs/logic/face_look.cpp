#include "dialogs/logic/face_look.h"

#include <string>

#include "platform/font_faces.h"

namespace nv::dialogs {

using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Rect;

void PaintFace(const Rect& box, FaceLook look, const FacePicture& picture) {
  if (look.hot && !look.pressed) {
    picture(box.translated({1, 1}), kFaceShadow);
    picture(box.translated({-1, -1}), nv::platform::colors::black);
    return;
  }
  picture(box, nv::platform::colors::black);
}

void MusicChar(Canvas& canvas, int x, int y, std::uint8_t code, int points, Color ink, bool italic) {
  FaceText(canvas, x, y, std::string(1, static_cast<char>(code)), nv::platform::kMusicFace, points, ink, false, italic);
}

void FaceText(Canvas& canvas, int x, int y, std::string_view text, std::string_view face, int points, Color ink,
              bool bold, bool italic) {
  nv::platform::Font font;
  font.face = std::string(face);
  font.size = points;
  font.bold = bold;
  font.italic = italic;
  font.color = ink;
  canvas.setFont(font);
  canvas.brush().style = nv::platform::BrushStyle::Clear;
  canvas.textOut(x, y, text);
}

void StaffLines(Canvas& canvas, const Rect& box, int top, int gap, Color ink) {
  canvas.setPen({ink, 1});
  for (int line = 0; line < 5; ++line) {
    canvas.moveTo(box.left + 1, top + line * gap);
    canvas.lineTo(box.right - 1, top + line * gap);
  }
}

void FillBar(Canvas& canvas, int left, int top, int right, int bottom, Color ink) {
  canvas.setBrush({ink, nv::platform::BrushStyle::Solid, {}});
  canvas.fillRect({left, top, right + 1, bottom + 1});
}

}  // namespace nv::dialogs
