#include "dialogs/key_signature_face.h"

#include "dialogs/canvas_face.h"
#include "dialogs/logic/key_signature_painter.h"

namespace nv::dialogs {

void PaintKeySignatureFace(QPainter& painter, const QRect& area, int code) {
  PaintCanvasFace(painter, area, [code](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    PaintKeySignature(canvas, box, code);
  });
}

}  // namespace nv::dialogs
