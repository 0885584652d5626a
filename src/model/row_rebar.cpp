// Re-barring of a row after a change of measure length. Splitting notes
// across the new bar lines comes with note insertion; until then the notes
// stay where they are.
#include "model/row.h"

void TECRow::RebarNotes(int, int) {}
