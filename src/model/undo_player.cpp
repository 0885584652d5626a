#include "model/undo_player.h"

#include <algorithm>
#include <optional>

#include "model/instrument.h"
#include "model/instrument_stream.h"
#include "model/measure_stream.h"
#include "model/music_score.h"
#include "model/page_object_stream.h"
#include "model/row.h"
#include "model/stave_settings.h"
#include "model/undo_entries.h"

namespace {

// More measures or symbols-row entries than a row block can hold: an index
// beyond it is damage, not a place to append up to.
constexpr std::uint32_t kMaxIndex = 65535;

ScoreStreamContext UndoContext(const TECMusicScore& score) {
  ScoreStreamContext context;
  context.UndoMode = true;
  // Links are resolved once the whole step is back.
  context.Deferred = true;
  context.DefaultMeasureLength = score.DefaultMeasureLength();
  return context;
}

std::uint32_t ReadIndex(ByteStream& stream) {
  const std::uint32_t index = stream.ReadU32();
  if (index > kMaxIndex) throw EFileDamage();
  return index;
}

// A note's pitch and start in one number, to know it again in another
// record of the same measure.
int NoteSignature(const TECNote& note) { return (note.Kind << 24) | (note.Octave << 16) | note.Start; }

bool AddsPageObject(std::uint8_t kind) {
  return kind == undo_kind::PageText || kind == undo_kind::PagePicture || kind == undo_kind::PageGraphic ||
         kind == undo_kind::Paste;
}

// The page objects of these steps were deleted by the edit.
bool DeletesPageObject(std::uint8_t kind) { return kind == undo_kind::DeleteSelection || kind == undo_kind::Erase; }

// A symbols-row item list read aside, so that a damaged one changes nothing.
struct ReadItemsResult {
  std::vector<std::unique_ptr<TECSymbolItem>> Items;
  std::uint8_t Flag = 0;
};

ReadItemsResult ReadItems(ByteStream& stream) {
  TECInstrument scratch(nullptr);
  LoadMeasureItems(stream, scratch, 0);
  TECSymbolEntry& entry = *scratch.SymbolsRow().At(0);
  return {std::move(entry.Items), entry.Flag};
}

void PutItems(TECSymbolEntry& entry, ReadItemsResult read) {
  entry.Items = std::move(read.Items);
  for (const auto& item : entry.Items) item->Entry = &entry;
  entry.Flag = read.Flag;
}

}  // namespace

void UndoPlayer::Run(int count) {
  if (score_.GetStyle() == TScoreStyle::ssPreviewPages || score_.ReadOnly) return;
  auto& list = redo_ ? score_.redoList_ : score_.undoList_;
  auto finish = [&] {
    // What the walk appended belongs to no edit.
    score_.appendedRows_.clear();
    if (TECRow* row = score_.CurrentRow()) row->SnapCursor();
    score_.InvalidateScore();
    if (score_.OnUndoChanged) score_.OnUndoChanged(&score_);
    if (score_.OnRedoChanged) score_.OnRedoChanged(&score_);
    score_.FireChanged(&score_);
  };
  try {
    for (int n = 0; n < count && !list.empty(); ++n) {
      TECUndoStep& step = *list.back();
      mirror_ = nullptr;
      mirrorBegun_ = false;
      const bool ends = Apply(step);
      if (mirror_ != nullptr) {
        mirror_->Serial = step.Serial;
        mirror_->Before = step.Before;
      }
      RestoreAttributeOrders(step);
      // The states are kept by instrument index: a removed instrument's
      // state goes with it.
      std::vector<TECUndoLayoutState> states = step.Layouts;
      if (removedInstrument_ >= 0 && removedInstrument_ < static_cast<int>(states.size()))
        states.erase(states.begin() + removedInstrument_);
      removedInstrument_ = -1;
      {
        // The counts go back first: a step may leave another instrument
        // active, whose records the step found never laid out, and the
        // pass below lays out again what they cut.
        const ScopedLayoutSuspension suspended(score_);
        RestoreLayoutState(states);
      }
      // Each step ends laid out, so that the mirror step of the next one
      // notes the layout state that it really leaves (a time signature's
      // step also what the groups rebuilt for the time laid out changed).
      score_.LayoutScore(0, false);
      // Mirror steps go into the other list, so the step is still the last.
      list.pop_back();
      if (ends) break;
    }
  } catch (...) {
    // The step that failed stays in its list; what it put back stays too,
    // and its mirror step can take that back again.
    finish();
    throw;
  }
  finish();
}

void UndoPlayer::RestoreAttributeOrders(const TECUndoStep& step) {
  // The first order noted for a note is the one from before the edit.
  for (auto order = step.AttributeOrders.rbegin(); order != step.AttributeOrders.rend(); ++order) {
    TECNote* note = NoteAt(score_.GetInstrumentAt(order->Instrument), order->Note);
    if (!note) continue;
    std::vector<std::uint8_t> kinds;
    for (const auto& attribute : note->Attributes) kinds.push_back(attribute->Kind);
    std::vector<std::uint8_t> wanted = order->Kinds;
    if (kinds == wanted) continue;
    std::sort(kinds.begin(), kinds.end());
    std::sort(wanted.begin(), wanted.end());
    // Another set of attributes than the one noted keeps its own order.
    if (kinds != wanted) continue;
    std::vector<std::unique_ptr<TECNoteAttribute>> left;
    for (auto& attribute : note->Attributes) left.push_back(std::move(attribute));
    std::size_t k = 0;
    for (std::uint8_t kind : order->Kinds) {
      const auto at = std::find_if(left.begin(), left.end(), [kind](const auto& a) { return a && a->Kind == kind; });
      note->Attributes[k++] = std::move(*at);
    }
  }
}

void UndoPlayer::RestoreLayoutState(const std::vector<TECUndoLayoutState>& states) {
  for (std::size_t i = 0; i < states.size(); ++i) {
    TECInstrument* instrument = score_.GetInstrumentAt(static_cast<int>(i));
    if (!instrument) break;
    const TECUndoLayoutState& state = states[i];
    auto& layouts = instrument->Layouts();
    if (static_cast<std::int32_t>(layouts.size()) > state.LayoutCount)
      layouts.resize(static_cast<std::size_t>(state.LayoutCount));
    instrument->SetPageCount(state.PageCount);
  }
}

bool UndoPlayer::Apply(TECUndoStep& step) {
  step.Stream.SetPosition(0);
  const std::uint8_t kind = step.Kind;
  const bool rowKind = kind == undo_kind::AddRow || kind == undo_kind::DeleteRow;
  // Undoing an added row, or redoing a deleted one, removes it; the other
  // way round the row is made again from the step's header.
  if (rowKind && (kind == undo_kind::AddRow) != redo_) return RemoveRow(step);
  // The same for instruments.
  if (kind == undo_kind::AddInstrument || kind == undo_kind::DeleteInstrument) {
    if ((kind == undo_kind::AddInstrument) != redo_) return RemoveInstrument(step);
    RecreateInstrument(step);
    return false;
  }
  if (kind == undo_kind::TimeSignature) {
    ApplyTimeSignature(step);
    return false;
  }
  if (kind == undo_kind::InsertMeasures || kind == undo_kind::DeleteMeasures) {
    if ((kind == undo_kind::InsertMeasures) != redo_)
      RemoveMeasures(step);
    else
      InsertMeasures(step);
    return false;
  }
  if (kind == undo_kind::Pickup) {
    ApplyPickup(step);
    return false;
  }
  if (kind == undo_kind::StaveSettings) {
    ApplyStaveSettings(step);
    return false;
  }
  ApplyEntries(step, rowKind);
  return false;
}

void UndoPlayer::ApplyPickup(TECUndoStep& step) {
  const std::uint16_t word = step.Stream.ReadU16();
  // The mirror step holds the present word before its entries.
  if (TECUndoStep* mirror = Mirror(step.Kind)) mirror->Stream.WriteU16(score_.aufTakt_);
  score_.aufTakt_ = word;
  for (int i = 0; i < score_.InstrumentCount(); ++i) score_.GetInstrumentAt(i)->UpdateMeasureTimes();
  ApplyEntries(step, false);
}

void UndoPlayer::ApplyStaveSettings(TECUndoStep& step) {
  ByteStream& s = step.Stream;
  for (std::uint32_t e = 0; e < step.EntryCount; ++e) {
    const std::int64_t end = s.ReadU32();
    const std::uint32_t staff = s.ReadU32();
    const std::uint32_t place = s.ReadU32();
    TECInstrument* instrument = score_.GetInstrumentAt(static_cast<int>(staff));
    TECModelObject* stave = nullptr;
    if (instrument != nullptr)
      stave = place == undo_entry::StaffSettings ? static_cast<TECModelObject*>(instrument)
                                                 : instrument->GetRow(static_cast<int>(place));
    if (stave != nullptr) {
      const StaveSettings stored = ReadStaveSettings(s);
      const StaveSettings present = SettingsOf(*stave);
      if (TECUndoStep* mirror = Mirror(step.Kind))
        WriteUndoEntry(*mirror, {staff, place}, [&](ByteStream& out) { WriteStaveSettings(out, present); });
      ApplySettings(*stave, stored);
    }
    s.SetPosition(end);
  }
}

TECUndoStep* UndoPlayer::Mirror(std::uint8_t kind) {
  if (mirrorBegun_) return mirror_;
  mirrorBegun_ = true;
  if (!redo_) {
    mirror_ = score_.BeginRedoStep(kind);
  } else if (!score_.GetLockUndo()) {
    // Not BeginUndoStep: that would drop the steps still to be redone.
    mirror_ = score_.AppendStep(score_.undoList_, kind);
    if (score_.OnUndoChanged) score_.OnUndoChanged(&score_);
  }
  return mirror_;
}

void UndoPlayer::MirrorMeasure(std::uint8_t kind, TECMeasure* measure, int index) {
  TECUndoStep* mirror = Mirror(kind);
  if (redo_)
    score_.SaveUndoMeasure(mirror, measure, index);
  else
    score_.SaveRedoMeasure(mirror, measure, index);
}

void UndoPlayer::MirrorRow(std::uint8_t kind, TECRow* row) {
  TECUndoStep* mirror = Mirror(kind);
  if (redo_)
    score_.SaveUndoRow(mirror, row);
  else
    score_.SaveRedoRow(mirror, row);
}

void UndoPlayer::MirrorAttachment(std::uint8_t kind, TECSymbolEntry* entry, int index) {
  TECUndoStep* mirror = Mirror(kind);
  if (redo_)
    score_.SaveUndoAttachment(mirror, entry, index);
  else
    score_.SaveRedoAttachment(mirror, entry, index);
}

bool UndoPlayer::RemoveRow(TECUndoStep& step) {
  if (step.EntryCount == 0) return true;
  ByteStream& s = step.Stream;
  s.ReadU32();
  const int i = static_cast<int>(s.ReadU32());
  const int r = static_cast<int>(s.ReadU32());
  TECInstrument* instrument = score_.GetInstrumentAt(i);
  if (!instrument) return true;
  score_.SetActiveInstrument(i);
  TECRow* row = instrument->GetRow(r);
  if (!row) return true;
  if (TECUndoStep* mirror = Mirror(step.Kind)) {
    WriteUndoRowHeader(mirror->Stream, *row);
    if (row->MeasureCount() == 0) MirrorRow(step.Kind, row);
    for (int m = 0; m < row->MeasureCount(); ++m) MirrorMeasure(step.Kind, row->GetMeasure(m), m);
    for (TECMeasure* holder : MeasuresHoldingLinksOn(*row)) MirrorMeasure(step.Kind, holder, holder->Index);
  }
  instrument->RemoveRow(r);
  if (instrument->GetActiveRowIndex() >= instrument->GetRowCount())
    instrument->SetActiveRow(instrument->GetRowCount() - 1);
  return true;
}

bool UndoPlayer::RemoveInstrument(TECUndoStep& step) {
  if (step.EntryCount == 0) return true;
  ByteStream& s = step.Stream;
  s.ReadU32();
  const int i = static_cast<int>(s.ReadU32());
  TECInstrument* instrument = score_.GetInstrumentAt(i);
  if (!instrument) return true;
  if (TECUndoStep* mirror = Mirror(step.Kind)) WriteUndoInstrumentHeader(mirror->Stream, *instrument);
  score_.DeleteInstrumentAt(i);
  removedInstrument_ = i;
  // The instrument that was active stays active.
  if (i < score_.activeInstrument_) --score_.activeInstrument_;
  if (score_.activeInstrument_ >= score_.InstrumentCount())
    score_.activeInstrument_ = std::max(0, score_.InstrumentCount() - 1);
  return true;
}

void UndoPlayer::RecreateInstrument(TECUndoStep& step) {
  ByteStream& s = step.Stream;
  const int index = ReadUndoInstrumentIndex(s);
  TECInstrument* instrument = score_.InsertInstrument(index);
  // The instruments after it move up, the active one with them.
  if (score_.GetInstrumentAt(index) == instrument && index <= score_.activeInstrument_ &&
      score_.InstrumentCount() > 1)
    ++score_.activeInstrument_;
  ReadUndoInstrumentHeader(s, *instrument);
  score_.FireStaveChanged(&score_, TECStaveOperation::soAdded, instrument);
  if (TECUndoStep* mirror = Mirror(step.Kind)) {
    if (redo_)
      score_.SaveUndoInstrument(mirror, instrument);
    else
      score_.SaveRedoInstrument(mirror, instrument);
  }
  RestoreEntries(step, UndoRowHeader{});
}

namespace {

// The place an entry of a measure-count step names: a measure of a row, or
// a symbols-row entry when Row is none.
struct CountPlace {
  TECInstrument* Instrument = nullptr;
  TECRow* Row = nullptr;
  int Index = 0;
  std::int64_t End = 0;
};

std::vector<CountPlace> CountPlaces(TECMusicScore& score, TECUndoStep& step) {
  ByteStream& s = step.Stream;
  std::vector<CountPlace> places;
  for (std::uint32_t e = 0; e < step.EntryCount; ++e) {
    CountPlace place;
    place.End = s.ReadU32();
    place.Instrument = score.GetInstrumentAt(static_cast<int>(s.ReadU32()));
    if (place.Instrument && s.Position() < place.End) {
      const std::uint32_t third = s.ReadU32();
      if (third != undo_entry::PageObject && s.Position() < place.End) {
        place.Row = third == undo_entry::Attachment ? nullptr : place.Instrument->GetRow(static_cast<int>(third));
        place.Index = static_cast<int>(ReadIndex(s));
        if (third == undo_entry::Attachment || place.Row) places.push_back(place);
      }
    }
    s.SetPosition(place.End);
  }
  return places;
}

void RenumberSymbols(TECInstrument& instrument) {
  for (int i = 0; i < instrument.SymbolsRow().Count(); ++i) instrument.SymbolsRow().At(i)->MeasureIndex = i;
}

}  // namespace

void UndoPlayer::RemoveMeasures(TECUndoStep& step) {
  const std::vector<CountPlace> places = CountPlaces(score_, step);
  for (const CountPlace& place : places) {
    if (place.Row) {
      if (TECMeasure* measure = place.Row->GetMeasure(place.Index)) MirrorMeasure(step.Kind, measure, place.Index);
    } else if (TECSymbolEntry* entry = place.Instrument->SymbolsRow().At(place.Index)) {
      MirrorAttachment(step.Kind, entry, place.Index);
    }
  }
  // From the last entry back: measures inserted one before the other all
  // name one place, deleted ones name rising places.
  for (auto place = places.rbegin(); place != places.rend(); ++place) {
    if (place->Row) {
      place->Row->DeleteMeasure(place->Index);
    } else {
      place->Instrument->FreeSymbolEntry(place->Instrument->SymbolsRow().At(place->Index));
      RenumberSymbols(*place->Instrument);
    }
  }
}

void UndoPlayer::InsertMeasures(TECUndoStep& step) {
  const std::vector<TECUndoLayoutState> states = score_.LayoutStates();
  const std::vector<CountPlace> places = CountPlaces(score_, step);
  for (const CountPlace& place : places) {
    if (place.Row) {
      MirrorMeasure(step.Kind, place.Row->InsertMeasure(place.Index), place.Index);
      continue;
    }
    auto& entries = place.Instrument->SymbolsRow().Entries;
    auto entry = std::make_unique<TECSymbolEntry>();
    entry->Owner = place.Instrument;
    TECSymbolEntry* inserted =
        entries.insert(entries.begin() + std::min<std::size_t>(place.Index, entries.size()), std::move(entry))->get();
    RenumberSymbols(*place.Instrument);
    MirrorAttachment(step.Kind, inserted, place.Index);
  }
  if (mirror_) mirror_->Layouts = states;
  // Then what the deleted measures and entries held.
  step.Stream.SetPosition(0);
  RestoreEntries(step, UndoRowHeader{});
}

void UndoPlayer::ApplyEntries(TECUndoStep& step, bool recreatesRow) {
  ByteStream& s = step.Stream;
  const UndoRowHeader header = recreatesRow ? ReadUndoRowHeader(s) : UndoRowHeader{};
  const std::int64_t entries = s.Position();
  // Every present state goes into the mirror before anything is put back:
  // a measure written after its neighbour was restored would hold links to
  // the wrong notes.
  if (!recreatesRow) {
    // The mirror step notes the counts from before the walk appends the
    // measures and entries that are not there yet.
    const std::vector<TECUndoLayoutState> states = score_.LayoutStates();
    WalkEntries(step, Pass::Mirror, header);
    if (mirror_) mirror_->Layouts = states;
    s.SetPosition(entries);
  }
  RestoreEntries(step, header);
}

void UndoPlayer::RestoreEntries(TECUndoStep& step, const UndoRowHeader& header) {
  try {
    WalkEntries(step, Pass::Restore, header);
  } catch (...) {
    FinishRestored(step, true);
    throw;
  }
  FinishRestored(step, true);
}

void UndoPlayer::WalkEntries(TECUndoStep& step, Pass pass, const UndoRowHeader& header) {
  ByteStream& s = step.Stream;
  const std::uint8_t kind = step.Kind;
  const bool recreatesRow = kind == undo_kind::AddRow || kind == undo_kind::DeleteRow;
  TECRow* created = nullptr;
  std::uint32_t createdAt = 0;
  for (std::uint32_t e = 0; e < step.EntryCount; ++e) {
    const std::int64_t end = s.ReadU32();
    const int i = static_cast<int>(s.ReadU32());
    TECInstrument* instrument = score_.GetInstrumentAt(i);
    // An instrument entry names no place of its own to put back.
    if (instrument && s.Position() < end) {
      if (pass == Pass::Restore) score_.SetActiveInstrument(i);
      const std::uint32_t third = s.ReadU32();
      if (third == undo_entry::PageObject) {
        ApplyPageObject(s, *instrument, kind, pass);
      } else if (third == undo_entry::Attachment) {
        ApplyAttachment(s, *instrument, kind, pass);
      } else {
        if (recreatesRow && e == 0) {
          created = instrument->InsertRow(static_cast<int>(std::min<std::uint32_t>(third, kMaxIndex)));
          // Its entries hold every measure it had, empty ones too.
          untrimmed_ = created;
          createdAt = third;
          ApplyUndoRowHeader(*created, header);
          score_.FireStaveChanged(instrument, TECStaveOperation::soAdded, created);
          MirrorRow(kind, created);
          NoteMeasuresToRestore(step, end, e + 1);
        }
        TECRow* row = created && third == createdAt ? created : instrument->GetRow(static_cast<int>(third));
        // Entries of inserted measures name only their place.
        if (row && s.Position() < end && kind != undo_kind::InsertMeasures) ApplyMeasure(s, *row, kind, pass);
      }
    }
    s.SetPosition(end);
  }
  if (pass == Pass::Restore) RemoveAddedObjects();
}

void UndoPlayer::RemoveAddedObjects() {
  // From the highest index down, so that no removal moves another's object.
  std::sort(addedObjects_.begin(), addedObjects_.end(),
            [](const auto& a, const auto& b) { return a.second > b.second; });
  for (const auto& [instrument, index] : addedObjects_) {
    auto& objects = instrument->TextsRow().Objects;
    if (index < objects.size()) objects.erase(objects.begin() + index);
  }
  addedObjects_.clear();
}

void UndoPlayer::NoteMeasuresToRestore(TECUndoStep& step, std::int64_t from, std::uint32_t entry) {
  ByteStream& s = step.Stream;
  const std::int64_t resume = s.Position();
  s.SetPosition(from);
  for (; entry < step.EntryCount; ++entry) {
    const std::int64_t end = s.ReadU32();
    TECInstrument* instrument = score_.GetInstrumentAt(static_cast<int>(s.ReadU32()));
    if (instrument && s.Position() < end) {
      const std::uint32_t third = s.ReadU32();
      TECRow* row = third < undo_entry::Attachment ? instrument->GetRow(static_cast<int>(third)) : nullptr;
      if (row && s.Position() < end) toRestore_.emplace_back(row, static_cast<int>(ReadIndex(s)));
    }
    s.SetPosition(end);
  }
  s.SetPosition(resume);
}

void UndoPlayer::ApplyPageObject(ByteStream& s, TECInstrument& instrument, std::uint8_t kind, Pass pass) {
  const std::uint32_t index = ReadIndex(s);
  auto& objects = instrument.TextsRow().Objects;
  auto mirror = [&](TECPageObject* object) {
    if (redo_)
      score_.SaveUndoPageObject(Mirror(kind), object);
    else
      score_.SaveRedoPageObject(Mirror(kind), object);
  };
  // The object the edit added goes again; the one it deleted comes back,
  // and the mirror notes it once it is back.
  const bool added = redo_ ? DeletesPageObject(kind) : AddsPageObject(kind);
  const bool deleted = redo_ ? AddsPageObject(kind) : DeletesPageObject(kind);
  if (pass == Pass::Mirror) {
    // Otherwise the mirror holds the state being left, so that it can be put
    // back.
    if (!deleted && index < objects.size()) mirror(objects[index].get());
    return;
  }
  if (added) {
    // Taken out once every entry is read: an edit that added several
    // objects named each by its index with the earlier ones in place.
    addedObjects_.emplace_back(&instrument, index);
    return;
  }
  std::unique_ptr<TECPageObject> object = LoadPageObject(s, PageObjectForm::LongSize);
  object->Owner = &instrument;
  if (deleted) {
    const auto at = objects.begin() + std::min<std::size_t>(index, objects.size());
    mirror(objects.insert(at, std::move(object))->get());
  } else if (index < objects.size()) {
    objects[index] = std::move(object);
  } else {
    objects.push_back(std::move(object));
  }
}

void UndoPlayer::ApplyAttachment(ByteStream& s, TECInstrument& instrument, std::uint8_t kind, Pass pass) {
  const std::uint32_t index = ReadIndex(s);
  if (pass == Pass::Mirror) {
    // An entry that is not there yet is made, empty, and noted as such.
    TECSymbolEntry* entry = instrument.GetSymbolMeasure(static_cast<int>(index), false);
    MirrorAttachment(kind, entry, static_cast<int>(index));
    return;
  }
  ReadItemsResult read = ReadItems(s);
  PutItems(*instrument.GetSymbolMeasure(static_cast<int>(index), false), std::move(read));
  if (std::find(touchedSymbols_.begin(), touchedSymbols_.end(), &instrument) == touchedSymbols_.end())
    touchedSymbols_.push_back(&instrument);
}

void UndoPlayer::ApplyMeasure(ByteStream& s, TECRow& row, std::uint8_t kind, Pass pass) {
  const auto index = static_cast<int>(ReadIndex(s));
  // A measure that is not there yet is appended, empty, and noted as such.
  TECMeasure* present = PrepareMeasure(row, index, false);
  if (pass == Pass::Mirror) {
    MirrorMeasure(kind, present, index);
    toRestore_.emplace_back(&row, index);
    return;
  }
  KeepLinksInPlace(*present);
  auto fresh = std::make_unique<TECMeasure>(&row, index);
  std::vector<IncomingLink> incoming;
  ScoreStreamContext context = UndoContext(score_);
  context.IncomingLinks = &incoming;
  if (!ReadMeasureBlock(s, row, *fresh, context)) throw EFileDamage();
  // What the layout pass keeps in a measure stays until it runs again.
  fresh->ClefInForce = present->ClefInForce;
  fresh->KeyInForce = present->KeyInForce;
  fresh->ClefPerTick = present->ClefPerTick;
  fresh->Page = present->Page;
  std::vector<int> replaced;
  for (const auto& note : present->Notes) replaced.push_back(NoteSignature(*note));
  std::unique_ptr<TECMeasure> old = row.ReplaceMeasure(index, std::move(fresh));
  restored_.push_back({&row, index, row.GetMeasure(index), std::move(incoming), std::move(replaced)});
}

void UndoPlayer::TrimRow(TECRow& row, const TECUndoStep& step) const {
  const int i = score_.IndexOfInstrument(row.Owner());
  const int r = row.GetIndex();
  if (i < 0 || i >= static_cast<int>(step.Layouts.size()) ||
      r >= static_cast<int>(step.Layouts[i].RowMeasures.size())) {
    row.TrimEmptyMeasures();
    return;
  }
  // Empty measures within the count the row had before the edit stay.
  const int had = step.Layouts[i].RowMeasures[r];
  while (row.MeasureCount() > had && row.GetMeasure(row.MeasureCount() - 1)->IsEmpty())
    row.DeleteMeasure(row.MeasureCount() - 1);
}

int UndoPlayer::RestoredAt(const TECRow* row, int index) const {
  for (std::size_t k = 0; k < restored_.size(); ++k)
    if (restored_[k].Row == row && restored_[k].Index == index && Live(restored_[k])) return static_cast<int>(k);
  return -1;
}

void UndoPlayer::KeepLinksInPlace(TECMeasure& leaving) {
  const auto restoredLater = [&](const TECMeasure* measure) {
    return std::any_of(toRestore_.begin(), toRestore_.end(), [&](const auto& place) {
      return place.first == measure->Owner && place.second == measure->Index;
    });
  };
  for (const auto& note : leaving.Notes) {
    std::vector<TECNote*> kept;
    for (TECNote* later : note->LinkedNotes()) {
      TECLinkAttribute* link = later->LinkFrom(note.get());
      if (later->Owner == &leaving || restoredLater(later->Owner) || !link) {
        kept.push_back(later);
        continue;
      }
      link->Partner = nullptr;
      placeholders_.push_back({later, link, static_cast<int>(restored_.size()), NoteSignature(*note)});
    }
    // An unchanged list stays as it is (and a note with none gets none).
    if (kept.size() != note->LinkedNotes().size()) note->EditLinkedNotes() = std::move(kept);
  }
}

void UndoPlayer::ConnectLinks(bool savedWhileChanging) {
  // Links whose earlier note lies in a measure saved before: the paths may
  // be stale, so they only keep their place until that measure's list of
  // incoming links fills them.
  std::vector<PlaceholderEntry>& placeholders = placeholders_;
  for (std::size_t k = 0; k < restored_.size(); ++k) {
    const Restored& m = restored_[k];
    if (!Live(m)) continue;
    for (const auto& note : m.Measure->Notes)
      for (const auto& attribute : note->Attributes) {
        if (!ek::IsLink(attribute->Kind)) continue;
        auto* link = static_cast<TECLinkAttribute*>(attribute.get());
        if (link->Partner || !link->PartnerPath) continue;
        const int into = RestoredAt(m.Row->Owner()->GetRow(link->PartnerPath->Row), link->PartnerPath->Measure);
        if (into < 0 || into >= static_cast<int>(k)) continue;
        // The note the stale path names is only a hint. The path was
        // written in the stored state, or, when the edit saved while
        // changing, most likely in the state it left: that one is the first
        // guess then.
        const std::vector<int>& replaced = restored_[into].Replaced;
        const auto& partners = restored_[into].Measure->Notes;
        const std::uint16_t at = link->PartnerPath->Note;
        const int stored = at < partners.size() ? NoteSignature(*partners[at]) : -1;
        const int left = at < replaced.size() ? replaced[at] : -1;
        placeholders.push_back(
            {note.get(), link, into, savedWhileChanging ? left : stored, savedWhileChanging ? stored : left});
      }
  }
  for (std::size_t j = 0; j < restored_.size(); ++j) {
    const Restored& m = restored_[j];
    if (!Live(m)) continue;
    for (const IncomingLink& incoming : m.Incoming) {
      const auto& notes = m.Measure->Notes;
      if (std::none_of(notes.begin(), notes.end(), [&](const auto& n) { return n.get() == incoming.Earlier; }))
        continue;
      const TECRow* laterRow = m.Row->Owner()->GetRow(incoming.Later.Row);
      const TECMeasure* laterMeasure = laterRow ? laterRow->GetMeasure(incoming.Later.Measure) : nullptr;
      if (!laterMeasure || incoming.Later.Note >= laterMeasure->Notes.size()) continue;
      TECNote* later = laterMeasure->Notes[incoming.Later.Note].get();
      // A measure saved before this one holds the link itself.
      const int from = RestoredAt(laterRow, incoming.Later.Measure);
      if (later == incoming.Earlier || (from >= 0 && from < static_cast<int>(j))) continue;
      TECLinkAttribute* link = nullptr;
      const auto fits = [&](const PlaceholderEntry& p) {
        return p.Later == later && p.Into == static_cast<int>(j) && p.Link->Kind == incoming.Kind;
      };
      const int earlier = NoteSignature(*incoming.Earlier);
      auto held = std::find_if(placeholders.begin(), placeholders.end(),
                               [&](const PlaceholderEntry& p) { return fits(p) && p.Partner == earlier; });
      if (held == placeholders.end())
        held = std::find_if(placeholders.begin(), placeholders.end(),
                            [&](const PlaceholderEntry& p) { return fits(p) && p.SecondGuess == earlier; });
      if (held == placeholders.end()) held = std::find_if(placeholders.begin(), placeholders.end(), fits);
      if (held != placeholders.end()) {
        link = held->Link;
        link->PartnerPath.reset();
        placeholders.erase(held);
      } else {
        auto made = std::make_unique<TECLinkAttribute>(incoming.Kind, later);
        link = made.get();
        later->Attributes.push_back(std::move(made));
      }
      link->Load(incoming.Bytes);
      link->Kind = incoming.Kind;
      link->Partner = incoming.Earlier;
      incoming.Earlier->EditLinkedNotes().push_back(later);
    }
  }
  for (const PlaceholderEntry& p : placeholders) p.Later->RemoveAttribute(p.Link);
  placeholders.clear();
  toRestore_.clear();
  for (const Restored& m : restored_)
    if (Live(m)) ResolveMeasureLinks(m.Row->Owner(), *m.Measure);
}

void UndoPlayer::FinishRestored(const TECUndoStep& step, bool rebuildBeams) {
  ConnectLinks(step.SavedWhileChanging);
  std::vector<TECRow*> rows;
  for (const Restored& m : restored_) {
    if (m.Row->GetMeasure(m.Index) != m.Measure) continue;
    if (rebuildBeams) m.Row->RebuildUnions(m.Measure, false, false);
    if (std::find(rows.begin(), rows.end(), m.Row) == rows.end()) rows.push_back(m.Row);
  }
  for (TECRow* row : rows)
    if (row != untrimmed_) TrimRow(*row, step);
  for (TECInstrument* instrument : touchedSymbols_) instrument->TrimSymbolMeasures();
  restored_.clear();
  touchedSymbols_.clear();
  untrimmed_ = nullptr;
}

void UndoPlayer::ApplyTimeSignature(TECUndoStep& step) {
  ByteStream& s = step.Stream;
  const std::uint8_t form = s.ReadU8();
  std::vector<TECInstrument*> targets;
  std::uint16_t word = 0;
  std::uint8_t sizeStyle = 0;
  std::uint32_t only = 0;
  if (form == ek::ScoreStream) {
    word = s.ReadU16();
    sizeStyle = s.ReadU8();
    for (int i = 0; i < score_.InstrumentCount(); ++i) targets.push_back(score_.GetInstrumentAt(i));
  } else if (form == ek::InstrumentBlock) {
    only = s.ReadU32();
    if (TECInstrument* instrument = score_.GetInstrumentAt(static_cast<int>(only))) targets.push_back(instrument);
  } else {
    throw EFileDamage();
  }
  // A new word of the same length for the whole score is recorded by the
  // header alone; a step of one instrument without entries found it
  // without measures, and gives it back so.
  const bool wordOnly = form == ek::ScoreStream && step.EntryCount == 0;
  if (TECUndoStep* mirror = Mirror(step.Kind)) {
    mirror->Stream.WriteU8(form);
    if (form == ek::ScoreStream) {
      mirror->Stream.WriteU16(score_.timeWord_);
      mirror->Stream.WriteU8(score_.sizeStyle_);
    } else {
      mirror->Stream.WriteU32(only);
    }
    // A step of the word alone has no entries, and its mirror none either.
    for (TECInstrument* instrument : wordOnly ? std::vector<TECInstrument*>{} : targets) {
      for (int e = 0; e < instrument->SymbolsRow().Count(); ++e)
        MirrorAttachment(step.Kind, instrument->SymbolsRow().At(e), e);
      for (int r = 0; r < instrument->GetRowCount(); ++r) {
        TECRow* row = instrument->GetRow(r);
        for (int m = 0; m < row->MeasureCount(); ++m) MirrorMeasure(step.Kind, row->GetMeasure(m), m);
      }
    }
  }

  // Everything is read aside first: a damaged entry leaves the score as it
  // was.
  struct Fresh {
    std::vector<std::vector<std::unique_ptr<TECMeasure>>> Rows;
    std::vector<std::optional<ReadItemsResult>> Symbols;
  };
  std::vector<Fresh> fresh(targets.size());
  for (std::size_t t = 0; t < targets.size(); ++t) fresh[t].Rows.resize(targets[t]->GetRowCount());
  for (std::uint32_t e = 0; e < step.EntryCount; ++e) {
    const std::int64_t end = s.ReadU32();
    TECInstrument* instrument = score_.GetInstrumentAt(static_cast<int>(s.ReadU32()));
    const auto target = std::find(targets.begin(), targets.end(), instrument);
    if (target != targets.end() && s.Position() < end) {
      Fresh& into = fresh[target - targets.begin()];
      const std::uint32_t third = s.ReadU32();
      if (third == undo_entry::Attachment) {
        const std::uint32_t index = ReadIndex(s);
        if (into.Symbols.size() <= index) into.Symbols.resize(index + 1);
        into.Symbols[index] = ReadItems(s);
      } else if (third < into.Rows.size() && s.Position() < end) {
        TECRow& row = *instrument->GetRow(static_cast<int>(third));
        const std::uint32_t index = ReadIndex(s);
        auto measure = std::make_unique<TECMeasure>(&row, static_cast<int>(index));
        // Every measure comes back from one moment, so the paths that notes
        // hold on earlier notes tell every link.
        std::vector<IncomingLink> incoming;
        ScoreStreamContext context = UndoContext(score_);
        context.IncomingLinks = &incoming;
        if (!ReadMeasureBlock(s, row, *measure, context)) throw EFileDamage();
        auto& measures = into.Rows[third];
        if (measures.size() <= index) measures.resize(index + 1);
        measures[index] = std::move(measure);
      }
    }
    s.SetPosition(end);
  }

  for (std::size_t t = 0; t < targets.size() && !wordOnly; ++t) {
    TECInstrument& instrument = *targets[t];
    for (std::size_t r = 0; r < fresh[t].Rows.size(); ++r) {
      TECRow& row = *instrument.GetRow(static_cast<int>(r));
      row.ClearMeasures();
      auto& measures = fresh[t].Rows[r];
      for (std::size_t m = 0; m < measures.size(); ++m)
        if (measures[m]) row.ReplaceMeasure(static_cast<int>(m), std::move(measures[m]));
    }
    instrument.SymbolsRow().Entries.clear();
    auto& symbols = fresh[t].Symbols;
    for (std::size_t i = 0; i < symbols.size(); ++i)
      if (symbols[i]) PutItems(*instrument.GetSymbolMeasure(static_cast<int>(i), false), std::move(*symbols[i]));
    ResolveLinks(instrument);
  }
  if (form == ek::ScoreStream && (word & 0xFF) != 0) {
    score_.timeWord_ = word;
    score_.sizeStyle_ = sizeStyle;
    score_.defaultMeasureLength_ = (word >> 8) * 128 / (word & 0xFF);
    score_.UpdateUnionLength();
  }
  for (TECInstrument* instrument : targets) instrument->UpdateMeasureTimes();
  score_.LayoutScore(0, false);
  score_.RebuildAllUnions(0, false, false);
}
