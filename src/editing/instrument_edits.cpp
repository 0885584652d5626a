// Adding, deleting, moving and muting instruments, and uniting rows on one
// staff.
#include <algorithm>

#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/undo_entries.h"
#include "model/row.h"
#include "model/undo_step.h"

TECInstrument* TECMusicScore::AddInstrument() {
  if (!nv::editing::EditsAllowed(*this)) return nullptr;
  TECInstrument* instrument = AppendInstrument();
  if (TECUndoStep* step = BeginUndoStep(undo_kind::AddInstrument)) SaveUndoInstrument(step, instrument);
  LayoutScore(0, false);
  FireStaveChanged(this, TECStaveOperation::soAdded, instrument);
  DoChanged();
  return instrument;
}

int TECMusicScore::DeleteInstrument(int index) {
  const int count = InstrumentCount();
  if (index < 0 || index >= count) return count;
  if (count < 2) return count - 1;
  if (!nv::editing::EditsAllowed(*this)) return count;
  TECInstrument* instrument = GetInstrumentAt(index);
  // The step's header and entries come from the instrument's own writer.
  if (TECUndoStep* step = BeginUndoStep(undo_kind::DeleteInstrument)) WriteUndoInstrumentHeader(step->Stream, *instrument);
  // Begun or not, the selection is released: records are about to go.
  ReleaseSelection();
  const int active = GetActiveInstrument();
  DeleteInstrumentAt(index);
  // The same instrument stays active; deleting the active one makes the
  // previous one active, and the index never points past the list.
  int next = active;
  if (index < active || (index == active && index > 0)) next = active - 1;
  next = std::clamp(next, 0, InstrumentCount() - 1);
  // Deleting the active first instrument hands its index to the next one,
  // which SetActiveInstrument takes for no change.
  const bool handedOn = index == active && next == active;
  SetActiveInstrument(next);
  LayoutScore(0, false);
  if (handedOn) {
    TECInstrument* now = CurrentInstrument();
    // The page shown must be one the new active instrument has.
    if (GetActivePage() >= now->PageCount()) SetActivePage(now->PageCount() - 1);
    FireStaveChanged(this, TECStaveOperation::soActiveChanged, now);
  }
  InvalidateScore();
  DoChanged();
  return InstrumentCount();
}

void TECMusicScore::MoveInstrument(int delta) {
  const int count = InstrumentCount();
  if (count == 0 || !nv::editing::EditsAllowed(*this)) return;
  const int from = GetActiveInstrument();
  const int to = std::clamp(from + delta, 0, count - 1);
  if (to == from) return;
  // Steps name instruments by index: none of them would fit any more.
  ReleaseSelection();
  ClearUndoLists();
  TECInstrument* moving = GetInstrumentAt(from);
  MoveInstrumentInList(from, to);
  SetActiveInstrument(to);
  FireStaveChanged(this, TECStaveOperation::soMoved, moving);
  DoChanged();
}

void TECMusicScore::SetAllMuted(bool mute) {
  for (int i = 0; i < InstrumentCount(); ++i) {
    TECInstrument* instrument = GetInstrumentAt(i);
    instrument->SetMute(mute);
    for (int r = 0; r < instrument->GetRowCount(); ++r) instrument->GetRow(r)->SetMute(mute);
  }
}

void TECMusicScore::UnionSplitRow(bool unite) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || instrument->GetRowCount() < 2) return;
  const int i = instrument->GetActiveRowIndex();
  const int last = instrument->GetRowCount() - 1;
  TECRow* row = instrument->GetRow(i);
  TECRow* previous = instrument->GetRow(i - 1);
  if (row == nullptr) return;
  if (unite && i < last) {
    TECRow* next = instrument->GetRow(i + 1);
    // A row shares a staff with one other row only.
    if ((previous != nullptr && previous->United()) || next->United()) return;
    row->SetUnited(true);
  } else if (unite) {
    if (previous->United() || (i > 1 && instrument->GetRow(i - 2)->United())) return;
    previous->SetUnited(true);
  } else if (row->United()) {
    row->SetUnited(false);
  } else if (previous != nullptr) {
    previous->SetUnited(false);
  }
}
