// Measure lengths of the active instrument and the thin layout-setting and
// navigation commands that reach the active instrument and row.
#include <algorithm>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

int TECMusicScore::GetMeasureLength(int i) const {
  const TECInstrument* instrument = CurrentInstrument();
  if (!instrument || i < 0) return defaultMeasureLength_;
  if (i == 0) return GetMeasureLengthForPickup(aufTakt_);
  const auto& layouts = instrument->Layouts();
  const int n = static_cast<int>(layouts.size());
  int length;
  if (i >= n)
    length = n < 2 ? defaultMeasureLength_ : layouts[n - 1]->MeasureLength;
  else
    length = layouts[i]->MeasureLength;
  // A record not filled yet has no length; every caller loops over lengths.
  return length > 0 ? length : defaultMeasureLength_;
}

int TECMusicScore::GetMeasureLengthForPickup(std::uint16_t word) const {
  const int notes = word >> 8;
  const int value = word & 0xFF;
  return notes >= 1 && value >= 1 ? notes * 128 / value : defaultMeasureLength_;
}

int TECMusicScore::MeasureAtPosition(int first, int ticks) const {
  if (first > 0) {
    int count = 0;
    for (int length = GetMeasureLength(first); length <= ticks; length = GetMeasureLength(first + count)) {
      ticks -= length;
      ++count;
    }
    return count;
  }
  // From the start the first measure counts twice and a remainder of 0
  // still lies inside a measure; callers rely on this count.
  ticks -= GetMeasureLength(0);
  if (ticks <= 0) return 0;
  int k = 0;
  do ticks -= GetMeasureLength(k++);
  while (ticks > 0);
  return k;
}

int TECMusicScore::SumMeasureLengths(int first, int last) const {
  int sum = 0;
  for (int i = first; i <= last; ++i) sum += GetMeasureLength(i);
  return sum;
}

void TECMusicScore::ChangeAllMeasureLengths(int length, int fromMeasure) {
  for (const auto& instrument : instruments_) instrument->ChangeMeasureLength(length, fromMeasure);
}

void TECMusicScore::RebuildAllUnions(int fromMeasure, bool rebuildRests, bool noBeams) {
  if (DeferUnions) return;
  for (const auto& instrument : instruments_) instrument->RebuildUnionsFrom(fromMeasure, rebuildRests, noBeams);
}

void TECMusicScore::ChangeColumnSpace(bool before, int delta) {
  TECInstrument* instrument = CurrentInstrument();
  TECMeasureLayout* layout = instrument ? instrument->LayoutAt(cursorMeasure_) : nullptr;
  if (!layout || cursorTick_ < 0 || cursorTick_ >= static_cast<int>(layout->Extents.size())) return;
  std::uint8_t& space = before ? layout->Extents[cursorTick_].Before : layout->Extents[cursorTick_].After;
  const int value = space + delta;
  if (value < 0 || value > 255) return;
  space = static_cast<std::uint8_t>(value);
  LayoutScore(activePage_, false);
  InvalidateScore();
  DoChanged();
}

void TECMusicScore::MoveRowInSystem(int delta) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->MoveRowInSystem(delta);
}

void TECMusicScore::ShiftSystemLeftIndent(int delta) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->ShiftSystemLeftIndent(delta);
}

void TECMusicScore::ShiftSystemRightIndent(int delta) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->ShiftSystemRightIndent(delta);
}

void TECMusicScore::SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density) {
  if (TECInstrument* instrument = CurrentInstrument())
    instrument->SetSystemAlignment(own, spacingMode, horzAlign, measureCount, density);
}

void TECMusicScore::ChangeSpaceAfterBar(int delta) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->ChangeSpaceAfterBar(delta);
}

void TECMusicScore::SetPageBreak(bool add) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->SetPageBreak(add);
}

int TECMusicScore::PageCount() const {
  const TECInstrument* instrument = CurrentInstrument();
  return instrument ? instrument->PageCount() : 0;
}

void TECMusicScore::SetPageCount(int n) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->SetPageCount(n);
}

int TECMusicScore::ClefOffsetAtCursor() const {
  const TECRow* row = CurrentRow();
  return row ? row->ClefOffsetAtCursor() : 0;
}

int TECMusicScore::KeyAccidentalForStep(int step) const {
  const TECRow* row = CurrentRow();
  return row ? row->KeyAccidentalForStep(step) : 0;
}

void TECMusicScore::GoToBegin() {
  if (cursorMeasure_ == 0 && cursorTick_ == 0) return;
  GoToMeasure(0);
  SetCursorPosition(0);
}

void TECMusicScore::GoToEnd() {
  const TECInstrument* instrument = CurrentInstrument();
  if (!instrument) return;
  const int last = instrument->MaxMeasureCount() - 1;
  if (cursorMeasure_ == last && cursorTick_ == 0) return;
  GoToMeasure(last);
  SetCursorPosition(0);
}

void TECMusicScore::NavigateCursor(int code, bool select) {
  TECRow* row = CurrentRow();
  if (!row) return;
  switch (std::clamp(code, -4, 4)) {
    case -4: row->GoToPageStart(); break;
    case -3: row->GoToSystemStart(); break;
    case -2: row->CursorUp(); break;
    case -1: row->CursorToPreviousEvent(select); break;
    case 1: row->CursorToNextEvent(select); break;
    case 2: row->CursorDown(); break;
    case 3: row->GoToSystemEnd(); break;
    case 4: row->GoToPageEnd(); break;
    default: break;
  }
}

void TECMusicScore::MoveActiveRow(int delta) {
  if (TECInstrument* instrument = CurrentInstrument()) instrument->MoveActiveRow(delta);
}
