#include "formats/clipboard_payload.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <span>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/music_score.h"
#include "model/page_object_stream.h"
#include "model/row.h"
#include "model/stream_blocks.h"
#include "model/stream_strings.h"
#include "model/symbols_row.h"
#include "model/text_encoding.h"

namespace {

// A chord symbol's piece format has this size.
constexpr std::size_t kPieceFormatSize = 5;
// An attribute selected without its note is written as its stored prefix;
// a grace-note group (or one of its small notes) as its code alone.
constexpr std::size_t kAttributeSize = 8;
constexpr std::size_t kLoneGraceSize = 1;
// The common prefix of a measure item.
constexpr std::size_t kItemSize = 10;
// Smallest stored element: its i32 size and kind byte.
constexpr std::uint64_t kMinElement = 5;
// The widest start a record holds.
constexpr std::int32_t kMaxStart = std::numeric_limits<std::uint16_t>::max();

// --- writing ----------------------------------------------------------------------

void WriteElementBytes(ByteStream& stream, std::span<const std::uint8_t> bytes) {
  stream.WriteI32(static_cast<std::int32_t>(bytes.size()));
  stream.WriteBuffer(bytes.data(), bytes.size());
}

template <typename Record>
void WriteElementRecord(ByteStream& stream, const Record& record, std::size_t size) {
  std::array<std::uint8_t, 64> bytes{};
  record.Store(std::span<std::uint8_t>(bytes.data(), size));
  WriteElementBytes(stream, std::span<const std::uint8_t>(bytes.data(), size));
}

void WriteKindOnly(ByteStream& stream, std::uint8_t kind) {
  WriteElementBytes(stream, std::span<const std::uint8_t>(&kind, kLoneGraceSize));
}

// The start that places an element in time, none for the elements that have
// none (clef, key and time records, attributes other than links).
std::optional<int> StartOf(const TECElement& element) {
  switch (element.Type()) {
    case TECElementType::Note: return static_cast<const TECNote&>(element).Start;
    case TECElementType::Rest: return static_cast<const TECRest&>(element).Start;
    case TECElementType::MeasureItem: return static_cast<const TECMeasureItem&>(element).Position;
    case TECElementType::Attribute:
      if (ek::IsLink(element.Kind))
        if (const TECNote* partner = static_cast<const TECLinkAttribute&>(element).Partner) return partner->Start;
      return std::nullopt;
    default: return std::nullopt;
  }
}

class PayloadWriter {
 public:
  PayloadWriter(ByteStream& stream, const TECRow* row, int lowest) : stream_(stream), row_(row), lowest_(lowest) {}

  // Elements that have a clipboard form; the count written is theirs.
  static bool Written(const TECElement& element) {
    return element.Type() != TECElementType::PlayNote && element.Type() != TECElementType::PageObject;
  }

  void Element(const TECElement& element) {
    switch (element.Type()) {
      case TECElementType::Clef:
        WriteElementRecord(stream_, static_cast<const TECClef&>(element), TECClef::StoredSize);
        return;
      case TECElementType::KeySignature:
        WriteElementRecord(stream_, static_cast<const TECKeySignature&>(element), TECKeySignature::StoredSize);
        return;
      case TECElementType::TimeSignature:
        WriteElementRecord(stream_, static_cast<const TECTimeSignature&>(element), TECTimeSignature::StoredSize);
        return;
      case TECElementType::Note: Note(static_cast<const TECNote&>(element)); return;
      case TECElementType::Rest:
        WriteElementRecord(stream_, static_cast<const TECRest&>(element), TECRest::StoredSize);
        return;
      case TECElementType::Attribute:
        if (element.Kind == ek::GraceNotes)
          WriteKindOnly(stream_, ek::GraceNotes);
        else
          WriteElementRecord(stream_, static_cast<const TECNoteAttribute&>(element), kAttributeSize);
        return;
      case TECElementType::GraceNote: WriteKindOnly(stream_, ek::GraceNotes); return;
      case TECElementType::MeasureItem: Item(static_cast<const TECMeasureItem&>(element)); return;
      case TECElementType::SymbolItem: {
        const auto& item = static_cast<const TECSymbolItem&>(element);
        WriteElementRecord(stream_, item, item.StoredSize());
        return;
      }
      default: return;
    }
  }

 private:
  // Repeat signs share the note's record and are written in its form.
  void Note(const TECNote& note) {
    WriteElementRecord(stream_, note, TECNote::StoredSize);
    WriteCount(stream_, note.Attributes.size(), kMaxMeasureElements);
    for (const auto& attribute : note.Attributes) {
      if (attribute->Kind == ek::GraceNotes) {
        GraceGroup(static_cast<const TECGraceGroup&>(*attribute));
        continue;
      }
      WriteElementRecord(stream_, *attribute, kAttributeSize);
      if (ek::IsLink(attribute->Kind)) Partner(static_cast<const TECLinkAttribute&>(*attribute));
    }
  }

  void GraceGroup(const TECGraceGroup& group) {
    WriteElementRecord(stream_, group, group.StoredSize());
    WriteCount(stream_, group.Notes.size(), kMaxMeasureElements);
    for (const auto& grace : group.Notes) {
      WriteElementRecord(stream_, *grace, TECGraceNote::StoredSize);
      WriteCount(stream_, grace->Attributes.size(), kMaxMeasureElements);
      for (const auto& mark : grace->Attributes) WriteKindOnly(stream_, mark->Kind);
    }
  }

  void Partner(const TECLinkAttribute& link) {
    const TECNote* partner = link.Partner;
    const bool here = partner != nullptr && partner->Owner != nullptr && partner->Owner->Owner == row_ &&
                      partner->Owner->Index >= lowest_ &&
                      partner->Owner->Index - lowest_ < kClipboardPartnerElsewhere;
    stream_.WriteU16(here ? static_cast<std::uint16_t>(partner->Owner->Index - lowest_) : kClipboardPartnerElsewhere);
    stream_.WriteU16(partner != nullptr ? partner->Kind : 0);
    stream_.WriteU16(partner != nullptr ? partner->Octave : 0);
    stream_.WriteU16(partner != nullptr ? partner->Start : 0);
  }

  void Item(const TECMeasureItem& item) {
    WriteElementRecord(stream_, item, item.StoredSize());
    switch (item.Kind) {
      case ek::ChordSymbol: {
        const auto& chord = static_cast<const TECChordSymbol&>(item);
        WriteCount(stream_, chord.Pieces.size(), kMaxMeasureElements);
        for (const TECChordPiece& piece : chord.Pieces) {
          WriteElementBytes(stream_, piece.Format);
          WriteStreamString(stream_, piece.Text);
        }
        WriteElementBytes(stream_, chord.Code);
        WriteStreamString(stream_, chord.Text);
        return;
      }
      case ek::Tuplet: {
        const auto& tuplet = static_cast<const TECTuplet&>(item);
        WriteCount(stream_, tuplet.Lengths.size());
        stream_.WriteBuffer(tuplet.Lengths.data(), tuplet.Lengths.size());
        return;
      }
      case ek::ObjectGroup:
        SavePageObjects(stream_, static_cast<const TECObjectGroup&>(item).Objects, PageObjectForm::ClipboardSize);
        return;
      case ek::TextBox: {
        const auto& box = static_cast<const TECTextBox&>(item);
        WriteStreamString(stream_, box.FontName);
        WriteStreamStrings(stream_, box.Lines);
        return;
      }
      default: return;
    }
  }

  ByteStream& stream_;
  const TECRow* row_;
  int lowest_;
};

void WriteTexts(ByteStream& stream, const std::vector<TECSelected>& selection) {
  stream.WriteU16(clipboard_kind::Texts);
  WriteCount(stream, selection.size());
  for (const TECSelected& entry : selection) {
    WriteCount(stream, entry.Elements.size());
    for (const TECElement* element : entry.Elements)
      SavePageObject(stream, static_cast<const TECPageObject&>(*element), PageObjectForm::LongSize);
  }
}

void WriteEntries(ByteStream& stream, std::uint16_t kind, const TECRow* row, const std::vector<TECSelected>& selection) {
  const auto lowestEntry = std::min_element(selection.begin(), selection.end(),
                                            [](const auto& a, const auto& b) { return a.Measure < b.Measure; });
  const int lowest = lowestEntry->Measure;
  std::optional<int> base;
  for (const TECElement* element : lowestEntry->Elements)
    if (const auto start = StartOf(*element)) base = std::min(base.value_or(*start), *start);
  stream.WriteU16(kind);
  stream.WriteI32(base.value_or(0));
  WriteCount(stream, selection.size());
  for (const TECSelected& entry : selection) stream.WriteI32(entry.Measure - lowest);
  PayloadWriter writer(stream, row, lowest);
  for (const TECSelected& entry : selection) {
    stream.WriteI32(entry.Measure - lowest);
    const auto count = std::count_if(entry.Elements.begin(), entry.Elements.end(),
                                     [](const TECElement* e) { return PayloadWriter::Written(*e); });
    WriteCount(stream, static_cast<std::size_t>(count));
    for (const TECElement* element : entry.Elements)
      if (PayloadWriter::Written(*element)) writer.Element(*element);
  }
}

// --- reading ----------------------------------------------------------------------

std::vector<std::uint8_t> ReadElementBytes(ByteStream& stream) {
  const std::int32_t size = stream.ReadI32();
  if (size < 1) throw EFileDamage();
  return stream.ReadBytes(static_cast<std::size_t>(size));
}

std::uint16_t ReadCount(ByteStream& stream, std::uint64_t minItemSize) {
  const std::uint16_t count = ReadElementCount(stream);
  stream.CheckAvailable(count, minItemSize);
  return count;
}

bool IsSymbolKind(std::uint8_t kind) {
  return (kind >= ek::SymbolSegno && kind <= ek::SymbolRehearsal) ||
         (kind >= ek::SymbolBarNumber && kind <= ek::SymbolDoubleBarline) ||
         (kind >= ek::SymbolStartRepeat && kind <= ek::SymbolMultiRest) || kind == ek::TempoMark;
}
// Measure items share codes 100..129 with note attributes; the payload tells
// them apart by size, an item's prefix being the longer.
bool IsItemKind(std::uint8_t kind, std::size_t size) {
  if (kind == ek::ClefChange || kind == ek::ChordSymbol) return true;
  if (kind >= ek::Dynamics && kind <= 129) return size >= kItemSize;
  return kind > 129 && !ek::IsLink(kind);
}

class PayloadReader {
 public:
  explicit PayloadReader(ByteStream& stream) : stream_(stream) {}

  ClipboardElement RowElement() {
    const std::vector<std::uint8_t> bytes = ReadElementBytes(stream_);
    const std::uint8_t kind = bytes[0];
    ClipboardElement element;
    if (ek::IsNoteStep(kind) || kind == ek::RepeatNotes || kind == ek::RepeatBar) {
      auto note = std::make_unique<TECNote>(kind);
      note->Load(bytes);
      Attributes(*note, element.Links);
      element.Record = std::move(note);
    } else if (kind == ek::Rest && bytes.size() > TECKeySignature::StoredSize) {
      // A key signature without accidentals shares the rest's code.
      auto rest = std::make_unique<TECRest>();
      rest->Load(bytes);
      element.Record = std::move(rest);
    } else if (kind == ek::TimeSignature) {
      auto time = std::make_unique<TECTimeSignature>();
      time->Load(bytes);
      if (!ValidTimeSignature(time->Word >> 8, time->Word & 0xFF)) throw EFileDamage();
      element.Record = std::move(time);
    } else if (ek::IsClefCode(kind)) {
      auto clef = std::make_unique<TECClef>(kind);
      clef->Load(bytes);
      element.Record = std::move(clef);
    } else if (ek::IsKeyCode(kind)) {
      auto key = std::make_unique<TECKeySignature>(kind);
      key->Load(bytes);
      element.Record = std::move(key);
    } else if (IsItemKind(kind, bytes.size())) {
      element.Record = Item(bytes);
    } else if (kind >= ek::Dynamics && (kind <= 129 || ek::IsLink(kind))) {
      auto attribute = MakeNoteAttribute(kind, nullptr);
      attribute->Load(bytes);
      element.Record = std::move(attribute);
    } else {
      throw EFileDamage();
    }
    return element;
  }

  ClipboardElement SymbolElement() {
    const std::vector<std::uint8_t> bytes = ReadElementBytes(stream_);
    if (!IsSymbolKind(bytes[0])) throw EFileDamage();
    auto item = std::make_unique<TECSymbolItem>(bytes[0]);
    item->Load(bytes);
    ClipboardElement element;
    element.Record = std::move(item);
    return element;
  }

 private:
  void Attributes(TECNote& note, std::vector<ClipboardLink>& links) {
    const std::uint16_t count = ReadCount(stream_, kMinElement);
    for (std::uint16_t i = 0; i < count; ++i) {
      const std::vector<std::uint8_t> bytes = ReadElementBytes(stream_);
      const std::uint8_t code = bytes[0];
      if (code == ek::GraceNotes) {
        note.Attributes.push_back(GraceGroup(note, bytes));
      } else if (ek::IsLink(code)) {
        ClipboardLink link;
        link.Link = std::make_unique<TECLinkAttribute>(code);
        link.Link->Load(bytes);
        link.PartnerMeasure = stream_.ReadU16();
        link.PartnerKind = stream_.ReadU16();
        link.PartnerOctave = stream_.ReadU16();
        link.PartnerStart = stream_.ReadU16();
        if (link.PartnerMeasure > kMaxClipboardMeasure) throw EFileDamage();
        links.push_back(std::move(link));
      } else if (ek::IsPlainAttribute(code)) {
        auto attribute = MakeNoteAttribute(code, &note);
        attribute->Load(bytes);
        note.Attributes.push_back(std::move(attribute));
      } else {
        // A code a note of a score file cannot hold.
        throw EFileDamage();
      }
    }
  }

  std::unique_ptr<TECGraceGroup> GraceGroup(TECNote& note, std::span<const std::uint8_t> bytes) {
    auto group = std::make_unique<TECGraceGroup>(&note);
    group->Load(bytes);
    const std::uint16_t count = ReadCount(stream_, kMinElement + 2);
    for (std::uint16_t i = 0; i < count; ++i) {
      auto grace = std::make_unique<TECGraceNote>(group.get());
      grace->Load(ReadElementBytes(stream_));
      const std::uint16_t marks = ReadCount(stream_, kMinElement);
      for (std::uint16_t m = 0; m < marks; ++m) {
        const std::uint8_t code = ReadElementBytes(stream_)[0];
        if (ek::IsPlainAttribute(code))
          grace->Attributes.push_back(std::make_unique<TECNoteAttribute>(code, grace.get()));
      }
      group->Notes.push_back(std::move(grace));
    }
    return group;
  }

  std::unique_ptr<TECMeasureItem> Item(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<TECMeasureItem> item = MakeMeasureItem(bytes[0], nullptr);
    item->Load(bytes);
    switch (item->Kind) {
      case ek::ChordSymbol: {
        auto& chord = static_cast<TECChordSymbol&>(*item);
        const std::uint16_t pieces = ReadCount(stream_, kMinElement + 2);
        for (std::uint16_t i = 0; i < pieces; ++i) {
          TECChordPiece piece;
          const std::vector<std::uint8_t> format = ReadElementBytes(stream_);
          std::copy_n(format.begin(), std::min(format.size(), kPieceFormatSize), piece.Format.begin());
          piece.Text = ReadStoredText(stream_);
          chord.Pieces.push_back(std::move(piece));
        }
        std::vector<std::uint8_t> code = ReadElementBytes(stream_);
        // As in a score file, a code block that contradicts its own counts
        // is left out.
        if (TECChordSymbol::IsConsistentCode(code)) chord.Code = std::move(code);
        chord.Text = ReadStoredText(stream_);
        break;
      }
      case ek::Tuplet: {
        auto& tuplet = static_cast<TECTuplet&>(*item);
        tuplet.Lengths = stream_.ReadBytes(stream_.ReadU16());
        break;
      }
      case ek::ObjectGroup:
        static_cast<TECObjectGroup&>(*item).Objects = LoadPageObjects(stream_, PageObjectForm::ClipboardSize);
        break;
      case ek::TextBox: {
        auto& box = static_cast<TECTextBox&>(*item);
        box.FontName = ReadStoredText(stream_);
        box.Lines = ReadStoredTextList(stream_);
        break;
      }
      default: break;
    }
    return item;
  }

  ByteStream& stream_;
};

void ReadTexts(ByteStream& stream, ClipboardPayload& payload) {
  const std::uint16_t entries = stream.ReadU16();
  stream.CheckAvailable(entries, 2);
  for (std::uint16_t e = 0; e < entries; ++e) {
    const std::uint16_t count = stream.ReadU16();
    stream.CheckAvailable(count, 3);
    std::vector<std::unique_ptr<TECPageObject>> objects;
    for (std::uint16_t i = 0; i < count; ++i) objects.push_back(LoadPageObject(stream, PageObjectForm::LongSize));
    payload.Objects.push_back(std::move(objects));
  }
}

std::int32_t ReadRelativeMeasure(ByteStream& stream) {
  const std::int32_t measure = stream.ReadI32();
  if (measure < 0 || measure > kMaxClipboardMeasure) throw EFileDamage();
  return measure;
}

void ReadEntries(ByteStream& stream, ClipboardPayload& payload) {
  payload.BaseTime = stream.ReadI32();
  if (payload.BaseTime < 0 || payload.BaseTime > kMaxStart) throw EFileDamage();
  const std::uint16_t count = stream.ReadU16();
  stream.CheckAvailable(count, 4);
  std::vector<std::int32_t> measures;
  for (std::uint16_t i = 0; i < count; ++i) measures.push_back(ReadRelativeMeasure(stream));
  PayloadReader reader(stream);
  for (const std::int32_t measure : measures) {
    if (ReadRelativeMeasure(stream) != measure) throw EFileDamage();
    ClipboardEntry entry;
    entry.Measure = measure;
    const std::uint16_t elements = ReadCount(stream, kMinElement);
    for (std::uint16_t i = 0; i < elements; ++i)
      entry.Elements.push_back(payload.Kind == clipboard_kind::Row ? reader.RowElement() : reader.SymbolElement());
    payload.Entries.push_back(std::move(entry));
  }
}

}  // namespace

void WriteClipboardPayload(ByteStream& stream, const TECMusicScore& score) {
  const TECInstrument* instrument = score.CurrentInstrument();
  const TECModelObject* owner = score.SelectedRow;
  if (instrument == nullptr || owner == nullptr || score.Selection.empty()) return;
  if (owner == &instrument->TextsRow()) {
    WriteTexts(stream, score.Selection);
  } else if (owner == &instrument->SymbolsRow()) {
    WriteEntries(stream, clipboard_kind::Symbols, nullptr, score.Selection);
  } else if (const int r = instrument->IndexOfRow(dynamic_cast<const TECRow*>(owner)); r >= 0) {
    WriteEntries(stream, clipboard_kind::Row, instrument->GetRow(r), score.Selection);
  }
}

ClipboardPayload ReadClipboardPayload(ByteStream& stream) {
  ClipboardPayload payload;
  payload.Kind = stream.ReadU16();
  if (payload.Kind == clipboard_kind::Texts)
    ReadTexts(stream, payload);
  else if (payload.Kind == clipboard_kind::Row || payload.Kind == clipboard_kind::Symbols)
    ReadEntries(stream, payload);
  return payload;
}

void TECMusicScore::SaveSelectionToStream(ByteStream& stream) const { WriteClipboardPayload(stream, *this); }
