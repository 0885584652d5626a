#pragma once

#include "dialogs/logic/face_look.h"
#include "document/design_page.h"
#include "platform/canvas.h"

namespace nv::dialogs {

// The values the design page's painted faces show (colours as the score
// stores them).
struct DesignFaceValues {
  int TextColor = 0;
  int BrushColor = 0;
  int LineColor = 0;
  int FontStyle = 0;
  int BrushStyle = 0;
  int LineStyle = 0;
  int LineWidth = 1;
  int PointStyle = 1;
  int TextRotate = 0;
};

// The navy of the line-style and line-width faces.
inline constexpr nv::platform::Color kLineFaceInk = nv::platform::colors::navy;

// Paints a design-page face into the button's box: the shapes of the
// drawing tools, and the looks of the look buttons from their values. The
// hot look lies twice, a grey copy shifted down and right under the face
// shifted up and left; a colour button's bar of its colour stays in place.
void PaintDesignFace(nv::platform::Canvas& canvas, const nv::platform::Rect& box, nv::document::DesignFace face,
                     const DesignFaceValues& values, FaceLook look = {});

}  // namespace nv::dialogs
