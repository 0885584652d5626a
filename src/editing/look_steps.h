#pragma once

#include <string>

#include "model/music_score.h"

namespace nv::editing {

// What the design page's look buttons change on the selected objects.
enum class Look {
  TextColor,   // texts, text boxes, chord symbols
  BrushColor,  // rectangles and ellipses
  BrushStyle,
  LineColor,   // lines and every shape
  LineWidth,
  LineStyle,
  FontSize,    // texts and text boxes
  FontStyle,
  PointStyle,  // the ends of lines
  Rotation,    // page texts
  TextAlign,   // 0 left, 1 centre, 2 right, 3 full
  OnePage,     // page objects: 1 on one page, 0 on every page
};

// The look of the selected objects, each call one undo step of the score
// (the score's own setters record none). A call that changes nothing
// records no step and reports nothing; true when something changed.
bool ChangeSelectedLook(TECMusicScore& score, Look look, int value);
bool ChangeSelectedFontName(TECMusicScore& score, const std::string& name);
// Brings the selected objects to the front (true) or sends them to the
// back, as one undo step that puts the old order back.
bool ReorderSelectedObjectsStep(TECMusicScore& score, bool front);

}  // namespace nv::editing
