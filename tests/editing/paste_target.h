#pragma once

// The score that the clipboard fuzz target and its corpus test paste into:
// two rows of music, a symbol and a page text, the cursor inside measure 1.
// PasteAndUndo pastes a payload and, when anything was pasted, checks that a
// save and load keep what was pasted, takes it back and redoes it.

#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
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

// The music of a saved score's dump, to compare a score with itself saved
// and loaded again: without the score's settings (a load sets some anew),
// the layout records (the layout pass adds those it computes) and the lists
// of links that later notes hold on a note (a load makes them anew).
inline std::string MusicOf(const SavedScore& saved) {
  std::istringstream in(saved.dump.substr(saved.dump.find("\n  instrument")));
  std::string music;
  for (std::string line; std::getline(in, line);)
    if (line.find("    layout ") != 0 && line.find(" linked ") == std::string::npos) music += line + "\n";
  return music;
}

// Empty when the paste kept its promises: a payload pastes whole or not at
// all, what it pasted saves and loads back as it was pasted, undo gives back
// the bytes from before and redo the paste.
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
  std::optional<SavedScore> after;
  try {
    after.emplace(score);
  } catch (const EWriteError&) {
    // A pasted measure too long to store is refused by the writer, as in a file.
  }
  if (after) {
    TECMusicScore reloaded;
    MemoryStream saved(after->bytes);
    reloaded.LoadFromStream(saved);
    reloaded.LayoutScore(0, false);
    const SavedScore again(reloaded);
    if (!(again == *after)) return "what was pasted does not save the same after a load";
    if (MusicOf(again) != MusicOf(*after)) return "what was pasted is not what a save and load keep";
  }
  score.Undo(1);
  if (!(SavedScore(score) == before)) return "undo did not give back the score";
  if (after) {
    score.Redo(1);
    if (MusicOf(SavedScore(score)) != MusicOf(*after)) return "redo did not give back the paste";
  }
  return {};
}

}  // namespace paste_target
