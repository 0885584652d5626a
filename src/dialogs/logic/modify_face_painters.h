#pragma once

#include "dialogs/logic/face_look.h"
#include "document/modify_page.h"
#include "platform/canvas.h"

namespace nv::dialogs {

// The values the modify page's painted faces show.
struct ModifyFaceValues {
  int PitchUp = 1;
  int PitchDown = 1;
  bool JoinActive = false;
  int JoinCount = 0;
  bool RowActive = false;
  int RowStyle = 0;
};

inline constexpr int kArrangementImageCount = 8;

// One picture of the modify page's image list, drawn in `ink` in the box:
// joining styles 0 none, 1 full, 2 by note value, 3 custom; row alignment
// 4 evenly, 5 proportional, 6 positional; 7 transpose.
void DrawArrangementImage(nv::platform::Canvas& canvas, const nv::platform::Rect& box, int index,
                          nv::platform::Color ink);

// The painted face of a modify-page button: the picture of its value, the
// red cross over a style that is off, the custom pitch in small dark red
// figures.
void PaintModifyFace(nv::platform::Canvas& canvas, const nv::platform::Rect& box, nv::document::ModifyFace face,
                     const ModifyFaceValues& values, FaceLook look);

}  // namespace nv::dialogs
