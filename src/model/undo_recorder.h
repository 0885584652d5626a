#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/measure.h"
#include "model/music_score.h"

// Begins an edit's undo step at its first change and saves every measure it
// touches once, before that measure's first change. Kind 0 records nothing
// (operations whose callers record or lock undo themselves).
class TECUndoRecorder {
 public:
  TECUndoRecorder(TECMusicScore* score, std::uint8_t kind) : score_(score), kind_(kind) {}

  void Save(TECMeasure* measure) {
    if (!score_ || kind_ == 0 || !measure) return;
    if (!begun_) {
      step_ = score_->BeginUndoStep(kind_);
      begun_ = true;
    }
    if (!step_ || std::find(saved_.begin(), saved_.end(), measure) != saved_.end()) return;
    saved_.push_back(measure);
    score_->SaveUndoMeasure(step_, measure, measure->Index);
  }

  // Saves the measures of the later notes that hold links on `note`:
  // freeing the note takes those links off them.
  void SaveLinked(const TECNote& note) {
    for (TECNote* later : note.LinkedNotes) Save(later->Owner);
  }

 private:
  TECMusicScore* score_;
  std::uint8_t kind_;
  bool begun_ = false;
  TECUndoStep* step_ = nullptr;
  std::vector<const TECMeasure*> saved_;
};
