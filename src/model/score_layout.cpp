// The score's calls into the layout pass, which does nothing yet.
#include "model/music_score.h"

void TECMusicScore::LayoutScore(int, bool) {}

void TECMusicScore::AddSystemSymbol(TECSymbolItem*) {}
