#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/score_document.h"
#include "formats/external_tools.h"
#include "model/memory_stream.h"
#include "support/edit_harness.h"

namespace document_fixture {

// A score file of two rows of four measures whose first row opens with C, E
// and G quarters, written once per test program, and a document that
// loaded it.
inline const std::filesystem::path& ThreeNoteFile() {
  static const std::filesystem::path path = [] {
    edit_harness::EditFixture f(2, 4);
    f.Note(0, 0, 1, 5, 32, 0);
    f.Note(0, 0, 3, 5, 32, 32);
    f.Note(0, 0, 5, 5, 32, 64);
    MemoryStream stream;
    f.score().SaveToStream(stream);
    return external_tools::WriteTemporary("three-notes.sfd", stream.Data());
  }();
  return path;
}

inline std::unique_ptr<nv::document::ScoreDocument> LoadedDocument() {
  auto document = std::make_unique<nv::document::ScoreDocument>();
  document->Load(ThreeNoteFile().string());
  document->Score().LayoutScore(0, false);
  return document;
}

// The note of row 0, measure 0 that starts at `start`.
inline TECNote* NoteAt(TECMusicScore& score, int start) {
  for (const auto& note : score.CurrentInstrument()->GetRow(0)->GetMeasure(0)->Notes)
    if (note->Start == start) return note.get();
  return nullptr;
}

// Raises the E a step: one recorded edit.
inline void RaiseE(TECMusicScore& score) {
  score.ClearSelection();
  score.SelectElement(NoteAt(score, 32), 0);
  score.MoveSelectionVert(1);
}

}  // namespace document_fixture
