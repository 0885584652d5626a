#include "dialogs/logic/drum_button_painter.h"

#include "library/drum_description.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {

using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Rect;

namespace {

constexpr int kOpenStemFlag = 128;

void Stem(Canvas& canvas, int x, int top, int bottom, Color ink) {
  canvas.setPen({ink, 1});
  canvas.moveTo(x, top);
  canvas.lineTo(x, bottom);
}

}  // namespace

void DrawDrumButton(Canvas& canvas, const Rect& box, const nv::library::TECDrumDescription* style, FaceLook look,
                    const LibraryItemPainter& paintItem) {
  const int saved = canvas.saveDC();
  PaintFace(box, look, [&](const Rect& at, Color ink) {
    if (style == nullptr) {
      Stem(canvas, at.left + 14, at.top + 4, at.top + 16, ink);
      MusicChar(canvas, at.left + 8, at.top + 12, nv::render::glyph::BlackHead, 16, ink);
      return;
    }
    Stem(canvas, at.left + (style->Flag == kOpenStemFlag ? 12 : 14), at.top + 4, at.top + style->Second + 16, ink);
    if (!paintItem) return;
    const int inner = canvas.saveDC();
    const nv::platform::Point origin = canvas.viewportOrigin();
    canvas.setViewportOrigin({origin.x + at.left - 992, origin.y + at.top - 988});
    for (const auto& element : style->Elements()) paintItem(canvas, *element, ink);
    canvas.restoreDC(inner);
  });
  canvas.restoreDC(saved);
}

}  // namespace nv::dialogs
