#pragma once

// The score that the clipboard fuzz target and its corpus test paste into:
// two rows of music, a symbol and a page text, the cursor inside measure 1.
// PasteAndUndo pastes a payload and, when anything was pasted, takes it back.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editing/selection.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"
#include "render/layout_engine.h"
#include "support/saved_score.h"

namespace paste_target {

inline std::unique_ptr<TECMusicScore> MakeScore() {
  nv::render::InstallLayoutEngine();
  nv::editing::InstallSelectionOwner();
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument* instrument = score->AppendInstrument();
  for (int r = 0; r < 2; ++r) {
    TECRow* row = instrument->AppendRow();
    for (int m = 0; m < 4; ++m) row->AddMeasure();
  }
  score->SetLockUndo(false);
  {
    ScopedUndoLock lock(*score);
    TECRow* row = instrument->GetRow(0);
    const int notes[][4] = {{0, 0, 1, 32}, {0, 32, 3, 48}, {1, 64, 5, 96}, {2, 96, 2, 32}};
    for (const auto& n : notes) {
      score->GoToMeasure(n[0]);
      score->SetCursorPosition(n[1]);
      row->InsertNote(n[2], 5, false, 0, 0, 0, {}, n[3]);
    }
    score->GoToMeasure(1);
    instrument->AddSymbol(ek::SymbolSegno, 0, 0);
    instrument->AddPageText(120, 300, {"text"}, "Arial", 12, 0, 0);
  }
  score->ClearUndoLists();
  score->GoToMeasure(1);
  score->SetCursorPosition(32);
  score->LayoutScore(0, false);
  return score;
}

// Empty when the paste kept its promises: a payload pastes whole or not at
// all, what it pasted saves, and undo gives back the bytes from before.
inline std::string PasteAndUndo(TECMusicScore& score, const std::vector<std::uint8_t>& payload) {
  const SavedScore before(score);
  const int steps = score.UndoCount();
  MemoryStream stream(payload);
  if (!score.LoadSelectionFromStream(stream)) {
    if (score.UndoCount() != steps) return "a refused payload recorded a step";
    if (!(SavedScore(score) == before)) return "a refused payload changed the score";
    return {};
  }
  if (score.UndoCount() != steps + 1) return "a paste recorded no single step";
  try {
    const SavedScore after(score);
  } catch (const EWriteError&) {
    // A pasted measure too long to store is refused by the writer, as in a file.
  }
  score.Undo(1);
  if (!(SavedScore(score) == before)) return "undo did not give back the score";
  return {};
}

}  // namespace paste_target
