#pragma once

class QPainter;
class QRect;

namespace nv::dialogs {

// A key signature's face: five staff lines across the area, centred, the
// key's sharps or flats in the music font, and the key's name under the
// staff. The new-staff dialog's key list draws its items with it too.
void PaintKeySignatureFace(QPainter& painter, const QRect& area, int code);

}  // namespace nv::dialogs
