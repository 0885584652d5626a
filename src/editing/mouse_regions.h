#pragma once

#include "model/music_score.h"

// The parts of the score control's client around the score area that the
// mouse works in: the rulers' markers and the page-tab strip. Client pixels.
namespace nv::editing {

// A left press on the rulers: starts dragging the marker under it, if any.
void PressRulerMarker(TECMusicScore& score, int x, int y);
// Ends the marker drag at the release point: the marker's system changes.
void ReleaseRulerMarker(TECMusicScore& score, int x, int y);

// A left press in the page-tab strip: holds an arrow or shows a tab's page.
void PressPageTabs(TECMusicScore& score, int x, int y);
// Lets a held arrow go, with one more step; false when none was held.
bool ReleaseTabArrow(TECMusicScore& score);

}  // namespace nv::editing
