// The model's side of the selection: the hook that empties it before
// records go away, and the installed owner of the selection operations.
#include "model/score_selection.h"

#include "model/music_score.h"

namespace {

ScoreSelectionOwner* installedOwner = nullptr;

}  // namespace

ScoreSelectionOwner* InstalledScoreSelectionOwner() { return installedOwner; }

void InstallScoreSelectionOwner(ScoreSelectionOwner* owner) { installedOwner = owner; }

void TECMusicScore::ReleaseSelection() {
  ClickedElement = nullptr;
  if (KeepSelection > 0) return;
  const bool had = SelectedRow != nullptr || !Selection.empty() || SelectedRowGroup >= 0;
  // The records may be gone already: nothing here reads them.
  Selection.clear();
  SelectedRow = nullptr;
  SelectedRowGroup = -1;
  if (!had) return;
  InvalidateScore();
  if (SelectionBatch > 0)
    ++SelectionBatch;
  else if (OnSelectedChanged)
    OnSelectedChanged(this);
}
