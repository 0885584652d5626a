#pragma once

#include <array>
#include <cstdint>

#include "editor/row_items.h"

class TECMusicScore;
class TECNote;

namespace nv::editor {

// The semitones a key code (the measure's key in force: 1..9 sharps,
// 10 and above flats) gives the steps C..B.
std::array<int, 7> KeyAlterations(int keyCode);
// A note's accidental marks change its own step for it and the notes after
// it in the measure.
void ApplyAccidentals(const TECNote& note, std::array<int, 7>& alterations);

// Refills the items with every measure of the active row of the score's
// current instrument, inside one update bracket; empty without one.
void LoadActiveRow(TECMusicScore& score, RowItems& items);

// Marks each note item whose element the score's selection holds; without
// a selection in a row every mark is cleared. Grace-note and sub-note
// items keep theirs.
void TakeScoreSelection(const TECMusicScore& score, RowItems& items);
// The note item the score's cursor stands on or last passed (the first
// item may be it), or -1 when the cursor's measure is not loaded.
int ItemAtScoreCursor(const TECMusicScore& score, const RowItems& items);

}  // namespace nv::editor
