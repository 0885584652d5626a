#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/music_score.h"
#include "model/undo_recorder.h"

class TECMeasure;
class TECPageObject;
class TECRow;
class TECSymbolEntry;

namespace nv::editing {

// False in ssPreviewPages or with ReadOnly: no edit command changes the score.
bool EditsAllowed(const TECMusicScore& score);

// The frame every edit command on the selection shares. A command:
//
//   EditTransaction edit(score, kind);
//   if (!edit.Allowed()) return;               // preview pages or read-only
//   ... for each record about to change:
//   if (!edit.SaveMeasure(*measure)) continue; // or SaveSymbolEntry / SavePageObject
//   ... change it, then:
//   edit.Touch();                              // and RebuildBeams(*measure) after notes moved
//   edit.Finish();                             // or let the destructor finish
//
// The undo step of `kind` is begun by the first Save (none while LockUndo
// is set; the model's undo recorder writes the entries), and each record is
// saved once. Finish, when anything was touched: rebuilds the beam groups
// asked for, lays out from the active page or the page of the first measure
// saved, whichever comes first (unless SkipLayout), invalidates
// the whole score and fires OnChanged; with nothing touched it does none of
// these, and a command that saves only right before a change leaves no step.
//
// A save whose undo entry cannot be written (a record too large for a
// stream block) returns false, and so does every later save of that record:
// the command leaves that record unchanged, so Undo never misses a change.
// A step left without any entry is dropped by Finish.
//
// The selection is kept while the transaction lives (the model otherwise
// empties it when a step begins): a command that frees or renumbers
// records must first take them out of Selection itself (or empty it), and
// clear ClickedElement when it may be one of them. Finish also drops any
// selected record the model no longer holds where its entry says.
class EditTransaction {
 public:
  // Kind 0 records no step (changes that the score reports but does not undo).
  EditTransaction(TECMusicScore& score, std::uint8_t kind);
  ~EditTransaction();
  EditTransaction(const EditTransaction&) = delete;
  EditTransaction& operator=(const EditTransaction&) = delete;

  TECMusicScore& Score() const { return score_; }
  // False in ssPreviewPages or with ReadOnly: the command does nothing.
  bool Allowed() const;

  // True when the record is saved in the step (or nothing is recorded: undo
  // locked, kind 0); false when its entry could not be written.
  bool SaveMeasure(TECMeasure& measure);
  bool SaveSymbolEntry(TECSymbolEntry& entry);
  bool SavePageObject(TECPageObject& object);
  // Saves the active instrument's whole music in the time-signature form
  // (kind 35): every symbols-row entry and every measure of every row.
  void SaveInstrumentMusic();
  // The step begun (none before the first save or while undo is locked).
  TECUndoStep* Step() const { return recorder_.Step(); }

  // Trims the empty measures at the row's end, each saved first so that
  // undo brings it back; the row's first measure stays.
  void TrimEmptyMeasures(TECRow& row);

  // Records that a change was made.
  void Touch() { touched_ = true; }
  bool Changed() const { return touched_; }
  // Beam groups of the measure are rebuilt once, by Finish.
  void RebuildBeams(TECMeasure& measure) { RebuildBeams(measure, false); }
  // The same with its rests, after notes were made shorter or taken away:
  // the time they leave gets rests, and the measure shows no gap.
  void RebuildBeamsAndRests(TECMeasure& measure);
  // Lays out from `page` instead of the active page (still from an earlier
  // page that holds a saved measure).
  void LayoutFrom(int page) { layoutPage_ = page; }
  void SkipLayout() { layout_ = false; }

  // Ends the command (see above); true when anything changed. Later calls
  // do nothing.
  bool Finish();

 private:
  void RebuildBeams(TECMeasure& measure, bool rests);
  // Measure index m (of any row, or the symbols row) is about to change.
  void NoteChangedMeasure(int m);
  // A safety net behind the rule above: what the command freed or moved
  // without taking it out leaves the selection and ClickedElement.
  void ForgetUnheldRecords();
  // Runs `save` for `record` unless it was saved or failed before, and tells
  // a written entry from one the writer cut back.
  template <typename Save>
  bool Saved(const void* record, Save save);

  TECMusicScore& score_;
  UndoRecorder recorder_;
  bool touched_ = false;
  bool finished_ = false;
  bool layout_ = true;
  int layoutPage_ = -1;
  // The first measure index saved; -1 before any.
  int firstMeasure_ = -1;
  // Measures by place, and whether their rests are rebuilt too.
  std::vector<std::pair<std::pair<TECRow*, int>, bool>> beams_;
  std::vector<const void*> saved_;
  std::vector<const void*> failed_;
};

}  // namespace nv::editing
