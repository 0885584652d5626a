// The page-tab strip under the mouse: the arrows that scroll the tabs
// (held, they repeat on the window's 150 ms timer) and the tabs themselves.
#include "editing/mouse_regions.h"

namespace nv::editing {
namespace {

// A rectangle not shown (no width) holds no point.
bool Inside(const TECRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

// One step of the held arrow: the first tab shown moves one page.
void StepTabs(TECMusicScore& score, bool left) {
  if (left) {
    if (score.FirstPageTab > 0) --score.FirstPageTab;
  } else if (score.LastPageTab >= 0 && score.LastPageTab < score.PageCount() - 1) {
    ++score.FirstPageTab;
  }
}

}  // namespace

void PressPageTabs(TECMusicScore& score, int x, int y) {
  if (score.CurrentInstrument() == nullptr) return;
  const bool left = Inside(score.PageTabLeftArrow, x, y);
  const bool right = !left && Inside(score.PageTabRightArrow, x, y);
  if (left || right) {
    score.TabArrowLeft = left;
    score.TabArrowRight = right;
    score.InvalidatePageTabs();
    if (IECScoreHost* host = score.Host()) host->SetTabTimer(true);
    return;
  }
  for (const TECMusicScore::PageTabPlace& tab : score.PageTabPlaces)
    if (Inside(tab.Box, x, y)) {
      score.SetActivePage(tab.Page);
      return;
    }
}

bool ReleaseTabArrow(TECMusicScore& score) {
  if (!score.TabArrowLeft && !score.TabArrowRight) return false;
  if (IECScoreHost* host = score.Host()) host->SetTabTimer(false);
  const bool left = score.TabArrowLeft;
  score.TabArrowLeft = score.TabArrowRight = false;
  StepTabs(score, left);
  score.InvalidatePageTabs();
  return true;
}

}  // namespace nv::editing

void TECMusicScore::TabTimerStep() {
  if (!TabArrowLeft && !TabArrowRight) return;
  nv::editing::StepTabs(*this, TabArrowLeft);
  InvalidatePageTabs();
  if (host_ != nullptr && !InvalidationLocked) host_->RepaintNow();
}
