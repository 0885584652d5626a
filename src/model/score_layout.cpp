// The score's calls into the layout pass. The pass does nothing yet; the
// ruler markers it feeds stay where they are.
#include "model/music_score.h"

void TECMusicScore::LayoutScore(int, bool) {}

TECMusicScore::RulerMarkers TECMusicScore::ComputeRulerMarkers() const { return rulerMarkers_; }

void TECMusicScore::AddSystemSymbol(TECSymbolItem*) {}
