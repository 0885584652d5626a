// The score's calls into the layout and drawing engine installed above the
// model (see score_layout_engine.h).
#include "model/music_score.h"
#include "model/score_layout_engine.h"

namespace {

ScoreLayoutEngine* installedEngine = nullptr;

}  // namespace

ScoreLayoutEngine* InstalledScoreLayoutEngine() { return installedEngine; }

void InstallScoreLayoutEngine(ScoreLayoutEngine* engine) { installedEngine = engine; }

void TECMusicScore::LayoutScore(int page, bool twoPages) {
  if (installedEngine != nullptr) installedEngine->LayoutScore(*this, page, twoPages);
}

void TECMusicScore::AddSystemSymbol(TECSymbolItem* item) {
  if (installedEngine != nullptr) installedEngine->AddSystemSymbol(*this, item);
}

void TECMusicScore::DrawPage(nv::platform::Canvas& canvas, int hzoom, int vzoom,
                             const nv::render::PaintSelection* selection) {
  if (installedEngine != nullptr) installedEngine->DrawPage(*this, canvas, hzoom, vzoom, selection);
}
