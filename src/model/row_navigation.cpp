// Cursor moves within a row: from event to event, to the ends of the page
// and of the system, and between voices, rows and systems.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

// Event starts of a measure for the cursor: note starts and rest positions,
// of the cursor voice only in a multi-voice row.
std::vector<int> EventStarts(const TECRow& row, int m) {
  std::vector<int> starts;
  const TECMeasure* measure = row.GetMeasure(m);
  const TECMusicScore* score = row.Score();
  if (!measure || !score) return starts;
  const bool multiVoice = row.VoiceMode() > 0;
  const int voice = score->CursorVoice();
  for (const auto& note : measure->Notes)
    if (!multiVoice || note->Voice == voice) starts.push_back(note->Start);
  for (const auto& rest : measure->Rests)
    if (!multiVoice || rest->Voice == voice) starts.push_back(rest->Position);
  return starts;
}

int Earliest(const std::vector<int>& starts) {
  return starts.empty() ? 0 : *std::min_element(starts.begin(), starts.end());
}

int Latest(const std::vector<int>& starts) {
  return starts.empty() ? 0 : *std::max_element(starts.begin(), starts.end());
}

void MoveCursor(TECMusicScore& score, int measure, int tick) {
  score.GoToMeasure(measure);
  if (score.CursorMeasure() == measure) score.SetCursorPosition(tick);
}

// The measure places of the active page (index = measure - page start).
const TECMeasurePlace* PlaceOf(const TECRow& row, const TECMusicScore& score, int m) {
  const int index = m - score.PageFirstMeasure(score.GetActivePage());
  return index >= 0 && index < static_cast<int>(row.Placement.size()) ? &row.Placement[index] : nullptr;
}

// First and last measure of a system of the active page; false when the
// page has no such system.
bool SystemRange(const TECRow& row, const TECMusicScore& score, int system, int& first, int& last) {
  const int pageFirst = score.PageFirstMeasure(score.GetActivePage());
  first = INT_MAX;
  last = -1;
  for (int i = 0; i < static_cast<int>(row.Placement.size()); ++i)
    if (row.Placement[i].System == system) {
      first = std::min(first, pageFirst + i);
      last = std::max(last, pageFirst + i);
    }
  return last >= 0;
}

}  // namespace

// Ties keep the first found: notes before rests.
void TECRow::SnapCursor() {
  TECMusicScore* score = Score();
  if (!score) return;
  const int measure = score->CursorMeasure();
  const int tick = score->CursorTick();
  int best = -1;
  int bestDistance = INT_MAX;
  for (int start : EventStarts(*this, measure))
    if (std::abs(start - tick) < bestDistance) {
      bestDistance = std::abs(start - tick);
      best = start;
    }
  if (best < 0 || best >= score->GetMeasureLength(measure)) best = 0;
  score->SetCursorPosition(best);
}

bool TECRow::FindPreviousEvent(int& measure, int& position) const {
  int best = -1;
  for (int start : EventStarts(*this, measure))
    if (start < position) best = std::max(best, start);
  if (best >= 0) {
    position = best;
    return true;
  }
  if (measure <= 0) return false;
  --measure;
  position = Latest(EventStarts(*this, measure));
  return true;
}

bool TECRow::FindNextEvent(int& measure, int& position) const {
  int best = INT_MAX;
  for (int start : EventStarts(*this, measure))
    if (start > position) best = std::min(best, start);
  if (best != INT_MAX) {
    position = best;
    return true;
  }
  ++measure;
  position = Earliest(EventStarts(*this, measure));
  return true;
}

namespace {

// The select flag toggles the notes and rests at the cursor through the
// installed selection owner (a layer above); the moves do not depend on it.
void ToggleCursorSelection(TECMusicScore& score, TECMeasure* measure) {
  ScoreSelectionOwner* owner = InstalledScoreSelectionOwner();
  if (owner != nullptr && measure != nullptr) owner->ToggleMeasureSelection(score, *measure);
}

bool HasEvents(const TECMeasure* measure) {
  return measure != nullptr && (!measure->Notes.empty() || !measure->Rests.empty());
}

}  // namespace

void TECRow::CursorToPreviousEvent(bool select) {
  TECMusicScore* score = Score();
  if (!score) return;
  int measure = score->CursorMeasure();
  int position = score->CursorTick();
  if (!FindPreviousEvent(measure, position)) return;
  const bool sameMeasure = measure == score->CursorMeasure();
  MoveCursor(*score, measure, position);
  if (select && (sameMeasure || HasEvents(GetMeasure(measure)))) ToggleCursorSelection(*score, GetMeasure(measure));
}

void TECRow::CursorToNextEvent(bool select) {
  TECMusicScore* score = Score();
  if (!score) return;
  int measure = score->CursorMeasure();
  int position = score->CursorTick();
  FindNextEvent(measure, position);
  // The row ends at the empty measure after its last one, where entry
  // goes on.
  if (measure > MeasureCount()) return;
  // What stands at the cursor is toggled before the cursor leaves it, also
  // when it leaves the measure.
  if (select) ToggleCursorSelection(*score, GetMeasure(score->CursorMeasure()));
  MoveCursor(*score, measure, position);
}

void TECRow::GoToPageStart() {
  TECMusicScore* score = Score();
  if (!score) return;
  const int first = score->PageFirstMeasure(score->GetActivePage());
  MoveCursor(*score, first, Earliest(EventStarts(*this, first)));
}

void TECRow::GoToPageEnd() {
  TECMusicScore* score = Score();
  if (!score) return;
  const int page = score->GetActivePage();
  int last = score->PageLastMeasure(page);
  if (last <= 0) {
    // The last page has no next start: its measures are those laid out on
    // it, or the row's own.
    last = Placement.empty() ? MeasureCount() - 1
                             : score->PageFirstMeasure(page) + static_cast<int>(Placement.size()) - 1;
  }
  last = std::max(last, score->PageFirstMeasure(page));
  MoveCursor(*score, last, Latest(EventStarts(*this, last)));
}

void TECRow::GoToSystemStart() { GoToSystemEdge(false); }

void TECRow::GoToSystemEnd() { GoToSystemEdge(true); }

// The first event of the cursor's system, or the last one.
void TECRow::GoToSystemEdge(bool atEnd) {
  TECMusicScore* score = Score();
  const TECMeasurePlace* place = score ? PlaceOf(*this, *score, score->CursorMeasure()) : nullptr;
  int first = 0;
  int last = 0;
  if (!place || !SystemRange(*this, *score, place->System, first, last)) return;
  if (owner_) owner_->SetActiveRow(GetIndex());
  if (atEnd)
    MoveCursor(*score, last, Latest(EventStarts(*this, last)));
  else
    MoveCursor(*score, first, Earliest(EventStarts(*this, first)));
  SnapCursor();
}

void TECRow::CursorUp() {
  TECMusicScore* score = Score();
  if (!score || !owner_) return;
  if (voiceMode_ > 0 && score->CursorVoice() > 0) {
    score->SetCursorVoice(score->CursorVoice() - 1);
    return;
  }
  const int index = GetIndex();
  if (index > 0) {
    owner_->SetActiveRow(index - 1);
    owner_->GetRow(index - 1)->SnapCursor();
    score->ScrollToCursor();
    return;
  }
  // From the first row to the last row of the system above.
  const TECMeasurePlace* place = PlaceOf(*this, *score, score->CursorMeasure());
  int first = 0;
  int last = 0;
  if (!place || !SystemRange(*this, *score, place->System - 1, first, last)) return;
  int target = first;
  for (int m = first; m <= last; ++m)
    if (const TECMeasurePlace* p = PlaceOf(*this, *score, m); p && p->X <= place->X) target = m;
  TECRow* lastRow = owner_->GetRow(owner_->GetRowCount() - 1);
  owner_->SetActiveRow(owner_->GetRowCount() - 1);
  score->GoToMeasure(target);
  lastRow->SnapCursor();
}

void TECRow::CursorDown() {
  TECMusicScore* score = Score();
  if (!score || !owner_) return;
  if (voiceMode_ > 0 && score->CursorVoice() < voiceMode_) {
    score->SetCursorVoice(score->CursorVoice() + 1);
    return;
  }
  const int index = GetIndex();
  if (index + 1 < owner_->GetRowCount()) {
    owner_->SetActiveRow(index + 1);
    owner_->GetRow(index + 1)->SnapCursor();
    score->ScrollToCursor();
    return;
  }
  // From the last row to the first row of the system below.
  const TECMeasurePlace* place = PlaceOf(*this, *score, score->CursorMeasure());
  int first = 0;
  int last = 0;
  if (!place || !SystemRange(*this, *score, place->System + 1, first, last)) return;
  int target = last;
  for (int m = last; m >= first; --m)
    if (const TECMeasurePlace* p = PlaceOf(*this, *score, m); p && p->X >= place->X) target = m;
  TECRow* firstRow = owner_->GetRow(0);
  owner_->SetActiveRow(0);
  score->GoToMeasure(target);
  firstRow->SnapCursor();
}
