#include "editor/panel_paint.h"

#include "platform/frame_controls.h"

namespace nv::editor {

void PaintPanel(platform::Canvas& canvas, const platform::Rect& box, bool sunken) {
  if (sunken) {
    platform::drawEdge(canvas, box, platform::Edge::Sunken, true);
    return;
  }
  const platform::Brush saved = canvas.brush();
  canvas.setBrush({platform::resolveColor(platform::systemColor(platform::SystemColor::ButtonFace)),
                   platform::BrushStyle::Solid, {}});
  canvas.fillRect(box);
  canvas.brush().color = platform::resolveColor(platform::systemColor(platform::SystemColor::ButtonShadow));
  canvas.frameRect(box);
  canvas.setBrush(saved);
}

}  // namespace nv::editor
