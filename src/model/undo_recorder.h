#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/measure.h"
#include "model/music_score.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

class TECPageObject;
class TECSymbolEntry;

// Begins an edit's undo step at its first change and saves every measure,
// symbols-row entry and page object it touches once, before that record's
// first change. Kind 0 records nothing (operations whose callers record or
// lock undo themselves). While undo is locked nothing is written, but the
// recorder still reports that the edit began.
class UndoRecorder {
 public:
  UndoRecorder(TECMusicScore* score, std::uint8_t kind) : score_(score), kind_(kind) {}

  // Every record saved is about to change, also while undo is locked; so
  // may the links that later measures hold on its notes.
  void Save(TECMeasure* measure) {
    if (measure) {
      measure->MarkChanged();
      for (const auto& note : measure->Notes)
        for (TECNote* later : note->LinkedNotes())
          if (later->Owner) later->Owner->MarkChanged();
    }
    if (!measure || !Begin() || Saved(measure)) return;
    score_->SaveUndoMeasure(step_, measure, measure->Index);
  }
  void SaveAttachment(TECSymbolEntry* entry, int index) {
    if (entry) entry->MarkChanged();
    if (!entry || !Begin() || Saved(entry)) return;
    score_->SaveUndoAttachment(step_, entry, index);
  }
  void SavePageObject(TECPageObject* object) {
    if (!object || !Begin() || Saved(object)) return;
    score_->SaveUndoPageObject(step_, object);
  }

  // Saves the measures of the later notes that hold links on `note`:
  // freeing the note takes those links off them.
  void SaveLinked(const TECNote& note) {
    for (TECNote* later : note.LinkedNotes()) Save(later->Owner);
  }

  // Begins the step now (the first change is about to happen); true when
  // entries are to be written, false while undo is locked or for kind 0.
  bool Begin() {
    if (!score_ || kind_ == 0) return false;
    if (!begun_) {
      step_ = score_->BeginUndoStep(kind_);
      if (step_) step_->SavedWhileChanging = true;
      begun_ = true;
    }
    return step_ != nullptr;
  }
  bool Begun() const { return begun_; }
  // The step begun, none before the first change or while undo is locked.
  TECUndoStep* Step() const { return step_; }

 private:
  // True when `record` was saved already; notes it otherwise.
  bool Saved(const void* record) {
    if (std::find(saved_.begin(), saved_.end(), record) != saved_.end()) return true;
    saved_.push_back(record);
    return false;
  }

  TECMusicScore* score_;
  std::uint8_t kind_;
  bool begun_ = false;
  TECUndoStep* step_ = nullptr;
  std::vector<const void*> saved_;
};
