// The score's calls into the layout pass, which lives with the drawing.
#include "model/music_score.h"
#include "render/carry_over.h"
#include "render/page_layout.h"

void TECMusicScore::LayoutScore(int page, bool twoPages) { nv::render::LayoutScore(*this, page, twoPages); }

void TECMusicScore::AddSystemSymbol(TECSymbolItem* item) { nv::render::AddSystemSymbol(*this, item); }
