#include "editing/drop_geometry.h"

#include <cstdlib>

#include "editing/element_places.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"

namespace nv::editing {
namespace {

// Column offset of a tick from the measure's content origin, from its
// layout record; none when the measure has no record with columns.
std::optional<int> ColumnOffset(const TECMusicScore& score, int measure, int tick) {
  const TECInstrument* instrument = score.CurrentInstrument();
  const TECMeasureLayout* layout = instrument != nullptr ? instrument->LayoutAt(measure) : nullptr;
  if (layout == nullptr || layout->Positions.empty()) return std::nullopt;
  int last = static_cast<int>(layout->Positions.size()) - 1;
  if (layout->MeasureLength > 0) last = std::min<int>(last, layout->MeasureLength);
  return layout->Positions[std::clamp(tick, 0, last)];
}

int LastTick(const TECMusicScore& score, int measure) { return std::max(0, score.GetMeasureLength(measure) - 1); }

// Nearest start to `reference` among the starts, from the measure length as
// the first candidate; 0 without starts.
int NearestStart(const std::vector<int>& starts, int reference, int length) {
  if (starts.empty()) return 0;
  int best = length;
  for (int start : starts)
    if (std::abs(start - reference) < std::abs(best - reference)) best = start;
  return best;
}

std::vector<int> EventStarts(const TECMeasure& measure, std::optional<int> voice) {
  std::vector<int> starts;
  for (const auto& note : measure.Notes)
    if (!voice || note->Voice == *voice) starts.push_back(note->Start);
  for (const auto& rest : measure.Rests)
    if (!voice || rest->Voice == *voice) starts.push_back(rest->Position);
  return starts;
}

}  // namespace

HandleEdges EdgesOf(int handle) {
  return {handle == 1 || handle == 7 || handle == 8, handle == 1 || handle == 2 || handle == 3,
          handle == 3 || handle == 4 || handle == 5, handle == 5 || handle == 6 || handle == 7};
}

std::optional<StaffPlace> StaffPlaceAt(const TECMusicScore& score, TECPoint p) {
  const TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr) return std::nullopt;
  const int staffHeight = 4 * StaffSpacePixels(score);
  const auto& drawn = score.PageLayout.DrawnMeasures;
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    const bool united = instrument->GetRow(r)->United() || (r > 0 && instrument->GetRow(r - 1)->United());
    if (united && r != instrument->GetActiveRowIndex()) continue;
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
      if (it->Row != r || p.X < it->StartX) continue;
      if (p.Y < it->StaffTop - staffHeight / 2 || p.Y > it->StaffTop + staffHeight + staffHeight / 2) continue;
      return StaffPlace{r, &*it};
    }
  }
  return std::nullopt;
}

int NearestEventPosition(const TECMusicScore& score, const TECMeasure& measure, const TECDrawnMeasure& drawn, int x) {
  const int last = LastTick(score, drawn.Measure);
  int reference = last;
  if (ColumnOffset(score, drawn.Measure, 0)) {
    reference = -1;
    for (int tick = 0; tick <= last; ++tick)
      if (drawn.OriginX + *ColumnOffset(score, drawn.Measure, tick) <= x) reference = tick;
  }
  return NearestStart(EventStarts(measure, std::nullopt), reference, score.GetMeasureLength(drawn.Measure));
}

std::optional<GhostNote> GhostNoteAt(const TECMusicScore& score, TECPoint p) {
  const auto place = StaffPlaceAt(score, p);
  if (!place) return std::nullopt;
  const TECDrawnMeasure& drawn = *place->Drawn;
  const TECInstrument& instrument = *score.CurrentInstrument();
  const TECRow& row = *instrument.GetRow(place->Row);
  const TECMeasure* measure = row.GetMeasure(drawn.Measure);
  GhostNote ghost;
  ghost.Row = place->Row;
  ghost.Measure = drawn.Measure;
  const int last = LastTick(score, drawn.Measure);
  if (ColumnOffset(score, drawn.Measure, 0)) {
    int reference = last;
    for (int tick = 0; tick <= last; ++tick)
      if (*ColumnOffset(score, drawn.Measure, tick) > p.X - drawn.OriginX) {
        reference = tick;
        break;
      }
    const std::optional<int> voice = row.VoiceMode() > 0 ? std::optional<int>(score.CursorVoice()) : std::nullopt;
    const int length = score.GetMeasureLength(drawn.Measure);
    int position = measure != nullptr ? NearestStart(EventStarts(*measure, voice), reference, length) : 0;
    if (position < 0 || position >= length) position = 0;
    ghost.X = drawn.OriginX + *ColumnOffset(score, drawn.Measure, position);
  } else {
    // No record: where the caret stands in such a measure.
    int k = 10;
    const bool firstOnPage = drawn.Measure == score.PageFirstMeasure(score.GetActivePage());
    if (firstOnPage || drawn.StartX < Zoomed(score, 56)) {
      if (row.MeasureCount() > 0)
        k = 6 * instrument.MaxKeyAccidentals(row.MeasureCount() - 1, true) + 32;
      else
        k = drawn.Measure > 0 ? 30 : 48;
    }
    ghost.X = drawn.StartX + Zoomed(score, k);
  }
  const int d = StaffSpacePixels(score);
  ghost.Step = StaffStepAt(score, drawn.StaffTop, p.Y);
  ghost.DashY = drawn.StaffTop + 5 * d - ghost.Step * d / 2;
  // Ledger lines between the staff and the dash; a dash on a ledger line's
  // place stands for that line itself.
  const int below = ghost.Step < 0 ? (1 - ghost.Step) / 2 : 0;
  for (int i = 0; i < below; ++i) ghost.LedgerYs.push_back(drawn.StaffTop + 5 * d + i * d);
  const int above = ghost.Step >= 13 ? (ghost.Step - 11) / 2 : 0;
  for (int i = 0; i < above; ++i) ghost.LedgerYs.push_back(drawn.StaffTop - d - i * d);
  return ghost;
}

std::string PitchLetter(int step) {
  static constexpr const char* kLetters[] = {"C", "D", "E", "F", "G", "A", "B"};
  return kLetters[((step + 35) % 7 + 7) % 7];
}

std::string PitchHintAt(const TECMusicScore& score, TECPoint p) {
  const auto ghost = GhostNoteAt(score, p);
  if (!ghost) return "";
  const TECRow* row = score.CurrentInstrument()->GetRow(ghost->Row);
  return PitchLetter(ghost->Step + row->ClefOffsetAt(ghost->Measure));
}

}  // namespace nv::editing
