#include "editing/element_places.h"

#include <algorithm>
#include <cmath>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/row.h"
#include "model/units.h"
#include "render/painter_context.h"

namespace nv::editing {
namespace {

bool Selectable(const TECElement& element) {
  if (element.Type() == TECElementType::PlayNote) return false;
  if (element.Type() != TECElementType::Attribute && element.Type() != TECElementType::MeasureItem) return true;
  const int k = element.Kind;
  return !(k == ek::Dynamics || (k >= 110 && k <= 113) || (k >= 121 && k <= 123) || k == 129);
}

TECMeasure* MeasureOf(TECElement& element) {
  switch (element.Type()) {
    case TECElementType::Clef: return static_cast<TECClef&>(element).Owner;
    case TECElementType::KeySignature: return static_cast<TECKeySignature&>(element).Owner;
    case TECElementType::TimeSignature: return static_cast<TECTimeSignature&>(element).Owner;
    case TECElementType::Note: return static_cast<TECNote&>(element).Owner;
    case TECElementType::Rest: return static_cast<TECRest&>(element).Owner;
    case TECElementType::MeasureItem: return static_cast<TECMeasureItem&>(element).Owner;
    default: break;
  }
  TECElement* event = HoldingEvent(element);
  return event != nullptr && event != &element ? MeasureOf(*event) : nullptr;
}

bool AttributesHold(const TECAttributeList& attributes, const TECElement* element) {
  for (const auto& attribute : attributes) {
    if (attribute.get() == element) return true;
    if (attribute->Kind == ek::GraceNotes && attribute->Type() == TECElementType::Attribute)
      for (const auto& grace : static_cast<const TECGraceGroup&>(*attribute).Notes)
        if (grace.get() == element) return true;
  }
  return false;
}

bool MeasureHolds(const TECMeasure& measure, const TECElement* element) {
  if (element == measure.Clef.get() || element == measure.KeySignature.get() || element == measure.TimeSignature.get())
    return true;
  for (const auto& note : measure.Notes)
    if (note.get() == element || AttributesHold(note->Attributes, element)) return true;
  for (const auto& rest : measure.Rests)
    if (rest.get() == element || AttributesHold(rest->Attributes, element)) return true;
  for (const auto& item : measure.Items)
    if (item.get() == element) return true;
  return false;
}

}  // namespace

bool HoldsRecord(const TECMusicScore& score, const TECModelObject* owner, int measure, const TECElement* element) {
  const TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || owner == nullptr) return false;
  if (owner == &instrument->TextsRow()) {
    for (const auto& object : instrument->TextsRow().Objects)
      if (object.get() == element) return true;
    return false;
  }
  if (owner == &instrument->SymbolsRow()) {
    const TECSymbolEntry* entry = instrument->SymbolsRow().At(measure);
    if (entry != nullptr)
      for (const auto& item : entry->Items)
        if (item.get() == element) return true;
    return false;
  }
  for (int r = 0; r < instrument->GetRowCount(); ++r)
    if (instrument->GetRow(r) == owner) {
      const TECMeasure* held = instrument->GetRow(r)->GetMeasure(measure);
      return held != nullptr && MeasureHolds(*held, element);
    }
  return false;
}

bool HeldAnywhere(const TECMusicScore& score, const TECElement* element) {
  const TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr) return false;
  if (HoldsRecord(score, &instrument->TextsRow(), 0, element)) return true;
  for (int m = 0; m < instrument->SymbolsRow().Count(); ++m)
    if (HoldsRecord(score, &instrument->SymbolsRow(), m, element)) return true;
  for (int r = 0; r < instrument->GetRowCount(); ++r)
    for (int m = 0; m < instrument->GetRow(r)->MeasureCount(); ++m)
      if (HoldsRecord(score, instrument->GetRow(r), m, element)) return true;
  return false;
}

TECElement* HoldingEvent(TECElement& element) {
  if (element.Type() == TECElementType::Note || element.Type() == TECElementType::Rest) return &element;
  TECElement* owner = nullptr;
  if (element.Type() == TECElementType::Attribute) owner = static_cast<TECNoteAttribute&>(element).Owner;
  if (element.Type() == TECElementType::GraceNote) owner = static_cast<TECGraceNote&>(element).Group;
  return owner != nullptr ? HoldingEvent(*owner) : nullptr;
}

std::optional<ElementPlace> PlaceOf(const TECMusicScore& score, const TECElement& constElement) {
  auto& element = const_cast<TECElement&>(constElement);
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || !Selectable(element)) return std::nullopt;
  if (element.Type() == TECElementType::PageObject) {
    if (instrument->TextsRow().IndexOf(&static_cast<TECPageObject&>(element)) < 0) return std::nullopt;
    return ElementPlace{&instrument->TextsRow(), 0};
  }
  if (element.Type() == TECElementType::SymbolItem) {
    const TECSymbolEntry* entry = static_cast<TECSymbolItem&>(element).Entry;
    const int index = instrument->SymbolsRow().IndexOf(entry);
    if (index < 0) return std::nullopt;
    return ElementPlace{&instrument->SymbolsRow(), index};
  }
  TECMeasure* measure = MeasureOf(element);
  if (measure == nullptr || measure->Owner == nullptr || measure->Owner->Owner() != instrument) return std::nullopt;
  return ElementPlace{measure->Owner, measure->Index};
}

int Zoomed(const TECMusicScore& score, int pixels) { return pixels * score.ZoomFactor() / 10000; }

int PageObjectPixels(const TECMusicScore& score, int stored) { return Zoomed(score, stored - 1000); }

TECRect RectOf(const TECElementBox& box) { return {box.Left, box.Top, box.Right, box.Bottom}; }

TECRect NormalisedRect(TECPoint a, TECPoint b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TECRect Moved(const TECRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

int StaffSpacePixels(const TECMusicScore& score) {
  return StaffSpace(score.GetResolution(), score.ZoomFactor());
}

int StaffStepAt(const TECMusicScore& score, int staffTop, int y) {
  // Steps are half spaces counted up from one space below the bottom line;
  // a point within a quarter space of a line or space centre takes that step.
  const int d = StaffSpacePixels(score);
  const int twice = 2 * (staffTop + 5 * d - y) + d / 2;
  return twice >= 0 ? twice / d : -((-twice + d - 1) / d);
}

const TECDrawnMeasure* DrawnMeasureOf(const TECMusicScore& score, int row, int m) {
  return score.PageLayout.Drawn(row, m);
}

TECRect BoxOf(const TECMusicScore& score, const TECElement& element, int part) {
  const TECElementBox& b = element.Box;
  TECRect box = RectOf(b);
  const int k = element.Kind;
  if (element.Type() == TECElementType::Note && static_cast<const TECNote&>(element).Extra[4] != 0) {
    const int widen = Zoomed(score, 6);
    box.Left -= widen;
    box.Right += widen;
  } else if (element.Type() == TECElementType::Attribute && (k == ek::LinkAbove || k == ek::LinkBelow)) {
    const auto& link = static_cast<const TECLinkAttribute&>(element);
    const TECElementBox& first = link.PartBoxes[0];
    const TECElementBox& second = link.PartBoxes[1];
    if (part == 1) return {first.Left, first.Top, first.Right, first.Bottom};
    if (part == 2) return {second.Left, second.Top, second.Right, second.Bottom};
    return {std::min(first.Left, second.Left), std::min(first.Top, second.Top), std::max(first.Right, second.Right),
            std::max(first.Bottom, second.Bottom)};
  } else if (element.Type() == TECElementType::SymbolItem &&
             (k == ek::SymbolBarNumber || k == ek::SymbolVolta || k == ek::SymbolMultiRest)) {
    const TECInstrument* instrument = score.CurrentInstrument();
    const int rows = instrument != nullptr ? instrument->VisibleRowCount() : 1;
    // Drawn once per row above the stored box: grown upward to cover them.
    box.Top -= 4 * StaffSpacePixels(score) * rows;
  }
  return box;
}

std::vector<TECRect> BoxesOf(const TECMusicScore& score, const TECElement& element, int part) {
  if (element.Type() != TECElementType::MeasureItem || !ek::IsSpanner(element.Kind)) return {BoxOf(score, element, part)};
  std::vector<TECRect> boxes;
  for (const TECElementBox& b : static_cast<const TECMeasureItem&>(element).SegmentBoxes)
    boxes.push_back(RectOf(b));
  return boxes;
}

}  // namespace nv::editing
