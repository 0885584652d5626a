#pragma once

#include "model/music_score.h"

namespace nv::editing {

// Makes the editing layer the owner of every score's selection operations
// that the model reaches (the select flag of the row moves). Call once at
// start-up, as the layout engine is installed.
void InstallSelectionOwner();

// Opens a selection batch for its lifetime unless one is open already; the
// batch's one notice fires at its end, when anything changed.
class SelectionBatchScope {
 public:
  explicit SelectionBatchScope(TECMusicScore& score) : score_(score), owns_(score.SelectionBatch == 0) {
    if (owns_) score_.SelectionBatch = 1;
  }
  ~SelectionBatchScope() {
    if (owns_) score_.EndSelectionBatch();
  }
  SelectionBatchScope(const SelectionBatchScope&) = delete;
  SelectionBatchScope& operator=(const SelectionBatchScope&) = delete;

 private:
  TECMusicScore& score_;
  bool owns_;
};

}  // namespace nv::editing
