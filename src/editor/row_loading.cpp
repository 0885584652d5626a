#include "editor/row_loading.h"

#include <algorithm>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"

namespace nv::editor {
namespace {

// Steps 0..6 = C..B in the order sharps and flats are added.
constexpr int kSharpOrder[7] = {3, 0, 4, 1, 5, 2, 6};
constexpr int kFlatOrder[7] = {6, 2, 5, 1, 4, 0, 3};

}  // namespace

std::array<int, 7> KeyAlterations(int keyCode) {
  std::array<int, 7> alterations{};
  if (keyCode >= 1 && keyCode <= 9)
    for (int i = 0; i < std::min(keyCode, 7); ++i) alterations[static_cast<std::size_t>(kSharpOrder[i])] = 1;
  else if (keyCode >= 10)
    for (int i = 0; i < std::min(keyCode - 10, 7); ++i) alterations[static_cast<std::size_t>(kFlatOrder[i])] = -1;
  return alterations;
}

void ApplyAccidentals(const TECNote& note, std::array<int, 7>& alterations) {
  int& value = alterations[static_cast<std::size_t>(std::clamp(note.Kind - ek::NoteC, 0, 6))];
  for (const auto& attribute : note.Attributes) switch (attribute->Kind) {
      case ek::Flat: value = -1; break;
      case ek::DoubleFlat: value = -2; break;
      case ek::Sharp: value = 1; break;
      case ek::DoubleSharp: value = 2; break;
      case ek::Natural: value = 0; break;
      default: break;
    }
}

void LoadActiveRow(TECMusicScore& score, RowItems& items) {
  items.BeginUpdate();
  items.Clear();
  TECInstrument* instrument = score.CurrentInstrument();
  TECRow* row = instrument != nullptr ? instrument->GetActiveRow() : nullptr;
  if (row != nullptr)
    for (int m = 0; m < row->MeasureCount(); ++m) {
      TECMeasure& measure = *row->GetMeasure(m);
      items.AddMeasure(measure, instrument->MeasureLength(m), instrument->MeasureNumerator(m));
      auto alterations = KeyAlterations(measure.KeyInForce);
      for (const auto& note : measure.Notes) {
        if (!ek::IsNoteStep(note->Kind)) continue;
        ApplyAccidentals(*note, alterations);
        items.LoadNote(*note, alterations);
      }
    }
  items.EndUpdate();
}

void TakeScoreSelection(const TECMusicScore& score, RowItems& items) {
  const auto& measures = items.Measures();
  const bool inRow = !measures.empty() && score.SelectedRow == measures.front().Measure->Owner;
  for (RowItem& item : items.Items()) {
    if (item.Kind != ItemKind::Note) continue;
    item.Selected = false;
    if (!inRow) continue;
    for (const TECSelected& entry : score.Selection)
      if (entry.Measure == item.Measure &&
          std::find(entry.Elements.begin(), entry.Elements.end(), item.Element) != entry.Elements.end())
        item.Selected = true;
  }
}

int ItemAtScoreCursor(const TECMusicScore& score, const RowItems& items) {
  const int measure = score.CursorMeasure();
  if (measure < 0 || measure >= static_cast<int>(items.Measures().size())) return -1;
  const auto& all = items.Items();
  for (int i = items.EndItemOf(measure) - 1; i >= items.FirstItemOf(measure); --i) {
    const RowItem& item = all[static_cast<std::size_t>(i)];
    if (item.Kind == ItemKind::Note && item.Note->Start <= score.CursorTick()) return i;
  }
  return -1;
}

}  // namespace nv::editor
