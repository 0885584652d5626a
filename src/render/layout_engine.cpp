#include "render/layout_engine.h"

#include "model/score_layout_engine.h"
#include "render/carry_over.h"
#include "render/page_layout.h"
#include "render/page_painter.h"

namespace nv::render {
namespace {

class RenderLayoutEngine final : public ScoreLayoutEngine {
 public:
  void LayoutScore(TECMusicScore& score, int page, bool twoPages) override {
    nv::render::LayoutScore(score, page, twoPages);
  }
  void AddSystemSymbol(TECMusicScore& score, TECSymbolItem* item) override {
    nv::render::AddSystemSymbol(score, item);
  }
  void DrawPage(TECMusicScore& score, nv::platform::Canvas& canvas, int hzoom, int vzoom,
                const PaintSelection* selection) override {
    nv::render::DrawPage(score, canvas, hzoom, vzoom, selection);
  }
};

}  // namespace

void InstallLayoutEngine() {
  static RenderLayoutEngine engine;
  InstallScoreLayoutEngine(&engine);
}

}  // namespace nv::render
