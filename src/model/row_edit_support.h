#pragma once

class TECMusicScore;
class TECRow;

// What the edits at the cursor share.
namespace row_edit {

// False for a measure whose symbols-row entry holds a multi-measure rest.
bool TakesNotes(const TECRow& row, int measure);

// Ticks of a measure of the row's instrument (at least 1).
int MeasureLength(const TECRow& row, int measure);

// Removes the empty measures past the first `countBefore` that an edit
// appended and then left unused, so that an edit that changes nothing leaves
// the row as it was.
void DropAppendedMeasures(TECRow& row, int countBefore);

// Puts the cursor on (measure, tick), adding pages when the music runs past
// the laid-out ones.
void MoveCursor(TECMusicScore& score, int measure, int tick);

}  // namespace row_edit
