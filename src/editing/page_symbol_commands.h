#pragma once

#include "editing/edit_transaction.h"

class TECInstrument;
class TECMeasure;

namespace nv::editing {

// The texts-row and symbols-row branches of the selection commands. Each
// returns false when the selection is not in that row, so that the caller
// goes on with its staff-row branch.

// Page objects: moved right by dx and up by dy document units, or grown by
// dw in width and dh in height (texts keep their size).
bool MovePageObjects(EditTransaction& edit, int dx, int dy);
bool ResizePageObjects(EditTransaction& edit, int dw, int dh);

// Symbols-row items: the horizontal move (tempo marks by tick, marks 71..76
// by their offset), the vertical offsets, the part number's size, the
// tempo mark's nudge and the alignment of chord marks.
bool MoveSymbolsHorz(EditTransaction& edit, int delta);
bool MoveSymbolsVert(EditTransaction& edit, int delta);
bool ResizePartNumbers(EditTransaction& edit, int delta);
bool NudgeTempoMarks(EditTransaction& edit, int delta);
bool AlignChordMarks(EditTransaction& edit);

// The nearest event start of any row of the instrument in measure m after
// (delta > 0) or before `tick`; `tick` itself when there is none.
int NearestEventInMeasure(const TECInstrument& instrument, int m, int tick, int delta);

}  // namespace nv::editing
