#pragma once

class TECMusicScore;
class TECSymbolItem;
namespace nv::platform {
class Canvas;
}
namespace nv::render {
struct PaintSelection;
}

// Layout and drawing of a score's pages, which live in a layer above the
// model. The layer that links them installs its engine at start-up; until
// then the score's LayoutScore, AddSystemSymbol and DrawPage do nothing, so
// the model builds and runs alone.
class ScoreLayoutEngine {
 public:
  virtual ~ScoreLayoutEngine() = default;
  virtual void LayoutScore(TECMusicScore& score, int page, bool twoPages) = 0;
  virtual void AddSystemSymbol(TECMusicScore& score, TECSymbolItem* item) = 0;
  virtual void DrawPage(TECMusicScore& score, nv::platform::Canvas& canvas, int hzoom, int vzoom,
                        const nv::render::PaintSelection* selection) = 0;
};

// The process-wide engine every score uses; null when none is installed.
ScoreLayoutEngine* InstalledScoreLayoutEngine();
// Installs `engine` (not owned; it must outlive every score), or none.
void InstallScoreLayoutEngine(ScoreLayoutEngine* engine);
