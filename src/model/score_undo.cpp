// The score's undo and redo lists. Steps are not recorded yet: beginning one
// gives none, so every edit runs as with LockUndo set, and the entry writers
// and Undo and Redo do nothing.
#include "model/music_score.h"

TECUndoStep* TECMusicScore::GetUndoStep(int i) const {
  return i >= 0 && i < UndoCount() ? undoList_[i].get() : nullptr;
}

TECUndoStep* TECMusicScore::GetRedoStep(int i) const {
  return i >= 0 && i < RedoCount() ? redoList_[i].get() : nullptr;
}

TECUndoStep* TECMusicScore::BeginUndoStep(std::uint8_t) { return nullptr; }

TECUndoStep* TECMusicScore::BeginRedoStep(std::uint8_t) { return nullptr; }

void TECMusicScore::SaveUndoInstrument(TECUndoStep*, TECInstrument*) {}

void TECMusicScore::SaveUndoRow(TECUndoStep*, TECRow*) {}

void TECMusicScore::SaveUndoMeasure(TECUndoStep*, TECMeasure*, int) {}

void TECMusicScore::SaveUndoAttachment(TECUndoStep*, TECSymbolEntry*, int) {}

void TECMusicScore::SaveUndoPageObject(TECUndoStep*, TECPageObject*) {}

void TECMusicScore::Undo(int) {}

void TECMusicScore::Redo(int) {}
