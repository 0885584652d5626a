#pragma once

#include "model/music_score.h"
#include "platform/canvas.h"

namespace nv::render {

struct PaintSelection;

// Draws the active page of the score's active instrument at the given zoom
// (percent), with the selection shown red; TECMusicScore::DrawPage comes here
// through the layout engine.
void DrawPage(TECMusicScore& score, nv::platform::Canvas& canvas, int hzoom, int vzoom,
              const PaintSelection* selection);

}  // namespace nv::render
