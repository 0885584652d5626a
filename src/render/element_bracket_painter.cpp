#include "render/element_bracket_painter.h"

#include "platform/font_faces.h"
#include "render/painter_context.h"

namespace nv::render {

void DrawElementBrackets(PainterContext& ctx, int kind, int leftX, int leftY, int rightY, int rightX) {
  const nv::platform::Font previous = ctx.Canvas.font();
  static constexpr const char* kPairs[][2] = {{"(", ")"}, {"[", "]"}, {"{", "}"}};
  if (kind >= 1 && kind <= 3) {
    nv::platform::Font font = previous;
    font.face = "Arial";
    font.size = ctx.FontSize(6);
    font.height = 0;
    ctx.Canvas.setFont(font);
    ctx.Canvas.textOut(leftX, leftY, kPairs[kind - 1][0]);
    ctx.Canvas.textOut(rightX, rightY, kPairs[kind - 1][1]);
  }
  nv::platform::Font music = previous;
  music.face = nv::platform::kMusicFace;
  ctx.Canvas.setFont(music);
}

}  // namespace nv::render
