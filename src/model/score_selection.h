#pragma once

#include <cstdint>
#include <vector>

class TECElement;
class TECMeasure;
class TECModelObject;
class TECMusicScore;

// The selected element records of one measure of the selection's owner row
// (measure 0 for page objects), in the order they were selected.
struct TECSelected {
  std::int32_t Measure = 0;
  std::vector<TECElement*> Elements;
};

// A point in document pixels.
struct TECPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TECPoint&) const = default;
};

// The selection operations live in the editing layer above the model; the
// row moves with their select flag reach them through this interface. The
// layer that links them installs its owner at start-up; until then the
// select flag does nothing.
class ScoreSelectionOwner {
 public:
  virtual ~ScoreSelectionOwner() = default;
  virtual void ToggleMeasureSelection(TECMusicScore& score, TECMeasure& measure) = 0;
};

// The process-wide owner every score uses; null when none is installed.
ScoreSelectionOwner* InstalledScoreSelectionOwner();
// Installs `owner` (not owned; it must outlive every score), or none.
void InstallScoreSelectionOwner(ScoreSelectionOwner* owner);
