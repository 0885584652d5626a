#include "render/library_item_painter.h"

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/page_objects.h"
#include "render/page_object_painter.h"
#include "render/painter_context.h"

namespace nv::render {

LibraryItemPainter::LibraryItemPainter()
    : score_(std::make_unique<TECMusicScore>()), instrument_(std::make_unique<TECInstrument>(score_.get())) {}

LibraryItemPainter::~LibraryItemPainter() = default;

void LibraryItemPainter::Paint(nv::platform::Canvas& canvas, TECPageObject& object, int x, int y, bool shadow,
                               int horizontalScale, int verticalScale) {
  if (object.Kind < ek::PageText || object.Kind > ek::PageChord) return;
  // The context's zoom is in percent (its pen units size the line ends);
  // the frame carries the template's own scale.
  PainterContext ctx(canvas, *score_, *instrument_, horizontalScale / 100, verticalScale / 100);
  ObjectFrame frame;
  frame.AnchorX = x;
  frame.AnchorY = y;
  frame.Origin = frame.TextOrigin = frame.PictureOrigin = 0;
  frame.HorizontalFactor = horizontalScale;
  frame.VerticalFactor = verticalScale;
  if (shadow) frame.Ink = nv::platform::colors::gray;
  // Stretched with flag 64, centred at natural size with 128, else natural
  // size from the corner.
  frame.GroupPictures = true;
  const int level = canvas.saveDC();
  DrawObject(ctx, object, frame);
  canvas.restoreDC(level);
}

}  // namespace nv::render
