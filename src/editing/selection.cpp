// The selection of TECMusicScore: clearing, toggling single elements and
// the notes at the cursor, and the batched change notice.
#include "editing/selection.h"

#include <algorithm>

#include "editing/element_places.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/score_selection.h"

namespace nv::editing {
namespace {

class EditingSelectionOwner final : public ScoreSelectionOwner {
 public:
  void ToggleMeasureSelection(TECMusicScore& score, TECMeasure& measure) override {
    score.ToggleMeasureSelection(&measure);
  }
};

void InvalidateBox(TECMusicScore& score, const TECElement& element, int part) {
  for (const TECRect& box : BoxesOf(score, element, part)) score.InvalidateArea(box);
}

TECSelected& EntryOf(TECMusicScore& score, int measure) {
  auto it = std::find_if(score.Selection.rbegin(), score.Selection.rend(),
                         [measure](const TECSelected& entry) { return entry.Measure == measure; });
  if (it != score.Selection.rend()) return *it;
  score.Selection.push_back({measure, {}});
  return score.Selection.back();
}

// A row that shares its staff with a neighbour takes a selection only while
// it is the active row.
bool RefusesSelection(const TECMusicScore& score, const TECModelObject* owner) {
  const TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr) return false;
  for (int r = 0; r < instrument->GetRowCount(); ++r) {
    const TECRow* row = instrument->GetRow(r);
    if (row != owner) continue;
    if (r == instrument->GetActiveRowIndex()) return false;
    return row->United() || (r > 0 && instrument->GetRow(r - 1)->United());
  }
  return false;
}

}  // namespace

void InstallSelectionOwner() {
  static EditingSelectionOwner owner;
  InstallScoreSelectionOwner(&owner);
}

}  // namespace nv::editing

using nv::editing::BoxOf;

void TECMusicScore::NotifySelectedChanged() {
  if (SelectionBatch > 0) {
    ++SelectionBatch;
    return;
  }
  if (OnSelectedChanged) OnSelectedChanged(this);
}

void TECMusicScore::EndSelectionBatch() {
  const bool changed = SelectionBatch > 1;
  SelectionBatch = 0;
  if (changed && OnSelectedChanged) OnSelectedChanged(this);
}

void TECMusicScore::ClearSelection() {
  for (const TECSelected& entry : Selection)
    for (TECElement* element : entry.Elements) {
      nv::editing::InvalidateBox(*this, *element, 0);
      if (element->Kind == ek::LinkAbove || element->Kind == ek::LinkBelow)
        if (element->Type() == TECElementType::Attribute) static_cast<TECLinkAttribute*>(element)->HitPart = 0;
    }
  if (SelectedRowGroup >= 0) {
    SelectedRowGroup = -1;
    InvalidateScore();
  }
  Selection.clear();
  SelectedRow = nullptr;
  NotifySelectedChanged();
}

bool TECMusicScore::SelectElement(TECElement* element, int part) {
  if (element == nullptr) return true;
  const auto place = nv::editing::PlaceOf(*this, *element);
  if (!place) return true;
  if (nv::editing::RefusesSelection(*this, place->Owner)) return false;
  const bool link = element->Type() == TECElementType::Attribute &&
                    (element->Kind == ek::LinkAbove || element->Kind == ek::LinkBelow);
  if (place->Owner != SelectedRow) {
    ClearSelection();
    SelectedRow = place->Owner;
    Selection.push_back({place->Measure, {element}});
  } else {
    TECSelected& entry = nv::editing::EntryOf(*this, place->Measure);
    auto it = std::find(entry.Elements.begin(), entry.Elements.end(), element);
    if (it != entry.Elements.end()) {
      entry.Elements.erase(it);
      if (entry.Elements.empty())
        std::erase_if(Selection, [](const TECSelected& e) { return e.Elements.empty(); });
      nv::editing::InvalidateBox(*this, *element, link ? part : 0);
      if (link) static_cast<TECLinkAttribute*>(element)->HitPart = 0;
      return true;
    }
    entry.Elements.push_back(element);
  }
  if (link && part > 0) static_cast<TECLinkAttribute*>(element)->HitPart = static_cast<std::uint8_t>(part);
  nv::editing::InvalidateBox(*this, *element, link ? part : 0);
  NotifySelectedChanged();
  return true;
}

void TECMusicScore::InvalidateElement(TECElement* element) {
  if (element != nullptr && element->Type() == TECElementType::Note) InvalidateArea(BoxOf(*this, *element, 0));
}

void TECMusicScore::ToggleMeasureSelection(TECMeasure* measure) {
  if (measure == nullptr || measure->Owner == nullptr) return;
  if (measure->Owner != SelectedRow) {
    ClearSelection();
    SelectedRow = measure->Owner;
  }
  const int tick = CursorTick();
  auto toggle = [&](TECElement* element) {
    TECSelected& entry = nv::editing::EntryOf(*this, measure->Index);
    auto it = std::find(entry.Elements.begin(), entry.Elements.end(), element);
    if (it != entry.Elements.end())
      entry.Elements.erase(it);
    else
      entry.Elements.push_back(element);
    InvalidateArea(BoxOf(*this, *element, 0));
    NotifySelectedChanged();
  };
  for (const auto& note : measure->Notes)
    if (note->Start == tick) toggle(note.get());
  for (const auto& rest : measure->Rests)
    if (rest->Position == tick) toggle(rest.get());
  std::erase_if(Selection, [](const TECSelected& e) { return e.Elements.empty(); });
  if (Selection.empty()) SelectedRow = nullptr;
}

void TECMusicScore::ClientToDocument(int& x, int& y) const {
  x += HorzScrollBar.Position;
  y += VertScrollBar.Position;
  if (GetRules()) {
    x -= RulerWidth;
    y -= RulerWidth;
  }
}
