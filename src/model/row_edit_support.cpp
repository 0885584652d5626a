#include "model/row_edit_support.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace row_edit {

bool TakesNotes(const TECRow& row, int measure) {
  const TECInstrument* instrument = row.Owner();
  const TECSymbolEntry* entry = instrument ? instrument->SymbolsRow().At(measure) : nullptr;
  return !entry || entry->Flag == 0;
}

int MeasureLength(const TECRow& row, int measure) {
  TECInstrument* instrument = row.Owner();
  return std::max(1, instrument ? instrument->MeasureLength(measure) : 128);
}

void DropAppendedMeasures(TECRow& row, int countBefore) {
  while (row.MeasureCount() > countBefore && row.GetMeasure(row.MeasureCount() - 1)->IsEmpty())
    row.DeleteMeasure(row.MeasureCount() - 1);
}

void MoveCursor(TECMusicScore& score, int measure, int tick) {
  score.GoToMeasureExtending(measure);
  score.SetCursorPosition(tick);
}

}  // namespace row_edit
