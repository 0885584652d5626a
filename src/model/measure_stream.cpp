#include "model/measure_stream.h"

#include <algorithm>

#include "model/block_view.h"
#include "model/element_kinds.h"
#include "model/legacy_records.h"
#include "model/page_object_stream.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

bool PathOf(const TECNote* note, TECNotePath& path) {
  if (!note || !note->Owner || !note->Owner->Owner) return false;
  const TECMeasure& measure = *note->Owner;
  const auto& notes = measure.Notes;
  const auto at = std::find_if(notes.begin(), notes.end(), [note](const auto& n) { return n.get() == note; });
  const int row = measure.Owner->GetIndex();
  if (at == notes.end() || row < 0) return false;
  path.Row = static_cast<std::uint16_t>(row);
  path.Measure = static_cast<std::uint16_t>(measure.Index);
  path.Note = static_cast<std::uint16_t>(at - notes.begin());
  return true;
}

TECNote* NoteAt(const TECInstrument* instrument, const TECNotePath& path) {
  const TECRow* row = instrument ? instrument->GetRow(path.Row) : nullptr;
  const TECMeasure* measure = row ? row->GetMeasure(path.Measure) : nullptr;
  if (!measure || path.Note >= measure->Notes.size()) return nullptr;
  return measure->Notes[path.Note].get();
}

namespace {

constexpr std::uint8_t kIncomingLinkAbove = 153;
constexpr std::uint8_t kIncomingLinkBelow = 154;
constexpr std::uint16_t kMeasureFieldCount = 3;
// A link stored with this size carries the short path (measure, note).
constexpr std::uint8_t kShortPathLinkSize = 1;
constexpr std::size_t kMarkSize = 1;
constexpr std::size_t kGraceGroupSize = 4;
constexpr std::size_t kLegacyChordCodeSize = 3;

// Versions at which the stored form changed.
constexpr std::uint16_t kLastWithoutTimeRecord = 639;
constexpr std::uint16_t kLastWithoutBeamSetting = 852;
constexpr std::uint16_t kLastLegacyNotes = 849;
constexpr std::uint16_t kLastWithoutTupletItems = 624;
constexpr std::uint16_t kFirstFullTimes = 848;
constexpr std::uint16_t kFirstFullTupletTable = 851;
constexpr std::uint16_t kLastWithoutPlayNotes = 815;
constexpr std::uint16_t kLastLegacyGraceNotes = 863;
constexpr std::uint16_t kFirstChordPieces = 880;

void WritePath(ByteStream& stream, const TECNotePath& path) {
  stream.WriteU16(path.Row);
  stream.WriteU16(path.Measure);
  stream.WriteU16(path.Note);
}

// The path a link is written with: its partner's, or the one it still
// waits to be resolved with; false when it has neither.
bool LinkPath(const TECLinkAttribute& link, TECNotePath& path) {
  if (link.Partner) return PathOf(link.Partner, path);
  if (link.PartnerPath) {
    path = *link.PartnerPath;
    return true;
  }
  return false;
}

// --- writing -----------------------------------------------------------------------

// Links held by notes of other measures whose partner is `note`.
std::vector<const TECLinkAttribute*> IncomingLinks(const TECNote& note) {
  std::vector<const TECLinkAttribute*> links;
  std::vector<const TECNote*> seen;
  for (const TECNote* later : note.LinkedNotes()) {
    // A note that holds two links on this one is listed twice.
    if (later->Owner == note.Owner || std::find(seen.begin(), seen.end(), later) != seen.end()) continue;
    seen.push_back(later);
    for (const auto& attribute : later->Attributes) {
      if (!ek::IsLink(attribute->Kind)) continue;
      const auto* link = static_cast<const TECLinkAttribute*>(attribute.get());
      if (link->Partner == &note) links.push_back(link);
    }
  }
  return links;
}

void SaveGraceGroup(ByteStream& stream, const TECGraceGroup& group) {
  WriteRecord(stream, group, kGraceGroupSize);
  WriteCount(stream, group.Notes.size(), kMaxMeasureElements);
  for (const auto& grace : group.Notes) {
    WriteRecord(stream, *grace, TECGraceNote::StoredSize);
    WriteCount(stream, grace->Attributes.size(), kMaxMeasureElements);
    for (const auto& mark : grace->Attributes) {
      const std::uint8_t code = mark->Kind;
      WriteSizedRecord(stream, std::span<const std::uint8_t>(&code, kMarkSize));
    }
  }
}

void SaveNoteAttributes(ByteStream& stream, const TECNote& note, bool undoMode) {
  struct Entry {
    const TECNoteAttribute* Attribute;
    TECNotePath Path;
    bool Incoming;
  };
  std::vector<Entry> entries;
  for (const auto& attribute : note.Attributes) {
    Entry entry{attribute.get(), {}, false};
    // A link that leads nowhere cannot be read back; it is left out.
    if (ek::IsLink(attribute->Kind) &&
        !LinkPath(static_cast<const TECLinkAttribute&>(*attribute), entry.Path))
      continue;
    entries.push_back(entry);
  }
  if (undoMode) {
    for (const TECLinkAttribute* link : IncomingLinks(note)) {
      Entry entry{link, {}, true};
      if (PathOf(link->OwnerNote(), entry.Path)) entries.push_back(entry);
    }
  }
  WriteCount(stream, entries.size(), kMaxMeasureElements);
  for (const Entry& entry : entries) {
    const TECNoteAttribute& attribute = *entry.Attribute;
    if (attribute.Kind == ek::GraceNotes) {
      SaveGraceGroup(stream, static_cast<const TECGraceGroup&>(attribute));
      continue;
    }
    std::array<std::uint8_t, 8> bytes{};
    attribute.Store(bytes);
    if (entry.Incoming) bytes[0] = attribute.Kind == ek::LinkAbove ? kIncomingLinkAbove : kIncomingLinkBelow;
    WriteSizedRecord(stream, std::span<const std::uint8_t>(bytes.data(), attribute.StoredSize()));
    if (ek::IsLink(attribute.Kind)) WritePath(stream, entry.Path);
  }
}

void SaveItem(ByteStream& stream, const TECMeasureItem& item) {
  WriteRecord(stream, item, item.StoredSize());
  switch (item.Kind) {
    case ek::ChordSymbol: {
      const auto& chord = static_cast<const TECChordSymbol&>(item);
      WriteCount(stream, chord.Pieces.size(), kMaxMeasureElements);
      for (const TECChordPiece& piece : chord.Pieces) {
        WriteSizedRecord(stream, piece.Format);
        WriteStreamString(stream, piece.Text);
      }
      WriteSizedRecord(stream, chord.Code);
      WriteStreamString(stream, chord.Text);
      break;
    }
    case ek::TextBox: {
      const auto& box = static_cast<const TECTextBox&>(item);
      WriteStreamString(stream, box.FontName);
      WriteStreamStrings(stream, box.Lines);
      break;
    }
    case ek::Tuplet: {
      const auto& tuplet = static_cast<const TECTuplet&>(item);
      WriteCount(stream, tuplet.Lengths.size());
      stream.WriteBuffer(tuplet.Lengths.data(), tuplet.Lengths.size());
      break;
    }
    case ek::ObjectGroup:
      SavePageObjects(stream, static_cast<const TECObjectGroup&>(item).Objects, PageObjectForm::ShortSize);
      break;
    default:
      break;
  }
}

// Writes a clef, key or time record, or zeros of its size when absent.
template <typename Record>
void SaveHeaderRecord(ByteStream& stream, const std::unique_ptr<Record>& record) {
  if (record) {
    WriteRecord(stream, *record, Record::StoredSize);
  } else {
    const std::array<std::uint8_t, Record::StoredSize> zeros{};
    WriteSizedRecord(stream, zeros);
  }
}

// --- sizes as written ------------------------------------------------------------

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kPathSize = 6;

// A sized record as written: its byte count, then its bytes.
constexpr std::size_t Sized(std::size_t size) { return 1 + size; }

std::size_t StoredAttributesSize(const TECNote& note) {
  std::size_t size = kCountSize;
  for (const auto& attribute : note.Attributes) {
    if (attribute->Kind == ek::GraceNotes) {
      size += Sized(kGraceGroupSize) + kCountSize;
      for (const auto& grace : static_cast<const TECGraceGroup&>(*attribute).Notes)
        size += Sized(TECGraceNote::StoredSize) + kCountSize + grace->Attributes.size() * Sized(kMarkSize);
      continue;
    }
    size += Sized(attribute->StoredSize());
    if (ek::IsLink(attribute->Kind)) size += kPathSize;
  }
  return size;
}

std::size_t StoredItemSize(const TECMeasureItem& item) {
  std::size_t size = Sized(item.StoredSize());
  switch (item.Kind) {
    case ek::ChordSymbol: {
      const auto& chord = static_cast<const TECChordSymbol&>(item);
      size += kCountSize;
      for (const TECChordPiece& piece : chord.Pieces) size += Sized(piece.Format.size()) + StoredStringSize(piece.Text);
      size += Sized(chord.Code.size()) + StoredStringSize(chord.Text);
      break;
    }
    case ek::TextBox: {
      const auto& box = static_cast<const TECTextBox&>(item);
      size += StoredStringSize(box.FontName) + StoredStringsSize(box.Lines);
      break;
    }
    case ek::Tuplet:
      size += kCountSize + static_cast<const TECTuplet&>(item).Lengths.size();
      break;
    case ek::ObjectGroup:
      size += StoredPageObjectsSize(static_cast<const TECObjectGroup&>(item).Objects, PageObjectForm::ShortSize);
      break;
    default:
      break;
  }
  return size;
}

// --- reading -------------------------------------------------------------------------

struct MeasureReader {
  BlockView& In;
  TECRow& Row;
  TECMeasure& Measure;
  const ScoreStreamContext& Context;

  std::uint16_t V() const { return Context.Version; }
  bool HalvedTimes() const { return V() < kFirstFullTimes; }

  void Read();
  void ReadHeaderRecords(std::uint16_t fieldCount);
  std::uint16_t ElementCount(std::size_t leastItemSize);
  TECNotePath Path();
  std::unique_ptr<TECNote> ReadNote();
  void ReadNoteAttributes(TECNote& note);
  std::unique_ptr<TECGraceGroup> ReadGraceGroup(TECNote& note, std::span<const std::uint8_t> record);
  void ReadIncomingLink(TECNote& note, std::span<const std::uint8_t> record);
  void ReadPlayNotes(TECNote& note);
  void ReadRests();
  void ReadItems();
  std::unique_ptr<TECMeasureItem> ReadItem();
  void ReadChordSymbol(TECChordSymbol& chord);
  void AddMissingTuplets();
};

std::uint16_t Doubled(std::uint16_t value) { return static_cast<std::uint16_t>(value * 2); }

bool IsNoteKind(std::uint8_t kind) { return ek::IsNoteStep(kind) || kind == ek::RepeatNotes || kind == ek::RepeatBar; }

// A count of elements in the block, each taking at least leastItemSize
// bytes; above the limit the block is damaged.
std::uint16_t MeasureReader::ElementCount(std::size_t leastItemSize) {
  const std::uint16_t count = In.U16();
  if (count > kMaxMeasureElements) throw EFileDamage();
  In.Need(count * leastItemSize);
  return count;
}

TECNotePath MeasureReader::Path() {
  TECNotePath path;
  path.Row = In.U16();
  path.Measure = In.U16();
  path.Note = In.U16();
  return path;
}

void MeasureReader::Read() {
  const std::uint16_t fieldCount = In.U16();
  ReadHeaderRecords(fieldCount);
  if (V() > kLastWithoutBeamSetting) {
    Measure.BeamOverride = In.U8();
    Measure.BeamGroupCount = In.I32();
  }
  const std::uint16_t notes = ElementCount(3);
  Measure.Notes.reserve(notes);
  for (std::uint16_t i = 0; i < notes; ++i) {
    std::unique_ptr<TECNote> note = ReadNote();
    // A record of another kind has been read past; it is no note.
    if (IsNoteKind(note->Kind)) Measure.Notes.push_back(std::move(note));
  }
  if (!Context.OldestForm) ReadRests();
  ReadItems();
  if (V() <= kLastWithoutTupletItems) AddMissingTuplets();
}

void MeasureReader::ReadHeaderRecords(std::uint16_t fieldCount) {
  const bool allRecords = V() > kLastWithoutTimeRecord;
  if (allRecords || fieldCount >= 1) {
    const auto record = In.Record();
    if (ek::IsClefCode(RecordKind(record))) {
      Measure.Clef = std::make_unique<TECClef>(RecordKind(record), &Measure);
      Measure.Clef->Load(record);
    }
  }
  if (allRecords || fieldCount >= 2) {
    const auto record = In.Record();
    if (ek::IsKeyCode(RecordKind(record))) {
      Measure.KeySignature = std::make_unique<TECKeySignature>(RecordKind(record), &Measure);
      Measure.KeySignature->Load(record);
    }
  }
  if (allRecords) {
    const auto record = In.Record();
    if (RecordKind(record) != 0) {
      Measure.TimeSignature = std::make_unique<TECTimeSignature>(&Measure);
      Measure.TimeSignature->Load(record);
    }
  }
}

std::unique_ptr<TECNote> MeasureReader::ReadNote() {
  const auto record = In.Record();
  auto note = std::make_unique<TECNote>(RecordKind(record), &Measure);
  if (V() <= kLastLegacyNotes)
    note->Load(ConvertLegacyNote(record));
  else
    note->Load(record);
  if (HalvedTimes()) {
    note->Value = Doubled(note->Value);
    note->Position = Doubled(note->Position);
    note->Length = Doubled(note->Length);
    note->Start = Doubled(note->Start);
    note->SoundingLength = Doubled(note->SoundingLength);
    // Bit 7 is the direction; the ticks are the low seven bits.
    const int ticks = std::min(0x7F, (note->StartOffset & 0x7F) * 2);
    note->StartOffset = static_cast<std::uint8_t>((note->StartOffset & 0x80) | ticks);
  }
  ReadNoteAttributes(*note);
  if (V() > kLastWithoutPlayNotes) ReadPlayNotes(*note);
  return note;
}

void MeasureReader::ReadNoteAttributes(TECNote& note) {
  const std::uint16_t count = ElementCount(1);
  if (count != 0) note.Attributes.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto record = In.Record();
    const std::uint8_t code = RecordKind(record);
    if (code == ek::GraceNotes) {
      note.Attributes.push_back(ReadGraceGroup(note, record));
    } else if (ek::IsLink(code)) {
      auto link = std::make_unique<TECLinkAttribute>(code, &note);
      link->Load(record);
      TECNotePath path;
      if (record.size() == kShortPathLinkSize) {
        path.Row = static_cast<std::uint16_t>(std::max(0, Row.GetIndex()));
        path.Measure = In.U16();
        path.Note = In.U16();
      } else {
        path = Path();
      }
      link->PartnerPath = path;
      note.Attributes.push_back(std::move(link));
    } else if (code == kIncomingLinkAbove || code == kIncomingLinkBelow) {
      ReadIncomingLink(note, record);
    } else if (ek::IsPlainAttribute(code)) {
      auto attribute = MakeNoteAttribute(code, &note);
      attribute->Load(record);
      note.Attributes.push_back(std::move(attribute));
    }
  }
}

std::unique_ptr<TECGraceGroup> MeasureReader::ReadGraceGroup(TECNote& note, std::span<const std::uint8_t> record) {
  auto group = std::make_unique<TECGraceGroup>(&note);
  group->Load(record);
  const std::uint16_t count = ElementCount(3);
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto stored = In.Record();
    auto grace = std::make_unique<TECGraceNote>(group.get());
    if (V() <= kLastLegacyGraceNotes)
      grace->Load(ConvertLegacyGraceNote(stored));
    else
      grace->Load(stored);
    const std::uint16_t marks = ElementCount(1);
    for (std::uint16_t m = 0; m < marks; ++m) {
      const std::uint8_t code = RecordKind(In.Record());
      if (ek::IsPlainAttribute(code))
        grace->Attributes.push_back(std::make_unique<TECNoteAttribute>(code, grace.get()));
    }
    group->Notes.push_back(std::move(grace));
  }
  return group;
}

// A link that a note of a later measure holds on `note`: given back to that
// note in undo mode (or listed for the caller to give back), passed over in a
// file.
void MeasureReader::ReadIncomingLink(TECNote& note, std::span<const std::uint8_t> record) {
  const TECNotePath path = Path();
  if (!Context.UndoMode) return;
  const std::uint8_t code = RecordKind(record) == kIncomingLinkAbove ? ek::LinkAbove : ek::LinkBelow;
  if (Context.IncomingLinks) {
    Context.IncomingLinks->push_back(IncomingLink{&note, path, code, recbytes::Padded<8>(record)});
    return;
  }
  TECNote* later = NoteAt(Row.Owner(), path);
  if (!later || later == &note) return;
  auto link = std::make_unique<TECLinkAttribute>(code, later);
  link->Load(record);
  link->Kind = code;
  link->Partner = &note;
  later->Attributes.push_back(std::move(link));
  note.EditLinkedNotes().push_back(later);
}

void MeasureReader::ReadPlayNotes(TECNote& note) {
  const std::uint16_t count = ElementCount(1);
  if (count != 0) note.EditPlayNotes().reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto record = In.Record();
    auto play = std::make_unique<TECPlayNote>(&note);
    if (V() <= kLastLegacyGraceNotes)
      play->Load(ConvertLegacyPlayNote(record));
    else
      play->Load(record);
    note.EditPlayNotes().push_back(std::move(play));
  }
}

void MeasureReader::ReadRests() {
  const std::uint16_t count = ElementCount(3);
  Measure.Rests.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto record = In.Record();
    auto rest = std::make_unique<TECRest>(&Measure);
    if (V() <= kLastLegacyNotes)
      rest->Load(ConvertLegacyRest(record));
    else
      rest->Load(record);
    rest->Kind = ek::Rest;
    if (HalvedTimes()) {
      rest->Value = Doubled(rest->Value);
      rest->Position = Doubled(rest->Position);
      rest->Length = Doubled(rest->Length);
      rest->Start = Doubled(rest->Start);
    }
    const std::uint16_t attributes = ElementCount(1);
    for (std::uint16_t a = 0; a < attributes; ++a) {
      const auto stored = In.Record();
      // Rests carry dots and plain marks only; their records have no data.
      if (!ek::IsPlainAttribute(RecordKind(stored))) continue;
      auto attribute = MakeNoteAttribute(RecordKind(stored), rest.get());
      attribute->Load(stored);
      rest->Attributes.push_back(std::move(attribute));
    }
    Measure.Rests.push_back(std::move(rest));
  }
}

void MeasureReader::ReadItems() {
  const std::uint16_t count = ElementCount(1);
  Measure.Items.reserve(count);
  for (std::uint16_t i = 0; i < count; ++i) Measure.Items.push_back(ReadItem());
}

std::unique_ptr<TECMeasureItem> MeasureReader::ReadItem() {
  // Older layouts of items hold the present fields in their leading bytes.
  const auto record = In.Record();
  std::unique_ptr<TECMeasureItem> item = MakeMeasureItem(RecordKind(record), &Measure);
  item->Load(record);
  switch (item->Kind) {
    case ek::ChordSymbol:
      ReadChordSymbol(static_cast<TECChordSymbol&>(*item));
      break;
    case ek::TextBox: {
      auto& box = static_cast<TECTextBox&>(*item);
      box.FontName = ReadStoredText(In);
      box.Lines = ReadStoredTextList(In);
      break;
    }
    case ek::Tuplet: {
      auto& tuplet = static_cast<TECTuplet&>(*item);
      tuplet.Lengths = In.ReadBytes(In.U16());
      if (V() < kFirstFullTupletTable)
        for (std::uint8_t& length : tuplet.Lengths) length = static_cast<std::uint8_t>(length * 2);
      if (HalvedTimes()) tuplet.UnitValue = Doubled(tuplet.UnitValue);
      break;
    }
    case ek::ObjectGroup:
      static_cast<TECObjectGroup&>(*item).Objects = LoadPageObjects(In, PageObjectForm::ShortSize);
      break;
    default:
      break;
  }
  if (HalvedTimes()) {
    item->Position = Doubled(item->Position);
    // A clef change keeps its clef code there.
    if (item->Kind != ek::ClefChange) item->Second = Doubled(item->Second);
  }
  return item;
}

void MeasureReader::ReadChordSymbol(TECChordSymbol& chord) {
  std::vector<std::uint8_t> code;
  if (V() < kFirstChordPieces) {
    chord.Pieces.push_back(TECChordPiece{{}, ReadStoredText(In)});
    code = In.ReadBytes(kLegacyChordCodeSize);
  } else {
    const std::uint16_t pieces = ElementCount(3);
    chord.Pieces.reserve(pieces);
    for (std::uint16_t i = 0; i < pieces; ++i) {
      TECChordPiece piece;
      piece.Format = recbytes::Padded<std::tuple_size_v<decltype(piece.Format)>>(In.Record());
      piece.Text = ReadStoredText(In);
      chord.Pieces.push_back(std::move(piece));
    }
    const auto stored = In.Record();
    code.assign(stored.begin(), stored.end());
  }
  if (TECChordSymbol::IsConsistentCode(code)) chord.Code = std::move(code);
  if (V() > kLastWithoutPlayNotes) chord.Text = ReadStoredText(In);
}

// Files before tuplet items marked tuplet notes only by their flags: each
// tuplet note that no bracket of its voice covers gets one.
void MeasureReader::AddMissingTuplets() {
  for (const auto& note : Measure.Notes) {
    if (!note->InTuplet()) continue;
    const bool covered = std::any_of(Measure.Items.begin(), Measure.Items.end(), [&](const auto& item) {
      return item->Kind == ek::Tuplet && item->Voice == note->Voice && note->Position >= item->Position &&
             note->Position < item->Second;
    });
    if (covered) continue;
    auto tuplet = std::make_unique<TECTuplet>(&Measure);
    tuplet->Position = note->Position;
    tuplet->Second = static_cast<std::uint16_t>(note->Position + note->Value * note->TupletNumber());
    tuplet->Voice = note->Voice;
    tuplet->Count = note->TupletNumber();
    tuplet->UnitValue = note->Value;
    Measure.Items.push_back(std::move(tuplet));
  }
}

void ClearMeasure(TECMeasure& measure) {
  measure.Beams.clear();
  measure.Notes.clear();
  measure.Rests.clear();
  measure.Items.clear();
  measure.Clef.reset();
  measure.KeySignature.reset();
  measure.TimeSignature.reset();
  measure.BeamOverride = 0;
  measure.BeamGroupCount = 0;
}

}  // namespace

void ResolveMeasureLinks(TECInstrument* instrument, TECMeasure& measure) {
  for (const auto& note : measure.Notes) {
    erase_if(note->Attributes, [&](const std::unique_ptr<TECNoteAttribute>& attribute) {
      if (!ek::IsLink(attribute->Kind)) return false;
      auto* link = static_cast<TECLinkAttribute*>(attribute.get());
      if (link->Partner || !link->PartnerPath) return false;
      TECNote* partner = NoteAt(instrument, *link->PartnerPath);
      if (!partner || partner == note.get()) return true;
      link->PartnerPath.reset();
      link->Partner = partner;
      partner->EditLinkedNotes().push_back(note.get());
      return false;
    });
  }
}

TECMeasure* PrepareMeasure(TECRow& row, int index, bool clear) {
  if (index < 0) return nullptr;
  while (row.MeasureCount() <= index) row.AddMeasure();
  TECMeasure* measure = row.GetMeasure(index);
  if (clear) ClearMeasure(*measure);
  return measure;
}

void SaveMeasure(ByteStream& stream, const TECMeasure& measure, bool undoMode) {
  BlockWriter block(stream, ek::MeasureBlock, 2);
  stream.WriteU16(kMeasureFieldCount);
  SaveHeaderRecord(stream, measure.Clef);
  SaveHeaderRecord(stream, measure.KeySignature);
  SaveHeaderRecord(stream, measure.TimeSignature);
  stream.WriteU8(measure.BeamOverride);
  stream.WriteI32(measure.BeamGroupCount);

  WriteCount(stream, measure.Notes.size(), kMaxMeasureElements);
  for (const auto& note : measure.Notes) {
    WriteRecord(stream, *note, TECNote::StoredSize);
    SaveNoteAttributes(stream, *note, undoMode);
    WriteCount(stream, note->PlayNotes().size(), kMaxMeasureElements);
    for (const auto& play : note->PlayNotes()) WriteRecord(stream, *play, TECPlayNote::StoredSize);
  }
  WriteCount(stream, measure.Rests.size(), kMaxMeasureElements);
  for (const auto& rest : measure.Rests) {
    WriteRecord(stream, *rest, TECRest::StoredSize);
    WriteCount(stream, rest->Attributes.size(), kMaxMeasureElements);
    for (const auto& attribute : rest->Attributes) WriteRecord(stream, *attribute, attribute->StoredSize());
  }
  WriteCount(stream, measure.Items.size(), kMaxMeasureElements);
  for (const auto& item : measure.Items) SaveItem(stream, *item);
  block.Finish();
}

std::size_t StoredMeasureSize(const TECMeasure& measure) {
  // Marker, length, field count, the clef, key and time records and the
  // beam setting.
  std::size_t size = 1 + 2 + 2 + Sized(TECClef::StoredSize) + Sized(TECKeySignature::StoredSize) +
                     Sized(TECTimeSignature::StoredSize) + 1 + 4;
  size += kCountSize;
  for (const auto& note : measure.Notes) {
    size += Sized(TECNote::StoredSize) + StoredAttributesSize(*note) + kCountSize +
            note->PlayNotes().size() * Sized(TECPlayNote::StoredSize);
  }
  size += kCountSize;
  for (const auto& rest : measure.Rests) {
    size += Sized(TECRest::StoredSize) + kCountSize;
    for (const auto& attribute : rest->Attributes) size += Sized(attribute->StoredSize());
  }
  size += kCountSize;
  for (const auto& item : measure.Items) size += StoredItemSize(*item);
  return size;
}

bool ReadMeasureBlock(ByteStream& stream, TECRow& row, TECMeasure& measure, const ScoreStreamContext& context) {
  const std::int64_t start = stream.Position();
  if (stream.ReadU8() != ek::MeasureBlock) return false;
  measure.MarkChanged();
  const bool intact = ReadBlockBody(stream, start, 2, [&] {
    BlockView block(stream);
    MeasureReader{block, row, measure, context}.Read();
  });
  if (!intact) ClearMeasure(measure);
  return intact;
}

void LoadMeasure(ByteStream& stream, TECRow& row, int index, const ScoreStreamContext& context) {
  TECMeasure* measure = PrepareMeasure(row, index, true);
  const bool intact = ReadMeasureBlock(stream, row, *measure, context);
  // A stream can store a measure more compactly than the writer does. Links
  // that lead nowhere, dropped below, only make it shorter.
  if (intact && context.Budget && StoredMeasureSize(*measure) > static_cast<std::size_t>(kMaxShortBlockLength))
    context.Budget->MayNotStoreAgain = true;
  if (context.Deferred) return;
  ResolveMeasureLinks(row.Owner(), *measure);
  row.RebuildUnions(measure, false, false);
}

void ResolveLinks(TECInstrument& instrument) {
  for (int r = 0; r < instrument.GetRowCount(); ++r)
    for (const auto& measure : instrument.GetRow(r)->Measures()) ResolveMeasureLinks(&instrument, *measure);
}
