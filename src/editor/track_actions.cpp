#include "editor/track_actions.h"

#include "model/instrument.h"

namespace nv::editor {

TrackActionStates TrackActions(const TECMusicScore& score, TrackGridRow selected) {
  TrackActionStates states;
  const int staves = score.InstrumentCount();
  states.AddInstrument = staves < TrackActionStates::kMaxStaves;
  states.DeleteInstrument = staves > 1;
  const TECInstrument* staff = score.CurrentInstrument();
  const int rows = staff != nullptr ? staff->GetRowCount() : 0;
  states.AddRow = staff != nullptr;
  states.DuplicateRow = rows > 1;
  states.DeleteRow = states.DuplicateRow;
  switch (selected.What) {
    case TrackGridRow::kNone:
      break;
    case TrackGridRow::kRow:
      states.MoveUp = rows > 0 && selected.Index > 0;
      states.MoveDown = selected.Index < rows - 1;
      break;
    case TrackGridRow::kStaff:
      states.MoveUp = staves >= 2 && selected.Index > 0;
      states.MoveDown = staves > 1 && selected.Index < staves - 1;
      break;
  }
  return states;
}

}  // namespace nv::editor
