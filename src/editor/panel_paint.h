#pragma once

#include "platform/canvas.h"

namespace nv::editor {

// A cell of a control's button strip: a flat panel, or a sunken one while selected.
void PaintPanel(platform::Canvas& canvas, const platform::Rect& box, bool sunken);

}  // namespace nv::editor
