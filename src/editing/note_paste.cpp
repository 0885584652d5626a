// LoadSelectionFromStream: a clipboard payload pasted at the cursor as one
// undo step (kind 25). The payload is read whole and every place worked out
// before the score changes, so that a payload that cannot be read or placed
// pastes nothing and records nothing.
#include <algorithm>
#include <limits>
#include <set>

#include "editing/edit_transaction.h"
#include "editing/element_places.h"
#include "editing/paste_carry.h"
#include "formats/clipboard_payload.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/note_placement.h"
#include "model/row.h"
#include "model/symbols_row.h"

namespace nv::editing {
namespace {

// How far right and down a pasted page object lands from its copy.
constexpr int kObjectShift = 10;

std::int16_t Shifted(std::int16_t value) {
  return static_cast<std::int16_t>(std::min<int>(value + kObjectShift, std::numeric_limits<std::int16_t>::max()));
}

void ShiftPageObject(TECPageObject& object) {
  switch (object.Kind) {
    case ek::PageText: {
      auto& text = static_cast<TECPageText&>(object);
      text.X = Shifted(text.X);
      text.Y = Shifted(text.Y);
      return;
    }
    case ek::PagePicture: {
      auto& picture = static_cast<TECPagePicture&>(object);
      picture.X = Shifted(picture.X);
      picture.Y = Shifted(picture.Y);
      return;
    }
    case ek::PageLine: {
      auto& line = static_cast<TECPageLine&>(object);
      line.X1 = Shifted(line.X1);
      line.Y1 = Shifted(line.Y1);
      line.X2 = Shifted(line.X2);
      line.Y2 = Shifted(line.Y2);
      return;
    }
    case ek::PageArc:
    case ek::PagePie:
    case ek::PageChord: {
      // The radial points move with the box, so the arc keeps its angles.
      auto& arc = static_cast<TECPageArc&>(object);
      arc.StartX = Shifted(arc.StartX);
      arc.StartY = Shifted(arc.StartY);
      arc.EndX = Shifted(arc.EndX);
      arc.EndY = Shifted(arc.EndY);
      [[fallthrough]];
    }
    default: {
      auto& shape = static_cast<TECPageShape&>(object);
      shape.X = Shifted(shape.X);
      shape.Y = Shifted(shape.Y);
      return;
    }
  }
}

void Select(TECMusicScore& score, TECModelObject* owner, int measure, TECElement* element) {
  score.SelectedRow = owner;
  auto entry = std::find_if(score.Selection.begin(), score.Selection.end(),
                            [measure](const TECSelected& e) { return e.Measure == measure; });
  if (entry == score.Selection.end()) entry = score.Selection.insert(score.Selection.end(), {measure, {}});
  entry->Elements.push_back(element);
}

bool PasteTexts(TECMusicScore& score, TECInstrument& instrument, ClipboardPayload& payload) {
  if (std::all_of(payload.Objects.begin(), payload.Objects.end(), [](const auto& list) { return list.empty(); }))
    return false;
  EditTransaction edit(score, undo_kind::Paste);
  if (!edit.Allowed()) return false;
  edit.LayoutFrom(0);
  score.ClearSelection();
  auto& objects = instrument.TextsRow().Objects;
  const int page = score.GetActivePage();
  // Before the first object of the active or a later page, and the pasted
  // objects in their copied order; each step entry names its object's index.
  auto at = static_cast<std::size_t>(
      std::find_if(objects.begin(), objects.end(), [page](const auto& o) { return o->Page >= page; }) -
      objects.begin());
  for (auto& list : payload.Objects)
    for (auto& object : list) {
      object->Page = page;
      object->Owner = &instrument;
      ShiftPageObject(*object);
      TECPageObject* added = objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(at++), std::move(object))->get();
      edit.SavePageObject(*added);
      edit.Touch();
      Select(score, &instrument.TextsRow(), 0, added);
    }
  score.NotifySelectedChanged();
  return edit.Finish();
}

bool PasteSymbols(TECMusicScore& score, TECInstrument& instrument, ClipboardPayload& payload) {
  if (std::all_of(payload.Entries.begin(), payload.Entries.end(), [](const auto& e) { return e.Elements.empty(); }))
    return false;
  EditTransaction edit(score, undo_kind::Paste);
  if (!edit.Allowed()) return false;
  edit.LayoutFrom(0);
  score.ClearSelection();
  for (ClipboardEntry& copied : payload.Entries) {
    const int index = score.CursorMeasure() + copied.Measure;
    TECSymbolEntry* entry = instrument.GetSymbolMeasure(index, false);
    if (entry == nullptr) continue;
    edit.SaveSymbolEntry(*entry);
    for (ClipboardElement& element : copied.Elements) {
      std::unique_ptr<TECSymbolItem> item(static_cast<TECSymbolItem*>(element.Record.release()));
      item->Entry = entry;
      if (item->Kind == ek::SymbolMultiRest) entry->Flag = 1;
      entry->Items.push_back(std::move(item));
      edit.Touch();
      Select(score, &instrument.SymbolsRow(), index, entry->Items.back().get());
    }
  }
  instrument.TrimSymbolMeasures();
  score.NotifySelectedChanged();
  return edit.Finish();
}

// A dotted rest comes back with its dot, which the payload does not carry.
void AddRestDots(TECRest& rest) {
  const int dots = rest.Length == DottedLength(rest.Value, 2) && rest.Value >= 4 ? 2
                   : rest.Length == DottedLength(rest.Value, 1) && rest.Value >= 2 ? 1
                                                                                   : 0;
  if (dots > 0) rest.Attributes.push_back(MakeNoteAttribute(dots == 1 ? ek::Dot : ek::DoubleDot, &rest));
}

// Pastes a staff-row payload into the active row.
class RowPaste {
 public:
  RowPaste(TECMusicScore& score, TECRow& row, ClipboardPayload& payload)
      : score_(score), row_(row), payload_(payload) {}

  bool Run() {
    if (!Plan()) return false;
    EditTransaction edit(score_, undo_kind::Paste);
    if (!edit.Allowed()) return false;
    edit.LayoutFrom(0);
    // Measures are appended before the step begins, so that undo drops them.
    for (int m = row_.MeasureCount(); m <= lastMeasure_; ++m) row_.AddMeasure();
    SaveTouched(edit);
    score_.ClearSelection();
    for (Placed& placed : placed_) Place(edit, placed);
    Relink();
    score_.NotifySelectedChanged();
    return edit.Finish();
  }

 private:
  struct Placed {
    ClipboardElement* Element;
    MeasureTick At;
    // The note that holds the element's links once placed.
    TECNote* Holder = nullptr;
    std::vector<std::optional<MeasureTick>> Partners;
  };

  int LengthOf(int m) const { return score_.GetMeasureLength(m); }

  std::optional<MeasureTick> Carry(int measure, int tick) const {
    return CarryTick(measure, tick, [this](int m) { return LengthOf(m); }, limit_);
  }

  static std::optional<int> StartOf(const TECElement& element) {
    switch (element.Type()) {
      case TECElementType::Note: return static_cast<const TECNote&>(element).Start;
      case TECElementType::Rest: return static_cast<const TECRest&>(element).Start;
      case TECElementType::MeasureItem: return static_cast<const TECMeasureItem&>(element).Position;
      default: return std::nullopt;
    }
  }

  // The written position moves with the start (they differ inside
  // tuplets), but stays inside the measure.
  std::uint16_t WrittenPosition(int position, int start, int tick, int m) const {
    const int moved = tick + position - start;
    return static_cast<std::uint16_t>(moved >= 0 && moved < LengthOf(m) ? moved : tick);
  }

  static int Duration(const TECNote& note) { return std::max<int>(1, note.Length != 0 ? note.Length : note.Value); }

  // Works out every place; false when one cannot be reached.
  bool Plan() {
    const int cursor = score_.CursorMeasure();
    limit_ = cursor + 2 * kMaxClipboardMeasure;
    lastMeasure_ = row_.MeasureCount() - 1;
    const int shift = score_.CursorTick() - payload_.BaseTime;
    for (ClipboardEntry& entry : payload_.Entries) {
      const int target = cursor + entry.Measure;
      for (ClipboardElement& element : entry.Elements) {
        const TECElement& record = *element.Record;
        if (record.Type() == TECElementType::Attribute) continue;  // it came without its note
        Placed placed{&element, {target, 0}, nullptr, {}};
        if (const auto start = StartOf(record)) {
          const auto at = Carry(target, *start + shift);
          if (!at) return false;
          placed.At = *at;
        }
        lastMeasure_ = std::max(lastMeasure_, placed.At.Measure);
        if (record.Type() == TECElementType::Note) {
          const auto end = Carry(placed.At.Measure, placed.At.Tick + Duration(static_cast<const TECNote&>(record)) - 1);
          if (!end) return false;
          lastMeasure_ = std::max(lastMeasure_, end->Measure);
          for (const ClipboardLink& link : element.Links)
            placed.Partners.push_back(link.PartnerMeasure == kClipboardPartnerElsewhere
                                          ? std::nullopt
                                          : Carry(cursor + link.PartnerMeasure, link.PartnerStart + shift));
        }
        placed_.push_back(std::move(placed));
      }
    }
    return !placed_.empty();
  }

  void SaveMeasure(EditTransaction& edit, TECMeasure* measure) {
    if (measure != nullptr) edit.SaveMeasure(*measure);
  }

  // The measures the paste writes into, and those holding the other end of
  // a tie or slur of their notes, which a replaced note takes along.
  void SaveTouched(EditTransaction& edit) {
    std::set<int> touched;
    for (const Placed& placed : placed_) {
      touched.insert(placed.At.Measure);
      if (placed.Element->Record->Type() == TECElementType::Note) {
        const auto& note = static_cast<const TECNote&>(*placed.Element->Record);
        for (int m = placed.At.Measure; m <= Carry(placed.At.Measure, placed.At.Tick + Duration(note) - 1)->Measure; ++m)
          touched.insert(m);
      }
    }
    for (const int m : touched) {
      TECMeasure* measure = row_.GetMeasure(m);
      SaveMeasure(edit, measure);
      for (const auto& note : measure->Notes) {
        for (TECNote* later : note->LinkedNotes()) SaveMeasure(edit, later->Owner);
        for (const auto& attribute : note->Attributes)
          if (ek::IsLink(attribute->Kind))
            if (TECNote* partner = static_cast<TECLinkAttribute&>(*attribute).Partner) SaveMeasure(edit, partner->Owner);
      }
    }
  }

  void Place(EditTransaction& edit, Placed& placed) {
    TECMeasure& measure = *row_.GetMeasure(placed.At.Measure);
    std::unique_ptr<TECElement>& record = placed.Element->Record;
    edit.Touch();
    edit.RebuildBeams(measure);
    switch (record->Type()) {
      case TECElementType::Clef: PlaceRecord(measure, measure.Clef, record); return;
      case TECElementType::KeySignature: PlaceRecord(measure, measure.KeySignature, record); return;
      case TECElementType::TimeSignature: PlaceRecord(measure, measure.TimeSignature, record); return;
      case TECElementType::Rest: {
        std::unique_ptr<TECRest> rest(static_cast<TECRest*>(record.release()));
        rest->Position = WrittenPosition(rest->Position, rest->Start, placed.At.Tick, measure.Index);
        rest->Start = static_cast<std::uint16_t>(placed.At.Tick);
        rest->Owner = &measure;
        AddRestDots(*rest);
        measure.Rests.push_back(std::move(rest));
        Select(score_, &row_, measure.Index, measure.Rests.back().get());
        return;
      }
      case TECElementType::MeasureItem: {
        std::unique_ptr<TECMeasureItem> item(static_cast<TECMeasureItem*>(record.release()));
        // A tuplet's end tick moves with it; other kinds keep a length or a
        // clef code there.
        if (item->Kind == ek::Tuplet)
          item->Second = static_cast<std::uint16_t>(std::max(0, item->Second - item->Position + placed.At.Tick));
        item->Position = static_cast<std::uint16_t>(placed.At.Tick);
        item->Owner = &measure;
        measure.Items.push_back(std::move(item));
        Select(score_, &row_, measure.Index, measure.Items.back().get());
        return;
      }
      case TECElementType::Note: PlaceNote(edit, measure, placed); return;
      default: return;
    }
  }

  // A clef, key or time signature takes the measure's own slot.
  template <typename Record>
  void PlaceRecord(TECMeasure& measure, std::unique_ptr<Record>& slot, std::unique_ptr<TECElement>& record) {
    slot.reset(static_cast<Record*>(record.release()));
    slot->Owner = &measure;
    Select(score_, &row_, measure.Index, slot.get());
  }

  void PlaceNote(EditTransaction& edit, TECMeasure& measure, Placed& placed) {
    std::unique_ptr<TECNote> note(static_cast<TECNote*>(placed.Element->Record.release()));
    note->Position = WrittenPosition(note->Position, note->Start, placed.At.Tick, measure.Index);
    note->Start = static_cast<std::uint16_t>(placed.At.Tick);
    // A stored start of 0 reads back as the written position: a note placed
    // at the measure's first tick is written there too.
    if (note->Start == 0) note->Position = 0;
    note->ChordMark = 0;
    note->Owner = &measure;
    const int duration = Duration(*note);
    // Tuplet members and repeat signs keep their written form; other notes
    // are laid out again from their place, split over bar lines.
    const bool reflow = ek::IsNoteStep(note->Kind) && !note->InTuplet();
    const bool fits = placed.At.Tick + duration <= LengthOf(measure.Index);
    if (!reflow && !fits) note->Flags &= 0xF0;
    if (reflow || !fits) note->Position = note->Start;
    std::vector<std::unique_ptr<TECNoteAttribute>> kept;
    if (reflow || !fits)
      for (auto& attribute : note->Attributes)
        if (!attribute->IsAccidental() && attribute->Kind != ek::Dot && attribute->Kind != ek::DoubleDot)
          kept.push_back(std::move(attribute));
    erase_if(note->Attributes, [](const auto& a) { return a == nullptr; });
    const TECNote* partner = JoinChord(measure, *note);
    TECNote* placedNote = InsertInTimeOrder(measure, std::move(note), partner);
    if ((reflow || !fits) && ek::IsNoteStep(placedNote->Kind)) {
      placedNote = row_.ReflowNote(placedNote, duration, placedNote->StartOffset, placedNote->Velocity);
      if (placedNote == nullptr) return;
      for (auto& attribute : kept) {
        attribute->Owner = placedNote;
        placedNote->Attributes.push_back(std::move(attribute));
      }
    }
    edit.RebuildBeams(*placedNote->Owner);
    placed.Holder = placedNote;
    Select(score_, &row_, placedNote->Owner->Index, placedNote);
  }

  // A note that starts with another of the same value and voice joins its
  // chord, as the insertion would place it; returns that note, or none.
  static const TECNote* JoinChord(TECMeasure& measure, TECNote& note) {
    for (const auto& other : measure.Notes)
      if (other->Start == note.Start && other->Value == note.Value && other->Voice == note.Voice &&
          ek::IsNoteStep(other->Kind)) {
        note.ChordMark = ::JoinChord(measure, *other);
        return other.get();
      }
    return nullptr;
  }

  TECNote* FindNote(const MeasureTick& at, const ClipboardLink& link) const {
    const TECMeasure* measure = row_.GetMeasure(at.Measure);
    if (measure == nullptr) return nullptr;
    for (const auto& note : measure->Notes)
      if (note->Start == at.Tick && note->Kind == link.PartnerKind && note->Octave == link.PartnerOctave)
        return note.get();
    return nullptr;
  }

  // Ties and slurs come back once every note stands: the note that held one
  // holds it again when its partner is found where it was pasted.
  void Relink() {
    for (Placed& placed : placed_) {
      // A later note pasted over it may have replaced it.
      if (placed.Holder == nullptr || !HeldAnywhere(score_, placed.Holder)) continue;
      for (std::size_t i = 0; i < placed.Element->Links.size(); ++i) {
        ClipboardLink& copied = placed.Element->Links[i];
        TECNote* partner = placed.Partners[i] ? FindNote(*placed.Partners[i], copied) : nullptr;
        if (partner == nullptr || partner == placed.Holder) continue;
        std::unique_ptr<TECLinkAttribute> link = std::move(copied.Link);
        link->Owner = placed.Holder;
        link->Partner = partner;
        placed.Holder->Attributes.push_back(std::move(link));
        partner->EditLinkedNotes().push_back(placed.Holder);
      }
    }
  }

  TECMusicScore& score_;
  TECRow& row_;
  ClipboardPayload& payload_;
  std::vector<Placed> placed_;
  int limit_ = 0;
  int lastMeasure_ = 0;
};

}  // namespace
}  // namespace nv::editing

bool TECMusicScore::LoadSelectionFromStream(ByteStream& stream) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return false;
  ClipboardPayload payload;
  try {
    payload = ReadClipboardPayload(stream);
  } catch (const EStreamError&) {
    return false;
  }
  switch (payload.Kind) {
    case clipboard_kind::Texts: return nv::editing::PasteTexts(*this, *instrument, payload);
    case clipboard_kind::Symbols: return nv::editing::PasteSymbols(*this, *instrument, payload);
    case clipboard_kind::Row: {
      TECRow* row = instrument->GetActiveRow();
      return row != nullptr && nv::editing::RowPaste(*this, *row, payload).Run();
    }
    default: return false;
  }
}
