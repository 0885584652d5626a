#pragma once

#include "dialogs/logic/face_look.h"
#include "document/palette_pages.h"

namespace nv::dialogs {

// The values the painted faces of the notes and symbols pages show.
struct ToolFaceValues {
  int Key = 0;             // clef 0..14
  int Tone = 0;            // key signature
  int ScoreSize = 0x0404;  // numerator << 8 | denominator
  int ScoreSizeStyle = 0;  // 0 digits, 1 common time, 2 cut time
  int Treole = 3;          // the up-down positions
  int Tremolo = 1;
  int RepeatBar = 0;
  int RepeatNote = 0;
  int MeasurePause = 2;
  int RehearsalKind = 0;  // 0 letters, 1 digits
  int RehearsalBorder = 1;  // 0 none, 1 rectangle, 2 circle
  int RehearsalBorderWidth = 1;
};

// Paints one of the painted faces (all but the drum note, which
// DrawDrumButton paints) into the button's box.
void PaintToolFace(nv::platform::Canvas& canvas, const nv::platform::Rect& box, nv::document::PaintedFace face,
                   const ToolFaceValues& values, FaceLook look = {});

}  // namespace nv::dialogs
