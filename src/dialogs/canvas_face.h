#pragma once

#include <functional>

#include "platform/canvas.h"

class QPainter;
class QRect;

namespace nv::dialogs {

// A face painted on the core's canvas inside `box` (the area, placed at 0, 0).
using CanvasFacePainter = std::function<void(nv::platform::Canvas& canvas, const nv::platform::Rect& box)>;

// Runs a canvas painter into the area of a widget being painted, at the
// forms' 96 pixels an inch; a painted face may reach two pixels past the
// area (the hot look's shifted copies).
void PaintCanvasFace(QPainter& painter, const QRect& area, const CanvasFacePainter& paint);

}  // namespace nv::dialogs
